// Data containers and typed values in scene files.
#include "ContainerJson.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

// Deeper nesting is refused, so hostile files cannot exhaust the stack.
constexpr int kMaxContainerDepth = 64;

bool ReadContainerAt(const Json& value, const std::string& path, int depth, BaseContainer& out,
                     JsonFaults& faults);

// Entry ids in their one decimal form, so no two member names give the same id.
bool ReadEntryId(const std::string& name, const std::string& path, LONG& id, JsonFaults& faults) {
  long long number = 0;
  const char* last = name.data() + name.size();
  const auto [end, error] = std::from_chars(name.data(), last, number);
  if (error != std::errc() || end != last || std::to_string(number) != name ||
      number < std::numeric_limits<LONG>::min() || number > std::numeric_limits<LONG>::max())
    return faults.Fail(path, "expected a decimal entry id (a 32-bit whole number)");
  id = static_cast<LONG>(number);
  return true;
}

bool ReadVector(const Json& value, const std::string& path, GeData& out, JsonFaults& faults) {
  double xyz[3];
  if (!ReadNumberArray(value, path, 3, xyz, faults)) return false;
  out = GeData(Vector(xyz[0], xyz[1], xyz[2]));
  return true;
}

bool ReadLong(const Json& value, const std::string& path, GeData& out, JsonFaults& faults) {
  LLONG number = 0;
  if (!ReadWholeNumber(value, path, std::numeric_limits<LONG>::min(),
                       std::numeric_limits<LONG>::max(), number, faults))
    return false;
  out = GeData(static_cast<LONG>(number));
  return true;
}

bool ReadTypedMember(const std::string& type, const Json& value, const std::string& path, int depth,
                     GeData& out, JsonFaults& faults) {
  bool truth = false;
  double real = 0.0;
  std::string text;
  BaseContainer sub;
  if (type == "long") return ReadLong(value, path, out, faults);
  if (type == "vector") return ReadVector(value, path, out, faults);
  if (type == "bool") {
    if (!ReadTruth(value, path, truth, faults)) return false;
    out = GeData(truth);
  } else if (type == "real") {
    if (!ReadFiniteNumber(value, path, real, faults)) return false;
    out = GeData(real);
  } else if (type == "string" || type == "filename") {
    if (!ReadText(value, path, text, faults)) return false;
    out = type == "string" ? GeData(String(text)) : GeData(Filename(String(text)));
  } else {
    if (!ReadContainerAt(value, path, depth + 1, sub, faults)) return false;
    out = GeData(sub);
  }
  return true;
}

bool ReadTypedValueAt(const Json& value, const std::string& path, int depth, GeData& out,
                      JsonFaults& faults) {
  static const char* const kTypes = "bool, long, real, string, filename, vector or container";
  if (!value.is_object() || value.size() != 1)
    return faults.Fail(path, std::string("expected an object with one member: ") + kTypes);
  const std::string& type = value.begin().key();
  for (const char* known : {"bool", "long", "real", "string", "filename", "vector", "container"})
    if (type == known)
      return ReadTypedMember(type, value.begin().value(), MemberPath(path, type), depth, out,
                             faults);
  return faults.Fail(MemberPath(path, type), std::string("unknown type (expected ") + kTypes + ")");
}

bool ReadContainerAt(const Json& value, const std::string& path, int depth, BaseContainer& out,
                     JsonFaults& faults) {
  if (!value.is_object()) return faults.Fail(path, "expected an object of entries");
  if (depth > kMaxContainerDepth)
    return faults.Fail(path, "containers nested deeper than " + std::to_string(kMaxContainerDepth));
  for (const auto& entry : value.items()) {
    const std::string entryPath = MemberPath(path, entry.key());
    LONG id = 0;
    GeData data;
    if (!ReadEntryId(entry.key(), entryPath, id, faults) ||
        !ReadTypedValueAt(entry.value(), entryPath, depth, data, faults))
      return false;
    out.SetData(id, data);
  }
  return true;
}

bool WriteFinite(double value, const std::string& path, Json& out, JsonFaults& faults) {
  if (!std::isfinite(value)) return faults.Fail(path, "a number that is not finite");
  out = value;
  return true;
}

bool WriteText(const std::string& text, const std::string& path, Json& out, JsonFaults& faults) {
  if (!IsUtf8(text)) return faults.Fail(path, "text that is not valid UTF-8");
  out = text;
  return true;
}

bool WriteVector(const Vector& vector, const std::string& path, Json& out, JsonFaults& faults) {
  out = Json::array();
  for (double component : {vector.x, vector.y, vector.z}) {
    Json number;
    if (!WriteFinite(component, path, number, faults)) return false;
    out.push_back(number);
  }
  return true;
}

bool WriteTypedMember(const GeData& data, const std::string& path, Json& member, const char*& type,
                      JsonFaults& faults) {
  switch (data.GetType()) {
    case DA_LONG:
      type = data.IsBool() ? "bool" : "long";
      member = data.IsBool() ? Json(data.GetBool() != FALSE) : Json(data.GetLong());
      return true;
    case DA_REAL:
      type = "real";
      return WriteFinite(data.GetReal(), MemberPath(path, type), member, faults);
    case DA_STRING:
      type = "string";
      return WriteText(data.GetString().ToUtf8(), MemberPath(path, type), member, faults);
    case DA_FILENAME:
      type = "filename";
      return WriteText(data.GetFilename().GetString().ToUtf8(), MemberPath(path, type), member,
                       faults);
    case DA_VECTOR:
      type = "vector";
      return WriteVector(data.GetVector(), MemberPath(path, type), member, faults);
    case DA_CONTAINER:
      type = "container";
      return WriteContainer(*data.GetContainer(), MemberPath(path, type), member, faults);
  }
  return faults.Fail(
      path, "a value of type " + std::to_string(data.GetType()) + " that scene files cannot hold");
}

}  // namespace

bool ReadContainer(const Json& value, const std::string& path, BaseContainer& out,
                   JsonFaults& faults) {
  return ReadContainerAt(value, path, 0, out, faults);
}

bool ReadTypedValue(const Json& value, const std::string& path, GeData& out, JsonFaults& faults) {
  return ReadTypedValueAt(value, path, 0, out, faults);
}

bool WriteContainer(const BaseContainer& container, const std::string& path, Json& out,
                    JsonFaults& faults) {
  out = Json::object();
  for (LONG index = 0; index < container.GetEntryCount(); ++index) {
    const LONG id = container.GetIndexId(index);
    const std::string name = std::to_string(id);
    const GeData* data = container.GetDataPointer(id);
    Json typed;
    if (!data || !WriteTypedValue(*data, MemberPath(path, name), typed, faults)) return false;
    out[name] = std::move(typed);
  }
  return true;
}

bool WriteTypedValue(const GeData& data, const std::string& path, Json& out, JsonFaults& faults) {
  Json member;
  const char* type = nullptr;
  if (!WriteTypedMember(data, path, member, type, faults)) return false;
  out = Json::object();
  out[type] = std::move(member);
  return true;
}
