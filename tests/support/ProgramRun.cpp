// Running a built program as a user does.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32
// cmd.exe takes double quotes; a double quote inside is escaped for the program's own parsing.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
  return quoted + "\"";
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

// Windows' system() gives the program's exit code itself.
int ExitCode(int status) { return status; }

// Programs write lines ending in CR LF on Windows; the tests compare lines as on other systems.
std::string OutputLines(std::string text) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
  return lines;
}

// The command goes to the shell as UTF-16, so that names beyond the ANSI code page arrive whole.
int RunShell(const std::string& command) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, nullptr, 0);
  std::wstring wide(size > 0 ? static_cast<std::size_t>(size) : 1, L'\0');
  if (size > 0) MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, wide.data(), size);
  return _wsystem(wide.c_str());
}

// cmd.exe strips the quotes of a line that starts with one and takes a leading slash for an
// option: the program goes with backslashes, unquoted unless its path has a space.
std::string ProgramWord(const std::string& program) {
  const std::string path = fs::path(program).make_preferred().string();
  return path.find(' ') == std::string::npos ? path : Quoted(path);
}
#else
int ExitCode(int status) { return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ProgramWord(const std::string& program) { return Quoted(program); }

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

std::string OutputLines(std::string text) { return text; }

int RunShell(const std::string& command) { return std::system(command.c_str()); }
#endif

std::string FileText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The process id keeps test programs of several builds, run at once, out of each other's folders.
fs::path FreshTestFolder(const std::string& prefix) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  const fs::path folder =
      fs::path(testing::TempDir()) / (prefix + "_" + test->test_suite_name() + "_" + test->name() +
                                      "_" + std::to_string(ProcessId()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

// The streams go through files next to each other, so that neither pipe can fill up and block.
ProgramRun RunProgram(const std::string& program, const std::string& arguments,
                      const std::string& stdinText) {
  const fs::path streams = FreshTestFolder("streams");
  std::ofstream(streams / "in", std::ios::binary) << stdinText;
  const std::string command =
      ProgramWord(program) + " " + arguments + " <" + Quoted((streams / "in").string()) + " >" +
      Quoted((streams / "out").string()) + " 2>" + Quoted((streams / "err").string());
  const int status = RunShell(command);
  ProgramRun run;
  run.exitCode = ExitCode(status);
  run.out = OutputLines(FileText(streams / "out"));
  run.err = OutputLines(FileText(streams / "err"));
  fs::remove_all(streams);
  return run;
}
