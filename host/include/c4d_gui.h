// Dialogs of the host's interface. The host calls a dialog's virtual operations on the main
// thread: CreateLayout and InitValues when its window opens (or, for a sub-dialog, when it is
// attached), Command when the user presses or edits a gadget, Message for window messages
// ("dsty" when the window goes, "chkc" to ask whether it may close) and CoreMessage for every
// core message while it is open. The headless host keeps the window as inspectable state.
#ifndef C4D_GUI_H
#define C4D_GUI_H

#include <memory>
#include <type_traits>

#include "c4d_container.h"
#include "c4d_events.h"
#include "c4d_gadget.h"
#include "c4d_general.h"
#include "c4d_string.h"
#include "c4d_types.h"
#include "c4d_userarea.h"

class BaseCustomGui;
class GeDialog;

namespace standin {
class DialogWindow;
}

// Layout flags of gadgets and groups: horizontal placement in the cell, whether the column
// takes extra width (SCALE), and the same vertically.
constexpr LONG BFH_CENTER = 0;
constexpr LONG BFH_LEFT = 8;
constexpr LONG BFH_RIGHT = 16;
constexpr LONG BFH_FIT = 24;
constexpr LONG BFH_SCALE = 32;
constexpr LONG BFH_SCALEFIT = 56;
constexpr LONG BFH_MASK = 56;
constexpr LONG BFV_CENTER = 0;
constexpr LONG BFV_TOP = 1;
constexpr LONG BFV_BOTTOM = 2;
constexpr LONG BFV_FIT = 3;
constexpr LONG BFV_SCALE = 4;
constexpr LONG BFV_SCALEFIT = 7;
constexpr LONG BFV_MASK = 7;

constexpr LONG BORDER_NONE = 0;

// Dialog types of GeDialog::Open; the headless host opens only non-modal dialogs.
constexpr LONG DLG_TYPE_ASYNC = 20;

// Number formats of SetReal.
constexpr LONG FORMAT_REAL = FourCharId('f', 'r', 'e', 'a');
constexpr LONG FORMAT_LONG = FourCharId('f', 'l', 'n', 'g');

// The whole range of LONG values that a number gadget accepts, and of reals.
constexpr LONG MINLONGl = -2147483647;
constexpr LONG MAXLONGl = 2147483647;
constexpr Real MAXREALr = 1.0e308;
constexpr Real MINREALr = -1.0e308;

// Window messages (ids of the message container).
constexpr LONG BFM_DESTROY = FourCharId('d', 's', 't', 'y');     // the window is going away
constexpr LONG BFM_CHECKCLOSE = FourCharId('c', 'h', 'k', 'c');  // answer non-zero to stay open
// A user action on a gadget: the container that Command receives.
constexpr LONG BFM_ACTION = FourCharId('a', 'c', 't', 'n');
constexpr LONG BFM_ACTION_ID = FourCharId('a', 'c', 'i', 'd');
constexpr LONG BFM_ACTION_VALUE = FourCharId('a', 'c', 'v', '1');
// The status-bar message (SendMessage to a status bar gadget) and its entries.
constexpr LONG BFM_SETSTATUSBAR = FourCharId('s', 't', 'a', 't');
constexpr LONG BFM_STATUSBAR_PROGRESSON = 1;    // Bool: show the progress bar
constexpr LONG BFM_STATUSBAR_PROGRESSTXT = 2;   // String: text on the progress bar
constexpr LONG BFM_STATUSBAR_PROGRESS = 3;      // Real: the filled fraction, 0 to 1
constexpr LONG BFM_STATUSBAR_TXT = 5;           // String: the free text
constexpr LONG BFM_STATUSBAR_PROGRESSSPIN = 6;  // Bool: an endless progress instead of a bar

// The id of the change core message (EventAdd), for CheckCoreMessage.
constexpr LONG EVMSG_CHANGE = 604;

// Input messages (the container of a user area's input event): the device, the key or button
// (channel) and the qualifier keys held.
constexpr LONG BFM_INPUT = FourCharId('i', 'n', 'p', 't');
constexpr LONG BFM_INPUT_DEVICE = FourCharId('i', 'p', 'd', 'v');
constexpr LONG BFM_INPUT_CHANNEL = FourCharId('i', 'p', 'c', 'a');
constexpr LONG BFM_INPUT_QUALIFIER = FourCharId('i', 'p', 'q', 'a');
constexpr LONG BFM_INPUT_KEYBOARD = FourCharId('k', 'e', 'y', 'b');
constexpr LONG BFM_INPUT_MOUSE = FourCharId('m', 'o', 'u', 's');
constexpr LONG BFM_INPUT_MOUSELEFT = 1;
constexpr LONG BFM_INPUT_MOUSERIGHT = 2;
constexpr LONG KEY_ENTER = 61709;
constexpr LONG KEY_UP = 61824;
constexpr LONG KEY_DOWN = 61825;
constexpr LONG QSHIFT = 1;
constexpr LONG QCTRL = 2;
constexpr LONG QALT = 4;

