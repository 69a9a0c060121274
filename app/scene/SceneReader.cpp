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
  LONG fps;
  std::vector<LayerObject*> layers;
  // Elements whose "selected" flag is set, in document order.
  std::vector<BaseList2D*> flagged;
};

Status ReadHeader(const JsonObject& scene, SceneBuild& build) {
  const JsonRead<std::string> format = scene.Text("format", Need::kRequired);
  if (!format.Ok()) return {format.error};
  if (format.value != "thinfold-scene") return JsonFault("format", "expected \"thinfold-scene\"");
  const JsonRead<LLONG> version = scene.WholeNumber("version", 1, 1, Need::kRequired);
  if (!version.Ok()) return {version.error};
  const JsonRead<LLONG> fps =
      scene.WholeNumber("fps", 1, std::numeric_limits<LONG>::max(), Need::kRequired);
  if (!fps.Ok()) return {fps.error};
  build.fps = static_cast<LONG>(fps.value);
  build.doc.SetFps(build.fps);
  return {};
}

// Without "color" a layer keeps the host's own colour.
JsonRead<Vector> ReadColor(const JsonObject& layer) {
  const Json* value = layer.Find("color");
  double rgb[3] = {0.0, 0.0, 0.0};
  if (!value) return {LayerData().color, ""};
  if (Status read = ReadNumberArray(*value, layer.PathOf("color"), 3, rgb); !read.Ok())
    return {Vector(), read.error};
  for (int i = 0; i < 3; ++i)
    if (rgb[i] < 0.0 || rgb[i] > 1.0)
      return {Vector(),
              JsonFault(IndexPath(layer.PathOf("color"), i), "expected a number in 0..1").error};
  return {Vector(rgb[0], rgb[1], rgb[2]), ""};
}

Status ReadLayer(const Json& json, const std::string& path, SceneBuild& build) {
  const JsonObject layer(json, path);
  if (Status read = layer.Check({"name", "color"}); !read.Ok()) return read;
  const JsonRead<std::string> name = layer.Text("name", Need::kRequired);
  if (!name.Ok()) return {name.error};
  const JsonRead<Vector> color = ReadColor(layer);
  if (!color.Ok()) return {color.error};
  GeListHead* root = build.doc.GetLayerObjectRoot();
  LayerObject* made = root ? LayerObject::Alloc() : nullptr;
  if (!made) return JsonFault(path, "the layer could not be made");
  root->InsertLast(made);
  made->SetName(String(name.value));
  LayerData data;
  data.color = color.value;
  made->SetLayerData(data);
  build.layers.push_back(made);
  return {};
}

Status ReadFlag(const JsonObject& json, BaseList2D* element, SceneBuild& build) {
  const JsonRead<bool> selected = json.Truth("selected", Need::kOptional);
  if (selected.value) build.flagged.push_back(element);
  return {selected.error};
}

Status ReadLayerReference(const JsonObject& json, BaseList2D& element, SceneBuild& build) {
  if (!json.Find("layer")) return {};
  if (build.layers.empty()) return JsonFault(json.PathOf("layer"), "the scene has no layers");
  const JsonRead<LLONG> index =
      json.WholeNumber("layer", 0, static_cast<LLONG>(build.layers.size()) - 1, Need::kRequired);
  if (!index.Ok()) return {index.error};
  element.SetLayerObject(build.layers[static_cast<std::size_t>(index.value)]);
  return {};
}

Status ReadTrackList(const JsonObject& json, BaseList2D& element, SceneBuild& build) {
  const JsonRead<const Json*> tracks = json.Array("tracks", Need::kOptional);
  if (!tracks.Ok() || !tracks.value) return {tracks.error};
  return ReadTracks(*tracks.value, json.PathOf("tracks"), build.fps, element);
}

// A tag's or material's flag and tracks.
Status ReadFlagAndTracks(const JsonObject& json, BaseList2D& element, SceneBuild& build) {
  const Status flag = ReadFlag(json, &element, build);
  if (!flag.Ok()) return flag;
  return ReadTrackList(json, element, build);
}

