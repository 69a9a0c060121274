// Reading scene files (JSON) into new host documents. Reading is strict: unknown members,
// wrong types, missing required members, bad references and non-finite numbers are errors that
// name the JSON path and what was expected there. Never throws.
#ifndef THINFOLD_SCENE_READER_H
#define THINFOLD_SCENE_READER_H

#include <string>

#include "SceneDocument.h"

SceneReadResult ReadSceneText(const std::string& text);
// The same for a file; the error starts with the file's path.
SceneReadResult ReadSceneFile(const std::string& path);

#endif
