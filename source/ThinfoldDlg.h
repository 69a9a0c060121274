// The plug-in's command and its one window. ThinfoldDialog gathers the animation tracks of the
// active document into its curve list, shows them in the track tree, the settings of the
// selected tracks in a parameter sub-dialog and the state of the work in a status bar, and
// starts, stops and ends reduction runs. During a run it only reacts to the core messages that
// the run's threads post; everything here runs on the host's main thread.
#ifndef THINFOLDDLG_H
#define THINFOLDDLG_H

#include "CBakeControlThread.h"
#include "CCurveList.h"
#include "CStatusBar.h"
#include "ParameterDialogs.h"
#include "ThinfoldIds.h"
#include "c4d.h"

class ThinfoldDialog : public GeDialog {
 public:
  // Makes the curve list, the three sub-dialogs and the status bar; a failed allocation leaves
  // its member null and the dialog unusable.
  ThinfoldDialog();
  // Ends a run that is still going on before the curve list goes.
  ~ThinfoldDialog() override;

  // FALSE when the dialog resource or the tree gadget is missing.
  Bool CreateLayout() override;
  Bool InitValues() override;
  Bool CoreMessage(LONG id, const BaseContainer& msg) override;
  Bool Command(LONG id, const BaseContainer& msg) override;
  // "dsty" ends a run, writes the settings back and frees the tracks; "chkc" refuses to close
  // while a run is going on.
  LONG Message(const BaseContainer& msg, BaseContainer& result) override;

  // Tells the control thread to stop; with wait 1 waits for it and deletes it.
  void EndThread(int wait);
  // Shows text in the title gadget.
  void SetMainBarTitle(const String& text);
  // Shows the selection's title and attaches the sub-dialog that fits the first selected track.
  void SetParmsSubDialog();
  // Shows the progress of a run of total items with remaining items unfinished, as the
  // percentage done and "done/total".
  void StatusBarSetFormated(int remaining, int total);

 private:
  void Gather(int selectedOnly);
  void SelectFirstNode();
  void StartRun();
  void RunNotStarted();
  void Restore();
  void Stop();
  void EndOfRun(VULONG outcome);
  void HandleTreeEvent(VULONG event);
  void EnableRunButtons(Bool enabled);
  void ShowStatusText(LONG stringId);
  Bool SwitchSubDialog(SubDialog* target);
  SubDialog* SubDialogForSelection();
  void RedrawTree();

  MySubDialog0* subdialog0 = nullptr;
  MySubDialog1* subdialog1 = nullptr;
  MySubDialog2* subdialog2 = nullptr;
  SubDialog* current_subdialog = nullptr;
  TreeViewCustomGui* treeview = nullptr;
  CStatusBar* statusbar = nullptr;
  CCurveList* curve_list = nullptr;
  CBakeControlThread* thread = nullptr;
};

// The command: opens the dialog, and restores it in a saved layout.
class Thinfold : public CommandData {
 public:
  ~Thinfold() override = default;
  Bool Execute(BaseDocument* doc) override;
  // Always enabled, whatever the document holds.
  LONG GetState(BaseDocument* doc) override;
  Bool RestoreLayout(void* secret) override;

 private:
  ThinfoldDialog dialog;
};

#endif
