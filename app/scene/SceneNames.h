// The names scene files give to units and interpolations, and the ids of tracks read from files.
#ifndef THINFOLD_SCENE_NAMES_H
#define THINFOLD_SCENE_NAMES_H

#include <string>

#include "c4d.h"

// Tracks read from files get the ids kFirstTrackId, kFirstTrackId + 1, ... in file order, so
// that InsertTrackSorted keeps the file's order.
constexpr LONG kFirstTrackId = 1000;

// "real", "distance", "degree", "percent"; null for any other unit.
const char* UnitName(LONG unit);
// FALSE for an unknown name (unit is left unchanged then).
bool UnitFromName(const std::string& name, LONG& unit);

// "spline", "linear", "step"; null for any other value.
const char* InterpolationName(CINTERPOLATION interpolation);
bool InterpolationFromName(const std::string& name, CINTERPOLATION& interpolation);

#endif
