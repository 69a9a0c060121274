// Shared libraries through the system's loader: LoadLibrary on Windows, dlopen elsewhere. The
// only file of the host with these calls, kept apart from the API headers, whose type names
// (LONG) Windows' headers define too.
#include "system/SharedLibrary.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {

#ifdef _WIN32
// The module path is UTF-8; Windows takes it as UTF-16.
void* OpenSharedLibrary(const std::string& path, std::string& reason) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), length);
  HMODULE handle = LoadLibraryW(wide.c_str());
  if (!handle) reason = "cannot be loaded (error " + std::to_string(GetLastError()) + ")";
  return reinterpret_cast<void*>(handle);
}

void* FindLibrarySymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void CloseSharedLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
#else
void* OpenSharedLibrary(const std::string& path, std::string& reason) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* text = dlerror();
    reason = text ? text : "cannot be loaded";
  }
  return handle;
}

void* FindLibrarySymbol(void* handle, const char* name) { return dlsym(handle, name); }

void CloseSharedLibrary(void* handle) { dlclose(handle); }
#endif

}  // namespace standin
