// Running a built program as a user does, for the end-to-end tests: its exit code, what it wrote
// to stdout and stderr, and the files it left.
#ifndef PROGRAM_RUN_H
#define PROGRAM_RUN_H

#include <filesystem>
#include <string>

struct ProgramRun {
  int exitCode = -1;  // -1 when the program did not end normally
  std::string out;
  std::string err;
};

// Runs program with arguments (words as a shell reads them) and stdinText as its input.
ProgramRun RunProgram(const std::string& program, const std::string& arguments,
                      const std::string& stdinText = std::string());

// A word for the system shell: in single quotes (POSIX) or double quotes (Windows).
std::string Quoted(const std::string& text);

std::string FileText(const std::filesystem::path& path);

// A fresh empty folder for one test, under the test framework's temporary folder.
std::filesystem::path FreshTestFolder(const std::string& prefix);

#endif
