// The files the thinfold program writes a document to: a scene file or BVH, by the extension of
// the output's name.
#ifndef THINFOLD_SCENE_OUTPUT_H
#define THINFOLD_SCENE_OUTPUT_H

#include <optional>
#include <string>

#include "SceneDocument.h"

enum class OutputFormat { kScene, kBvh };

// By the path's extension in any letter case: ".json" a scene, ".bvh" BVH; none for another.
std::optional<OutputFormat> OutputFormatOf(const std::string& path);
// By the name --format takes: "json" or "bvh"; none for another.
std::optional<OutputFormat> OutputFormatNamed(const std::string& name);
// ".json" or ".bvh", for the names the program makes.
std::string ExtensionOf(OutputFormat format);
// What to say of a name whose extension names no format.
std::string UnknownFormatMessage(const std::string& path);

SceneWriteResult WriteDocumentText(const BaseDocument& doc, OutputFormat format);
// Writes atomically (SceneWriter.h); the error starts with the path.
SceneWriteResult WriteDocumentFile(const BaseDocument& doc, const std::string& path,
                                   OutputFormat format);

#endif
