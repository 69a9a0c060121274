// Reading dialog resource files (format: DialogResource.h).
#include "gui/DialogResource.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <set>

#include "c4d_customgui.h"
#include "c4d_debug.h"
#include "c4d_general.h"
#include "c4d_standin.h"

namespace standin {

namespace {

struct Grammar {
  std::set<std::string> numbers;
  std::set<std::string> texts;
  std::set<std::string> required;
  bool hasId = true;
};

const std::map<std::string, Grammar>& Grammars() {
  static const std::map<std::string, Grammar> grammars = {
      {"DIALOG", {{}, {"title"}, {}, true}},
      {"GROUP", {{"cols", "rows", "flags", "groupflags", "w", "h"}, {"title"}, {}, true}},
      {"END", {{}, {}, {}, false}},
      {"STATICTEXT", {{"flags", "w", "h", "border"}, {"text"}, {}, true}},
      {"BUTTON", {{"flags", "w", "h"}, {"text"}, {}, true}},
      {"EDITNUMBER", {{"flags", "w", "h"}, {}, {}, true}},
      {"COMBOBOX", {{"flags", "w", "h"}, {}, {}, true}},
      {"CHILD", {{}, {"text"}, {"text"}, true}},
      {"SUBDIALOG", {{"flags", "w", "h"}, {}, {}, true}},
      {"CUSTOMGUI", {{"type", "flags", "w", "h"}, {}, {"type"}, true}},
      {"STATUSBAR", {{"flags", "w", "h"}, {}, {}, true}},
  };
  return grammars;
}

// A problem at a line of the file.
struct Problem {
  LONG line;
  std::string reason;
};

std::optional<LONG> ParseNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 0);
  if (*end != '\0' || errno != 0 || value < MINLONGl || value > MAXLONGl) return std::nullopt;
  return static_cast<LONG>(value);
}

// Reads a quoted string starting at line[at] (the opening quote); at ends after the closing
// quote. Nothing for a missing closing quote or a bad escape.
std::optional<std::string> ReadQuoted(const std::string& line, size_t& at) {
  std::string text;
  for (++at; at < line.size(); ++at) {
    const char c = line[at];
    if (c == '"') {
      ++at;
      return text;
    }
    if (c == '\\') {
      if (++at >= line.size() || (line[at] != '"' && line[at] != '\\')) return std::nullopt;
    }
    text += line[at];
  }
  return std::nullopt;
}

// Splits a line into words; a quoted value keeps its blanks and comes back with its quotes
// marked by a leading '"'.
std::optional<std::vector<std::string>> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < line.size()) {
    if (std::isspace(static_cast<unsigned char>(line[at]))) {
      ++at;
      continue;
    }
    std::string word;
    while (at < line.size() && !std::isspace(static_cast<unsigned char>(line[at]))) {
      if (line[at] == '"') {
        std::optional<std::string> quoted = ReadQuoted(line, at);
        if (!quoted) return std::nullopt;
        word += '"' + *quoted;
        break;
      }
      word += line[at++];
    }
    words.push_back(word);
  }
  return words;
}

// A text value: "quoted" or #N (a string of the string table).
std::optional<String> ParseText(const std::string& value) {
  if (!value.empty() && value[0] == '"') return String(value.substr(1));
  if (value.size() > 1 && value[0] == '#') {
    std::optional<LONG> id = ParseNumber(value.substr(1));
    if (id) return GeLoadString(*id);
  }
  return std::nullopt;
}

std::optional<std::string> SetAttribute(ResourceStatement& statement, const Grammar& grammar,
                                        const std::string& word) {
  const size_t equals = word.find('=');
  if (equals == std::string::npos) return "expected name=value, found \"" + word + "\"";
  const std::string name = word.substr(0, equals);
  const std::string value = word.substr(equals + 1);
  if (grammar.numbers.count(name)) {
    std::optional<LONG> number = ParseNumber(value);
    if (!number) return "\"" + name + "\" needs a number";
    statement.numbers[name] = *number;
  } else if (grammar.texts.count(name)) {
    std::optional<String> text = ParseText(value);
    if (!text) return "\"" + name + "\" needs a quoted text or #string-id";
    statement.texts[name] = *text;
  } else {
    return "unknown attribute \"" + name + "\" for " + statement.keyword;
  }
  return std::nullopt;
}

