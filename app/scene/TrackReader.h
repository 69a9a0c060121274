// Reading the tracks of a scene element: name, category, unit, data container and keys.
#ifndef THINFOLD_TRACK_READER_H
#define THINFOLD_TRACK_READER_H

#include <string>

#include "JsonSupport.h"
#include "c4d.h"

// Reads the "tracks" array at path onto owner, in file order; fps turns frames into times.
// On a fault, the tracks read before it stay on owner.
Status ReadTracks(const Json& tracks, const std::string& path, LONG fps, BaseList2D& owner);

#endif
