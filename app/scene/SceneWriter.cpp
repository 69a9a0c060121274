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
  JsonFaults& faults;
  std::vector<const LayerObject*> layers;
  // Selected elements written as "selected" flags, when paths cannot name them.
  std::unordered_set<const BaseList2D*> flagged;
};

bool WriteName(const BaseList2D& element, const std::string& path, Json& out, JsonFaults& faults) {
  const std::string name = element.GetName().ToUtf8();
  if (!IsUtf8(name)) return faults.Fail(MemberPath(path, "name"), "text that is not valid UTF-8");
  out["name"] = name;
  return true;
}

// Also false for NaN.
bool IsColorComponent(double value) { return value >= 0.0 && value <= 1.0; }

bool WriteLayers(SceneOutput& output, Json& out) {
  out = Json::array();
  const GeListHead* root = output.doc.GetLayerObjectRoot();
  for (const LayerObject* layer = root ? root->GetFirst() : nullptr; layer;
       layer = layer->GetNext()) {
    const std::string path = IndexPath("layers", output.layers.size());
    const Vector& color = layer->GetData().color;
    Json json = Json::object();
    if (!WriteName(*layer, path, json, output.faults)) return false;
    if (!IsColorComponent(color.x) || !IsColorComponent(color.y) || !IsColorComponent(color.z))
      return output.faults.Fail(MemberPath(path, "color"), "a colour outside 0..1");
    json["color"] = Json::array({color.x, color.y, color.z});
    out.push_back(std::move(json));
    output.layers.push_back(layer);
  }
  return true;
}

// Name, selected flag and tracks: what objects, tags and materials share.
bool WriteElement(const BaseList2D& element, const std::string& path, SceneOutput& output,
                  Json& out) {
  if (output.flagged.count(&element)) out["selected"] = true;
  if (!element.GetFirstCTrack()) return true;
  return WriteTracks(element, MemberPath(path, "tracks"), output.doc.GetFps(), out["tracks"],
                     output.faults);
}

void WriteLayerReference(const BaseObject& object, const SceneOutput& output, Json& out) {
  const LayerObject* layer = object.GetLayerObject(nullptr);
  const auto found = std::find(output.layers.begin(), output.layers.end(), layer);
  if (layer && found != output.layers.end()) out["layer"] = found - output.layers.begin();
}

bool WriteObjects(const BaseObject* first, const std::string& path, SceneOutput& output, Json& out);

bool WriteTags(const BaseObject& object, const std::string& path, SceneOutput& output, Json& out) {
  out = Json::array();
  for (const BaseTag* tag = object.GetFirstTag(); tag; tag = tag->GetNext()) {
    const std::string tagPath = IndexPath(path, out.size());
    Json json = Json::object();
    if (!WriteName(*tag, tagPath, json, output.faults) ||
        !WriteElement(*tag, tagPath, output, json))
      return false;
    out.push_back(std::move(json));
  }
  return true;
}

bool WriteObject(const BaseObject& object, const std::string& path, SceneOutput& output,
                 Json& out) {
  out = Json::object();
  if (!WriteName(object, path, out, output.faults)) return false;
  WriteLayerReference(object, output, out);
  WriteJointMember(object, out);
  if (!WriteElement(object, path, output, out)) return false;
  if (object.GetFirstTag() && !WriteTags(object, MemberPath(path, "tags"), output, out["tags"]))
    return false;
  return !object.GetDown() ||
         WriteObjects(object.GetDown(), MemberPath(path, "children"), output, out["children"]);
}

bool WriteObjects(const BaseObject* first, const std::string& path, SceneOutput& output,
                  Json& out) {
  out = Json::array();
  for (const BaseObject* object = first; object; object = object->GetNext()) {
    Json json;
    if (!WriteObject(*object, IndexPath(path, out.size()), output, json)) return false;
    out.push_back(std::move(json));
  }
  return true;
}

bool WriteMaterials(SceneOutput& output, Json& out) {
  out = Json::array();
  for (const BaseMaterial* material = output.doc.GetFirstMaterial(); material;
       material = material->GetNext()) {
    const std::string path = IndexPath("materials", out.size());
    Json json = Json::object();
    if (!WriteName(*material, path, json, output.faults) ||
        !WriteElement(*material, path, output, json))
      return false;
    out.push_back(std::move(json));
  }
  return true;
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

bool WriteScene(const BaseDocument& doc, Json& scene, JsonFaults& faults) {
  SceneOutput output{doc, faults, {}, {}};
  const Json selection = SelectionPaths(output);
  scene = Json::object();
  scene["format"] = "thinfold-scene";
  scene["version"] = 1;
  scene["fps"] = doc.GetFps();
  if (!WriteLayers(output, scene["layers"]) ||
      !WriteObjects(doc.GetFirstObject(), "objects", output, scene["objects"]) ||
      !WriteMaterials(output, scene["materials"]))
    return false;
  if (!selection.empty()) scene["selection"] = selection;
  return true;
}

}  // namespace

SceneWriteResult WriteSceneText(const BaseDocument& doc) {
  try {
    JsonFaults faults;
    JsonTree scene;
    if (!WriteScene(doc, scene.value, faults)) return {"", faults.Message()};
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