Status ReadTag(const Json& json, const std::string& path, BaseObject& object, BaseTag*& pred,
               SceneBuild& build) {
  const JsonObject member(json, path);
  if (Status read = member.Check({"name", "selected", "tracks"}); !read.Ok()) return read;
  const JsonRead<std::string> name = member.Text("name", Need::kRequired);
  if (!name.Ok()) return {name.error};
  BaseTag* tag = BaseTag::Alloc();
  if (!tag) return JsonFault(path, "the tag could not be made");
  object.InsertTag(tag, pred);
  pred = tag;
  tag->SetName(String(name.value));
  return ReadFlagAndTracks(member, *tag, build);
}

Status ReadObjects(const Json& objects, const std::string& path, BaseObject* parent, int depth,
                   SceneBuild& build);

Status ReadTagsAndChildren(const JsonObject& member, BaseObject& object, int depth,
                           SceneBuild& build) {
  const JsonRead<const Json*> tags = member.Array("tags", Need::kOptional);
  if (!tags.Ok()) return {tags.error};
  const JsonRead<const Json*> children = member.Array("children", Need::kOptional);
  if (!children.Ok()) return {children.error};
  BaseTag* pred = nullptr;
  for (std::size_t i = 0; tags.value && i < tags.value->size(); ++i) {
    const Status read =
        ReadTag((*tags.value)[i], IndexPath(member.PathOf("tags"), i), object, pred, build);
    if (!read.Ok()) return read;
  }
  if (!children.value || children.value->empty()) return {};
  if (depth >= kMaxObjectDepth)
    return JsonFault(member.PathOf("children"),
                     "objects nested deeper than " + std::to_string(kMaxObjectDepth));
  return ReadObjects(*children.value, member.PathOf("children"), &object, depth + 1, build);
}

// What follows an object's name, in the order its faults are found.
Status ReadObjectMembers(const JsonObject& member, BaseObject& object, int depth,
                         SceneBuild& build) {
  Status read = ReadLayerReference(member, object, build);
  if (read.Ok()) read = ReadJointMember(member, object);
  if (read.Ok()) read = ReadFlag(member, &object, build);
  if (read.Ok()) read = ReadTrackList(member, object, build);
  if (read.Ok()) read = ReadTagsAndChildren(member, object, depth, build);
  return read;
}

Status ReadObject(const Json& json, const std::string& path, BaseObject* parent, BaseObject*& pred,
                  int depth, SceneBuild& build) {
  const JsonObject member(json, path);
  if (Status read =
          member.Check({"name", "layer", "joint", "selected", "tracks", "tags", "children"});
      !read.Ok())
    return read;
  const JsonRead<std::string> name = member.Text("name", Need::kRequired);
  if (!name.Ok()) return {name.error};
  BaseObject* object = BaseObject::Alloc();
  if (!object) return JsonFault(path, "the object could not be made");
  build.doc.InsertObject(object, parent, pred);
  pred = object;
  object->SetName(String(name.value));
  return ReadObjectMembers(member, *object, depth, build);
}

Status ReadObjects(const Json& objects, const std::string& path, BaseObject* parent, int depth,
                   SceneBuild& build) {
  BaseObject* pred = nullptr;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const Status read = ReadObject(objects[i], IndexPath(path, i), parent, pred, depth, build);
    if (!read.Ok()) return read;
  }
  return {};
}

