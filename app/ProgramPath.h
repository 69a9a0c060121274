// The running program's own file, from the system.
#ifndef THINFOLD_PROGRAM_PATH_H
#define THINFOLD_PROGRAM_PATH_H

#include <filesystem>
#include <string>

struct ProgramPathResult {
  std::filesystem::path path;  // the program file's full path; empty on failure
  std::string error;           // the system's reason it cannot tell; empty on success
};

ProgramPathResult ProgramPath();

#endif
