// Strict JSON reading with paths in every fault.
#include "JsonSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <new>
#include <utility>
#include <vector>

#include "PrintableText.h"

namespace {

// nlohmann's message without its "[json.exception.parse_error.101] " prefix. From its first
// quote on, a message may quote the input ("last read: '...'"), which may be a whole file.
std::string WithoutExceptionTag(const std::string& message) {
  const std::size_t tag = message.find("] ");
  const std::size_t start = tag == std::string::npos ? 0 : tag + 2;
  const std::size_t quote = std::min(message.find('\'', start), message.size());
  return message.substr(start, quote - start) + Printable(std::string_view(message).substr(quote));
}

// Room for one more member. The members' own growth copies them all, nested values too (a const
// key cannot move), and when it runs out of memory it frees the copies, which needs memory again
// (ReleaseJson): an abort. Here only the keys are copied, before anything changes.
void MakeRoomForMember(Json::object_t& members) {
  if (members.size() < members.capacity()) return;
  std::vector<std::string> keys;
  keys.reserve(members.size());
  for (const auto& member : members) keys.push_back(member.first);
  Json::object_t grown;
  grown.reserve(2 * members.size() + 1);
  auto key = keys.begin();
  for (auto& member : members) grown.emplace_back(std::move(*key++), std::move(member.second));
  members.swap(grown);
}

// Builds the document from the parser's events, like nlohmann's own builder, and also stops at
// a member named twice in one object (the plain parse keeps only one of them) and notes where.
class StrictDomBuilder {
 public:
  StrictDomBuilder(const std::string& text, Json& root) : _text(text), _root(root) {}

