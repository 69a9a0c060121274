// Opening the input of the thinfold program: a BVH file (by its .bvh extension) or a scene file.
#ifndef THINFOLD_SCENE_INPUT_H
#define THINFOLD_SCENE_INPUT_H

#include <string>

#include "BvhReader.h"
#include "SceneDocument.h"

// True for a path ending in extension (".bvh"), in any letter case.
bool HasExtension(const std::string& path, const std::string& extension);
// True for a path ending in ".bvh" (any letter case).
bool IsBvhPath(const std::string& path);

// Reads a BVH or scene file; import applies to BVH input only.
SceneReadResult ReadInputFile(const std::string& path, const BvhImport& import = {});

#endif
