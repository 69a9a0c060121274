// The plug-in's string table. Format of res/strings.txt: one entry a line, a decimal id and a
// quoted text (\" is a quote, \\ a backslash); blank lines and lines starting with // are ignored.
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <sstream>
#include <unordered_map>

#include "c4d_debug.h"
#include "c4d_general.h"
#include "c4d_standin.h"

GeResource resource;

namespace {

using StringTable = std::unordered_map<LONG, std::string>;

struct TableStore {
  std::shared_mutex mutex;
  StringTable table;
};

TableStore& Store() {
  static TableStore* store = new TableStore;
  return *store;
}

size_t SkipBlanks(const std::string& line, size_t at) {
  while (at < line.size() && std::isspace(static_cast<unsigned char>(line[at]))) ++at;
  return at;
}

// Reads the quoted text starting at line[at]; nothing for a bad escape or a missing quote.
std::optional<std::string> ParseQuoted(const std::string& line, size_t& at) {
  if (at >= line.size() || line[at] != '"') return std::nullopt;
  std::string text;
  for (++at; at < line.size(); ++at) {
    char c = line[at];
    if (c == '"') {
      ++at;
      return text;
    }
    if (c == '\\') {
      if (++at >= line.size() || (line[at] != '"' && line[at] != '\\')) return std::nullopt;
      c = line[at];
    }
    text += c;
  }
  return std::nullopt;
}

// Parses one entry line into table; a text naming the fault on failure, else empty.
std::string ParseEntry(const std::string& line, StringTable& table) {
  size_t at = SkipBlanks(line, 0);
  const size_t idStart = at;
  if (at < line.size() && line[at] == '-') ++at;
  while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at]))) ++at;
  if (at == idStart || (at == idStart + 1 && line[idStart] == '-')) return "id expected";
  const long id = std::strtol(line.substr(idStart, at - idStart).c_str(), nullptr, 10);
  if (id < -2147483647L || id > 2147483647L) return "id out of range";
  at = SkipBlanks(line, at);
  std::optional<std::string> text = ParseQuoted(line, at);
  if (!text) return "quoted text expected";
  if (SkipBlanks(line, at) != line.size()) return "text after the closing quote";
  if (!table.emplace(static_cast<LONG>(id), std::move(*text)).second) return "duplicate id";
  return std::string();
}

bool IsSkipped(const std::string& line) {
  const size_t at = SkipBlanks(line, 0);
  return at == line.size() || line.compare(at, 2, "//") == 0;
}

bool ParseTable(std::istream& in, const std::string& path, StringTable& table) {
  std::string line;
  for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (IsSkipped(line)) continue;
    const std::string fault = ParseEntry(line, table);
    if (!fault.empty()) {
      GeDebugOut("%s(%d): %s", path.c_str(), lineNumber, fault.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

Bool GeResource::Init(const Filename& path) {
  const std::string file = (path + Filename("res") + Filename("strings.txt")).GetString().ToUtf8();
  std::ifstream in(standin::PathFromUtf8(file), std::ios::binary);
  if (!in) {
    GeDebugOut("%s: cannot open the string table", file.c_str());
    return FALSE;
  }
  StringTable table;
  try {
    if (!ParseTable(in, file, table)) return FALSE;
  } catch (...) {
    GeDebugOut("%s: out of memory reading the string table", file.c_str());
    return FALSE;
  }
  TableStore& store = Store();
  std::unique_lock lock(store.mutex);
  store.table = std::move(table);
  return TRUE;
}

Bool GeResource::Init() { return Init(GeGetPluginPath()); }

String GeLoadString(LONG id) {
  {
    TableStore& store = Store();
    std::shared_lock lock(store.mutex);
    auto found = store.table.find(id);
    if (found != store.table.end()) return String(found->second);
  }
  GeDebugOut("unknown string id %d", static_cast<int>(id));
  return String();
}

String GeLoadString(LONG id, const String& p1) {
  std::string text = GeLoadString(id).ToUtf8();
  const size_t mark = text.find('#');
  if (mark != std::string::npos) text.replace(mark, 1, p1.ToUtf8());
  return String(text);
}
