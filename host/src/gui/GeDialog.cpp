// Dialogs: the window's life from Open to Close, and the base answers of the virtual calls.
#include "gui/DialogWindow.h"
#include "gui/GadgetAccess.h"
#include "c4d_debug.h"
#include "c4d_gui.h"
#include "c4d_standin_gui.h"

GeDialog::GeDialog() = default;

GeDialog::~GeDialog() {
  // A dialog that goes while its window is open cannot be called any more: no messages.
  if (_parent) {
    standin::DialogWindow* parentWindow = standin::GadgetAccess::Window(*_parent);
    if (parentWindow)
      for (C4DGadget* area : parentWindow->SubDialogAreas())
        if (area->GetState().subDialog == this)
          standin::GadgetAccess::State(*area).subDialog = nullptr;
    _parent = nullptr;
  }
  standin::EndWindow(*this, FALSE);
}

SubDialog::~SubDialog() = default;

Bool GeDialog::CreateLayout() { return TRUE; }

Bool GeDialog::InitValues() { return TRUE; }

Bool GeDialog::CoreMessage(LONG, const BaseContainer&) { return TRUE; }

Bool GeDialog::Command(LONG, const BaseContainer&) { return TRUE; }

Bool GeDialog::AskClose() { return FALSE; }

void GeDialog::DestroyWindow() {}

LONG GeDialog::Message(const BaseContainer& msg, BaseContainer&) {
  if (msg.GetId() == BFM_CHECKCLOSE) return AskClose() ? 1 : 0;
  return 0;
}

Bool GeDialog::Open(LONG dialogType, LONG pluginId, LONG, LONG, LONG defaultWidth,
                    LONG defaultHeight, LONG subId) {
  if (IsOpen()) return TRUE;
  if (_parent || _window) return FALSE;
  if (dialogType != DLG_TYPE_ASYNC) {
    GeDebugOut("GeDialog::Open: dialog type %d is not supported by the headless host",
               static_cast<int>(dialogType));
    return FALSE;
  }
  _window = std::make_unique<standin::DialogWindow>(*this, nullptr);
  _window->pluginId = pluginId;
  _window->subId = subId;
  _window->minWidth = defaultWidth;
  _window->minHeight = defaultHeight;
  if (!CreateLayout()) {
    standin::EndWindow(*this, TRUE);
    return FALSE;
  }
  _window->MarkOpen();
  InitValues();
  return TRUE;
}

Bool GeDialog::RestoreLayout(LONG pluginId, LONG subId, void* secret) {
  const auto* slot = static_cast<const standin::LayoutSlot*>(secret);
  if (!slot || slot->pluginId != pluginId || slot->subId != subId) return FALSE;
  return Open(DLG_TYPE_ASYNC, pluginId, -1, -1, slot->width, slot->height, subId);
}

Bool GeDialog::Close() {
  if (_parent || !IsOpen()) return FALSE;
  if (CheckClose()) return FALSE;
  standin::EndWindow(*this, TRUE);
  return TRUE;
}

Bool GeDialog::IsOpen() const { return _window && _window->IsOpen(); }

Bool GeDialog::CheckClose() {
  BaseContainer msg(BFM_CHECKCLOSE);
  BaseContainer result;
  return Message(msg, result) != 0;
}

Bool GeDialog::CheckCoreMessage(const BaseContainer&) { return IsOpen(); }

Bool GeDialog::LayoutChanged(const GadgetPtr& id) {
  if (!FindOwnGadget(id.GetId())) return FALSE;
  ++_window->Top().layoutChangedCount;
  return TRUE;
}

Bool GeDialog::AttachSubDialog(SubDialog* sub, LONG id) {
  C4DGadget* area = FindOwnGadget(id);
  if (!sub || !area || area->GetKind() != GADGET_SUBDIALOG) return FALSE;
  // A dialog cannot show itself or one of the dialogs that show it.
  for (const GeDialog* shown = this; shown; shown = shown->_parent)
    if (shown == sub) return FALSE;
  standin::DetachArea(*area, TRUE);
  if (GeDialog* oldParent = sub->_parent; oldParent && oldParent->_window) {
    for (C4DGadget* oldArea : oldParent->_window->SubDialogAreas())
      if (oldArea->GetState().subDialog == sub) standin::DetachArea(*oldArea, TRUE);
  }
  sub->_window = std::make_unique<standin::DialogWindow>(*sub, _window.get());
  sub->_parent = this;
  standin::GadgetAccess::State(*area).subDialog = sub;
  if (!sub->CreateLayout()) {
    standin::DetachArea(*area, TRUE);
    return FALSE;
  }
  sub->_window->MarkOpen();
  sub->InitValues();
  return TRUE;
}

C4DGadget* GeDialog::FindOwnGadget(LONG id) const { return _window ? _window->Find(id) : nullptr; }

const C4DGadget* GeDialog::FindGadget(LONG id) const { return FindOwnGadget(id); }
