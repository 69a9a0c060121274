// Writing the tracks of a scene element.
#ifndef THINFOLD_TRACK_WRITER_H
#define THINFOLD_TRACK_WRITER_H

#include <string>

#include "JsonSupport.h"
#include "c4d.h"

// The element's tracks in the host's order as a JSON array (path names them in faults). Key
// times take the first exact form: frame at fps, then seconds, then [numerator, denominator].
// A fault for what a scene file cannot hold (non-finite numbers, unknown units, data keys
// without data).
Status WriteTracks(const BaseList2D& owner, const std::string& path, LONG fps, Json& out);

#endif
