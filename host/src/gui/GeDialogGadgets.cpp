// The gadget adders of dialogs: groups, texts, buttons, number fields, combo boxes, check boxes,
// sub-dialog areas and custom GUIs.
#include <memory>

#include "gui/DialogWindow.h"
#include "gui/GadgetAccess.h"
#include "c4d_customgui.h"
#include "c4d_gui.h"

namespace {

std::unique_ptr<C4DGadget> MakeGadget(GADGETKIND kind, LONG id, LONG flags, LONG initWidth,
                                      LONG initHeight) {
  auto gadget = std::make_unique<C4DGadget>(kind, id);
  GadgetState& state = standin::GadgetAccess::State(*gadget);
  state.flags = flags;
  state.initWidth = initWidth;
  state.initHeight = initHeight;
  return gadget;
}

// Number fields and combo boxes start at 0 with the whole LONG range.
std::unique_ptr<C4DGadget> MakeNumberGadget(GADGETKIND kind, LONG id, LONG flags, LONG initWidth,
                                            LONG initHeight) {
  auto gadget = MakeGadget(kind, id, flags, initWidth, initHeight);
  GadgetState& state = standin::GadgetAccess::State(*gadget);
  state.value = GeData(static_cast<LONG>(0));
  state.minValue = MINLONGl;
  state.maxValue = MAXLONGl;
  state.step = 1.0;
  state.format = FORMAT_LONG;
  return gadget;
}

std::unique_ptr<C4DGadget> MakeCustomGui(LONG id, LONG pluginId, const BaseContainer& settings) {
  if (pluginId == CUSTOMGUI_TREEVIEW) return std::make_unique<TreeViewCustomGui>(id, settings);
  if (pluginId == CUSTOMGUI_QUICKTAB) return std::make_unique<QuickTabCustomGui>(id, settings);
  return nullptr;
}

}  // namespace

Bool GeDialog::GroupBegin(LONG id, LONG flags, LONG cols, LONG rows, const String& title,
                          LONG groupFlags, LONG initWidth, LONG initHeight) {
  if (!_window) return FALSE;
  auto group = MakeGadget(GADGET_GROUP, id, flags, initWidth, initHeight);
  GadgetState& state = standin::GadgetAccess::State(*group);
  state.columns = cols;
  state.rows = rows;
  state.title = title;
  state.groupFlags = groupFlags;
  return _window->BeginGroup(std::move(group));
}

Bool GeDialog::GroupEnd() { return _window ? _window->EndGroup() : FALSE; }

C4DGadget* GeDialog::AddStaticText(LONG id, LONG flags, LONG initWidth, LONG initHeight,
                                   const String& name, LONG borderStyle) {
  if (!_window) return nullptr;
  auto text = MakeGadget(GADGET_STATICTEXT, id, flags, initWidth, initHeight);
  standin::GadgetAccess::State(*text).title = name;
  standin::GadgetAccess::State(*text).borderStyle = borderStyle;
  return _window->Add(std::move(text));
}

C4DGadget* GeDialog::AddButton(LONG id, LONG flags, LONG initWidth, LONG initHeight,
                               const String& name) {
  if (!_window) return nullptr;
  auto button = MakeGadget(GADGET_BUTTON, id, flags, initWidth, initHeight);
  standin::GadgetAccess::State(*button).title = name;
  return _window->Add(std::move(button));
}

C4DGadget* GeDialog::AddEditNumberArrows(LONG id, LONG flags, LONG initWidth, LONG initHeight) {
  if (!_window) return nullptr;
  return _window->Add(MakeNumberGadget(GADGET_EDITNUMBER, id, flags, initWidth, initHeight));
}

C4DGadget* GeDialog::AddComboBox(LONG id, LONG flags, LONG initWidth, LONG initHeight) {
  if (!_window) return nullptr;
  return _window->Add(MakeNumberGadget(GADGET_COMBOBOX, id, flags, initWidth, initHeight));
}

C4DGadget* GeDialog::AddCheckbox(LONG id, LONG flags, LONG initWidth, LONG initHeight,
                                 const String& name) {
  if (!_window) return nullptr;
  auto checkbox = MakeGadget(GADGET_CHECKBOX, id, flags, initWidth, initHeight);
  standin::GadgetAccess::State(*checkbox).title = name;
  standin::GadgetAccess::State(*checkbox).value = GeData(false);
  return _window->Add(std::move(checkbox));
}

Bool GeDialog::AddChild(const GadgetPtr& id, LONG subId, const String& child) {
  C4DGadget* combo = FindOwnGadget(id.GetId());
  if (!combo || combo->GetKind() != GADGET_COMBOBOX) return FALSE;
  standin::GadgetAccess::State(*combo).children.SetString(subId, child);
  return TRUE;
}

C4DGadget* GeDialog::AddSubDialog(LONG id, LONG flags, LONG initWidth, LONG initHeight) {
  if (!_window) return nullptr;
  return _window->Add(MakeGadget(GADGET_SUBDIALOG, id, flags, initWidth, initHeight));
}

C4DGadget* GeDialog::AddCustomGui(LONG id, LONG pluginId, const String& name, LONG flags,
                                  LONG minWidth, LONG minHeight, const BaseContainer& settings) {
  if (!_window) return nullptr;
  std::unique_ptr<C4DGadget> gui = MakeCustomGui(id, pluginId, settings);
  if (!gui) return nullptr;
  GadgetState& state = standin::GadgetAccess::State(*gui);
  state.title = name;
  state.flags = flags;
  state.initWidth = minWidth;
  state.initHeight = minHeight;
  return _window->Add(std::move(gui));
}

BaseCustomGui* GeDialog::FindCustomGui(LONG id, LONG pluginId) {
  C4DGadget* gadget = FindOwnGadget(id);
  if (!gadget || gadget->GetKind() != GADGET_CUSTOMGUI) return nullptr;
  auto* gui = static_cast<BaseCustomGui*>(gadget);
  return gui->GetCustomGuiId() == pluginId ? gui : nullptr;
}
