// Opening shared libraries (plug-in modules) and finding their symbols.
#ifndef HOST_SHAREDLIBRARY_H
#define HOST_SHAREDLIBRARY_H

#include <string>

namespace standin {

// The library's handle, or null with the loader's reason.
void* OpenSharedLibrary(const std::string& path, std::string& reason);
// The address of an exported symbol, or null.
void* FindLibrarySymbol(void* handle, const char* name);
void CloseSharedLibrary(void* handle);

}  // namespace standin

#endif
