// The host's custom GUIs that a dialog adds by id: the tree view, which asks its caller for
// everything through a table of callbacks, and the quick tab bar.
#ifndef C4D_CUSTOMGUI_H
#define C4D_CUSTOMGUI_H

#include <vector>

#include "c4d_basedocument.h"
#include "c4d_container.h"
#include "c4d_events.h"
#include "c4d_gadget.h"
#include "c4d_gui.h"
#include "c4d_string.h"
#include "c4d_types.h"
#include "c4d_userarea.h"

constexpr LONG CUSTOMGUI_TREEVIEW = 1000475;
constexpr LONG CUSTOMGUI_QUICKTAB = 1000495;

// Quick tab setting: selecting a tab deselects the others.
constexpr LONG QUICKTAB_SINGLESELECT = FourCharId('s', 's', 'g', 'l');

// Tree view column types (the values of SetLayout's container).
constexpr LONG LV_TREE = FourCharId('t', 'r', 'e', 'e');      // the host draws the names
constexpr LONG LV_USER = FourCharId('u', 's', 'e', 'r');      // DrawCell draws the cells
constexpr LONG LV_CHECKBOX = FourCharId('c', 'b', 'o', 'x');  // the host draws IsChecked

// IsChecked answers, combined with |.
constexpr LONG LV_CHECKBOX_ENABLED = 1;  // shown and usable
constexpr LONG LV_CHECKBOX_CHECKED = 2;  // ticked
constexpr LONG LV_CHECKBOX_HIDE = 8;     // no check box in this cell

// What the tree view asks of its caller. root and userdata are SetRoot's; obj is a line's
// object; col a column id; area the tree's drawing area, for measuring. Defaults: widths 0 (the
// host's own measure: header, names, check boxes), line height the area's font height, no
// check boxes, no menu, and clicks and keys left to the host.
class TreeViewFunctions {
 public:
  virtual ~TreeViewFunctions() = default;

  virtual void* GetFirst(void* root, void* userdata) = 0;
  virtual void* GetDown(void* root, void* userdata, void* obj) = 0;
  virtual void* GetNext(void* root, void* userdata, void* obj) = 0;
  virtual void* GetPred(void* root, void* userdata, void* obj);
  virtual LONG GetColumnWidth(void* root, void* userdata, void* obj, LONG col, GeUserArea* area);
  virtual LONG GetHeaderColumnWidth(void* root, void* userdata, LONG col, GeUserArea* area);
  virtual LONG GetMinHeaderHeight(void* root, void* userdata);
  virtual LONG GetLineHeight(void* root, void* userdata, void* obj, LONG col, GeUserArea* area);
  // Draws a LV_USER cell; bgColour is the line's background (a colour id).
  virtual void DrawCell(void* root, void* userdata, void* obj, LONG col, DrawInfo* drawinfo,
                        const GeData& bgColour);
  // Draws a header cell; FALSE lets the host draw a plain one.
  virtual Bool DrawHeaderCell(void* root, void* userdata, LONG col, DrawInfo* drawinfo);
  virtual Bool IsSelected(void* root, void* userdata, void* obj) = 0;
  virtual Bool IsOpened(void* root, void* userdata, void* obj) = 0;
  virtual String GetName(void* root, void* userdata, void* obj) = 0;
  virtual VLONG GetId(void* root, void* userdata, void* obj) = 0;
  // -1: the line cannot be dragged.
  virtual LONG GetDragType(void* root, void* userdata, void* obj) = 0;
  // LV_CHECKBOX_ flags for a LV_CHECKBOX cell.
  virtual LONG IsChecked(void* root, void* userdata, void* obj, LONG col);
  virtual void Open(void* root, void* userdata, void* obj, Bool onoff);
  // mode: SELECTION_NEW, SELECTION_ADD or SELECTION_SUB.
  virtual void Select(void* root, void* userdata, void* obj, LONG mode);
  virtual void SetCheck(void* root, void* userdata, void* obj, LONG col, Bool checked,
                        const BaseContainer& msg);
  // Fills menu with entries (command id to text; id 0 with an empty text is a separator).
  virtual void CreateContextMenu(void* root, void* userdata, void* obj, LONG col,
                                 BaseContainer* menu);
  // An input event (BFM_INPUT) for the tree; TRUE when the caller handled it.
  virtual Bool InputEvent(void* root, void* userdata, GeUserArea* area, const BaseContainer& msg);
  // TRUE when the caller handled the press; FALSE lets the host select, check or open the menu.
  virtual Bool MouseDown(void* root, void* userdata, void* obj, LONG col, MouseInfo* mouseinfo,
                         Bool rightButton);
  virtual Bool DoubleClick(void* root, void* userdata, void* obj, LONG col, MouseInfo* mouseinfo);
  virtual void SelectionChanged(void* root, void* userdata);
  // Carries out a context menu command; the answer of the caller.
  virtual Bool ContextMenuCall(void* root, void* userdata, void* obj, LONG col, LONG command);
};

