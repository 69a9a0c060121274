// The defaults of the tree view's callbacks.
#include "c4d_customgui.h"

void* TreeViewFunctions::GetPred(void*, void*, void*) { return nullptr; }

LONG TreeViewFunctions::GetColumnWidth(void*, void*, void*, LONG, GeUserArea*) { return 0; }

LONG TreeViewFunctions::GetHeaderColumnWidth(void*, void*, LONG, GeUserArea*) { return 0; }

LONG TreeViewFunctions::GetMinHeaderHeight(void*, void*) { return 0; }

LONG TreeViewFunctions::GetLineHeight(void*, void*, void*, LONG, GeUserArea* area) {
  return area ? area->DrawGetFontHeight() : 0;
}

void TreeViewFunctions::DrawCell(void*, void*, void*, LONG, DrawInfo*, const GeData&) {}

Bool TreeViewFunctions::DrawHeaderCell(void*, void*, LONG, DrawInfo*) { return FALSE; }

LONG TreeViewFunctions::IsChecked(void*, void*, void*, LONG) { return LV_CHECKBOX_HIDE; }

void TreeViewFunctions::Open(void*, void*, void*, Bool) {}

void TreeViewFunctions::Select(void*, void*, void*, LONG) {}

void TreeViewFunctions::SetCheck(void*, void*, void*, LONG, Bool, const BaseContainer&) {}

void TreeViewFunctions::CreateContextMenu(void*, void*, void*, LONG, BaseContainer*) {}

Bool TreeViewFunctions::InputEvent(void*, void*, GeUserArea*, const BaseContainer&) {
  return FALSE;
}

Bool TreeViewFunctions::MouseDown(void*, void*, void*, LONG, MouseInfo*, Bool) { return FALSE; }

Bool TreeViewFunctions::DoubleClick(void*, void*, void*, LONG, MouseInfo*) { return FALSE; }

void TreeViewFunctions::SelectionChanged(void*, void*) {}

Bool TreeViewFunctions::ContextMenuCall(void*, void*, void*, LONG, LONG) { return FALSE; }
