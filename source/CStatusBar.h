// Drives a status-bar gadget of a dialog: a progress display with a percentage and a line of free
// text. One message container keeps every entry once set, so each message carries the latest
// value of all of them. A progress can be cut into equal segments, so that a job of several
// phases reports each phase from 0 to 100 % while the bar runs once from 0 to 100 %.
#ifndef CSTATUSBAR_H
#define CSTATUSBAR_H

#include "c4d.h"

class CStatusBar {
 public:
  // The gadget of dialog that takes the status-bar message; dialog is not owned.
  CStatusBar(GeDialog* dialog, const GadgetPtr& gadget);
  virtual ~CStatusBar();
  CStatusBar(const CStatusBar&) = delete;
  CStatusBar& operator=(const CStatusBar&) = delete;

  // Starts a progress of segmentCount segments; the next set or set-text shows it.
  void StatusBarOpen(int segmentCount);
  // Moves to the next segment, but not beyond the last.
  void StatusBarNextSegment();
  // Shows percent (of the current segment) as the overall percentage, limited to 0..100; sends
  // only when the whole overall percentage changed. Without segments nothing is sent.
  void StatusBarSet(int percent);
  // Shows a free text; always sent.
  void StatusBarSetText(String text);
  // Shows the progress as complete (100 %).
  void StatusBarClose();
  // Switches the progress off and empties both texts.
  void StatusBarClear();

 private:
  void Send();

  GadgetPtr gadget;
  GeDialog* dialog;
  BaseContainer* msg;  // owned; null when it could not be allocated
  int segments = 0;
  int segment = 0;
  int percent = 0;
  int shown_percent = 0;  // -1: nothing sent since the last open, close or clear
};

// The floor of value as an int.
int LFloor(double value);

#endif