  bool null() { return Add(nullptr); }
  bool boolean(bool value) { return Add(value); }
  bool number_integer(Json::number_integer_t value) { return Add(value); }
  bool number_unsigned(Json::number_unsigned_t value) { return Add(value); }
  bool number_float(Json::number_float_t value, const Json::string_t&) { return Add(value); }
  bool string(Json::string_t& value) { return Add(std::move(value)); }
  bool binary(Json::binary_t&) { return false; }  // text JSON has none
  bool start_object(std::size_t) { return Open(Json::object()); }
  bool start_array(std::size_t) { return Open(Json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }
  bool key(Json::string_t& name) {
    if (_open.back().value->contains(name)) {
      _fault = Printable(MemberPath(OpenPath(), name)) + ": member given twice";
      return false;
    }
    _open.back().key = std::move(name);
    return true;
  }
  bool parse_error(std::size_t position, const std::string&, const Json::exception& error) {
    _fault = WithoutExceptionTag(error.what());
    // Number overflows come without a place.
    if (_fault.find("line ") == std::string::npos) _fault = PlaceOf(position) + ": " + _fault;
    return false;
  }
  const std::string& Fault() const { return _fault; }

 private:
  struct Level {
    Json* value;
    std::string key;  // the member being read, in an object
  };

  Json* Place(Json&& value) {
    if (_open.empty()) return &(_root = std::move(value));
    Json& parent = *_open.back().value;
    if (parent.is_array()) {
      parent.push_back(std::move(value));
      return &parent.back();
    }
    MakeRoomForMember(parent.get_ref<Json::object_t&>());
    return &(parent[_open.back().key] = std::move(value));
  }
  bool Add(Json&& value) {
    Place(std::move(value));
    return true;
  }
  // Open values are the last of their parent, so their addresses stay valid until they close.
  bool Open(Json&& value) {
    if (_open.size() == kMaxJsonDepth) {
      _fault = Printable(OpenPath()) + ": values nested deeper than " +
               std::to_string(kMaxJsonDepth) + " levels";
      return false;
    }
    _open.push_back({Place(std::move(value)), ""});
    return true;
  }
  bool Close() {
    _open.pop_back();
    return true;
  }
  std::string OpenPath() const {
    std::string path;
    for (std::size_t i = 1; i < _open.size(); ++i) {
      const Level& parent = _open[i - 1];
      path = parent.value->is_array() ? IndexPath(path, parent.value->size() - 1)
                                      : MemberPath(path, parent.key);
    }
    return path;
  }
  std::string PlaceOf(std::size_t position) const {
    const std::size_t end = std::min(position, _text.size());
    const std::size_t lineStart = _text.rfind('\n', end ? end - 1 : 0);
    const std::size_t line = 1 + std::count(_text.begin(), _text.begin() + end, '\n');
    const std::size_t column = lineStart == std::string::npos ? end : end - lineStart - 1;
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
  }

  const std::string& _text;
  Json& _root;
  std::vector<Level> _open;
  std::string _fault;
};

const char* KindOf(const Json& value) { return value.is_null() ? "null" : value.type_name(); }

std::string Found(const char* expected, const Json& value) {
  return std::string("expected ") + expected + ", found " + KindOf(value);
}

}  // namespace

std::string MemberPath(const std::string& path, const std::string& key) {
  return path.empty() ? key : path + "." + key;
}

std::string IndexPath(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

Status JsonFault(const std::string& path, const std::string& what) {
  return {(path.empty() ? std::string("scene") : Printable(path)) + ": " + what};
}

Status ParseJsonStrict(const std::string& text, Json& out) {
  StrictDomBuilder builder(text, out);
  try {
    if (Json::sax_parse(text, &builder)) return {};
  } catch (const std::bad_alloc&) {
    return {"out of memory"};
  } catch (const std::exception& error) {
    return {WithoutExceptionTag(error.what())};
  }
  return {builder.Fault()};
}

void ReleaseJson(Json& value) noexcept {
  if (!value.is_structured()) return;
  for (Json& child : value) ReleaseJson(child);
  value.clear();
}

JsonTree::~JsonTree() { ReleaseJson(value); }

bool IsUtf8(const std::string& text) {
  try {
    (void)Json(text).dump();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

JsonRead<std::string> ReadText(const Json& value, const std::string& path) {
  if (!value.is_string()) return {{}, JsonFault(path, Found("a string", value)).error};
  return {value.get<std::string>(), ""};
}

JsonRead<bool> ReadTruth(const Json& value, const std::string& path) {
  if (!value.is_boolean()) return {false, JsonFault(path, Found("true or false", value)).error};
  return {value.get<bool>(), ""};
}

JsonRead<double> ReadFiniteNumber(const Json& value, const std::string& path) {
  if (!value.is_number()) return {0.0, JsonFault(path, Found("a number", value)).error};
  const double number = value.get<double>();
  if (!std::isfinite(number)) return {0.0, JsonFault(path, "expected a finite number").error};
  return {number, ""};
}

JsonRead<LLONG> ReadWholeNumber(const Json& value, const std::string& path, LLONG min, LLONG max) {
  const std::string range = "a whole number in " + std::to_string(min) + ".." + std::to_string(max);
  if (!value.is_number_integer()) return {0, JsonFault(path, Found(range.c_str(), value)).error};
  const bool tooLarge =
      value.is_number_unsigned() &&
      value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<LLONG>::max());
  const LLONG number = tooLarge ? max : value.get<LLONG>();
  if (tooLarge || number < min || number > max)
    return {0, JsonFault(path, "expected " + range).error};
  return {number, ""};
}

Status ReadNumberArray(const Json& value, const std::string& path, std::size_t count, double* out) {
  const std::string expected = "an array of " + std::to_string(count) + " numbers";
  if (!value.is_array()) return JsonFault(path, Found(expected.c_str(), value));
  if (value.size() != count)
    return JsonFault(
        path, "expected " + expected + ", found " + std::to_string(value.size()) + " elements");
  for (std::size_t i = 0; i < count; ++i) {
    const JsonRead<double> number = ReadFiniteNumber(value[i], IndexPath(path, i));
    if (!number.Ok()) return {number.error};
    out[i] = number.value;
  }
  return {};
}

JsonObject::JsonObject(const Json& value, std::string path)
    : _value(value), _path(std::move(path)) {}

Status JsonObject::Check(std::initializer_list<const char*> known) const {
  if (!_value.is_object()) return JsonFault(_path, Found("an object", _value));
  for (const auto& member : _value.items()) {
    bool isKnown = false;
    for (const char* name : known) isKnown = isKnown || member.key() == name;
    if (isKnown) continue;
    std::string names;
    for (const char* name : known) names += (names.empty() ? "" : ", ") + std::string(name);
    return JsonFault(PathOf(member.key()), "unknown member (expected one of: " + names + ")");
  }
  return {};
}

const Json* JsonObject::Find(const std::string& key) const {
  if (!_value.is_object()) return nullptr;
  const auto found = _value.find(key);
  return found == _value.end() ? nullptr : &*found;
}

JsonRead<const Json*> JsonObject::Locate(const std::string& key, Need need,
                                         const char* expected) const {
  const Json* found = Find(key);
  if (found || need == Need::kOptional) return {found, ""};
  return {nullptr,
          JsonFault(PathOf(key), std::string("missing (expected ") + expected + ")").error};
}

JsonRead<std::string> JsonObject::Text(const std::string& key, Need need) const {
  const JsonRead<const Json*> member = Locate(key, need, "a string");
  if (!member.Ok() || !member.value) return {{}, member.error};
  return ReadText(*member.value, PathOf(key));
}

JsonRead<bool> JsonObject::Truth(const std::string& key, Need need) const {
  const JsonRead<const Json*> member = Locate(key, need, "true or false");
  if (!member.Ok() || !member.value) return {false, member.error};
  return ReadTruth(*member.value, PathOf(key));
}

JsonRead<double> JsonObject::Number(const std::string& key, Need need) const {
  const JsonRead<const Json*> member = Locate(key, need, "a number");
  if (!member.Ok() || !member.value) return {0.0, member.error};
  return ReadFiniteNumber(*member.value, PathOf(key));
}

JsonRead<LLONG> JsonObject::WholeNumber(const std::string& key, LLONG min, LLONG max,
                                        Need need) const {
  const JsonRead<const Json*> member = Locate(key, need, "a whole number");
  if (!member.Ok() || !member.value) return {0, member.error};
  return ReadWholeNumber(*member.value, PathOf(key), min, max);
}

JsonRead<const Json*> JsonObject::Array(const std::string& key, Need need) const {
  const JsonRead<const Json*> member = Locate(key, need, "an array");
  if (member.Ok() && member.value && !member.value->is_array())
    return {nullptr, JsonFault(PathOf(key), Found("an array", *member.value)).error};
  return member;
}
