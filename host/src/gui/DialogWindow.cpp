// A dialog's window: gadget ownership, the group being built, and the end of the window.
#include "gui/DialogWindow.h"

#include <algorithm>

#include "gui/GadgetAccess.h"
#include "c4d_standin.h"

namespace standin {

DialogWindow::DialogWindow(GeDialog& dialog, DialogWindow* parent)
    : _dialog(dialog), _parent(parent), _receiver(dialog) {
  auto root = std::make_unique<C4DGadget>(GADGET_GROUP, 0);
  GadgetState& state = GadgetAccess::State(*root);
  state.columns = 1;
  state.flags = BFH_SCALEFIT | BFV_SCALEFIT;
  GadgetAccess::SetWindow(*root, this);
  _root = root.get();
  _gadgets.push_back(std::move(root));
  _building.push_back(_root);
}

DialogWindow::~DialogWindow() {
  if (!_parent) {
    UnregisterCoreMessageReceiver(&_receiver);
    RemoveOpenDialog(_dialog);
  }
}

DialogWindow& DialogWindow::Top() { return _parent ? _parent->Top() : *this; }

C4DGadget* DialogWindow::Add(std::unique_ptr<C4DGadget> gadget) {
  if (!gadget || _building.empty()) return nullptr;
  C4DGadget* added = gadget.get();
  GadgetAccess::SetWindow(*added, this);
  GadgetAccess::State(*_building.back()).members.push_back(added);
  _gadgets.push_back(std::move(gadget));
  return added;
}

Bool DialogWindow::BeginGroup(std::unique_ptr<C4DGadget> group) {
  C4DGadget* added = Add(std::move(group));
  if (!added) return FALSE;
  _building.push_back(added);
  return TRUE;
}

Bool DialogWindow::EndGroup() {
  if (_building.size() < 2) return FALSE;
  _building.pop_back();
  return TRUE;
}

C4DGadget* DialogWindow::Find(LONG id) const {
  for (const auto& gadget : _gadgets)
    if (gadget.get() != _root && gadget->GetId() == id) return gadget.get();
  return nullptr;
}

std::vector<C4DGadget*> DialogWindow::SubDialogAreas() const {
  std::vector<C4DGadget*> areas;
  for (const auto& gadget : _gadgets)
    if (gadget->GetKind() == GADGET_SUBDIALOG) areas.push_back(gadget.get());
  return areas;
}

void DialogWindow::MarkOpen() {
  _open = TRUE;
  _building.clear();
  if (_parent) return;
  AddOpenDialog(_dialog);
  RegisterCoreMessageReceiver(&_receiver);
}

void DialogWindow::MarkClosing() {
  _closing = TRUE;
  if (!_parent) UnregisterCoreMessageReceiver(&_receiver);
}

Bool DialogWindow::Receiver::CoreMessage(LONG id, const BaseContainer& msg) {
  return DeliverCoreMessage(_dialog, id, msg);
}

Bool DeliverCoreMessage(GeDialog& dialog, LONG id, const BaseContainer& msg) {
  const Bool answer = dialog.CoreMessage(id, msg);
  DialogWindow* window = GadgetAccess::Window(dialog);
  if (!window || !window->IsOpen()) return answer;
  // A handler may attach other sub-dialogs; each area is read again before it is used.
  const std::vector<C4DGadget*> areas = window->SubDialogAreas();
  for (size_t i = 0; i < areas.size(); ++i) {
    if (GadgetAccess::Window(dialog) != window || !window->IsOpen()) break;
    SubDialog* sub = areas[i]->GetState().subDialog;
    if (sub && sub->IsOpen()) DeliverCoreMessage(*sub, id, msg);
  }
  return answer;
}

void EndWindow(GeDialog& dialog, Bool notify) {
  DialogWindow* window = GadgetAccess::Window(dialog);
  if (!window || window->IsClosing()) return;
  window->MarkClosing();
  if (notify) {
    BaseContainer msg(BFM_DESTROY);
    BaseContainer result;
    dialog.Message(msg, result);
  }
  for (C4DGadget* area : window->SubDialogAreas()) DetachArea(*area, notify);
  if (notify) dialog.DestroyWindow();
  GadgetAccess::WindowSlot(dialog).reset();
}

void DetachArea(C4DGadget& area, Bool notify) {
  GadgetState& state = GadgetAccess::State(area);
  SubDialog* sub = state.subDialog;
  if (!sub) return;
  state.subDialog = nullptr;
  EndWindow(*sub, notify);
  // The sub-dialog no longer belongs to an area.
  GadgetAccess::ClearParent(*sub);
}

}  // namespace standin
