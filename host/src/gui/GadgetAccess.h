// The host's write access to gadgets and to a dialog's window, for the stand-in's own code.
#ifndef HOST_GADGETACCESS_H
#define HOST_GADGETACCESS_H

#include <memory>

#include "c4d_gadget.h"
#include "c4d_gui.h"

namespace standin {

struct GadgetAccess {
  static GadgetState& State(C4DGadget& gadget) { return gadget._state; }
  static DialogWindow* Window(const C4DGadget& gadget) { return gadget._window; }
  static void SetWindow(C4DGadget& gadget, DialogWindow* window) { gadget._window = window; }
  static DialogWindow* Window(const GeDialog& dialog) { return dialog._window.get(); }
  static std::unique_ptr<DialogWindow>& WindowSlot(GeDialog& dialog) { return dialog._window; }
  static GeDialog* Parent(const GeDialog& dialog) { return dialog._parent; }
  static void SetParent(GeDialog& dialog, GeDialog* parent) { dialog._parent = parent; }
  static void ClearParent(GeDialog& dialog) { dialog._parent = nullptr; }
};

}  // namespace standin

#endif
