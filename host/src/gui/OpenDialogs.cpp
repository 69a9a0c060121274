// The host's list of open top-level dialogs.
#include <algorithm>
#include <vector>

#include "gui/DialogWindow.h"
#include "c4d_standin_gui.h"

namespace {

std::vector<GeDialog*>& OpenList() {
  static std::vector<GeDialog*>* list = new std::vector<GeDialog*>;
  return *list;
}

}  // namespace

namespace standin {

void AddOpenDialog(GeDialog& dialog) {
  std::vector<GeDialog*>& list = OpenList();
  if (std::find(list.begin(), list.end(), &dialog) == list.end()) list.push_back(&dialog);
}

void RemoveOpenDialog(GeDialog& dialog) { std::erase(OpenList(), &dialog); }

std::vector<GeDialog*> GetOpenDialogs() { return OpenList(); }

GeDialog* FindOpenDialog(LONG pluginId) {
  for (GeDialog* dialog : OpenList())
    if (GetDialogInfo(*dialog).pluginId == pluginId) return dialog;
  return nullptr;
}

void CloseAllDialogs() {
  // Ending one window may end others; the list is read again each time.
  while (!OpenList().empty()) {
    GeDialog* dialog = OpenList().front();
    EndWindow(*dialog, TRUE);
    RemoveOpenDialog(*dialog);
  }
}

}  // namespace standin
