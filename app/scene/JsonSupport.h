// Strict reading of JSON values: every fault names the JSON path of the value
// (`objects[0].tracks[2].keys[5].frame`) and what was expected there.
#ifndef THINFOLD_JSON_SUPPORT_H
#define THINFOLD_JSON_SUPPORT_H

#include <cstddef>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>

#include "Status.h"
#include "c4d_types.h"

// Objects keep their members in file order, so containers keep their entry order.
using Json = nlohmann::ordered_json;

std::string MemberPath(const std::string& path, const std::string& key);
std::string IndexPath(const std::string& path, std::size_t index);

// The fault "path: what" of a read, the path made printable (PrintableText.h); an empty path is
// the scene itself.
Status JsonFault(const std::string& path, const std::string& what);

// A value read from JSON, or the fault that kept it from being read.
template <typename T>
struct [[nodiscard]] JsonRead {
  T value{};
  std::string error;  // "path: what"; empty on success
  bool Ok() const { return error.empty(); }
};

// Deeper nesting is refused: no scene file needs it, and ReleaseJson recurses.
constexpr std::size_t kMaxJsonDepth = 1024;

// Parses text into out. Syntax errors (with line and column, as they have no JSON path), members
// named twice in one object, values nested deeper than kMaxJsonDepth and running out of memory are
// faults. Never throws.
Status ParseJsonStrict(const std::string& text, Json& out);

JsonRead<std::string> ReadText(const Json& value, const std::string& path);
JsonRead<bool> ReadTruth(const Json& value, const std::string& path);
// Any JSON number; the value must be finite.
JsonRead<double> ReadFiniteNumber(const Json& value, const std::string& path);
// An integer (no fraction, no exponent form) in min..max.
JsonRead<LLONG> ReadWholeNumber(const Json& value, const std::string& path, LLONG min, LLONG max);
// An array of exactly count finite numbers, into out[0] .. out[count - 1].
Status ReadNumberArray(const Json& value, const std::string& path, std::size_t count, double* out);

// Takes the tree apart leaf by leaf, which needs no memory. nlohmann's destructor needs memory in
// proportion to the largest array or object, which a reader or writer that has just run out of
// memory may not find, and a destructor that cannot get it ends the program.
void ReleaseJson(Json& value) noexcept;

// A tree that is released so when it goes.
struct JsonTree {
  JsonTree() = default;
  ~JsonTree();
  JsonTree(const JsonTree&) = delete;
  JsonTree& operator=(const JsonTree&) = delete;
  Json value;
};

// True when text is valid UTF-8 (JSON text must be). Throws std::bad_alloc only, which the readers
// and writers turn into their error.
bool IsUtf8(const std::string& text);

enum class Need { kRequired, kOptional };

// The members of one JSON object. An optional member that is missing reads as the type's zero
// (false, 0, an empty text, a null array).
class JsonObject {
 public:
  JsonObject(const Json& value, std::string path);

  // A fault unless the value is an object whose members are all among known.
  Status Check(std::initializer_list<const char*> known) const;
  // The member, or null.
  const Json* Find(const std::string& key) const;
  std::string PathOf(const std::string& key) const { return MemberPath(_path, key); }
  const std::string& Path() const { return _path; }

  JsonRead<std::string> Text(const std::string& key, Need need) const;
  JsonRead<bool> Truth(const std::string& key, Need need) const;
  JsonRead<double> Number(const std::string& key, Need need) const;
  JsonRead<LLONG> WholeNumber(const std::string& key, LLONG min, LLONG max, Need need) const;
  // The array, or null when an optional member is missing.
  JsonRead<const Json*> Array(const std::string& key, Need need) const;

 private:
  // The member, or null when an optional one is missing; a fault for a missing required one.
  JsonRead<const Json*> Locate(const std::string& key, Need need, const char* expected) const;

  const Json& _value;
  std::string _path;
};

#endif
