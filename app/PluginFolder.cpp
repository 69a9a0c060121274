// Finding the Thinfold plug-in folder.
#include "PluginFolder.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>

#include <cstdint>
#endif

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

#if defined(__APPLE__)
constexpr const char* kModuleName = "Thinfold.dylib";
#elif defined(_WIN64)
constexpr const char* kModuleName = "Thinfold.cdl64";
#elif defined(_WIN32)
constexpr const char* kModuleName = "Thinfold.cdl";
#else
constexpr const char* kModuleName = "Thinfold.so";
#endif
constexpr const char* kFolderName = "Thinfold";
constexpr const char* kResourceFiles[] = {"strings.txt", "dialogs/10003.res", "IconPalette.tif"};

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// The first thing the plug-in folder lacks, as a message; empty when nothing is missing.
std::string MissingPart(const fs::path& folder) {
  if (!IsFile(folder / kModuleName))
    return (folder / kModuleName).string() + ": no plug-in module in the plug-in folder";
  if (!IsFolder(folder / "res")) return (folder / "res").string() + ": no resource folder";
  for (const char* file : kResourceFiles)
    if (!IsFile(folder / "res" / file))
      return (folder / "res" / file).string() + ": missing resource file of the plug-in";
  return std::string();
}

#ifdef _WIN32
fs::path ProgramPath(std::error_code& error) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size())
    path.resize(path.size() * 2);
  if (length == 0)
    error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
  path.resize(length);
  return fs::path(path);
}
#elif defined(__APPLE__)
fs::path ProgramPath(std::error_code& error) {
  uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::string path(size, '\0');
  if (_NSGetExecutablePath(path.data(), &size) != 0) {
    error = std::make_error_code(std::errc::no_such_file_or_directory);
    return fs::path();
  }
  return fs::canonical(fs::path(path.c_str()), error);
}
#else
fs::path ProgramPath(std::error_code& error) { return fs::read_symlink("/proc/self/exe", error); }
#endif

}  // namespace

std::string DefaultPluginsDir() {
  std::error_code error;
  const fs::path program = ProgramPath(error);
  if (error) return "plugins";
  return (program.parent_path() / "plugins").string();
}

PluginFolderResult FindPluginFolder(const std::string& dir) {
  if (!IsFolder(dir)) return {{}, dir + ": no such plug-in folder"};
  const fs::path folder =
      IsFile(fs::path(dir) / kModuleName) ? fs::path(dir) : fs::path(dir) / kFolderName;
  if (!IsFolder(folder)) return {{}, folder.string() + ": no Thinfold plug-in folder"};
  std::string missing = MissingPart(folder);
  if (!missing.empty()) return {{}, std::move(missing)};
  return {{folder.string(), (folder / kModuleName).string()}, std::string()};
}
