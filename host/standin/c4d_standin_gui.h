// Controls of the headless host's interface, for the host program and tests: the user's actions on
// dialogs and tree views, inspection, PNG snapshots, and the plug-in modules and commands the host
// keeps. Everything here runs on the main thread. Only the program and the tests include it: the
// plug-in's target does not see this folder.
#ifndef C4D_STANDIN_GUI_H
#define C4D_STANDIN_GUI_H

#include <vector>

#include "c4d_bitmap.h"
#include "c4d_container.h"
#include "c4d_customgui.h"
#include "c4d_gui.h"
#include "c4d_plugin.h"
#include "c4d_types.h"
#include "c4d_userarea.h"

namespace standin {

// ---- Dialogs ----

// The host's pointer for GeDialog::RestoreLayout: the slot of a saved layout.
struct LayoutSlot {
  LONG pluginId = 0;
  LONG subId = 0;
  LONG width = 0;
  LONG height = 0;
};

// What the host knows of an open window; all zero or empty for a closed one.
struct DialogInfo {
  String title;
  LONG pluginId = 0;
  LONG subId = 0;
  LONG width = 0;  // the window's size after layout, title bar included
  LONG height = 0;
  LONG layoutChangedCount = 0;
};
DialogInfo GetDialogInfo(GeDialog& dialog);

// Gadget id of dialog or of a sub-dialog attached to it (at any depth), or null.
const C4DGadget* FindGadget(const GeDialog& dialog, LONG id);
// The dialog (dialog itself or an attached sub-dialog) whose gadget id is, or null.
GeDialog* FindGadgetOwner(GeDialog& dialog, LONG id);

// The user's actions. Each finds the gadget in dialog or an attached sub-dialog and calls the
// owner's Command(id, msg) with msg a BFM_ACTION container (BFM_ACTION_ID, BFM_ACTION_VALUE),
// as a press or an edit arrives. They return FALSE, doing nothing, when the gadget is missing,
// disabled or of another kind; otherwise Command's answer.
Bool PressButton(GeDialog& dialog, LONG id);
// A number typed into a number field: clamped into the field's limits; the ambiguous state
// goes.
Bool EditReal(GeDialog& dialog, LONG id, Real value);
// A number field (clamped) or a combo box entry (value must be an entry of the box).
Bool EditLong(GeDialog& dialog, LONG id, LONG value);
// A click on a check box: an unchecked or ambiguous box becomes checked, a checked one
// unchecked.
Bool ClickCheckbox(GeDialog& dialog, LONG id);
// The user confirms a button, number field, combo box or check box without changing it (an
// ambiguous one stays ambiguous).
Bool SendCommand(GeDialog& dialog, LONG id);

// The pointer last set with SetMousePointer (MOUSE_NORMAL at start), and every pointer set
// since the last ClearMousePointerHistory.
LONG GetMousePointer();
std::vector<LONG> GetMousePointerHistory();
void ClearMousePointerHistory();

// Open top-level dialogs, in opening order; the first of plug-in id pluginId, or null.
std::vector<GeDialog*> GetOpenDialogs();
GeDialog* FindOpenDialog(LONG pluginId);
// Closes every open dialog without asking (as the host does when it quits): each gets "dsty".
void CloseAllDialogs();

// ---- Tree views ----
// line: an index into TreeViewCustomGui::GetLines as the tree stands now (the actions lay the
// tree out first, without painting it); col: a column id.

// A left click into a cell, as the host handles it when MouseDown leaves it to the host: in a
// shown, enabled check box it toggles the check (SetCheck); elsewhere it selects the line
// (SELECTION_NEW; with QSHIFT SELECTION_ADD; with QCTRL SELECTION_SUB for a selected line,
// else SELECTION_ADD) and calls SelectionChanged. FALSE for a line that does not exist.
Bool ClickTreeCell(TreeViewCustomGui& tree, LONG line, LONG col, LONG qualifier = 0);
// Select(line, mode) and SelectionChanged, as after a click with that mode.
Bool SelectTreeLine(TreeViewCustomGui& tree, LONG line, LONG mode);
// Sets a check box to checked (SetCheck); FALSE when the cell shows no check box.
Bool CheckTreeCell(TreeViewCustomGui& tree, LONG line, LONG col, Bool checked);
// A click on a line's fold arrow: Open with the opposite of IsOpened; FALSE for a line
// without children.
Bool ToggleTreeLine(TreeViewCustomGui& tree, LONG line);
// DoubleClick's answer; the host itself does nothing more.
Bool DoubleClickTreeCell(TreeViewCustomGui& tree, LONG line, LONG col);
// A right click: the menu CreateContextMenu fills (empty when MouseDown took the click). A
// line outside the tree gives a null object.
BaseContainer OpenTreeContextMenu(TreeViewCustomGui& tree, LONG line, LONG col);
// Opens the menu and picks command: ContextMenuCall's answer; FALSE when the menu lacks it.
Bool ChooseTreeContextMenu(TreeViewCustomGui& tree, LONG line, LONG col, LONG command);
// A key press (BFM_INPUT_KEYBOARD, channel key, qualifier) or any input container, handed to
// InputEvent; its answer. The stand-in has no keyboard handling of its own.
Bool SendTreeKey(TreeViewCustomGui& tree, LONG key, LONG qualifier = 0);
Bool SendTreeInput(TreeViewCustomGui& tree, const BaseContainer& msg);
// The texts drawn into a cell at the last Paint, joined in drawing order.
String GetTreeCellText(const TreeViewCustomGui& tree, LONG line, LONG col);

// ---- Pictures ----

// Draws the record of area into target (whose size is kept; Init it first). FALSE for an
// empty target.
Bool RasterizeUserArea(const GeUserArea& area, BaseBitmap& target);
// Lays out and draws the open window of dialog, with its sub-dialogs and tree views, into
// target (initialised to the window's size). FALSE for a closed dialog.
Bool RenderDialog(GeDialog& dialog, BaseBitmap& target);
// Writes bitmap as an RGBA PNG file (through a temporary file, so a failure leaves no partial
// file). FALSE, with the reason on the debug output, when it cannot.
Bool WritePng(const BaseBitmap& bitmap, const Filename& path);
Bool WriteDialogPng(GeDialog& dialog, const Filename& path);

// ---- Plug-in modules and commands ----

enum class ModuleLoad {
  Started,    // loaded and started (C4DPL_INIT answered 1)
  Inactive,   // loaded, but its start failed; it stays loaded until UnloadPluginModules
  Refused,    // the module refused initialisation or its resources; unloaded again
  NotLoaded,  // no such module, or no c4d_main in it (reason on the debug output)
};
// Loads the module and runs its start: C4DPL_INIT_SYS, the C4DPL_INIT_SYS message, C4DPL_INIT.
// The plug-in folder (GeGetPluginPath) becomes pluginFolder, or the module's own folder when
// pluginFolder is empty.
ModuleLoad LoadPluginModule(const Filename& modulePath, const Filename& pluginFolder = Filename());
// TRUE when the module at modulePath loads and exports symbol (a linker name), without starting
// the module.
Bool ModuleExports(const Filename& modulePath, const char* symbol);
// Sends message id with data to every loaded module; TRUE when there is one and all answer 1.
Bool SendPluginMessage(LONG id, void* data);
// The host's end: closes every dialog (CloseAllDialogs), sends C4DPL_END to every module (last
// loaded first), destroys every registered command, and unloads the modules.
void UnloadPluginModules();

struct CommandPluginInfo {
  LONG id = 0;
  String name;
  LONG info = 0;
  String help;
  const BaseBitmap* icon = nullptr;  // the host's copy, or null
  CommandData* data = nullptr;
};
// The command registered under id, or null; valid until UnloadPluginModules.
const CommandPluginInfo* FindCommandPlugin(LONG id);
// The user picks the command: Execute with the active document. FALSE for an unknown id.
Bool ExecuteCommand(LONG id);
// GetState with the active document; 0 for an unknown id.
LONG GetCommandState(LONG id);
// The host restores a layout in which the command's dialog was open (a LayoutSlot with
// these values): RestoreLayout's answer; FALSE for an unknown id.
Bool RestoreCommandLayout(LONG id, LONG subId, LONG width, LONG height);

}  // namespace standin

#endif
