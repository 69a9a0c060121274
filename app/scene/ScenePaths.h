// Paths of scene elements: an object by the names from the top (`Parent/Child`), a tag as
// `ObjectPath:TagName`, a material as `@Name`. Names need not be unique: a path stands for the
// first element in document order that has it.
#ifndef THINFOLD_SCENE_PATHS_H
#define THINFOLD_SCENE_PATHS_H

#include <string>
#include <unordered_map>
#include <vector>

#include "c4d.h"

struct SceneElement {
  BaseList2D* element;
  std::string path;
};

// Document order: each object, then its tags, then its subtree, then the next sibling; then the
// materials.
std::vector<SceneElement> ListSceneElements(const BaseDocument& doc);

// The first element of each path.
std::unordered_map<std::string, BaseList2D*> IndexFirstByPath(
    const std::vector<SceneElement>& elements);

#endif