Status ReadMaterial(const Json& json, const std::string& path, BaseMaterial*& pred,
                    SceneBuild& build) {
  const JsonObject member(json, path);
  if (Status read = member.Check({"name", "selected", "tracks"}); !read.Ok()) return read;
  const JsonRead<std::string> name = member.Text("name", Need::kRequired);
  if (!name.Ok()) return {name.error};
  BaseMaterial* material = BaseMaterial::Alloc();
  if (!material) return JsonFault(path, "the material could not be made");
  build.doc.InsertMaterial(material, pred);
  pred = material;
  material->SetName(String(name.value));
  return ReadFlagAndTracks(member, *material, build);
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
JsonRead<std::vector<BaseList2D*>> ListSelection(const Json& selection, SceneBuild& build) {
  const auto byPath = IndexFirstByPath(ListSceneElements(build.doc));
  std::vector<BaseList2D*> chosen;
  for (std::size_t i = 0; i < selection.size(); ++i) {
    const std::string where = IndexPath("selection", i);
    const JsonRead<std::string> path = ReadText(selection[i], where);
    if (!path.Ok()) return {{}, path.error};
    const auto found = byPath.find(path.value);
    if (found == byPath.end())
      return {{},
              JsonFault(where,
                        "no object, tag or material has the path \"" + Printable(path.value) + "\"")
                  .error};
    chosen.push_back(found->second);
  }
  return {std::move(chosen), ""};
}

// The host drops a selection it finds no memory for; the document would not be the file's.
Status CheckSelected(const BaseDocument& doc, std::vector<BaseList2D*> chosen) {
  std::sort(chosen.begin(), chosen.end());
  const auto distinct = std::unique(chosen.begin(), chosen.end()) - chosen.begin();
  AutoAlloc<AtomArray> selected;
  if (!selected) return {"out of memory"};
  doc.GetSelection(*selected);
  LONG count = selected->GetCount();
  selected->Flush();
  doc.GetActiveMaterials(*selected);
  count += selected->GetCount();
  if (count != distinct) return {"out of memory"};
  return {};
}

// Without "selection" the "selected" flags select, in document order.
Status ApplySelection(const JsonObject& scene, SceneBuild& build) {
  const JsonRead<const Json*> selection = scene.Array("selection", Need::kOptional);
  if (!selection.Ok()) return {selection.error};
  JsonRead<std::vector<BaseList2D*>> chosen{build.flagged, ""};
  if (selection.value) chosen = ListSelection(*selection.value, build);
  if (!chosen.Ok()) return {chosen.error};
  for (BaseList2D* element : chosen.value) Select(build.doc, element);
  return CheckSelected(build.doc, std::move(chosen.value));
}

Status ReadElementLists(const JsonObject& scene, SceneBuild& build) {
  const JsonRead<const Json*> layers = scene.Array("layers", Need::kOptional);
  if (!layers.Ok()) return {layers.error};
  const JsonRead<const Json*> objects = scene.Array("objects", Need::kOptional);
  if (!objects.Ok()) return {objects.error};
  const JsonRead<const Json*> materials = scene.Array("materials", Need::kOptional);
  if (!materials.Ok()) return {materials.error};
  for (std::size_t i = 0; layers.value && i < layers.value->size(); ++i)
    if (Status read = ReadLayer((*layers.value)[i], IndexPath("layers", i), build); !read.Ok())
      return read;
  if (objects.value) {
    const Status read = ReadObjects(*objects.value, "objects", nullptr, 0, build);
    if (!read.Ok()) return read;
  }
  BaseMaterial* pred = nullptr;
  for (std::size_t i = 0; materials.value && i < materials.value->size(); ++i)
    if (Status read = ReadMaterial((*materials.value)[i], IndexPath("materials", i), pred, build);
        !read.Ok())
      return read;
  return {};
}

Status ReadScene(const Json& json, BaseDocument& doc) {
  const JsonObject scene(json, "");
  SceneBuild build{doc, doc.GetFps(), {}, {}};
  Status read =
      scene.Check({"format", "version", "fps", "layers", "objects", "materials", "selection"});
  if (read.Ok()) read = ReadHeader(scene, build);
  if (read.Ok()) read = ReadElementLists(scene, build);
  if (read.Ok()) read = ApplySelection(scene, build);
  return read;
}

}  // namespace

SceneReadResult ReadSceneText(const std::string& text) {
  try {
    JsonTree json;
    const Status parsed = ParseJsonStrict(text, json.value);
    if (!parsed.Ok()) return {nullptr, parsed.error};
    DocumentPtr doc(BaseDocument::Alloc());
    if (!doc) return {nullptr, "out of memory"};
    const Status read = ReadScene(json.value, *doc);
    if (!read.Ok()) return {nullptr, read.error};
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
