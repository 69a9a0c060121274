// The window of an open dialog (or of an attached sub-dialog): its gadgets, the group being
// built, what the host knows of the window, and its place in the core message delivery.
#ifndef HOST_DIALOGWINDOW_H
#define HOST_DIALOGWINDOW_H

#include <memory>
#include <vector>

#include "c4d_events.h"
#include "c4d_gadget.h"
#include "c4d_gui.h"

namespace standin {

class DialogWindow {
 public:
  // parent: the window of the dialog whose sub-dialog area shows this one, or null.
  DialogWindow(GeDialog& dialog, DialogWindow* parent);
  ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  GeDialog& Dialog() const { return _dialog; }
  DialogWindow& Top();

  // Puts gadget into the group being built; returns it, or null when the build is over.
  C4DGadget* Add(std::unique_ptr<C4DGadget> gadget);
  // Adds group and builds into it until EndGroup.
  Bool BeginGroup(std::unique_ptr<C4DGadget> group);
  Bool EndGroup();
  // The first gadget with id, in adding order, or null.
  C4DGadget* Find(LONG id) const;
  C4DGadget& Root() const { return *_root; }
  // The sub-dialog areas, in adding order.
  std::vector<C4DGadget*> SubDialogAreas() const;

  // Marks the window open: a top-level one then receives core messages.
  void MarkOpen();
  Bool IsOpen() const { return _open && !_closing; }
  // The window is ending: it takes no more core messages and cannot be closed again.
  void MarkClosing();
  Bool IsClosing() const { return _closing; }

  String title;
  LONG pluginId = 0;
  LONG subId = 0;
  LONG minWidth = 0;
  LONG minHeight = 0;
  LONG width = 0;
  LONG height = 0;
  LONG layoutChangedCount = 0;

 private:
  // Delivers core messages to the dialog, then to its attached sub-dialogs.
  class Receiver : public CoreMessageReceiver {
   public:
    explicit Receiver(GeDialog& dialog) : _dialog(dialog) {}
    Bool CoreMessage(LONG id, const BaseContainer& msg) override;

   private:
    GeDialog& _dialog;
  };

  GeDialog& _dialog;
  DialogWindow* _parent;
  std::vector<std::unique_ptr<C4DGadget>> _gadgets;
  C4DGadget* _root = nullptr;
  std::vector<C4DGadget*> _building;
  Bool _open = FALSE;
  Bool _closing = FALSE;
  Receiver _receiver;
};

// Ends the window of dialog: with notify, the dialog gets "dsty" and DestroyWindow, and so do
// its attached sub-dialogs after it; without (a dialog being destroyed), no calls are made.
void EndWindow(GeDialog& dialog, Bool notify);
// Empties a sub-dialog area: its sub-dialog's window ends (with notify, as above).
void DetachArea(C4DGadget& area, Bool notify);
// Delivers a core message to dialog and its attached sub-dialogs, while they stay open.
Bool DeliverCoreMessage(GeDialog& dialog, LONG id, const BaseContainer& msg);

// Open top-level dialogs, in opening order.
void AddOpenDialog(GeDialog& dialog);
void RemoveOpenDialog(GeDialog& dialog);

}  // namespace standin

#endif
