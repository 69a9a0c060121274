// The running program's own file: GetModuleFileName on Windows, _NSGetExecutablePath on macOS,
// /proc elsewhere. Kept apart from the host API headers, whose type names Windows' headers define
// too.
#include "ProgramPath.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>

#include <cstdint>
#include <string>
#endif

#include <system_error>

namespace fs = std::filesystem;

#ifdef _WIN32
ProgramPathResult ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size())
    path.resize(path.size() * 2);
  if (length == 0)
    return {fs::path(),
            std::error_code(static_cast<int>(GetLastError()), std::system_category()).message()};
  path.resize(length);
  return {fs::path(path), ""};
}
#elif defined(__APPLE__)
ProgramPathResult ProgramPath() {
  uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::string path(size, '\0');
  if (_NSGetExecutablePath(path.data(), &size) != 0)
    return {fs::path(), std::make_error_code(std::errc::no_such_file_or_directory).message()};
  std::error_code error;
  fs::path program = fs::canonical(fs::path(path.c_str()), error);
  if (error) return {fs::path(), error.message()};
  return {std::move(program), ""};
}
#else
ProgramPathResult ProgramPath() {
  std::error_code error;
  fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return {fs::path(), error.message()};
  return {std::move(program), ""};
}
#endif
