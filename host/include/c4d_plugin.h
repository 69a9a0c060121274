// The plug-in module's side of the host: the module entry, and command plug-ins.
//
// The module entry. The host loads the module (dlopen) and calls its exported c4d_main:
//   1. action C4DPL_INIT_SYS, p1 the plug-in folder (const Filename*), p2 the module file
//      (const Filename*): first initialisation. The answer must be 1; C4DPL_ERROR_VERSION (a
//      host older than the module needs) or anything else makes the host unload the module.
//   2. action C4DPL_MESSAGE with p1 C4DPL_INIT_SYS (the message id, as a pointer-sized
//      integer): the module initialises its resources. An answer other than 1 unloads it.
//   3. action C4DPL_INIT: the module starts and registers its plug-ins; 1 when it did. Any
//      other answer leaves the module loaded but inactive.
//   4. at the end, action C4DPL_END: the module ends; then the host destroys the objects it
//      registered and unloads it.
// Between start and end, action C4DPL_MESSAGE carries other messages (p1 the id, p2 the data);
// the answer is 1 for a message handled, C4DPL_ERROR otherwise.
// A module's own glue implements c4d_main on top of its PluginStart, PluginEnd and
// PluginMessage, declared below.
#ifndef C4D_PLUGIN_H
#define C4D_PLUGIN_H

#include "c4d_basedocument.h"
#include "c4d_bitmap.h"
#include "c4d_string.h"
#include "c4d_types.h"

// Actions of c4d_main; C4DPL_INIT_SYS is also the message id of the resource message.
constexpr LONG C4DPL_INIT_SYS = 1;
constexpr LONG C4DPL_INIT = 2;
constexpr LONG C4DPL_END = 3;
constexpr LONG C4DPL_MESSAGE = 6;

// Error answers of c4d_main.
constexpr LONG C4DPL_ERROR = -10000;
constexpr LONG C4DPL_ERROR_VERSION = -10001;

extern "C" LONG c4d_main(LONG action, void* p1, void* p2, void* p3);

// The module's own entry points, called by its c4d_main.
Bool PluginStart();
void PluginEnd();
Bool PluginMessage(LONG id, void* data);

// GetState: the command can be chosen.
constexpr LONG CMD_ENABLED = 1 << 30;

// A command of the host's menus. The host owns it once registered.
class CommandData {
 public:
  virtual ~CommandData() = default;
  // The user chose the command. The base does nothing and returns FALSE.
  virtual Bool Execute(BaseDocument* doc);
  // The command's menu state (CMD_ENABLED), also with no document. The base answers
  // CMD_ENABLED.
  virtual LONG GetState(BaseDocument* doc);
  // The host rebuilds a saved layout in which the command's dialog was open; secret is the
  // host's pointer for GeDialog::RestoreLayout. The base returns FALSE.
  virtual Bool RestoreLayout(void* secret);
};

// Registers command data under id with its menu name, info flags, icon (the host keeps a copy;
// null for none) and help text. The host owns data from this call on, also when registration
// fails (then it deletes it at once). FALSE for a null data, an id of 0 or less, or an id
// already registered.
Bool RegisterCommandPlugin(LONG id, const String& name, LONG info, BaseBitmap* icon,
                           const String& help, CommandData* data);

#endif
