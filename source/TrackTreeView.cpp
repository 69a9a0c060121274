#include "TrackTreeView.h"

#include "CBakeControlThread.h"
#include "CTrackSettingsLock.h"
#include "TreeSelection.h"

FunctionTable functable;

namespace {

TreeListNode* AsNode(void* obj) { return static_cast<TreeListNode*>(obj); }
TreeListData* AsData(void* userdata) { return static_cast<TreeListData*>(userdata); }

TreeListNode* FirstChild(const TreeListNode* node) {
  return node ? static_cast<TreeListNode*>(node->_children.GetFirst()) : nullptr;
}
TreeListNode* NextOf(const TreeListNode* node) {
  return node ? static_cast<TreeListNode*>(node->GetNext()) : nullptr;
}
TreeListNode* PredOf(const TreeListNode* node) {
  return node ? static_cast<TreeListNode*>(node->GetPrev()) : nullptr;
}

// The node's copy is read by the control thread when a run fills its work stack.
void SetActiveCopy(TreeListNode* node, Bool state) {
  CTrackSettingsGuard guard;
  node->_subdata.active = state;
}

// Sets the active flag in the node's copy and, when it can be had, in its track's settings.
void SetNodeActive(TreeListNode* node, Bool state) {
  SetActiveCopy(node, state);
  WriteCTrackSetting(node->GetTrack(), TRACKSUBDATA_ACTIVE, GeData(state != FALSE));
}

}  // namespace

void PostTreeEvent(TreeEvent event) {
  SpecialEventAdd(ID_THINFOLD, static_cast<VULONG>(MSG_TREE), static_cast<VULONG>(event));
}

void* FunctionTable::GetFirst(void* root, void*) { return FirstChild(AsNode(root)); }

void* FunctionTable::GetDown(void*, void*, void* obj) { return FirstChild(AsNode(obj)); }

void* FunctionTable::GetNext(void*, void*, void* obj) { return NextOf(AsNode(obj)); }

void* FunctionTable::GetPred(void*, void*, void* obj) { return PredOf(AsNode(obj)); }

Bool FunctionTable::IsSelected(void*, void* userdata, void* obj) {
  TreeListData* data = AsData(userdata);
  if (!data || !::IsSelected(*data, AsNode(obj))) return FALSE;
  PostTreeEvent(TREE_SELECTED_ASKED);
  return TRUE;
}

Bool FunctionTable::IsOpened(void*, void*, void* obj) {
  return AsNode(obj) ? AsNode(obj)->_opened : FALSE;
}

String FunctionTable::GetName(void*, void*, void* obj) {
  return AsNode(obj) ? AsNode(obj)->_name : String();
}

VLONG FunctionTable::GetId(void*, void*, void* obj) { return reinterpret_cast<VLONG>(obj); }

LONG FunctionTable::GetDragType(void*, void*, void*) { return NOTOK; }

LONG FunctionTable::IsChecked(void*, void*, void* obj, LONG) {
  TreeListNode* node = AsNode(obj);
  if (!node || !GetCTrackSubContainerInstance(GetTrack(node))) return LV_CHECKBOX_HIDE;
  if (node->_subdata.active) return LV_CHECKBOX_ENABLED | LV_CHECKBOX_CHECKED;
  return LV_CHECKBOX_ENABLED;
}

void FunctionTable::Open(void*, void*, void* obj, Bool onoff) {
  if (TreeListNode* node = AsNode(obj)) node->_opened = onoff;
}

void FunctionTable::Select(void*, void* userdata, void* obj, LONG mode) {
  TreeListNode* node = AsNode(obj);
  TreeListData* data = AsData(userdata);
  if (!node || !data) return;
  if (mode == SELECTION_NEW)
    SelectOnly(*data, node);
  else if (mode == SELECTION_ADD)
    AddToSelection(*data, node);
  else if (mode == SELECTION_SUB)
    RemoveFromSelection(*data, node);
}

void FunctionTable::SetCheck(void*, void*, void* obj, LONG, Bool checked, const BaseContainer&) {
  TreeListNode* node = AsNode(obj);
  if (!node) return;
  const Bool state = checked ? TRUE : FALSE;
  if ((node->_subdata.active ? TRUE : FALSE) != state) PostTreeEvent(TREE_SETTINGS_CHANGED);
  SetNodeActive(node, state);
}

