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

bool JsonFaults::Fail(const std::string& path, const std::string& what) {
  if (_message.empty())
    _message = (path.empty() ? std::string("scene") : Printable(path)) + ": " + what;
  return false;
}

bool JsonFaults::FailWithoutPath(const std::string& what) {
  if (_message.empty()) _message = what;
  return false;
}

bool ParseJsonStrict(const std::string& text, Json& out, JsonFaults& faults) {
  StrictDomBuilder builder(text, out);
  try {
    if (Json::sax_parse(text, &builder)) return true;
  } catch (const std::bad_alloc&) {
    return faults.FailWithoutPath("out of memory");
  } catch (const std::exception& error) {
    return faults.FailWithoutPath(WithoutExceptionTag(error.what()));
  }
  return faults.FailWithoutPath(builder.Fault());
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

bool ReadText(const Json& value, const std::string& path, std::string& out, JsonFaults& faults) {
  if (!value.is_string()) return faults.Fail(path, Found("a string", value));
  out = value.get<std::string>();
  return true;
}

bool ReadTruth(const Json& value, const std::string& path, bool& out, JsonFaults& faults) {
  if (!value.is_boolean()) return faults.Fail(path, Found("true or false", value));
  out = value.get<bool>();
  return true;
}

bool ReadFiniteNumber(const Json& value, const std::string& path, double& out, JsonFaults& faults) {
  if (!value.is_number()) return faults.Fail(path, Found("a number", value));
  const double number = value.get<double>();
  if (!std::isfinite(number)) return faults.Fail(path, "expected a finite number");
  out = number;
  return true;
}

bool ReadWholeNumber(const Json& value, const std::string& path, LLONG min, LLONG max, LLONG& out,
                     JsonFaults& faults) {
  const std::string range = "a whole number in " + std::to_string(min) + ".." + std::to_string(max);
  if (!value.is_number_integer()) return faults.Fail(path, Found(range.c_str(), value));
  const bool tooLarge =
      value.is_number_unsigned() &&
      value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<LLONG>::max());
  const LLONG number = tooLarge ? max : value.get<LLONG>();
  if (tooLarge || number < min || number > max) return faults.Fail(path, "expected " + range);
  out = number;
  return true;
}

bool ReadNumberArray(const Json& value, const std::string& path, std::size_t count, double* out,
                     JsonFaults& faults) {
  const std::string expected = "an array of " + std::to_string(count) + " numbers";
  if (!value.is_array()) return faults.Fail(path, Found(expected.c_str(), value));
  if (value.size() != count)
    return faults.Fail(
        path, "expected " + expected + ", found " + std::to_string(value.size()) + " elements");
  for (std::size_t i = 0; i < count; ++i)
    if (!ReadFiniteNumber(value[i], IndexPath(path, i), out[i], faults)) return false;
  return true;
}

JsonObject::JsonObject(const Json& value, std::string path, JsonFaults& faults)
    : _value(value), _path(std::move(path)), _faults(faults) {}

bool JsonObject::Check(std::initializer_list<const char*> known) const {
  if (!_value.is_object()) return _faults.Fail(_path, Found("an object", _value));
  for (const auto& member : _value.items()) {
    bool isKnown = false;
    for (const char* name : known) isKnown = isKnown || member.key() == name;
    if (isKnown) continue;
    std::string names;
    for (const char* name : known) names += (names.empty() ? "" : ", ") + std::string(name);
    return _faults.Fail(PathOf(member.key()), "unknown member (expected one of: " + names + ")");
  }
  return true;
}

const Json* JsonObject::Find(const std::string& key) const {
  if (!_value.is_object()) return nullptr;
  const auto found = _value.find(key);
  return found == _value.end() ? nullptr : &*found;
}

bool JsonObject::Locate(const std::string& key, Need need, const char* expected,
                        const Json*& found) const {
  found = Find(key);
  if (found || need == Need::kOptional) return true;
  return _faults.Fail(PathOf(key), std::string("missing (expected ") + expected + ")");
}

bool JsonObject::Text(const std::string& key, std::string& out, Need need) const {
  const Json* member = nullptr;
  if (!Locate(key, need, "a string", member)) return false;
  return !member || ReadText(*member, PathOf(key), out, _faults);
}

bool JsonObject::Truth(const std::string& key, bool& out, Need need) const {
  const Json* member = nullptr;
  if (!Locate(key, need, "true or false", member)) return false;
  return !member || ReadTruth(*member, PathOf(key), out, _faults);
}

bool JsonObject::Number(const std::string& key, double& out, Need need) const {
  const Json* member = nullptr;
  if (!Locate(key, need, "a number", member)) return false;
  return !member || ReadFiniteNumber(*member, PathOf(key), out, _faults);
}

bool JsonObject::WholeNumber(const std::string& key, LLONG min, LLONG max, LLONG& out,
                             Need need) const {
  const Json* member = nullptr;
  if (!Locate(key, need, "a whole number", member)) return false;
  return !member || ReadWholeNumber(*member, PathOf(key), min, max, out, _faults);
}

bool JsonObject::Array(const std::string& key, const Json*& out, Need need) const {
  const Json* member = nullptr;
  if (!Locate(key, need, "an array", member)) return false;
  if (member && !member->is_array()) return _faults.Fail(PathOf(key), Found("an array", *member));
  out = member;
  return true;
}
