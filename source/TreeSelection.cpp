#include "TreeSelection.h"

namespace {

String NameOf(const TreeListNode* node) { return node ? node->_name : String(); }

}  // namespace

Bool IsSelected(const TreeListData& selection, const TreeListNode* node) {
  for (VLONG i = 0; i < selection.GetCount(); ++i)
    if (selection[i] == node) return TRUE;
  return FALSE;
}

TreeListNode* GetFirstSelected(const TreeListData& selection) {
  return selection.GetCount() > 0 ? selection[0] : nullptr;
}

TreeListNode* GetLastSelected(const TreeListData& selection) {
  return selection.GetCount() > 0 ? selection[selection.GetCount() - 1] : nullptr;
}

String GetSelectionString(const TreeListData& selection) {
  const VLONG count = selection.GetCount();
  if (count == 0) return String();
  if (count == 1) return NameOf(selection[0]);
  String text = LongToString(static_cast<LONG>(count)) + String(" ") +
                GeLoadString(IDS_SELECTED_TRACKS) + String(" [") + NameOf(selection[0]) +
                String(",");
  if (count > 2) text += NameOf(selection[1]) + String(",");
  if (count > 3) text += String("...,");
  return text + NameOf(selection[count - 1]) + String("]");
}

void SelectOnly(TreeListData& selection, TreeListNode* node) {
  selection.Free();
  selection.Push(node);
}

void AddToSelection(TreeListData& selection, TreeListNode* node) {
  if (!IsSelected(selection, node)) selection.Push(node);
}

void RemoveFromSelection(TreeListData& selection, TreeListNode* node) {
  if (selection.GetCount() < 2) return;
  const VLONG index = selection.Find(node);
  if (index >= 0) selection.Remove(index);
}
