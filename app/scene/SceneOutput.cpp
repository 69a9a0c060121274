// The files the thinfold program writes a document to.
#include "SceneOutput.h"

#include "BvhWriter.h"
#include "SceneInput.h"
#include "SceneWriter.h"
#include "TextFile.h"

namespace {

struct FormatEntry {
  OutputFormat format;
  const char* name;  // as --format takes it; the extension is "." and the name
};
constexpr FormatEntry kFormats[] = {{OutputFormat::kScene, "json"}, {OutputFormat::kBvh, "bvh"}};

}  // namespace

std::optional<OutputFormat> OutputFormatOf(const std::string& path) {
  for (const FormatEntry& entry : kFormats)
    if (HasExtension(path, std::string(".") + entry.name)) return entry.format;
  return std::nullopt;
}

std::optional<OutputFormat> OutputFormatNamed(const std::string& name) {
  for (const FormatEntry& entry : kFormats)
    if (name == entry.name) return entry.format;
  return std::nullopt;
}

std::string ExtensionOf(OutputFormat format) {
  for (const FormatEntry& entry : kFormats)
    if (entry.format == format) return std::string(".") + entry.name;
  return std::string();
}

std::string UnknownFormatMessage(const std::string& path) {
  return path + ": no output format for its extension: name it .json (a scene file) or .bvh (BVH)";
}

SceneWriteResult WriteDocumentText(const BaseDocument& doc, OutputFormat format) {
  return format == OutputFormat::kBvh ? WriteBvhText(doc) : WriteSceneText(doc);
}

SceneWriteResult WriteDocumentFile(const BaseDocument& doc, const std::string& path,
                                   OutputFormat format) {
  SceneWriteResult result = WriteDocumentText(doc, format);
  if (!result.error.empty()) {
    result.error = path + ": " + result.error;
    return result;
  }
  const Status written = WriteTextFileAtomically(path, result.text);
  if (!written.Ok()) return {"", written.error};
  return result;
}