void FunctionTable::CreateContextMenu(void*, void*, void*, LONG col, BaseContainer* menu) {
  if (!menu) return;
  menu->FlushAll();
  if (col != COLUMN_TREE) return;
  menu->SetString(TREEMENU_SELECT_ALL, GeLoadString(IDS_MENU_SELECT_ALL));
  menu->SetString(0, String());
  menu->SetString(TREEMENU_ACTIVATE_ALL, GeLoadString(IDS_MENU_ACTIVATE_ALL));
  menu->SetString(TREEMENU_ACTIVATE_SELECTION, GeLoadString(IDS_MENU_ACTIVATE_SELECTION));
}

Bool FunctionTable::ContextMenuCall(void* root, void* userdata, void*, LONG col, LONG command) {
  TreeListData* data = AsData(userdata);
  if (!data) return FALSE;
  if (col != COLUMN_TREE) return TRUE;
  if (command == TREEMENU_ACTIVATE_SELECTION) {
    ActivateSelection(AsNode(root), data, TRUE);
    PostTreeEvent(TREE_SETTINGS_CHANGED);
  } else if (command == TREEMENU_ACTIVATE_ALL) {
    ActivateAll(AsNode(root), TRUE);
    PostTreeEvent(TREE_SETTINGS_CHANGED);
  } else if (command == TREEMENU_SELECT_ALL) {
    SelectAll(AsNode(root), data);
  }
  return TRUE;
}

Bool FunctionTable::InputEvent(void* root, void* userdata, GeUserArea*, const BaseContainer& msg) {
  if (msg.GetLong(BFM_INPUT_DEVICE) != BFM_INPUT_KEYBOARD) return TRUE;
  TreeListData* data = AsData(userdata);
  TreeListNode* last = data ? GetLastSelected(*data) : nullptr;
  const LONG key = msg.GetLong(BFM_INPUT_CHANNEL);
  const Bool shift = (msg.GetLong(BFM_INPUT_QUALIFIER) & QSHIFT) != 0;
  if (key == KEY_ENTER && data) {
    ActivateSelection(AsNode(root), data, TRUE);
    SelectionChanged(root, userdata);
    PostTreeEvent(TREE_SETTINGS_CHANGED);
  } else if (key == KEY_DOWN || key == KEY_UP) {
    if (!MoveSelection(data, last, key == KEY_DOWN, shift)) return FALSE;
    SelectionChanged(root, userdata);
    PostTreeEvent(TREE_MAKE_VISIBLE);
  }
  PostTreeEvent(TREE_REDRAW_LINES);
  return TRUE;
}

// One step from the last selected node: onto a node not yet selected it selects that node (added
// with shift); back onto a selected node it drops "last" (with shift) or keeps only "last".
// FALSE when there is no selection or no neighbour in that direction.
Bool FunctionTable::MoveSelection(TreeListData* data, TreeListNode* last, Bool down, Bool shift) {
  if (!data || !last) return FALSE;
  TreeListNode* neighbour = down ? NextOf(last) : PredOf(last);
  if (!neighbour) return FALSE;
  if (::IsSelected(*data, neighbour))
    Select(nullptr, data, last, shift ? SELECTION_SUB : SELECTION_NEW);
  else
    Select(nullptr, data, neighbour, shift ? SELECTION_ADD : SELECTION_NEW);
  return TRUE;
}

Bool FunctionTable::MouseDown(void*, void*, void*, LONG, MouseInfo*, Bool) { return FALSE; }

Bool FunctionTable::DoubleClick(void*, void*, void*, LONG, MouseInfo*) { return TRUE; }

void FunctionTable::SelectionChanged(void*, void*) { PostTreeEvent(TREE_SELECTION_CHANGED); }

void FunctionTable::SelectAll(TreeListNode* root, TreeListData* data) {
  if (!data) return;
  for (TreeListNode* node = FirstChild(root); node; node = NextOf(node))
    AddToSelection(*data, node);
}

void FunctionTable::ActivateAll(TreeListNode* root, Bool state) {
  for (TreeListNode* node = FirstChild(root); node; node = NextOf(node)) SetNodeActive(node, state);
}

void FunctionTable::ActivateSelection(TreeListNode* root, TreeListData* data, Bool state) {
  ActivateAll(root, FALSE);
  for (VLONG i = 0; data && i < data->GetCount(); ++i)
    if (TreeListNode* node = (*data)[i]) SetNodeActive(node, state);
}

CTrack* FunctionTable::GetTrack(TreeListNode* node) { return node ? node->GetTrack() : nullptr; }
