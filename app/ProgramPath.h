// The running program's own file, from the system.
#ifndef THINFOLD_PROGRAM_PATH_H
#define THINFOLD_PROGRAM_PATH_H

#include <filesystem>
#include <system_error>

// The program file's full path; empty with error set when the system cannot tell.
std::filesystem::path ProgramPath(std::error_code& error);

#endif
