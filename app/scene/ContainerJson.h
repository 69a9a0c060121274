// Data containers and typed values in scene files. A container is a JSON object whose member
// names are decimal entry ids and whose values are typed values; a typed value is an object with
// exactly one member: bool, long, real, string, filename, vector ([x, y, z]) or container.
#ifndef THINFOLD_CONTAINER_JSON_H
#define THINFOLD_CONTAINER_JSON_H

#include <string>

#include "JsonSupport.h"
#include "c4d.h"

// Reading fails (with the path of the fault) for a bad id, an unknown type or a wrong value.
// The entries go into out, which keeps the entries read before a fault.
Status ReadContainer(const Json& value, const std::string& path, BaseContainer& out);
JsonRead<GeData> ReadTypedValue(const Json& value, const std::string& path);

// Writing fails for entries a scene file cannot hold: times, empty values, non-finite reals and
// text that is not UTF-8.
Status WriteContainer(const BaseContainer& container, const std::string& path, Json& out);
Status WriteTypedValue(const GeData& data, const std::string& path, Json& out);

#endif
