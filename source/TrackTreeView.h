// The track tree of the dialog: the host's tree view asks FunctionTable for everything. One line
// per gathered track (the children of the curve list's root node): the track's check box, its
// layer colour, its name, a status icon, the status text, the progress and the key counts before
// and after the last run, read live from the track's key list. The tree also keeps the selection,
// switches tracks on and off, offers a context menu and moves the selection with the arrow keys.
// It tells the dialog about changes with core messages (ID_THINFOLD, MSG_TREE, event).
#ifndef TRACKTREEVIEW_H
#define TRACKTREEVIEW_H

#include "CCurveList.h"
#include "ThinfoldIds.h"
#include "c4d.h"

// Posts a MSG_TREE core message with event; safe from any thread.
void PostTreeEvent(TreeEvent event);

// The tree's callbacks. root is the curve list's root node, userdata its TreeListData, obj a
// line's TreeListNode. Holds no state.
class FunctionTable : public TreeViewFunctions {
 public:
  void* GetFirst(void* root, void* userdata) override;
  void* GetDown(void* root, void* userdata, void* obj) override;
  void* GetNext(void* root, void* userdata, void* obj) override;
  void* GetPred(void* root, void* userdata, void* obj) override;
  // Widths by column: "icon" and "lyer" the font height + 4, "info" 24 digits + 12, the "drt"
  // columns 6 digits + 12, the others 4 digits + 12; 0 without an area.
  LONG GetColumnWidth(void* root, void* userdata, void* obj, LONG col, GeUserArea* area) override;
  LONG GetHeaderColumnWidth(void* root, void* userdata, LONG col, GeUserArea* area) override;
  LONG GetLineHeight(void* root, void* userdata, void* obj, LONG col, GeUserArea* area) override;
  void DrawCell(void* root, void* userdata, void* obj, LONG col, DrawInfo* drawinfo,
                const GeData& bgColour) override;
  Bool DrawHeaderCell(void* root, void* userdata, LONG col, DrawInfo* drawinfo) override;
  // Posts TREE_SELECTED_ASKED for a selected node.
  Bool IsSelected(void* root, void* userdata, void* obj) override;
  Bool IsOpened(void* root, void* userdata, void* obj) override;
  String GetName(void* root, void* userdata, void* obj) override;
  VLONG GetId(void* root, void* userdata, void* obj) override;
  LONG GetDragType(void* root, void* userdata, void* obj) override;
  // Hidden (8) for a node without a track's settings, else shown and ticked (3) or not (1).
  LONG IsChecked(void* root, void* userdata, void* obj, LONG col) override;
  void Open(void* root, void* userdata, void* obj, Bool onoff) override;
  // SELECTION_NEW, SELECTION_ADD (nodes not yet selected only), SELECTION_SUB (never the last).
  void Select(void* root, void* userdata, void* obj, LONG mode) override;
  // Writes the node's active flag to its copy and its track.
  void SetCheck(void* root, void* userdata, void* obj, LONG col, Bool checked,
                const BaseContainer& msg) override;
  void CreateContextMenu(void* root, void* userdata, void* obj, LONG col,
                         BaseContainer* menu) override;
  // Enter activates the selection only; the arrow keys move the selection (with shift they
  // grow or shrink it). Consumes every key; FALSE when an arrow key finds no neighbour.
  Bool InputEvent(void* root, void* userdata, GeUserArea* area, const BaseContainer& msg) override;
  Bool MouseDown(void* root, void* userdata, void* obj, LONG col, MouseInfo* mouseinfo,
                 Bool rightButton) override;
  Bool DoubleClick(void* root, void* userdata, void* obj, LONG col, MouseInfo* mouseinfo) override;
  void SelectionChanged(void* root, void* userdata) override;
  Bool ContextMenuCall(void* root, void* userdata, void* obj, LONG col, LONG command) override;

  // Appends every track node not yet selected, in tree order.
  void SelectAll(TreeListNode* root, TreeListData* data);
  // Sets every track node's active flag, in its copy and its track.
  void ActivateAll(TreeListNode* root, Bool state);
  // Switches every track node off, then gives the selected ones state.
  void ActivateSelection(TreeListNode* root, TreeListData* data, Bool state);
  // The node's track in the working copy, or null.
  CTrack* GetTrack(TreeListNode* node);

 private:
  Bool MoveSelection(TreeListData* data, TreeListNode* last, Bool down, Bool shift);
};

// The one table of the dialog's tree.
extern FunctionTable functable;

#endif
