// Every id Thinfold shares with its resources and with the programs that drive it: the command
// and its core messages, the gadgets of the dialog resources, the track tree's columns and menu,
// a track's settings container, the texts of the string table, and the worker limit. The plug-in
// and the thinfold program both include this header, so each id is written once.
#ifndef THINFOLD_IDS_H
#define THINFOLD_IDS_H

#include "c4d.h"

// The plug-in id: the command, the dialog and the plug-in's core messages.
enum { ID_THINFOLD = 1031250 };

// Core messages (id ID_THINFOLD): the first parameter is one of the kinds below.
enum {
  MSG_TREE = 1000,      // second parameter a tree event: the tree asks the dialog for something
  MSG_RUN_OVER = 1001,  // second parameter RUN_DONE or RUN_STOPPED; the last message of a run
  MSG_PROGRESS = 1002,  // second parameter: unfinished items (stack size plus running workers)
  RUN_DONE = 0,         // all items done, nothing to do, or the pool failed to start
  RUN_STOPPED = 1,
};

// The second parameter of a MSG_TREE core message.
enum TreeEvent {
  TREE_SELECTION_CHANGED = 0,  // the parameter sub-dialog follows the selection
  TREE_REDRAW_LINES = 1,       // redraw the tree
  TREE_SETTINGS_CHANGED = 2,   // copy the working tracks' settings to the user's tracks
  TREE_SELECTED_ASKED = 3,     // a line was drawn as selected; nothing to do
  TREE_MAKE_VISIBLE = 4,       // scroll the last selected node into view
};

// Workers of a run: one per processor, at most this many.
enum { BAKE_MAX_WORKERS = 64 };

// The main dialog resource and its gadgets.
enum {
  IDD_THINFOLD = 10003,
  IDC_TITLE = 10004,            // quick tab: the selection's title
  IDC_TREE = 10006,             // the track tree
  IDC_PARAMETERS = 10008,       // the sub-dialog area
  IDC_GATHER_ALL = 10010,       // gather all value and data tracks
  IDC_GATHER_SELECTED = 10011,  // gather the tracks of the selected elements
  IDC_START = 10012,
  IDC_RESTORE = 10013,
  IDC_STOP = 10014,
  IDC_STATUSBAR = 10015,
};

// Gadgets of the value tracks' parameter sub-dialog.
enum {
  IDC_PARAMETER_TABS = 999,
  IDC_PRECISION_LABEL = 1000,
  IDC_METHOD_LABEL = 1001,
  IDC_QUALITY_LABEL = 1002,
  IDC_PRECISION = 1003,
  IDC_METHOD = 1004,
  IDC_QUALITY = 1005,
  IDC_HOLD_LABEL = 1006,
  IDC_HOLD = 1007,  // check box
};

// Columns of the track tree, in their order on screen.
constexpr LONG COLUMN_CHECK = FourCharId('c', 'h', 'c', 'k');
constexpr LONG COLUMN_LAYER = FourCharId('l', 'y', 'e', 'r');
constexpr LONG COLUMN_TREE = FourCharId('t', 'r', 'e', 'e');
constexpr LONG COLUMN_ICON = FourCharId('i', 'c', 'o', 'n');
constexpr LONG COLUMN_INFO = FourCharId('i', 'n', 'f', 'o');
constexpr LONG COLUMN_PERCENT = FourCharId('d', 'r', 't', '0');
constexpr LONG COLUMN_KEYS_BEFORE = FourCharId('d', 'r', 't', '1');
constexpr LONG COLUMN_KEYS_AFTER = FourCharId('d', 'r', 't', '2');

// Context menu commands of the tree column.
enum {
  TREEMENU_SELECT_ALL = 900010,
  TREEMENU_ACTIVATE_ALL = 900011,
  TREEMENU_ACTIVATE_SELECTION = 900012,
};

// A track's reduction settings: a sub-container of its data container, so they travel with the
// track into clones and saved scenes. Not the command's id.
enum {
  ID_TRACKSUBDATA = 1031254,
  TRACKSUBDATA_ACTIVE = 2000,     // Bool
  TRACKSUBDATA_PRECISION = 2001,  // Real
  TRACKSUBDATA_METHOD = 2002,     // LONG
  TRACKSUBDATA_QUALITY = 2003,    // LONG
  TRACKSUBDATA_HOLD = 2004,       // Bool; a track without the entry holds
};

// Reduction methods of value tracks (any other value makes the track's run fail).
enum { REDUCTION_SPLINEFIT = 0, REDUCTION_REDUNDANT = 1 };

// Texts of the string table (res/strings.txt).
enum {
  IDS_COMMAND_NAME = 10001,
  IDS_COMMAND_HELP = 10002,
  IDS_RUN_NOT_STARTED = 10005,
  IDS_PARAMETER_TAB = 10016,
  IDS_PRECISION = 10017,
  IDS_METHOD = 10018,
  IDS_METHOD_SPLINEFIT = 10019,
  IDS_METHOD_REDUNDANT = 10020,
  IDS_QUALITY = 10021,
  IDS_QUALITY_LOW = 10022,
  IDS_QUALITY_HIGH = 10024,
  IDS_COLUMN_CHECK = 10025,
  IDS_COLUMN_LAYER = 10026,
  IDS_COLUMN_TREE = 10027,
  IDS_COLUMN_ICON = 10028,
  IDS_COLUMN_INFO = 10029,
  IDS_COLUMN_PERCENT = 10030,
  IDS_COLUMN_KEYS_BEFORE = 10031,
  IDS_COLUMN_KEYS_AFTER = 10032,
  IDS_MENU_SELECT_ALL = 10033,
  IDS_MENU_ACTIVATE_ALL = 10034,
  IDS_MENU_ACTIVATE_SELECTION = 10035,
  IDS_WORKING = 10036,
  IDS_NO_REDUCTION = 10037,
  IDS_DATA_FAILED = 10038,
  IDS_BAD_METHOD = 10039,
  IDS_STOPPED = 10040,
  IDS_DONE = 10041,
  IDS_SELECTED_TRACKS = 10042,
  IDS_COPYING_RESULTS = 10043,
  IDS_RESTORING = 10044,
  IDS_GATHERING = 10045,
  IDS_STOPPING = 10046,
  IDS_RUN_STOPPED = 10047,
  IDS_RUN_DONE = 10048,
  IDS_HOST_TOO_OLD = 10049,
  IDS_CANNOT_SAMPLE = 10050,
  IDS_HOLD = 10051,
  IDS_NOT_FINITE = 10052,
  IDS_COPY_INCOMPLETE = 10053,
  IDS_RESTORE_INCOMPLETE = 10054,
};

#endif
