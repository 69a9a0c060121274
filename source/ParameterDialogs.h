// The three sub-dialogs of the main dialog's parameter area: MySubDialog0 (nothing gathered, an
// empty group), MySubDialog1 (value tracks: precision, method, quality and hold of all selected
// tracks edited together) and MySubDialog2 (data tracks: nothing to edit).
#ifndef PARAMETERDIALOGS_H
#define PARAMETERDIALOGS_H

#include "CCurveList.h"
#include "ThinfoldIds.h"
#include "c4d.h"

class MySubDialog0 : public SubDialog {
 public:
  ~MySubDialog0() override = default;
  Bool CreateLayout() override;
  Bool InitValues() override;
};

// Shows the settings of every selected track at once; a setting on which they disagree shows
// the ambiguous state. A changed setting is written to every selected track, in its node's copy
// and in the track's settings, and the core event (MSG_TREE, TREE_SETTINGS_CHANGED) is posted.
class MySubDialog1 : public SubDialog {
 public:
  // curveList is the main dialog's; not owned.
  explicit MySubDialog1(CCurveList* curveList);
  ~MySubDialog1() override = default;
  // FALSE, with nothing added, when the host gives no quick-tab gadget.
  Bool CreateLayout() override;
  // FALSE when nothing is selected (the fields then show the defaults).
  Bool InitValues() override;
  // FALSE when a selected track's settings cannot be had: the nodes before it keep the new
  // value, and the fields are not refreshed.
  Bool Command(LONG id, const BaseContainer& msg) override;

 private:
  TreeListData* Selection() const;
  Bool StoreSetting(LONG gadgetId, const GeData& value);

  CCurveList* curve_list;
};

class MySubDialog2 : public SubDialog {
 public:
  explicit MySubDialog2(CCurveList* curveList);
  ~MySubDialog2() override = default;
  Bool CreateLayout() override;
  Bool InitValues() override;
  Bool Command(LONG id, const BaseContainer& msg) override;

 private:
  // The main dialog's list, given as to MySubDialog1; data tracks show no settings.
  [[maybe_unused]] CCurveList* curve_list;
};

#endif