// Where and how the mouse was pressed, in the user area's pixels.
struct MouseInfo {
  LONG x = 0;
  LONG y = 0;
  LONG qualifier = 0;
};

// Mouse pointers of SetMousePointer.
constexpr LONG MOUSE_NORMAL = 2;
constexpr LONG MOUSE_BUSY = 3;

// Sets the host's mouse pointer (standin::GetMousePointer reads it back).
void SetMousePointer(LONG pointer);

// Merges the values of several objects for one gadget: empty, one value, or ambiguous when
// different values were added.
template <class T>
class TriState {
 public:
  void Add(const T& value);
  Bool IsEmpty() const { return _empty; }
  // TRUE when different values were added.
  Bool GetTri() const { return _tri; }
  T GetValue() const { return _value; }
  // TRUE after Check took a new value.
  Bool HasChanged() const { return _changed; }
  // When commandId is gadgetId, takes the gadget's value, unless the gadget still shows the
  // ambiguous state (the user left it unchanged).
  void Check(GeDialog* dialog, const BaseContainer& msg, LONG commandId, LONG gadgetId);

 private:
  T _value{};
  Bool _empty = TRUE;
  Bool _tri = FALSE;
  Bool _changed = FALSE;
};

class GeDialog {
 public:
  GeDialog();
  virtual ~GeDialog();
  GeDialog(const GeDialog&) = delete;
  GeDialog& operator=(const GeDialog&) = delete;

  // Builds the gadgets; FALSE keeps the window from opening. The base returns TRUE.
  virtual Bool CreateLayout();
  // Fills the gadgets with values after CreateLayout. The base returns TRUE.
  virtual Bool InitValues();
  // A core message on the main thread; msg's id is the message id. The base returns TRUE.
  virtual Bool CoreMessage(LONG id, const BaseContainer& msg);
  // A user action on gadget id (msg: BFM_ACTION). The base returns TRUE.
  virtual Bool Command(LONG id, const BaseContainer& msg);
  // Asked through the "chkc" message: TRUE keeps the window open. The base returns FALSE.
  virtual Bool AskClose();
  // Called after the "dsty" message, when the window has gone.
  virtual void DestroyWindow();
  // Window messages. The base answers "chkc" with AskClose and everything else with 0.
  virtual LONG Message(const BaseContainer& msg, BaseContainer& result);

  // Opens the window: CreateLayout, then InitValues. Only DLG_TYPE_ASYNC is supported; the
  // position is the host's choice; width and height are the smallest size of the window. TRUE
  // when the window is open afterwards (also when it already was).
  Bool Open(LONG dialogType, LONG pluginId, LONG xpos = -1, LONG ypos = -1, LONG defaultWidth = 0,
            LONG defaultHeight = 0, LONG subId = 0);
  // Opens the window as the host's saved layout describes it (secret: the host's pointer,
  // which must be a slot of this plug-in id and sub-id). FALSE for a null or foreign slot.
  Bool RestoreLayout(LONG pluginId, LONG subId, void* secret);
  // Closes the window as the user's close button does: FALSE when "chkc" refuses.
  Bool Close();
  // TRUE while the window is open (a sub-dialog: while it is attached to an open window).
  Bool IsOpen() const;

  // Adds the gadgets of dialog resource id from the plug-in's res/dialogs/<id>.res (see
  // DialogResource.h of the stand-in for the format) at the current place; the window takes the
  // resource's title. FALSE, adding nothing, when the file is missing or malformed (the reason
  // goes to the debug output). lr and flags are the host's; the stand-in has one resource.
  Bool LoadDialogResource(LONG id, GeResource* lr, LONG flags);

  // Gadget adders: they need an open window (during CreateLayout) and return null or FALSE
  // without one. cols 0 with rows > 0 lays the members out in that many rows.
  Bool GroupBegin(LONG id, LONG flags, LONG cols, LONG rows, const String& title, LONG groupFlags,
                  LONG initWidth = 0, LONG initHeight = 0);
  // FALSE when no group is open.
  Bool GroupEnd();
  C4DGadget* AddStaticText(LONG id, LONG flags, LONG initWidth, LONG initHeight, const String& name,
                           LONG borderStyle);
  C4DGadget* AddButton(LONG id, LONG flags, LONG initWidth, LONG initHeight, const String& name);
  C4DGadget* AddEditNumberArrows(LONG id, LONG flags, LONG initWidth = 80, LONG initHeight = 0);
  C4DGadget* AddComboBox(LONG id, LONG flags, LONG initWidth = 80, LONG initHeight = 0);
  // A check box, unchecked, with name as its text.
  C4DGadget* AddCheckbox(LONG id, LONG flags, LONG initWidth, LONG initHeight, const String& name);
  // Adds an entry (value subId, text child) to a combo box; FALSE for another gadget.
  Bool AddChild(const GadgetPtr& id, LONG subId, const String& child);
  C4DGadget* AddSubDialog(LONG id, LONG flags, LONG initWidth = 0, LONG initHeight = 0);
  // Adds the custom GUI pluginId (CUSTOMGUI_TREEVIEW, CUSTOMGUI_QUICKTAB); null for any other.
  C4DGadget* AddCustomGui(LONG id, LONG pluginId, const String& name, LONG flags, LONG minWidth,
                          LONG minHeight, const BaseContainer& settings);

