// A tiny plug-in module for the host's module loader tests: it reports every call of its entry
// on the console and registers one command with an icon.
#include <cstdint>

#include "c4d.h"

namespace {

constexpr LONG kCommandId = 1099001;

class TestCommand : public CommandData {
 public:
  ~TestCommand() override { GePrint(String("module: command destroyed")); }
  Bool Execute(BaseDocument*) override {
    GePrint(String("module: execute"));
    return TRUE;
  }
  Bool RestoreLayout(void* secret) override { return secret != nullptr; }
};

}  // namespace

Bool PluginStart() {
  GePrint(String("module: start"));
  BaseBitmap* icon = BaseBitmap::Alloc();
  if (!icon || icon->Init(4, 4) != IMAGERESULT_OK) return FALSE;
  icon->SetPixel(1, 2, 10, 20, 30, 255);
  const Bool registered = RegisterCommandPlugin(kCommandId, String("#$1 Test command"), 0, icon,
                                                String("Help text"), gNew TestCommand);
  BaseBitmap::Free(icon);
  return registered;
}

void PluginEnd() { GePrint(String("module: end")); }

Bool PluginMessage(LONG id, void*) {
  GePrint(String("module: message ") + LongToString(id));
  if (id == C4DPL_INIT_SYS) return resource.Init();
  return id == 0;
}

extern "C" LONG c4d_main(LONG action, void* p1, void* p2, void*) {
  switch (action) {
    case C4DPL_INIT_SYS: {
      const auto* folder = static_cast<const Filename*>(p1);
      const Bool known = folder && p2 && *folder == GeGetPluginPath();
      GePrint(String("module: init ") + String(known ? "folder" : "no folder"));
      return GetC4DVersion() < 12000 ? C4DPL_ERROR_VERSION : 1;
    }
    case C4DPL_INIT:
      return PluginStart() ? 1 : 0;
    case C4DPL_END:
      PluginEnd();
      return 1;
    case C4DPL_MESSAGE:
      return PluginMessage(static_cast<LONG>(reinterpret_cast<std::intptr_t>(p1)), p2)
                 ? 1
                 : C4DPL_ERROR;
    default:
      return C4DPL_ERROR;
  }
}