// One line of the tree view as the host laid it out at the last Paint.
struct TreeViewLine {
  void* object = nullptr;
  LONG depth = 0;  // 0 for the children of the root
  LONG top = 0;    // y of the line's first pixel in the area (scrolling included)
  LONG height = 0;
};

class TreeViewCustomGui : public BaseCustomGui {
 public:
  TreeViewCustomGui(LONG id, const BaseContainer& settings);

  // Sets the columns: layout maps each column id to its type (LV_), in order; columns must be
  // its entry count. FALSE, leaving the layout as it was, for a wrong count, an unknown type or
  // more than one LV_TREE column.
  Bool SetLayout(LONG columns, const BaseContainer& layout);
  // Fixes the width of column col (a column id, or a position when no column has that id);
  // a width of 0 or less returns the column to its callbacks. FALSE for no such column.
  Bool SetColumnWidthUser(LONG col, LONG width);
  void SetRoot(void* root, TreeViewFunctions* functions, void* userdata);
  // The tree changed: the next paint walks it again.
  void Refresh();
  void SetFocusItem(void* obj);
  // Scrolls so that obj's line lies inside the view (nothing when obj shows on no line).
  void MakeVisible(void* obj);

  // Stand-in inspection and driving.
  void* GetRoot() const { return _root; }
  void* GetUserData() const { return _userdata; }
  TreeViewFunctions* GetFunctions() const { return _functions; }
  void* GetFocusItem() const { return _focus; }
  LONG GetColumnCount() const { return static_cast<LONG>(_columns.size()); }
  // Id and type of the column at position; 0 outside the layout.
  LONG GetColumnId(LONG position) const;
  LONG GetColumnType(LONG position) const;
  LONG GetRefreshCount() const { return _refreshCount; }
  LONG GetScrollY() const { return _scrollY; }
  // Draws the whole tree into the area through the callbacks, as the host does before it shows
  // the gadget, and returns the area with the record. Lines above or below the view are drawn
  // too, outside the area's height.
  GeUserArea& Paint();
  // Walks the tree and measures its columns and lines as Paint does, without drawing (the
  // record of the last Paint stays): what the user's actions need to find a line and a cell.
  void LayOut();
  // The lines Paint and LayOut walked in all: the work the tree view did.
  LLONG GetWalkedLineCount() const { return _walkedLineCount; }
  // The lines, the column widths (by position) and the header height of the last Paint or
  // LayOut.
  const std::vector<TreeViewLine>& GetLines() const { return _lines; }
  const std::vector<LONG>& GetColumnWidths() const { return _widths; }
  LONG GetHeaderHeight() const { return _headerHeight; }
  GeUserArea& GetArea() { return _area; }
  const GeUserArea& GetArea() const { return _area; }

 private:
  struct Column {
    LONG id;
    LONG type;
    LONG userWidth;
  };
  void WalkLines();
  void AppendLines(void* first, LONG depth);
  void MeasureColumns();
  LONG MeasureColumn(const Column& column);
  LONG MeasureLine(void* obj);
  void PlaceLines();
  void PaintHeader();
  void PaintLine(LONG index);
  void PaintCell(LONG index, LONG position, LONG x, const GeData& bg);
  void PaintCheckBox(void* obj, LONG col, LONG x, LONG y, LONG width, LONG height);
  void PaintName(LONG index, LONG x, LONG y, LONG height, Bool selected);
  LONG FindColumn(LONG col) const;
  LONG ViewHeight() const;

  std::vector<Column> _columns;
  void* _root = nullptr;
  void* _userdata = nullptr;
  TreeViewFunctions* _functions = nullptr;
  void* _focus = nullptr;
  LONG _scrollY = 0;
  LONG _refreshCount = 0;
  LLONG _walkedLineCount = 0;
  GeUserArea _area;
  std::vector<TreeViewLine> _lines;
  std::vector<LONG> _widths;
  LONG _headerHeight = 0;
};

class QuickTabCustomGui : public BaseCustomGui {
 public:
  QuickTabCustomGui(LONG id, const BaseContainer& settings);

  // Adds a tab. A tab with this id already there takes the new text and state in its place,
  // so the bar shows the latest text given under an id. With QUICKTAB_SINGLESELECT, a selected
  // tab deselects the others.
  void AppendString(LONG id, const String& text, Bool selected);
  // Lays out the dialog again for the changed tabs.
  void DoLayoutChange();

  // Stand-in inspection.
  LONG GetEntryCount() const { return static_cast<LONG>(_entries.size()); }
  // Id of the tab at index, or NOTOK.
  LONG GetEntryId(LONG index) const;
  // Text of tab id; empty when there is none.
  String GetEntryText(LONG id) const;
  Bool IsSelected(LONG id) const;
  LONG GetLayoutChangeCount() const { return _layoutChanges; }

 private:
  struct Entry {
    LONG id;
    String text;
    Bool selected;
  };
  std::vector<Entry> _entries;
  LONG _layoutChanges = 0;
};

#endif