std::optional<std::string> ParseStatement(const std::vector<std::string>& words,
                                          ResourceStatement& statement) {
  statement.keyword = words[0];
  const auto grammar = Grammars().find(words[0]);
  if (grammar == Grammars().end()) return "unknown statement \"" + words[0] + "\"";
  size_t next = 1;
  if (grammar->second.hasId) {
    std::optional<LONG> id = words.size() > 1 ? ParseNumber(words[1]) : std::nullopt;
    if (!id) return words[0] + " needs an id";
    statement.id = *id;
    next = 2;
  }
  for (; next < words.size(); ++next)
    if (auto problem = SetAttribute(statement, grammar->second, words[next])) return problem;
  for (const std::string& name : grammar->second.required)
    if (!statement.numbers.count(name) && !statement.texts.count(name))
      return words[0] + " needs \"" + name + "\"";
  return std::nullopt;
}

std::optional<std::string> CheckPlace(const ResourceStatement& statement, LONG& openGroups,
                                      const std::string& previous) {
  const std::string& keyword = statement.keyword;
  if (keyword == "DIALOG") return "DIALOG must be the first statement, and only once";
  if (keyword == "GROUP") ++openGroups;
  if (keyword == "END" && --openGroups < 0) return "END without GROUP";
  if (keyword == "CHILD" && previous != "COMBOBOX" && previous != "CHILD")
    return "CHILD must follow a COMBOBOX";
  const LONG type = statement.Number("type");
  if (keyword == "CUSTOMGUI" && type != CUSTOMGUI_TREEVIEW && type != CUSTOMGUI_QUICKTAB)
    return "unknown custom GUI type " + std::to_string(type);
  return std::nullopt;
}

std::optional<Problem> ParseLines(std::ifstream& file, LONG id, DialogResource& resource) {
  std::string text;
  LONG lineNumber = 0;
  LONG openGroups = 0;
  std::string previous;
  while (std::getline(file, text)) {
    ++lineNumber;
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos || text.compare(first, 2, "//") == 0) continue;
    std::optional<std::vector<std::string>> words = SplitWords(text);
    if (!words) return Problem{lineNumber, "unterminated text or bad escape"};
    ResourceStatement statement;
    statement.line = lineNumber;
    if (auto problem = ParseStatement(*words, statement)) return Problem{lineNumber, *problem};
    if (previous.empty()) {
      if (statement.keyword != "DIALOG" || statement.id != id)
        return Problem{lineNumber, "the file must start with DIALOG " + std::to_string(id)};
      resource.id = id;
      resource.title = statement.Text("title");
    } else {
      if (auto problem = CheckPlace(statement, openGroups, previous))
        return Problem{lineNumber, *problem};
      resource.statements.push_back(statement);
    }
    previous = statement.keyword;
  }
  if (previous.empty()) return Problem{lineNumber, "no DIALOG statement"};
  if (openGroups != 0) return Problem{lineNumber, "GROUP without END"};
  return std::nullopt;
}

}  // namespace

LONG ResourceStatement::Number(const std::string& name, LONG preset) const {
  const auto found = numbers.find(name);
  return found == numbers.end() ? preset : found->second;
}

String ResourceStatement::Text(const std::string& name) const {
  const auto found = texts.find(name);
  return found == texts.end() ? String() : found->second;
}

std::optional<DialogResource> ReadDialogResource(const std::string& path, LONG id) {
  std::ifstream file(standin::PathFromUtf8(path));
  if (!file) {
    GeDebugOut("%s: cannot read the dialog resource", path.c_str());
    return std::nullopt;
  }
  DialogResource resource;
  if (std::optional<Problem> problem = ParseLines(file, id, resource)) {
    GeDebugOut("%s(%d): %s", path.c_str(), static_cast<int>(problem->line),
               problem->reason.c_str());
    return std::nullopt;
  }
  return resource;
}

}  // namespace standin
