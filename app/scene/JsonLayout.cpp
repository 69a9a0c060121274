// The text layout of scene files.
#include "JsonLayout.h"

namespace {

constexpr std::size_t kLineWidth = 100;

// True when value nests no more than levels structures deep (a scalar is 0 deep).
bool NestsAtMost(const Json& value, int levels) {
  if (!value.is_structured()) return true;
  if (levels == 0) return false;
  for (const Json& member : value)
    if (!NestsAtMost(member, levels - 1)) return false;
  return true;
}

// Appends the one-line form of value; gives up (FALSE) once out grows past limit.
bool AppendInline(const Json& value, std::size_t limit, std::string& out) {
  if (!value.is_structured()) {
    out += value.dump();
    return out.size() <= limit;
  }
  const bool isObject = value.is_object();
  out += isObject ? '{' : '[';
  bool first = true;
  for (const auto& member : value.items()) {
    if (!first) out += ", ";
    first = false;
    if (isObject) out += Json(member.key()).dump() + ": ";
    if (!AppendInline(member.value(), limit, out)) return false;
  }
  out += isObject ? '}' : ']';
  return out.size() <= limit;
}

// Texts and numbers cannot be broken, and records nesting at most two levels (keys, layers,
// typed values) always take one line; arrays of plain values do when they fit (with a trailing
// comma) in the line width.
bool StaysOnOneLine(const Json& value, std::size_t usedWidth) {
  if (!value.is_structured()) return true;
  if (value.is_object()) return NestsAtMost(value, 2);
  if (!NestsAtMost(value, 1)) return false;
  std::string line;
  return usedWidth + 1 < kLineWidth && AppendInline(value, kLineWidth - usedWidth - 1, line);
}

void AppendLaidOut(const Json& value, std::size_t indent, std::size_t usedWidth, std::string& out) {
  if (StaysOnOneLine(value, usedWidth)) {
    AppendInline(value, std::string::npos, out);
    return;
  }
  const bool isObject = value.is_object();
  const std::string innerIndent(indent + 2, ' ');
  out += isObject ? "{\n" : "[\n";
  std::size_t index = 0;
  for (const auto& member : value.items()) {
    const std::string prefix = isObject ? Json(member.key()).dump() + ": " : "";
    out += innerIndent + prefix;
    AppendLaidOut(member.value(), indent + 2, innerIndent.size() + prefix.size(), out);
    out += ++index < value.size() ? ",\n" : "\n";
  }
  out += std::string(indent, ' ') + (isObject ? "}" : "]");
}

}  // namespace

std::string LayOutJson(const Json& value) {
  std::string text;
  AppendLaidOut(value, 0, 0, text);
  text += '\n';
  return text;
}
