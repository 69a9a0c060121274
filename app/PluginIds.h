// What the host program knows of the Thinfold plug-in from the outside: its command id, the
// gadgets of its dialog resource, its core messages, the settings sub-container of a track and
// the ids of the status texts in its string table.
#ifndef THINFOLD_PLUGIN_IDS_H
#define THINFOLD_PLUGIN_IDS_H

#include "c4d.h"

namespace plugin_ids {

constexpr LONG kCommand = 1031250;
// Core messages: id kCommand, first parameter kRunOver when a run has ended.
constexpr VULONG kRunOver = 1001;

// Gadgets of the main dialog and of its parameter sub-dialog.
constexpr LONG kTree = 10006;
constexpr LONG kGatherAll = 10010;
constexpr LONG kGatherSelected = 10011;
constexpr LONG kStart = 10012;
constexpr LONG kRestore = 10013;
constexpr LONG kStop = 10014;
constexpr LONG kStatusBar = 10015;
constexpr LONG kPrecision = 1003;
constexpr LONG kMethod = 1004;
constexpr LONG kQuality = 1005;
constexpr LONG kHold = 1007;  // a check box

// Commands of the tree's context menu (in the name column).
constexpr LONG kMenuSelectAll = 900010;
constexpr LONG kMenuActivateAll = 900011;
constexpr LONG kMenuActivateSelection = 900012;
constexpr LONG kNameColumn = FourCharId('t', 'r', 'e', 'e');
constexpr LONG kInfoColumn = FourCharId('i', 'n', 'f', 'o');

// A track's reduction settings: a sub-container of its data container.
constexpr LONG kSettings = 1031254;
constexpr LONG kActive = 2000;
constexpr LONG kPrecisionEntry = 2001;
constexpr LONG kMethodEntry = 2002;
constexpr LONG kQualityEntry = 2003;
constexpr LONG kHoldEntry = 2004;  // a truth value; a track without it holds

// Status texts of a track after a run, by the string ids they are loaded from.
constexpr LONG kTextWorking = 10036;
constexpr LONG kTextNoReduction = 10037;
constexpr LONG kTextReduced = 10041;

}  // namespace plugin_ids

#endif
