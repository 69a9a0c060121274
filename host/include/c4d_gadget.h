// Gadgets: the elements of a dialog's layout, made by the GeDialog adders or read from a dialog
// resource. The host owns them; they live while their dialog's window is open (or its
// sub-dialog is attached). Their state is readable for the stand-in's tests and host program.
#ifndef C4D_GADGET_H
#define C4D_GADGET_H

#include <vector>

#include "c4d_container.h"
#include "c4d_string.h"
#include "c4d_types.h"

class C4DGadget;
class SubDialog;

namespace standin {
struct GadgetAccess;
class DialogWindow;
}  // namespace standin

// A gadget named by its id, or given directly.
class GadgetPtr {
 public:
  GadgetPtr(LONG id) : _id(id) {}
  // A null gadget gives id 0, which names no gadget.
  GadgetPtr(const C4DGadget* gadget);
  LONG GetId() const { return _id; }

 private:
  LONG _id;
};

enum GADGETKIND {
  GADGET_GROUP,
  GADGET_STATICTEXT,
  GADGET_BUTTON,
  GADGET_EDITNUMBER,  // a number field with arrows
  GADGET_COMBOBOX,
  GADGET_CHECKBOX,   // a check box with its text at the right
  GADGET_SUBDIALOG,  // the area that shows an attached sub-dialog
  GADGET_CUSTOMGUI,
  GADGET_STATUSBAR,  // accepts the status-bar message (BFM_SETSTATUSBAR)
};

// A rectangle in the dialog's pixels, from the last layout.
struct GadgetRect {
  LONG x = 0;
  LONG y = 0;
  LONG width = 0;
  LONG height = 0;
};

struct GadgetState {
  GADGETKIND kind = GADGET_GROUP;
  LONG id = 0;
  LONG flags = 0;  // BFH_ and BFV_ layout flags
  LONG initWidth = 0;
  LONG initHeight = 0;
  String title;  // static text, button, check box, group title
  Bool enabled = TRUE;
  // Number fields, combo boxes and check boxes: the value shown (a LONG or a Real; a check box
  // a Bool), or the ambiguous state of a TriState that merged different values.
  GeData value;
  Bool ambiguous = FALSE;
  Real minValue = 0.0;
  Real maxValue = 0.0;
  Real step = 0.0;
  LONG format = 0;
  // Combo boxes: the entries, value id to text, in the order added.
  BaseContainer children;
  // Groups.
  LONG columns = 0;
  LONG rows = 0;
  LONG groupFlags = 0;
  LONG borderStyle = 0;
  std::vector<C4DGadget*> members;
  // Custom GUIs: the custom GUI id and its settings.
  LONG customGuiId = 0;
  BaseContainer settings;
  // Status bars: every entry received by messages so far (later values replace earlier ones).
  BaseContainer message;
  // Sub-dialog areas: the attached sub-dialog, or null.
  SubDialog* subDialog = nullptr;
  GadgetRect rect;
  LONG redrawCount = 0;
};

class C4DGadget {
 public:
  explicit C4DGadget(GADGETKIND kind, LONG id);
  virtual ~C4DGadget();
  C4DGadget(const C4DGadget&) = delete;
  C4DGadget& operator=(const C4DGadget&) = delete;

  // Asks the host to draw the gadget again.
  void Redraw();

  // Stand-in inspection.
  LONG GetId() const { return _state.id; }
  GADGETKIND GetKind() const { return _state.kind; }
  const GadgetState& GetState() const { return _state; }
  Bool IsEnabled() const { return _state.enabled; }
  Bool IsAmbiguous() const { return _state.ambiguous; }
  // The text a combo box shows for its value; empty when no entry has it.
  String GetChildText() const;

 protected:
  // A custom GUI gadget.
  C4DGadget(LONG id, LONG customGuiId, const BaseContainer& settings);

 private:
  friend struct standin::GadgetAccess;
  GadgetState _state;
  // The window that holds the gadget.
  standin::DialogWindow* _window = nullptr;
};

// The base of the host's custom GUIs (tree view, quick tab).
class BaseCustomGui : public C4DGadget {
 public:
  BaseCustomGui(LONG id, LONG customGuiId, const BaseContainer& settings);
  LONG GetCustomGuiId() const { return GetState().customGuiId; }
};

#endif
