// Paths of scene elements in document order.
#include "ScenePaths.h"

namespace {

// prefix is empty at the top and "ParentPath/" below.
void ListObjects(BaseObject* first, const std::string& prefix,
                 std::vector<SceneElement>& elements) {
  for (BaseObject* object = first; object; object = object->GetNext()) {
    const std::string path = prefix + object->GetName().ToUtf8();
    elements.push_back({object, path});
    for (BaseTag* tag = object->GetFirstTag(); tag; tag = tag->GetNext())
      elements.push_back({tag, path + ":" + tag->GetName().ToUtf8()});
    ListObjects(object->GetDown(), path + "/", elements);
  }
}

}  // namespace

std::vector<SceneElement> ListSceneElements(const BaseDocument& doc) {
  std::vector<SceneElement> elements;
  ListObjects(doc.GetFirstObject(), "", elements);
  for (BaseMaterial* material = doc.GetFirstMaterial(); material; material = material->GetNext())
    elements.push_back({material, "@" + material->GetName().ToUtf8()});
  return elements;
}

std::unordered_map<std::string, BaseList2D*> IndexFirstByPath(
    const std::vector<SceneElement>& elements) {
  std::unordered_map<std::string, BaseList2D*> index;
  for (const SceneElement& element : elements) index.emplace(element.path, element.element);
  return index;
}
