// Writing scene files: header, layers, objects with tags and children, materials, selection.
#include "SceneWriter.h"

#include <algorithm>
#include <exception>
#include <new>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "JointJson.h"
#include "JsonLayout.h"
#include "JsonSupport.h"
#include "PrintableText.h"
#include "ScenePaths.h"
#include "TextFile.h"
#include "TrackWriter.h"

namespace {

struct SceneOutput {
  const BaseDocument& doc;
  std::vector<const LayerObject*> layers;
  // Selected elements written as "selected" flags, when paths cannot name them.
  std::unordered_set<const BaseList2D*> flagged;
};

Status WriteName(const BaseList2D& element, const std::string& path, Json& out) {
  const std::string name = element.GetName().ToUtf8();
  if (!IsUtf8(name)) return JsonFault(MemberPath(path, "name"), "text that is not valid UTF-8");
  out["name"] = name;
  return {};
}

// Also false for NaN.
bool IsColorComponent(double value) { return value >= 0.0 && value <= 1.0; }

Status WriteLayers(SceneOutput& output, Json& out) {
  out = Json::array();
  const GeListHead* root = output.doc.GetLayerObjectRoot();
  for (const LayerObject* layer = root ? root->GetFirst() : nullptr; layer;
       layer = layer->GetNext()) {
    const std::string path = IndexPath("layers", output.layers.size());
    const Vector& color = layer->GetData().color;
    Json json = Json::object();
    if (Status written = WriteName(*layer, path, json); !written.Ok()) return written;
    if (!IsColorComponent(color.x) || !IsColorComponent(color.y) || !IsColorComponent(color.z))
      return JsonFault(MemberPath(path, "color"), "a colour outside 0..1");
    json["color"] = Json::array({color.x, color.y, color.z});
    out.push_back(std::move(json));
    output.layers.push_back(layer);
  }
  return {};
}

// Name, selected flag and tracks: what objects, tags and materials share.
Status WriteElement(const BaseList2D& element, const std::string& path, SceneOutput& output,
                    Json& out) {
  if (output.flagged.count(&element)) out["selected"] = true;
  if (!element.GetFirstCTrack()) return {};
  return WriteTracks(element, MemberPath(path, "tracks"), output.doc.GetFps(), out["tracks"]);
}

// A tag's or material's name, selected flag and tracks.
Status WriteNamedElement(const BaseList2D& element, const std::string& path, SceneOutput& output,
                         Json& out) {
  const Status named = WriteName(element, path, out);
  if (!named.Ok()) return named;
  return WriteElement(element, path, output, out);
}

void WriteLayerReference(const BaseObject& object, const SceneOutput& output, Json& out) {
  const LayerObject* layer = object.GetLayerObject(nullptr);
  const auto found = std::find(output.layers.begin(), output.layers.end(), layer);
  if (layer && found != output.layers.end()) out["layer"] = found - output.layers.begin();
}

Status WriteObjects(const BaseObject* first, const std::string& path, SceneOutput& output,
                    Json& out);

Status WriteTags(const BaseObject& object, const std::string& path, SceneOutput& output,
                 Json& out) {
  out = Json::array();
  for (const BaseTag* tag = object.GetFirstTag(); tag; tag = tag->GetNext()) {
    const std::string tagPath = IndexPath(path, out.size());
    Json json = Json::object();
    if (Status written = WriteNamedElement(*tag, tagPath, output, json); !written.Ok())
      return written;
    out.push_back(std::move(json));
  }
  return {};
}

Status WriteObject(const BaseObject& object, const std::string& path, SceneOutput& output,
                   Json& out) {
  out = Json::object();
  if (Status written = WriteName(object, path, out); !written.Ok()) return written;
  WriteLayerReference(object, output, out);
  WriteJointMember(object, out);
  if (Status written = WriteElement(object, path, output, out); !written.Ok()) return written;
  if (object.GetFirstTag()) {
    const Status written = WriteTags(object, MemberPath(path, "tags"), output, out["tags"]);
    if (!written.Ok()) return written;
  }
  if (!object.GetDown()) return {};
  return WriteObjects(object.GetDown(), MemberPath(path, "children"), output, out["children"]);
}

Status WriteObjects(const BaseObject* first, const std::string& path, SceneOutput& output,
                    Json& out) {
  out = Json::array();
  for (const BaseObject* object = first; object; object = object->GetNext()) {
    Json json;
    if (Status written = WriteObject(*object, IndexPath(path, out.size()), output, json);
        !written.Ok())
      return written;
    out.push_back(std::move(json));
  }
  return {};
}

Status WriteMaterials(SceneOutput& output, Json& out) {
  out = Json::array();
  for (const BaseMaterial* material = output.doc.GetFirstMaterial(); material;
       material = material->GetNext()) {
    const std::string path = IndexPath("materials", out.size());
    Json json = Json::object();
    if (Status written = WriteNamedElement(*material, path, output, json); !written.Ok())
      return written;
    out.push_back(std::move(json));
  }
  return {};
}

// Objects and tags in selection order, then the materials in theirs.
std::vector<const BaseList2D*> SelectedElements(const BaseDocument& doc) {
  std::vector<const BaseList2D*> selected;
  AutoAlloc<AtomArray> atoms;
  if (!atoms) return selected;
  doc.GetSelection(*atoms);
  for (LONG i = 0; i < atoms->GetCount(); ++i)
    if (const auto* element = dynamic_cast<const BaseList2D*>(atoms->GetIndex(i)))
      selected.push_back(element);
  atoms->Flush();
  doc.GetActiveMaterials(*atoms);
  for (LONG i = 0; i < atoms->GetCount(); ++i)
    if (const auto* element = dynamic_cast<const BaseList2D*>(atoms->GetIndex(i)))
      selected.push_back(element);
  return selected;
}

// The selection as paths. When a path would name another element (names repeat), the selected
// elements carry "selected" flags instead, which keeps what is selected but not the order, and
// the paths come back empty.
Json SelectionPaths(SceneOutput& output) {
  const std::vector<SceneElement> elements = ListSceneElements(output.doc);
  const auto byPath = IndexFirstByPath(elements);
  std::unordered_map<const BaseList2D*, const std::string*> pathOf;
  for (const SceneElement& element : elements) pathOf.emplace(element.element, &element.path);
  Json paths = Json::array();
  bool pathsNameThem = true;
  for (const BaseList2D* element : SelectedElements(output.doc)) {
    const auto found = pathOf.find(element);
    if (found == pathOf.end()) continue;
    pathsNameThem = pathsNameThem && byPath.at(*found->second) == element;
    output.flagged.insert(element);
    paths.push_back(*found->second);
  }
  if (!pathsNameThem) return Json::array();
  output.flagged.clear();
  return paths;
}

Status WriteScene(const BaseDocument& doc, Json& scene) {
  SceneOutput output{doc, {}, {}};
  const Json selection = SelectionPaths(output);
  scene = Json::object();
  scene["format"] = "thinfold-scene";
  scene["version"] = 1;
  scene["fps"] = doc.GetFps();
  Status written = WriteLayers(output, scene["layers"]);
  if (written.Ok())
    written = WriteObjects(doc.GetFirstObject(), "objects", output, scene["objects"]);
  if (written.Ok()) written = WriteMaterials(output, scene["materials"]);
  if (!written.Ok()) return written;
  if (!selection.empty()) scene["selection"] = selection;
  return {};
}

}  // namespace

SceneWriteResult WriteSceneText(const BaseDocument& doc) {
  try {
    JsonTree scene;
    const Status written = WriteScene(doc, scene.value);
    if (!written.Ok()) return {"", written.error};
    return {LayOutJson(scene.value), ""};
  } catch (const std::bad_alloc&) {
    return {"", "out of memory"};
  } catch (const std::exception& error) {
    return {"", std::string("cannot write the scene: ") + error.what()};
  }
}

SceneWriteResult WriteSceneFile(const BaseDocument& doc, const std::string& path) {
  SceneWriteResult result = WriteSceneText(doc);
  if (!result.error.empty()) {
    result.error = Printable(path) + ": " + result.error;
    return result;
  }
  const Status written = WriteTextFileAtomically(path, result.text);
  if (!written.Ok()) return {"", written.error};
  return result;
}
