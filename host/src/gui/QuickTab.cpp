// The quick tab bar: a row of tabs by id, of which the latest text under an id shows.
#include "gui/DialogWindow.h"
#include "gui/GadgetAccess.h"
#include "c4d_customgui.h"

QuickTabCustomGui::QuickTabCustomGui(LONG id, const BaseContainer& settings)
    : BaseCustomGui(id, CUSTOMGUI_QUICKTAB, settings) {}

void QuickTabCustomGui::AppendString(LONG id, const String& text, Bool selected) {
  if (selected && GetState().settings.GetBool(QUICKTAB_SINGLESELECT))
    for (Entry& entry : _entries) entry.selected = FALSE;
  for (Entry& entry : _entries) {
    if (entry.id != id) continue;
    entry.text = text;
    entry.selected = selected;
    Redraw();
    return;
  }
  _entries.push_back(Entry{id, text, selected});
  Redraw();
}

void QuickTabCustomGui::DoLayoutChange() {
  ++_layoutChanges;
  if (standin::DialogWindow* window = standin::GadgetAccess::Window(*this))
    ++window->Top().layoutChangedCount;
  Redraw();
}

LONG QuickTabCustomGui::GetEntryId(LONG index) const {
  return index >= 0 && index < GetEntryCount() ? _entries[index].id : NOTOK;
}

String QuickTabCustomGui::GetEntryText(LONG id) const {
  for (const Entry& entry : _entries)
    if (entry.id == id) return entry.text;
  return String();
}

Bool QuickTabCustomGui::IsSelected(LONG id) const {
  for (const Entry& entry : _entries)
    if (entry.id == id) return entry.selected;
  return FALSE;
}
