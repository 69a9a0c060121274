// Plain-text tables for the console.
#include "TextTable.h"

#include <algorithm>

namespace {

// Width in characters: UTF-8 continuation bytes take no room.
std::size_t DisplayWidth(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Padded(const std::string& text, std::size_t width, TextTable::Align align) {
  const std::string padding(width - std::min(width, DisplayWidth(text)), ' ');
  return align == TextTable::Align::kLeft ? text + padding : padding + text;
}

}  // namespace

void TextTable::AddRow(std::vector<std::string> cells) {
  cells.resize(_columns.size());
  _rows.push_back(std::move(cells));
}

std::string TextTable::Render() const {
  std::vector<std::size_t> widths;
  for (const Column& column : _columns) widths.push_back(DisplayWidth(column.title));
  for (const auto& row : _rows)
    for (std::size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], DisplayWidth(row[i]));
  std::string text;
  auto appendLine = [&](auto cellAt) {
    std::string line;
    for (std::size_t i = 0; i < _columns.size(); ++i)
      line += (i ? "  " : "") + Padded(cellAt(i), widths[i], _columns[i].align);
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\n";
  };
  appendLine([&](std::size_t i) { return _columns[i].title; });
  for (const auto& row : _rows) appendLine([&](std::size_t i) { return row[i]; });
  return text;
}
