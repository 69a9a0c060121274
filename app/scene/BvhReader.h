// Reading BVH motion capture into new host documents: one object per joint (children nested),
// one value track per channel named after it (unit distance for positions, degree for
// rotations, stored in radians) and one linear key per frame. Never throws.
#ifndef THINFOLD_BVH_READER_H
#define THINFOLD_BVH_READER_H

#include <string>

#include "SceneDocument.h"

// fpsOverride 0 takes the frame rate from Frame Time, which must lie within 0.5 % of a whole
// rate; above 0 it sets the rate. Errors name the line and what was wrong.
SceneReadResult ReadBvhText(const std::string& text, LONG fpsOverride = 0);
// The same for a file; the error starts with the file's path.
SceneReadResult ReadBvhFile(const std::string& path, LONG fpsOverride = 0);

#endif
