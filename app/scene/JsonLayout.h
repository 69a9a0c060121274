// The text layout of scene files: nested values on their own lines with two-space indents;
// keys, layers and typed values one a line; arrays of plain values on one line when they fit.
#ifndef THINFOLD_JSON_LAYOUT_H
#define THINFOLD_JSON_LAYOUT_H

#include <string>

#include "JsonSupport.h"

// The text of value with a final newline. Strings must be valid UTF-8.
std::string LayOutJson(const Json& value);

#endif
