// Data containers and typed values in scene files.
#include "ContainerJson.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

// Deeper nesting is refused, so hostile files cannot exhaust the stack.
constexpr int kMaxContainerDepth = 64;

Status ReadContainerAt(const Json& value, const std::string& path, int depth, BaseContainer& out);

// Entry ids in their one decimal form, so no two member names give the same id.
JsonRead<LONG> ReadEntryId(const std::string& name, const std::string& path) {
  long long number = 0;
  const char* last = name.data() + name.size();
  const auto [end, error] = std::from_chars(name.data(), last, number);
  if (error != std::errc() || end != last || std::to_string(number) != name ||
      number < std::numeric_limits<LONG>::min() || number > std::numeric_limits<LONG>::max())
    return {0, JsonFault(path, "expected a decimal entry id (a 32-bit whole number)").error};
  return {static_cast<LONG>(number), ""};
}

JsonRead<GeData> ReadVector(const Json& value, const std::string& path) {
  double xyz[3];
  const Status read = ReadNumberArray(value, path, 3, xyz);
  if (!read.Ok()) return {GeData(), read.error};
  return {GeData(Vector(xyz[0], xyz[1], xyz[2])), ""};
}

JsonRead<GeData> ReadLong(const Json& value, const std::string& path) {
  const JsonRead<LLONG> number = ReadWholeNumber(value, path, std::numeric_limits<LONG>::min(),
                                                 std::numeric_limits<LONG>::max());
  if (!number.Ok()) return {GeData(), number.error};
  return {GeData(static_cast<LONG>(number.value)), ""};
}

JsonRead<GeData> ReadTypedMember(const std::string& type, const Json& value,
                                 const std::string& path, int depth) {
  if (type == "long") return ReadLong(value, path);
  if (type == "vector") return ReadVector(value, path);
  if (type == "bool") {
    const JsonRead<bool> truth = ReadTruth(value, path);
    return {truth.Ok() ? GeData(truth.value) : GeData(), truth.error};
  }
  if (type == "real") {
    const JsonRead<double> real = ReadFiniteNumber(value, path);
    return {real.Ok() ? GeData(real.value) : GeData(), real.error};
  }
  if (type == "string" || type == "filename") {
    const JsonRead<std::string> text = ReadText(value, path);
    if (!text.Ok()) return {GeData(), text.error};
    return {type == "string" ? GeData(String(text.value)) : GeData(Filename(String(text.value))),
            ""};
  }
  BaseContainer sub;
  const Status read = ReadContainerAt(value, path, depth + 1, sub);
  return {read.Ok() ? GeData(sub) : GeData(), read.error};
}

JsonRead<GeData> ReadTypedValueAt(const Json& value, const std::string& path, int depth) {
  static const char* const kTypes = "bool, long, real, string, filename, vector or container";
  if (!value.is_object() || value.size() != 1)
    return {GeData(),
            JsonFault(path, std::string("expected an object with one member: ") + kTypes).error};
  const std::string& type = value.begin().key();
  for (const char* known : {"bool", "long", "real", "string", "filename", "vector", "container"})
    if (type == known)
      return ReadTypedMember(type, value.begin().value(), MemberPath(path, type), depth);
  return {GeData(),
          JsonFault(MemberPath(path, type), std::string("unknown type (expected ") + kTypes + ")")
              .error};
}

Status ReadContainerAt(const Json& value, const std::string& path, int depth, BaseContainer& out) {
  if (!value.is_object()) return JsonFault(path, "expected an object of entries");
  if (depth > kMaxContainerDepth)
    return JsonFault(path, "containers nested deeper than " + std::to_string(kMaxContainerDepth));
  for (const auto& entry : value.items()) {
    const std::string entryPath = MemberPath(path, entry.key());
    const JsonRead<LONG> id = ReadEntryId(entry.key(), entryPath);
    if (!id.Ok()) return {id.error};
    const JsonRead<GeData> data = ReadTypedValueAt(entry.value(), entryPath, depth);
    if (!data.Ok()) return {data.error};
    out.SetData(id.value, data.value);
  }
  return {};
}

Status WriteFinite(double value, const std::string& path, Json& out) {
  if (!std::isfinite(value)) return JsonFault(path, "a number that is not finite");
  out = value;
  return {};
}

Status WriteText(const std::string& text, const std::string& path, Json& out) {
  if (!IsUtf8(text)) return JsonFault(path, "text that is not valid UTF-8");
  out = text;
  return {};
}

Status WriteVector(const Vector& vector, const std::string& path, Json& out) {
  out = Json::array();
  for (double component : {vector.x, vector.y, vector.z}) {
    Json number;
    const Status written = WriteFinite(component, path, number);
    if (!written.Ok()) return written;
    out.push_back(number);
  }
  return {};
}

Status WriteTypedMember(const GeData& data, const std::string& path, Json& member,
                        const char*& type) {
  switch (data.GetType()) {
    case DA_LONG:
      type = data.IsBool() ? "bool" : "long";
      member = data.IsBool() ? Json(data.GetBool() != FALSE) : Json(data.GetLong());
      return {};
    case DA_REAL:
      type = "real";
      return WriteFinite(data.GetReal(), MemberPath(path, type), member);
    case DA_STRING:
      type = "string";
      return WriteText(data.GetString().ToUtf8(), MemberPath(path, type), member);
    case DA_FILENAME:
      type = "filename";
      return WriteText(data.GetFilename().GetString().ToUtf8(), MemberPath(path, type), member);
    case DA_VECTOR:
      type = "vector";
      return WriteVector(data.GetVector(), MemberPath(path, type), member);
    case DA_CONTAINER:
      type = "container";
      return WriteContainer(*data.GetContainer(), MemberPath(path, type), member);
  }
  return JsonFault(
      path, "a value of type " + std::to_string(data.GetType()) + " that scene files cannot hold");
}

}  // namespace

Status ReadContainer(const Json& value, const std::string& path, BaseContainer& out) {
  return ReadContainerAt(value, path, 0, out);
}

JsonRead<GeData> ReadTypedValue(const Json& value, const std::string& path) {
  return ReadTypedValueAt(value, path, 0);
}

Status WriteContainer(const BaseContainer& container, const std::string& path, Json& out) {
  out = Json::object();
  for (LONG index = 0; index < container.GetEntryCount(); ++index) {
    const LONG id = container.GetIndexId(index);
    const std::string name = std::to_string(id);
    const GeData* data = container.GetDataPointer(id);
    if (!data) return JsonFault(MemberPath(path, name), "an entry that could not be read");
    Json typed;
    const Status written = WriteTypedValue(*data, MemberPath(path, name), typed);
    if (!written.Ok()) return written;
    out[name] = std::move(typed);
  }
  return {};
}

Status WriteTypedValue(const GeData& data, const std::string& path, Json& out) {
  Json member;
  const char* type = nullptr;
  const Status written = WriteTypedMember(data, path, member, type);
  if (!written.Ok()) return written;
  out = Json::object();
  out[type] = std::move(member);
  return {};
}
