// Plain-text tables for the console: columns padded to their widest cell, two spaces apart.
#ifndef THINFOLD_TEXT_TABLE_H
#define THINFOLD_TEXT_TABLE_H

#include <string>
#include <utility>
#include <vector>

class TextTable {
 public:
  enum class Align { kLeft, kRight };
  struct Column {
    std::string title;
    Align align;
  };

  explicit TextTable(std::vector<Column> columns) : _columns(std::move(columns)) {}
  // Cells beyond the columns are dropped; missing cells are empty.
  void AddRow(std::vector<std::string> cells);
  // Title line and rows, each ending in a newline, without trailing spaces.
  std::string Render() const;

 private:
  std::vector<Column> _columns;
  std::vector<std::vector<std::string>> _rows;
};

#endif
