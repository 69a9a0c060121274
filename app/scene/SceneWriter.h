// Writing host documents as scene files. Writing round-trips: reading a written file and
// writing it again gives the same bytes. Never throws.
#ifndef THINFOLD_SCENE_WRITER_H
#define THINFOLD_SCENE_WRITER_H

#include <string>

#include "SceneDocument.h"

// The document as scene text, or an error naming the JSON path of a value that a scene file
// cannot hold (a non-finite number, text that is not UTF-8, a time entry, ...).
SceneWriteResult WriteSceneText(const BaseDocument& doc);
// Writes the scene text to path atomically; on error nothing is written and the error starts
// with the path.
SceneWriteResult WriteSceneFile(const BaseDocument& doc, const std::string& path);

#endif
