// GeDialog::LoadDialogResource: builds the gadgets of a dialog resource into a dialog.
#include <memory>

#include "gui/DialogResource.h"
#include "gui/DialogWindow.h"
#include "gui/GadgetAccess.h"
#include "c4d_general.h"
#include "c4d_gui.h"

namespace {

std::string ResourcePath(LONG id) {
  const Filename path = GeGetPluginPath() + Filename("res") + Filename("dialogs") +
                        Filename(String(std::to_string(id) + ".res"));
  return path.GetString().ToUtf8();
}

C4DGadget* AddStatusBar(standin::DialogWindow& window, const standin::ResourceStatement& s) {
  auto bar = std::make_unique<C4DGadget>(GADGET_STATUSBAR, s.id);
  GadgetState& state = standin::GadgetAccess::State(*bar);
  state.flags = s.Number("flags");
  state.initWidth = s.Number("w");
  state.initHeight = s.Number("h");
  return window.Add(std::move(bar));
}

}  // namespace

Bool GeDialog::LoadDialogResource(LONG id, GeResource*, LONG) {
  if (!_window) return FALSE;
  std::optional<standin::DialogResource> resource =
      standin::ReadDialogResource(ResourcePath(id), id);
  if (!resource) return FALSE;
  _window->title = resource->title;
  LONG lastCombo = 0;
  for (const standin::ResourceStatement& s : resource->statements) {
    const std::string& k = s.keyword;
    const LONG flags = s.Number("flags");
    const LONG w = s.Number("w");
    const LONG h = s.Number("h");
    if (k == "GROUP") {
      GroupBegin(s.id, flags, s.Number("cols"), s.Number("rows"), s.Text("title"),
                 s.Number("groupflags"), w, h);
    } else if (k == "END") {
      GroupEnd();
    } else if (k == "STATICTEXT") {
      AddStaticText(s.id, flags, w, h, s.Text("text"), s.Number("border"));
    } else if (k == "BUTTON") {
      AddButton(s.id, flags, w, h, s.Text("text"));
    } else if (k == "EDITNUMBER") {
      AddEditNumberArrows(s.id, flags, w, h);
    } else if (k == "COMBOBOX") {
      AddComboBox(s.id, flags, w, h);
      lastCombo = s.id;
    } else if (k == "CHILD") {
      AddChild(lastCombo, s.id, s.Text("text"));
    } else if (k == "SUBDIALOG") {
      AddSubDialog(s.id, flags, w, h);
    } else if (k == "CUSTOMGUI") {
      AddCustomGui(s.id, s.Number("type"), String(), flags, w, h, BaseContainer());
    } else if (k == "STATUSBAR") {
      AddStatusBar(*_window, s);
    }
  }
  return TRUE;
}
