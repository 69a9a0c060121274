// What the host program knows of the Thinfold plug-in from the outside, under the program's own
// names: its command id, the gadgets of its dialog resource, its core messages, the settings
// sub-container of a track, the ids of the status texts in its string table and its worker
// limit. The values come from the plug-in's ids header, where each is written once.
#ifndef THINFOLD_PLUGIN_IDS_H
#define THINFOLD_PLUGIN_IDS_H

#include "ThinfoldIds.h"
#include "c4d.h"

namespace plugin_ids {

constexpr LONG kCommand = ID_THINFOLD;
// Core messages: id kCommand, first parameter kRunOver when a run has ended.
constexpr VULONG kRunOver = MSG_RUN_OVER;
constexpr int kMaxWorkers = BAKE_MAX_WORKERS;

// Gadgets of the main dialog and of its parameter sub-dialog.
constexpr LONG kTree = IDC_TREE;
constexpr LONG kGatherAll = IDC_GATHER_ALL;
constexpr LONG kGatherSelected = IDC_GATHER_SELECTED;
constexpr LONG kStart = IDC_START;
constexpr LONG kRestore = IDC_RESTORE;
constexpr LONG kStop = IDC_STOP;
constexpr LONG kStatusBar = IDC_STATUSBAR;
constexpr LONG kPrecision = IDC_PRECISION;
constexpr LONG kMethod = IDC_METHOD;
constexpr LONG kQuality = IDC_QUALITY;
constexpr LONG kHold = IDC_HOLD;  // a check box

// Commands of the tree's context menu (in the name column).
constexpr LONG kMenuSelectAll = TREEMENU_SELECT_ALL;
constexpr LONG kMenuActivateAll = TREEMENU_ACTIVATE_ALL;
constexpr LONG kMenuActivateSelection = TREEMENU_ACTIVATE_SELECTION;
constexpr LONG kNameColumn = COLUMN_TREE;
constexpr LONG kInfoColumn = COLUMN_INFO;

// A track's reduction settings: a sub-container of its data container.
constexpr LONG kSettings = ID_TRACKSUBDATA;
constexpr LONG kActive = TRACKSUBDATA_ACTIVE;
constexpr LONG kPrecisionEntry = TRACKSUBDATA_PRECISION;
constexpr LONG kMethodEntry = TRACKSUBDATA_METHOD;
constexpr LONG kQualityEntry = TRACKSUBDATA_QUALITY;
constexpr LONG kHoldEntry = TRACKSUBDATA_HOLD;  // a truth value; a track without it holds

// Status texts of a track after a run, by the string ids they are loaded from.
constexpr LONG kTextWorking = IDS_WORKING;
constexpr LONG kTextNoReduction = IDS_NO_REDUCTION;
constexpr LONG kTextReduced = IDS_DONE;

}  // namespace plugin_ids

#endif
