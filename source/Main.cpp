#include "Main.h"

#include <cstdint>

#include "CIconPicker.h"
#include "ThinfoldDlg.h"

namespace {

constexpr const char* kRequiredHostText = "12.0";
// A message box with only an OK button.
constexpr LONG kMessageBoxOk = 0;

// Messages the plug-in answers besides the resource message.
constexpr LONG kMessagesAnswered[] = {0, 3, 1001, 1001084};

// The plug-in folder the host named at first initialisation; empty until then.
Filename& ModuleFolder() {
  static Filename folder;
  return folder;
}

Bool InitResources() {
  const Filename& folder = ModuleFolder();
  return folder.Content() ? resource.Init(folder) : resource.Init();
}

LONG MessageIdOf(void* p1) { return static_cast<LONG>(reinterpret_cast<std::intptr_t>(p1)); }

}  // namespace

Bool PluginStart() {
  if (GetC4DVersion() < THINFOLD_REQUIRED_HOST_VERSION) {
    GeOutString(GeLoadString(IDS_HOST_TOO_OLD, String(kRequiredHostText)), kMessageBoxOk);
    return FALSE;
  }
  return RegisterThinfoldDialog();
}

// The host destroys the command, and with it the dialog, by itself.
void PluginEnd() {}

Bool PluginMessage(LONG id, void*) {
  if (id == C4DPL_INIT_SYS) return InitResources();
  for (LONG answered : kMessagesAnswered)
    if (id == answered) return TRUE;
  return FALSE;
}

Bool RegisterThinfoldDialog() {
  const String name = String("#$1 ") + GeLoadString(IDS_COMMAND_NAME);
  const String help = GeLoadString(IDS_COMMAND_HELP);
  BaseBitmap* icon = GetGlobalIcon(GLOBALICON_THINFOLD);
  // The host owns the command from here on, also when the registration fails.
  const Bool registered = RegisterCommandPlugin(ID_THINFOLD, name, 0, icon, help, gNew Thinfold);
  BaseBitmap::Free(icon);
  GePrint(String(registered ? "Loaded Thinfold R" : "Error loading Thinfold R") +
          String(THINFOLD_VERSION_TEXT));
  return registered;
}

// The host version is checked by PluginStart, after the resources are loaded, so that an older
// host can show the message why the plug-in stays inactive.
extern "C" LONG c4d_main(LONG action, void* p1, void* p2, void*) {
  switch (action) {
    case C4DPL_INIT_SYS:
      ModuleFolder() = p1 ? *static_cast<const Filename*>(p1) : Filename();
      return 1;
    case C4DPL_INIT:
      return PluginStart() ? 1 : 0;
    case C4DPL_END:
      PluginEnd();
      ModuleFolder() = Filename();
      return 1;
    case C4DPL_MESSAGE:
      return PluginMessage(MessageIdOf(p1), p2) ? 1 : C4DPL_ERROR;
    default:
      return C4DPL_ERROR;
  }
}
