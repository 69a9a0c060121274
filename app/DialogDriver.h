// The user's hands on the Thinfold dialog: buttons, number fields, combo boxes, check boxes and
// the track tree, driven through the host's own handling of each action, and the core messages that
// the actions and the plug-in's threads post, delivered as the host's main loop delivers them.
#ifndef THINFOLD_DIALOG_DRIVER_H
#define THINFOLD_DIALOG_DRIVER_H

#include <functional>
#include <memory>
#include <string>

#include "Status.h"
#include "c4d.h"

// What the status bar gadget shows.
struct StatusBarView {
  bool progressOn = false;
  double fraction = 0.0;     // of the progress bar, 0 to 1
  std::string progressText;  // on the bar ("37%")
  std::string text;          // beside it (the run's "done/all", or a status text)
};

enum class RunEnd {
  kDone,        // the run ended by itself
  kStopped,     // the run ended after a stop
  kNotStarted,  // no end message came: the dialog could not start the run
};

class DialogDriver {
 public:
  explicit DialogDriver(GeDialog& dialog);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  GeDialog& Dialog() const { return _dialog; }
  bool IsOpen() const { return _dialog.IsOpen(); }
  // Every action delivers the core messages it caused before it returns. A refused action's
  // error says why, worded to follow the gadget's name: its RefusalReason, or "refused it" when
  // the gadget has none (an edit whose value the gadget refuses).
  Status Press(LONG id);
  Status EditReal(LONG id, Real value);
  Status EditLong(LONG id, LONG value);
  // Clicks the check box until it shows checked (or not): no click when it already does, two
  // when it shows the ambiguous state and unchecked is wanted (a click checks an ambiguous box).
  // Refused also for a gadget that is no check box, and when a click is refused.
  Status SetCheck(LONG id, bool checked);
  // Whether the gadget (of the dialog or its sub-dialog) exists and is enabled.
  bool IsEnabled(LONG id) const;
  // Why an action on the gadget may be refused: "is not shown", "is disabled", or for a combo
  // box the entries it offers ("offers 0 (Normal), 2 (High) only"); empty otherwise.
  std::string RefusalReason(LONG id) const;
  // The tree gadget, or null when the dialog shows none.
  TreeViewCustomGui* Tree() const;
  // Draws the tree as the host shows it and returns its number of lines (0 without a tree).
  LONG PaintTree() const;
  // The text of a cell at the last paint (line -1: the header).
  std::string CellText(LONG line, LONG column) const;
  StatusBarView StatusBar() const;

  // Presses start; from now on RunGoing is true until the run's end. Refused as Press is.
  Status StartRun();
  // True while the start button stays disabled, which the dialog does for a run.
  bool RunGoing() const;
  // Delivers core messages until the run is over. About every 100 ms it calls everyTick, and
  // presses stop once when stopWanted says so.
  void WaitForRunEnd(const std::function<void()>& everyTick,
                     const std::function<bool()>& stopWanted);
  // How the last run started with StartRun ended.
  RunEnd LastRunEnd() const;
  // Closes the window as its close button does; refused ("refuses to close while a run is
  // going") when the dialog refuses, which it does while a run goes.
  Status Close();

 private:
  class RunWatcher;
  // The error of a refused action on the gadget.
  Status Refused(LONG id) const;

  GeDialog& _dialog;
  std::unique_ptr<RunWatcher> _watcher;
  long _endsBeforeRun = 0;
};

#endif
