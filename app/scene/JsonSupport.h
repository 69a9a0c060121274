// Strict reading of JSON values: every fault names the JSON path of the value
// (`objects[0].tracks[2].keys[5].frame`) and what was expected there.
#ifndef THINFOLD_JSON_SUPPORT_H
#define THINFOLD_JSON_SUPPORT_H

#include <cstddef>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>

#include "c4d_types.h"

// Objects keep their members in file order, so containers keep their entry order.
using Json = nlohmann::ordered_json;

std::string MemberPath(const std::string& path, const std::string& key);
std::string IndexPath(const std::string& path, std::size_t index);

// Keeps the first fault of a read as "path: what", the path made printable (PrintableText.h).
class JsonFaults {
 public:
  // Records the fault (unless one is recorded already) and returns false.
  bool Fail(const std::string& path, const std::string& what);
  // The same for a fault that has no JSON path (a syntax error names its line and column).
  bool FailWithoutPath(const std::string& what);
  bool Failed() const { return !_message.empty(); }
  const std::string& Message() const { return _message; }

 private:
  std::string _message;
};

// Deeper nesting is refused: no scene file needs it, and ReleaseJson recurses.
constexpr std::size_t kMaxJsonDepth = 1024;

// Parses text into out. Syntax errors (with line and column), members named twice in one object,
// values nested deeper than kMaxJsonDepth and running out of memory are faults. Never throws.
bool ParseJsonStrict(const std::string& text, Json& out, JsonFaults& faults);

bool ReadText(const Json& value, const std::string& path, std::string& out, JsonFaults& faults);
bool ReadTruth(const Json& value, const std::string& path, bool& out, JsonFaults& faults);
// Any JSON number; the value must be finite.
bool ReadFiniteNumber(const Json& value, const std::string& path, double& out, JsonFaults& faults);
// An integer (no fraction, no exponent form) in min..max.
bool ReadWholeNumber(const Json& value, const std::string& path, LLONG min, LLONG max, LLONG& out,
                     JsonFaults& faults);
// An array of exactly count finite numbers.
bool ReadNumberArray(const Json& value, const std::string& path, std::size_t count, double* out,
                     JsonFaults& faults);

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

// The members of one JSON object. Optional members that are missing leave out unchanged.
class JsonObject {
 public:
  JsonObject(const Json& value, std::string path, JsonFaults& faults);

  // False unless the value is an object whose members are all among known.
  bool Check(std::initializer_list<const char*> known) const;
  // The member, or null.
  const Json* Find(const std::string& key) const;
  std::string PathOf(const std::string& key) const { return MemberPath(_path, key); }
  const std::string& Path() const { return _path; }
  JsonFaults& Faults() const { return _faults; }

  bool Text(const std::string& key, std::string& out, Need need) const;
  bool Truth(const std::string& key, bool& out, Need need) const;
  bool Number(const std::string& key, double& out, Need need) const;
  bool WholeNumber(const std::string& key, LLONG min, LLONG max, LLONG& out, Need need) const;
  // out points to the array, or stays null when an optional member is missing.
  bool Array(const std::string& key, const Json*& out, Need need) const;

 private:
  // Fails for a missing required member; found is null when the member is missing.
  bool Locate(const std::string& key, Need need, const char* expected, const Json*& found) const;

  const Json& _value;
  std::string _path;
  JsonFaults& _faults;
};

#endif