  // Shows sub in the sub-dialog area id: the area's previous sub-dialog gets "dsty" and goes;
  // sub gets CreateLayout and InitValues. FALSE for a null sub, a missing area or a failed
  // CreateLayout (the area is then empty).
  Bool AttachSubDialog(SubDialog* sub, LONG id);
  // Lays out the window again after gadget id changed; FALSE when there is no such gadget.
  Bool LayoutChanged(const GadgetPtr& id);
  // Sends "chkc": TRUE when the dialog refuses to close.
  Bool CheckClose();
  // Whether the dialog should act on a change message now: TRUE while the window is open.
  Bool CheckCoreMessage(const BaseContainer& msg);
  // The custom GUI gadget id of type pluginId, or null.
  BaseCustomGui* FindCustomGui(LONG id, LONG pluginId);

  Bool Enable(const GadgetPtr& id, Bool enabled);
  Bool IsEnabled(const GadgetPtr& id) const;
  // Shows a value in a number field or combo box, with its limits for the user's edits.
  Bool SetReal(const GadgetPtr& id, Real value, Real min = MINREALr, Real max = MAXREALr,
               Real step = 1.0, LONG format = FORMAT_REAL);
  Bool SetLong(const GadgetPtr& id, LONG value, LONG min = MINLONGl, LONG max = MAXLONGl,
               LONG step = 1);
  // The same with merged values: an ambiguous TriState shows the ambiguous state.
  Bool SetReal(const GadgetPtr& id, const TriState<Real>& tri, Real min = MINREALr,
               Real max = MAXREALr, Real step = 1.0, LONG format = FORMAT_REAL);
  Bool SetLong(const GadgetPtr& id, const TriState<LONG>& tri, LONG min = MINLONGl,
               LONG max = MAXLONGl, LONG step = 1);
  // The value a number field or combo box shows; FALSE for another gadget.
  Bool GetReal(const GadgetPtr& id, Real& value) const;
  Bool GetLong(const GadgetPtr& id, LONG& value) const;
  // Shows a check box checked or not; with merged values, an ambiguous TriState shows the
  // ambiguous state. FALSE for another gadget.
  Bool SetBool(const GadgetPtr& id, Bool value);
  Bool SetBool(const GadgetPtr& id, const TriState<Bool>& tri);
  // Whether a check box is checked; FALSE for another gadget.
  Bool GetBool(const GadgetPtr& id, Bool& value) const;
  // Sends msg to a gadget; the answer of the gadget (a status bar accepts BFM_SETSTATUSBAR and
  // answers TRUE), FALSE for gadgets that take no messages.
  Bool SendMessage(const GadgetPtr& id, const BaseContainer& msg);

  // Stand-in: this dialog's gadget id (not those of attached sub-dialogs), or null.
  const C4DGadget* FindGadget(LONG id) const;

 private:
  friend class SubDialog;
  friend class standin::DialogWindow;
  friend struct standin::GadgetAccess;

  C4DGadget* FindOwnGadget(LONG id) const;
  Bool SetNumber(const GadgetPtr& id, const GeData& value, Bool ambiguous, Real min, Real max,
                 Real step, LONG format);

  std::unique_ptr<standin::DialogWindow> _window;
  // A sub-dialog: the dialog whose area shows it.
  GeDialog* _parent = nullptr;
};

// A dialog shown in a sub-dialog area of another dialog (AttachSubDialog).
class SubDialog : public GeDialog {
 public:
  SubDialog() = default;
  // A sub-dialog destroyed while attached leaves its area empty.
  ~SubDialog() override;
};

template <class T>
void TriState<T>::Add(const T& value) {
  if (_empty) {
    _value = value;
    _empty = FALSE;
  } else if (value != _value) {
    _tri = TRUE;
  }
}

template <class T>
void TriState<T>::Check(GeDialog* dialog, const BaseContainer&, LONG commandId, LONG gadgetId) {
  if (!dialog || commandId != gadgetId) return;
  const C4DGadget* gadget = dialog->FindGadget(gadgetId);
  if (!gadget || gadget->IsAmbiguous()) return;
  if constexpr (std::is_floating_point_v<T>) {
    Real value = 0.0;
    if (!dialog->GetReal(gadgetId, value)) return;
    _value = static_cast<T>(value);
  } else if (gadget->GetKind() == GADGET_CHECKBOX) {
    Bool value = FALSE;
    if (!dialog->GetBool(gadgetId, value)) return;
    _value = static_cast<T>(value);
  } else {
    LONG value = 0;
    if (!dialog->GetLong(gadgetId, value)) return;
    _value = static_cast<T>(value);
  }
  _empty = FALSE;
  _tri = FALSE;
  _changed = TRUE;
}

#endif
