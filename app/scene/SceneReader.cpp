// Reading scene files: header, layers, objects with tags and children, materials, selection.
#include "SceneReader.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <new>
#include <vector>

#include "JointJson.h"
#include "JsonSupport.h"
#include "PrintableText.h"
#include "ScenePaths.h"
#include "TextFile.h"
#include "TrackReader.h"

namespace {

// Deeper object nesting is refused, so hostile files cannot exhaust the stack.
constexpr int kMaxObjectDepth = 256;

struct SceneBuild {
  BaseDocument& doc;
  JsonFaults& faults;
  LONG fps;
  std::vector<LayerObject*> layers;
  // Elements whose "selected" flag is set, in document order.
  std::vector<BaseList2D*> flagged;
};

bool ReadHeader(const JsonObject& scene, SceneBuild& build) {
  std::string format;
  LLONG version = 0, fps = 0;
  if (!scene.Text("format", format, Need::kRequired)) return false;
  if (format != "thinfold-scene") return build.faults.Fail("format", "expected \"thinfold-scene\"");
  if (!scene.WholeNumber("version", 1, 1, version, Need::kRequired) ||
      !scene.WholeNumber("fps", 1, std::numeric_limits<LONG>::max(), fps, Need::kRequired))
    return false;
  build.fps = static_cast<LONG>(fps);
  build.doc.SetFps(build.fps);
  return true;
}

bool ReadColor(const JsonObject& layer, Vector& color) {
  const Json* value = layer.Find("color");
  double rgb[3] = {0.0, 0.0, 0.0};
  if (!value) return true;
  if (!ReadNumberArray(*value, layer.PathOf("color"), 3, rgb, layer.Faults())) return false;
  for (int i = 0; i < 3; ++i)
    if (rgb[i] < 0.0 || rgb[i] > 1.0)
      return layer.Faults().Fail(IndexPath(layer.PathOf("color"), i), "expected a number in 0..1");
  color = Vector(rgb[0], rgb[1], rgb[2]);
  return true;
}

bool ReadLayer(const Json& json, const std::string& path, SceneBuild& build) {
  const JsonObject layer(json, path, build.faults);
  std::string name;
  LayerData data;
  if (!layer.Check({"name", "color"}) || !layer.Text("name", name, Need::kRequired) ||
      !ReadColor(layer, data.color))
    return false;
  GeListHead* root = build.doc.GetLayerObjectRoot();
  LayerObject* made = root ? LayerObject::Alloc() : nullptr;
  if (!made) return build.faults.Fail(path, "the layer could not be made");
  root->InsertLast(made);
  made->SetName(String(name));
  made->SetLayerData(data);
  build.layers.push_back(made);
  return true;
}

bool ReadFlag(const JsonObject& json, BaseList2D* element, SceneBuild& build) {
  bool selected = false;
  if (!json.Truth("selected", selected, Need::kOptional)) return false;
  if (selected) build.flagged.push_back(element);
  return true;
}

bool ReadLayerReference(const JsonObject& json, BaseList2D& element, SceneBuild& build) {
  if (!json.Find("layer")) return true;
  if (build.layers.empty())
    return build.faults.Fail(json.PathOf("layer"), "the scene has no layers");
  LLONG index = 0;
  if (!json.WholeNumber("layer", 0, static_cast<LLONG>(build.layers.size()) - 1, index,
                        Need::kRequired))
    return false;
  element.SetLayerObject(build.layers[static_cast<std::size_t>(index)]);
  return true;
}

bool ReadTrackList(const JsonObject& json, BaseList2D& element, SceneBuild& build) {
  const Json* tracks = nullptr;
  if (!json.Array("tracks", tracks, Need::kOptional)) return false;
  return !tracks || ReadTracks(*tracks, json.PathOf("tracks"), build.fps, element, build.faults);
}

bool ReadTag(const Json& json, const std::string& path, BaseObject& object, BaseTag*& pred,
             SceneBuild& build) {
  const JsonObject member(json, path, build.faults);
  std::string name;
  if (!member.Check({"name", "selected", "tracks"}) || !member.Text("name", name, Need::kRequired))
    return false;
  BaseTag* tag = BaseTag::Alloc();
  if (!tag) return build.faults.Fail(path, "the tag could not be made");
  object.InsertTag(tag, pred);
  pred = tag;
  tag->SetName(String(name));
  return ReadFlag(member, tag, build) && ReadTrackList(member, *tag, build);
}

bool ReadObjects(const Json& objects, const std::string& path, BaseObject* parent, int depth,
                 SceneBuild& build);

bool ReadTagsAndChildren(const JsonObject& member, BaseObject& object, int depth,
                         SceneBuild& build) {
  const Json* tags = nullptr;
  const Json* children = nullptr;
  if (!member.Array("tags", tags, Need::kOptional) ||
      !member.Array("children", children, Need::kOptional))
    return false;
  BaseTag* pred = nullptr;
  for (std::size_t i = 0; tags && i < tags->size(); ++i)
    if (!ReadTag((*tags)[i], IndexPath(member.PathOf("tags"), i), object, pred, build))
      return false;
  if (!children || children->empty()) return true;
  if (depth >= kMaxObjectDepth)
    return build.faults.Fail(member.PathOf("children"),
                             "objects nested deeper than " + std::to_string(kMaxObjectDepth));
  return ReadObjects(*children, member.PathOf("children"), &object, depth + 1, build);
}

bool ReadObject(const Json& json, const std::string& path, BaseObject* parent, BaseObject*& pred,
                int depth, SceneBuild& build) {
  const JsonObject member(json, path, build.faults);
  std::string name;
  if (!member.Check({"name", "layer", "joint", "selected", "tracks", "tags", "children"}) ||
      !member.Text("name", name, Need::kRequired))
    return false;
  BaseObject* object = BaseObject::Alloc();
  if (!object) return build.faults.Fail(path, "the object could not be made");
  build.doc.InsertObject(object, parent, pred);
  pred = object;
  object->SetName(String(name));
  return ReadLayerReference(member, *object, build) && ReadJointMember(member, *object) &&
         ReadFlag(member, object, build) && ReadTrackList(member, *object, build) &&
         ReadTagsAndChildren(member, *object, depth, build);
}

bool ReadObjects(const Json& objects, const std::string& path, BaseObject* parent, int depth,
                 SceneBuild& build) {
  BaseObject* pred = nullptr;
  for (std::size_t i = 0; i < objects.size(); ++i)
    if (!ReadObject(objects[i], IndexPath(path, i), parent, pred, depth, build)) return false;
  return true;
}

bool ReadMaterial(const Json& json, const std::string& path, BaseMaterial*& pred,
                  SceneBuild& build) {
  const JsonObject member(json, path, build.faults);
  std::string name;
  if (!member.Check({"name", "selected", "tracks"}) || !member.Text("name", name, Need::kRequired))
    return false;
  BaseMaterial* material = BaseMaterial::Alloc();
  if (!material) return build.faults.Fail(path, "the material could not be made");
  build.doc.InsertMaterial(material, pred);
  pred = material;
  material->SetName(String(name));
  return ReadFlag(member, material, build) && ReadTrackList(member, *material, build);
}

void Select(BaseDocument& doc, BaseList2D* element) {
  if (element->IsInstanceOf(Obase))
    doc.SetActiveObject(static_cast<BaseObject*>(element), SELECTION_ADD);
  else if (element->IsInstanceOf(Tbase))
    doc.SetActiveTag(static_cast<BaseTag*>(element), SELECTION_ADD);
  else if (element->IsInstanceOf(Mbase))
    doc.SetActiveMaterial(static_cast<BaseMaterial*>(element), SELECTION_ADD);
}

// The elements the "selection" paths name, in their order.
bool ListSelection(const Json& selection, SceneBuild& build, std::vector<BaseList2D*>& chosen) {
  const auto byPath = IndexFirstByPath(ListSceneElements(build.doc));
  for (std::size_t i = 0; i < selection.size(); ++i) {
    std::string path;
    const std::string where = IndexPath("selection", i);
    if (!ReadText(selection[i], where, path, build.faults)) return false;
    const auto found = byPath.find(path);
    if (found == byPath.end())
      return build.faults.Fail(
          where, "no object, tag or material has the path \"" + Printable(path) + "\"");
    chosen.push_back(found->second);
  }
  return true;
}

// The host drops a selection it finds no memory for; the document would not be the file's.
bool CheckSelected(const BaseDocument& doc, std::vector<BaseList2D*> chosen, JsonFaults& faults) {
  std::sort(chosen.begin(), chosen.end());
  const auto distinct = std::unique(chosen.begin(), chosen.end()) - chosen.begin();
  AutoAlloc<AtomArray> selected;
  if (!selected) return faults.FailWithoutPath("out of memory");
  doc.GetSelection(*selected);
  LONG count = selected->GetCount();
  selected->Flush();
  doc.GetActiveMaterials(*selected);
  count += selected->GetCount();
  return count == distinct || faults.FailWithoutPath("out of memory");
}

// Without "selection" the "selected" flags select, in document order.
bool ApplySelection(const JsonObject& scene, SceneBuild& build) {
  const Json* selection = nullptr;
  if (!scene.Array("selection", selection, Need::kOptional)) return false;
  std::vector<BaseList2D*> chosen = build.flagged;
  if (selection) {
    chosen.clear();
    if (!ListSelection(*selection, build, chosen)) return false;
  }
  for (BaseList2D* element : chosen) Select(build.doc, element);
  return CheckSelected(build.doc, std::move(chosen), build.faults);
}

bool ReadElementLists(const JsonObject& scene, SceneBuild& build) {
  const Json* layers = nullptr;
  const Json* objects = nullptr;
  const Json* materials = nullptr;
  if (!scene.Array("layers", layers, Need::kOptional) ||
      !scene.Array("objects", objects, Need::kOptional) ||
      !scene.Array("materials", materials, Need::kOptional))
    return false;
  for (std::size_t i = 0; layers && i < layers->size(); ++i)
    if (!ReadLayer((*layers)[i], IndexPath("layers", i), build)) return false;
  if (objects && !ReadObjects(*objects, "objects", nullptr, 0, build)) return false;
  BaseMaterial* pred = nullptr;
  for (std::size_t i = 0; materials && i < materials->size(); ++i)
    if (!ReadMaterial((*materials)[i], IndexPath("materials", i), pred, build)) return false;
  return true;
}

bool ReadScene(const Json& json, BaseDocument& doc, JsonFaults& faults) {
  const JsonObject scene(json, "", faults);
  SceneBuild build{doc, faults, doc.GetFps(), {}, {}};
  return scene.Check({"format", "version", "fps", "layers", "objects", "materials", "selection"}) &&
         ReadHeader(scene, build) && ReadElementLists(scene, build) && ApplySelection(scene, build);
}

}  // namespace

SceneReadResult ReadSceneText(const std::string& text) {
  try {
    JsonFaults faults;
    JsonTree json;
    if (!ParseJsonStrict(text, json.value, faults)) return {nullptr, faults.Message()};
    DocumentPtr doc(BaseDocument::Alloc());
    if (!doc) return {nullptr, "out of memory"};
    if (!ReadScene(json.value, *doc, faults)) return {nullptr, faults.Message()};
    return {std::move(doc), ""};
  } catch (const std::bad_alloc&) {
    return {nullptr, "out of memory"};
  } catch (const std::exception& error) {
    return {nullptr, std::string("cannot read the scene: ") + error.what()};
  }
}

SceneReadResult ReadSceneFile(const std::string& path) {
  const TextReadResult file = ReadTextFile(path);
  if (!file.error.empty()) return {nullptr, file.error};
  SceneReadResult result = ReadSceneText(file.text);
  if (!result.document) result.error = Printable(path) + ": " + result.error;
  return result;
}
