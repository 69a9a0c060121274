// Loading plug-in modules: the entry c4d_main, and its start and end actions.
#include <cstdint>
#include <string>
#include <vector>

#include "system/CommandPlugins.h"
#include "system/SharedLibrary.h"
#include "c4d_debug.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

namespace {

using ModuleEntry = LONG (*)(LONG action, void* p1, void* p2, void* p3);

struct Module {
  void* handle;
  ModuleEntry entry;
};

std::vector<Module>& Modules() {
  static auto* modules = new std::vector<Module>;
  return *modules;
}

void* MessageId(LONG id) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(id)); }

// Opens the module and finds its entry; a null handle when either fails.
Module OpenModule(const std::string& path) {
  std::string reason;
  void* handle = standin::OpenSharedLibrary(path, reason);
  if (!handle) {
    GeDebugOut("%s: %s", path.c_str(), reason.c_str());
    return Module{nullptr, nullptr};
  }
  void* symbol = standin::FindLibrarySymbol(handle, "c4d_main");
  if (!symbol) {
    GeDebugOut("%s: no c4d_main", path.c_str());
    standin::CloseSharedLibrary(handle);
    return Module{nullptr, nullptr};
  }
  return Module{handle, reinterpret_cast<ModuleEntry>(symbol)};
}

}  // namespace

namespace standin {

ModuleLoad LoadPluginModule(const Filename& modulePath, const Filename& pluginFolder) {
  const std::string path = modulePath.GetString().ToUtf8();
  const Module module = OpenModule(path);
  if (!module.handle) return ModuleLoad::NotLoaded;
  Filename folder = pluginFolder.Content() ? pluginFolder : modulePath.GetDirectory();
  Filename file = modulePath;
  SetPluginPath(folder);
  const LONG initAnswer = module.entry(C4DPL_INIT_SYS, &folder, &file, nullptr);
  if (initAnswer != 1) {
    GeDebugOut("%s: refused to initialise (answer %d)", path.c_str(), static_cast<int>(initAnswer));
    CloseSharedLibrary(module.handle);
    return ModuleLoad::Refused;
  }
  const LONG resourceAnswer =
      module.entry(C4DPL_MESSAGE, MessageId(C4DPL_INIT_SYS), nullptr, nullptr);
  if (resourceAnswer != 1) {
    GeDebugOut("%s: resources failed (answer %d)", path.c_str(), static_cast<int>(resourceAnswer));
    module.entry(C4DPL_END, nullptr, nullptr, nullptr);
    CloseSharedLibrary(module.handle);
    return ModuleLoad::Refused;
  }
  Modules().push_back(module);
  return module.entry(C4DPL_INIT, nullptr, nullptr, nullptr) == 1 ? ModuleLoad::Started
                                                                  : ModuleLoad::Inactive;
}

Bool ModuleExports(const Filename& modulePath, const char* symbol) {
  std::string reason;
  void* handle = OpenSharedLibrary(modulePath.GetString().ToUtf8(), reason);
  if (!handle) return FALSE;
  const bool found = FindLibrarySymbol(handle, symbol) != nullptr;
  CloseSharedLibrary(handle);
  return found;
}

Bool SendPluginMessage(LONG id, void* data) {
  Bool all = !Modules().empty();
  for (const Module& module : Modules())
    if (module.entry(C4DPL_MESSAGE, MessageId(id), data, nullptr) != 1) all = FALSE;
  return all;
}

void UnloadPluginModules() {
  CloseAllDialogs();
  std::vector<Module>& modules = Modules();
  for (auto module = modules.rbegin(); module != modules.rend(); ++module)
    module->entry(C4DPL_END, nullptr, nullptr, nullptr);
  // The commands' code lives in the modules: they go before the modules do.
  FreeCommandPlugins();
  for (auto module = modules.rbegin(); module != modules.rend(); ++module)
    CloseSharedLibrary(module->handle);
  modules.clear();
}

}  // namespace standin
