// The font folders of builds with stb_truetype. The host library finds its own file from the
// address of one of its objects: GetModuleHandleEx on Windows, dladdr elsewhere. Kept apart from
// the host API headers, whose type names Windows' headers define too.
#include "FontFolders.h"

#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>
#else
#include <dlfcn.h>
#endif

namespace fs = std::filesystem;

namespace standin {

namespace {

const char kInHostLibrary = 0;

#ifdef _WIN32
fs::path ModuleFile(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size())
    path.resize(path.size() * 2);
  path.resize(length);
  return fs::path(path);
}

fs::path HostLibraryFile() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&kInHostLibrary), &module))
    return {};
  return ModuleFile(module);
}

// %WINDIR%\Fonts.
fs::path SystemFontFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  const UINT length = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (length == 0 || length >= folder.size()) return {};
  folder.resize(length);
  return fs::path(folder) / "Fonts";
}
#else
fs::path HostLibraryFile() {
  Dl_info info{};
  if (!dladdr(&kInHostLibrary, &info) || !info.dli_fname) return {};
  return fs::path(info.dli_fname);
}

fs::path SystemFontFolder() { return {}; }
#endif

}  // namespace

std::vector<fs::path> FontFolders() {
  std::vector<fs::path> folders;
  const fs::path library = HostLibraryFile();
  if (!library.empty()) folders.push_back(library.parent_path() / "fonts");
  const fs::path system = SystemFontFolder();
  if (!system.empty()) folders.push_back(system);
  return folders;
}

fs::path FindFontFileIn(FontFace face, const std::vector<fs::path>& folders) {
  for (const fs::path& folder : folders)
    for (const char* name : kFontFileNames[static_cast<size_t>(face)]) {
      std::error_code error;
      const fs::path file = folder / name;
      if (fs::is_regular_file(file, error)) return file;
    }
  return {};
}

FontFiles FindFontFiles() {
  const std::vector<fs::path> folders = FontFolders();
  FontFiles files;
  for (size_t face = 0; face < kFontFaceCount; ++face)
    files[face] = FindFontFileIn(static_cast<FontFace>(face), folders);
  return files;
}

}  // namespace standin
