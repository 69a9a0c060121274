// Dialog resources: the file res/dialogs/<id>.res in the plug-in folder describes the gadgets
// of dialog <id>. One statement a line; blank lines and lines starting with // are ignored:
//
//   DIALOG <id> [title=<text>]          the first statement; <id> is the file's id
//   GROUP <id> [cols=N] [rows=N] [flags=N] [groupflags=N] [title=<text>] [w=N] [h=N]
//   END                                 closes the innermost GROUP
//   STATICTEXT <id> [text=<text>] [flags=N] [w=N] [h=N] [border=N]
//   BUTTON <id> [text=<text>] [flags=N] [w=N] [h=N]
//   EDITNUMBER <id> [flags=N] [w=N] [h=N]        a number field with arrows
//   COMBOBOX <id> [flags=N] [w=N] [h=N]
//   CHILD <value> text=<text>           an entry of the COMBOBOX just before
//   SUBDIALOG <id> [flags=N] [w=N] [h=N]         a sub-dialog area
//   CUSTOMGUI <id> type=N [flags=N] [w=N] [h=N]  type: a custom GUI id (1000475 tree view,
//                                                1000495 quick tab); w, h its minimum size
//   STATUSBAR <id> [flags=N] [w=N] [h=N]         a status bar gadget
//
// Numbers are decimal or 0x hexadecimal; flags are the BFH_ and BFV_ layout flags added up.
// <text> is a quoted string ("..." with \" for a quote and \\ for a backslash) or #N, the text
// of string N of the plug-in's string table.
#ifndef HOST_DIALOGRESOURCE_H
#define HOST_DIALOGRESOURCE_H

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "c4d_string.h"
#include "c4d_types.h"

namespace standin {

struct ResourceStatement {
  std::string keyword;
  LONG id = 0;
  LONG line = 0;
  std::map<std::string, LONG> numbers;
  std::map<std::string, String> texts;

  LONG Number(const std::string& name, LONG preset = 0) const;
  String Text(const std::string& name) const;
};

struct DialogResource {
  LONG id = 0;
  String title;
  // Every statement after DIALOG, in file order.
  std::vector<ResourceStatement> statements;
};

// Reads and checks the resource file; nothing, with "path(line): reason" on the debug output,
// when it is missing or malformed.
std::optional<DialogResource> ReadDialogResource(const std::string& path, LONG id);

}  // namespace standin

#endif
