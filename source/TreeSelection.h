// The track tree's selection, kept in TreeListData: the selected nodes in the order in which
// they were selected, each node at most once.
#ifndef TREESELECTION_H
#define TREESELECTION_H

#include "CCurveList.h"
#include "c4d.h"

// Whether node is in the selection.
Bool IsSelected(const TreeListData& selection, const TreeListNode* node);
// The first and the last selected node; null for an empty selection.
TreeListNode* GetFirstSelected(const TreeListData& selection);
TreeListNode* GetLastSelected(const TreeListData& selection);
// The selection as the title of the parameter area: empty for none, the name for one, else
// the count, string 10042 and the names of the first two and the last, as
// "5 tracks [A,B,...,E]".
String GetSelectionString(const TreeListData& selection);

// Makes node the only selected node.
void SelectOnly(TreeListData& selection, TreeListNode* node);
// Appends node unless it is selected already.
void AddToSelection(TreeListData& selection, TreeListNode* node);
// Removes node, but never the last selected node: once something is selected, removing keeps
// the selection from becoming empty.
void RemoveFromSelection(TreeListData& selection, TreeListNode* node);

#endif
