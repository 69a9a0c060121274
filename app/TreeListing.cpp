// The dialog's track tree as text.
#include "TreeListing.h"

#include <vector>

#include "TextTable.h"

namespace {

struct ListedColumn {
  LONG id;
  LONG type;
};

std::string CheckText(TreeViewCustomGui& tree, void* object, LONG column) {
  const LONG state =
      tree.GetFunctions()->IsChecked(tree.GetRoot(), tree.GetUserData(), object, column);
  if (state & LV_CHECKBOX_HIDE) return std::string();
  return (state & LV_CHECKBOX_CHECKED) ? "[x]" : "[ ]";
}

std::string LineNumber(TreeViewCustomGui& tree, LONG line) {
  void* object = tree.GetLines()[line].object;
  const bool selected = tree.GetFunctions()->IsSelected(tree.GetRoot(), tree.GetUserData(), object);
  return std::to_string(line + 1) + (selected ? "*" : "");
}

// The check box columns and every column that draws text on some line.
std::vector<ListedColumn> ListedColumns(const DialogDriver& driver, TreeViewCustomGui& tree,
                                        LONG lineCount) {
  std::vector<ListedColumn> columns;
  for (LONG position = 0; position < tree.GetColumnCount(); ++position) {
    const ListedColumn column{tree.GetColumnId(position), tree.GetColumnType(position)};
    bool shown = column.type == LV_CHECKBOX;
    for (LONG line = 0; line < lineCount && !shown; ++line)
      shown = !driver.CellText(line, column.id).empty();
    if (shown) columns.push_back(column);
  }
  return columns;
}

// Counts and percentages read best aligned to the right.
bool IsNumberColumn(const std::vector<std::vector<std::string>>& rows, std::size_t index) {
  bool any = false;
  for (const auto& row : rows) {
    const std::string& cell = row[index];
    if (cell.empty()) continue;
    if (cell.find_first_not_of("0123456789%") != std::string::npos) return false;
    any = true;
  }
  return any;
}

}  // namespace

std::string RenderTreeListing(const DialogDriver& driver) {
  TreeViewCustomGui* tree = driver.Tree();
  if (!tree) return "(the dialog shows no tree)\n";
  const LONG lineCount = driver.PaintTree();
  const std::vector<ListedColumn> columns = ListedColumns(driver, *tree, lineCount);
  std::vector<std::vector<std::string>> rows;
  for (LONG line = 0; line < lineCount; ++line) {
    std::vector<std::string> cells = {LineNumber(*tree, line)};
    for (const ListedColumn& column : columns)
      cells.push_back(column.type == LV_CHECKBOX
                          ? CheckText(*tree, tree->GetLines()[line].object, column.id)
                          : driver.CellText(line, column.id));
    rows.push_back(std::move(cells));
  }
  std::vector<TextTable::Column> titles = {{"#", TextTable::Align::kRight}};
  for (std::size_t i = 0; i < columns.size(); ++i)
    titles.push_back({driver.CellText(-1, columns[i].id), IsNumberColumn(rows, i + 1)
                                                              ? TextTable::Align::kRight
                                                              : TextTable::Align::kLeft});
  TextTable table(std::move(titles));
  for (auto& row : rows) table.AddRow(std::move(row));
  return table.Render();
}
