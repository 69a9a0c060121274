// Finding the Thinfold plug-in folder.
#include "PluginFolder.h"

#include <filesystem>
#include <system_error>

#include "PrintableText.h"
#include "Status.h"
#include "c4d_standin.h"

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

std::string Utf8(const fs::path& path) { return standin::Utf8FromPath(path); }

std::string Shown(const fs::path& path) { return Printable(Utf8(path)); }

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

// Whether the plug-in folder is complete, or the first thing it lacks.
Status CheckComplete(const fs::path& folder) {
  if (!IsFile(folder / kModuleName))
    return {Shown(folder / kModuleName) + ": no plug-in module in the plug-in folder"};
  if (!IsFolder(folder / "res")) return {Shown(folder / "res") + ": no resource folder"};
  for (const char* file : kResourceFiles)
    if (!IsFile(folder / "res" / file))
      return {Shown(folder / "res" / file) + ": missing resource file of the plug-in"};
  return {};
}

}  // namespace

PluginFolderResult FindPluginFolder(const std::string& dir) {
  const fs::path given = standin::PathFromUtf8(dir);
  if (!IsFolder(given)) return {{}, Printable(dir) + ": no such plug-in folder"};
  const fs::path folder = IsFile(given / kModuleName) ? given : given / kFolderName;
  if (!IsFolder(folder)) return {{}, Shown(folder) + ": no Thinfold plug-in folder"};
  const Status complete = CheckComplete(folder);
  if (!complete.Ok()) return {{}, complete.error};
  return {{Utf8(folder), Utf8(folder / kModuleName)}, std::string()};
}

PluginFolderResult FindPluginFolderBeside(const ProgramPathResult& program) {
  if (program.error.empty()) return FindPluginFolder(Utf8(program.path.parent_path() / "plugins"));
  PluginFolderResult found = FindPluginFolder("plugins");
  if (!found.error.empty())
    found.error += " (the system cannot tell the program's own path: " + program.error + ")";
  return found;
}
