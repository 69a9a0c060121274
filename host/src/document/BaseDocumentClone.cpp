// Deep copies of documents. The copy is built in the original's order; afterwards both documents
// are walked side by side to point the copy's layer references and selection at its own atoms.
#include <unordered_map>
#include <vector>

#include "c4d_basedocument.h"

namespace {

void CollectObjects(BaseObject* object, std::vector<BaseList2D*>& elements) {
  for (; object; object = object->GetNext()) {
    elements.push_back(object);
    for (BaseTag* tag = object->GetFirstTag(); tag; tag = tag->GetNext()) elements.push_back(tag);
    CollectObjects(object->GetDown(), elements);
  }
}

// Every element of the document in walk order: objects with their tags depth first, then
// materials, then layers.
std::vector<BaseList2D*> CollectElements(const BaseDocument* doc) {
  std::vector<BaseList2D*> elements;
  CollectObjects(doc->GetFirstObject(), elements);
  for (BaseMaterial* material = doc->GetFirstMaterial(); material; material = material->GetNext())
    elements.push_back(material);
  if (GeListHead* root = doc->GetLayerObjectRoot())
    for (LayerObject* layer = root->GetFirst(); layer; layer = layer->GetNext())
      elements.push_back(layer);
  return elements;
}

using AtomMap = std::unordered_map<const C4DAtom*, BaseList2D*>;

AtomMap PairElements(const BaseDocument* source, BaseDocument* copy) {
  const std::vector<BaseList2D*> from = CollectElements(source);
  const std::vector<BaseList2D*> to = CollectElements(copy);
  AtomMap map;
  for (size_t i = 0; i < from.size() && i < to.size(); ++i) map[from[i]] = to[i];
  map[source] = copy;
  return map;
}

void MapLayers(const BaseDocument* source, const AtomMap& map) {
  BaseDocument* doc = const_cast<BaseDocument*>(source);
  for (const auto& [original, copy] : map) {
    const auto* element = static_cast<const BaseList2D*>(original);
    LayerObject* layer = element->GetLayerObject(doc);
    auto found = layer ? map.find(layer) : map.end();
    copy->SetLayerObject(found != map.end() ? static_cast<LayerObject*>(found->second) : nullptr);
  }
}

void MapSelection(const BaseDocument* source, BaseDocument* copy, const AtomMap& map) {
  AtomArray* selection = AtomArray::Alloc();
  if (!selection) return;
  source->GetSelection(*selection);
  copy->SetActiveObject(nullptr, SELECTION_NEW);
  for (LONG i = 0; i < selection->GetCount(); ++i) {
    auto found = map.find(selection->GetIndex(i));
    if (found == map.end()) continue;
    if (auto* object = dynamic_cast<BaseObject*>(found->second))
      copy->SetActiveObject(object, SELECTION_ADD);
    else if (auto* tag = dynamic_cast<BaseTag*>(found->second))
      copy->SetActiveTag(tag, SELECTION_ADD);
  }
  source->GetActiveMaterials(*selection);
  copy->SetActiveMaterial(nullptr, SELECTION_NEW);
  for (LONG i = 0; i < selection->GetCount(); ++i) {
    auto found = map.find(selection->GetIndex(i));
    if (found != map.end())
      copy->SetActiveMaterial(dynamic_cast<BaseMaterial*>(found->second), SELECTION_ADD);
  }
  AtomArray::Free(selection);
}

}  // namespace

C4DAtom* BaseDocument::GetClone(LONG flags, AliasTrans* trn) const {
  BaseDocument* copy = Alloc();
  if (copy && !CopyTo(copy, flags, trn)) Free(copy);
  return copy;
}

Bool BaseDocument::CopyTo(C4DAtom* dst, LONG flags, AliasTrans* trn) const {
  auto* target = dynamic_cast<BaseDocument*>(dst);
  if (!target || target == this) return FALSE;
  while (target->_firstObject) {
    BaseObject* object = target->_firstObject;
    BaseObject::Free(object);
  }
  while (target->_firstMaterial) {
    BaseMaterial* material = target->_firstMaterial;
    BaseMaterial::Free(material);
  }
  target->RemoveLayerObjectRoot();
  target->_fps = _fps;
  target->_changed = _changed;
  CopyBaseTo(target);
  if (!CopyContent(target, flags, trn)) return FALSE;
  try {
    const AtomMap map = PairElements(this, target);
    MapLayers(this, map);
    MapSelection(this, target, map);
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

Bool BaseDocument::CopyContent(BaseDocument* target, LONG flags, AliasTrans* trn) const {
  if (_layerRoot) {
    target->_layerRoot = new (std::nothrow) GeListHead;
    if (!target->_layerRoot) return FALSE;
    target->_layerRoot->_doc = target;
    for (const LayerObject* layer = _layerRoot->GetFirst(); layer; layer = layer->GetNext()) {
      auto* copy = static_cast<LayerObject*>(layer->GetClone(flags, trn));
      if (!copy) return FALSE;
      target->_layerRoot->InsertLast(copy);
    }
  }
  BaseObject* lastObject = nullptr;
  for (const BaseObject* object = _firstObject; object; object = object->GetNext()) {
    auto* copy = static_cast<BaseObject*>(object->GetClone(flags, trn));
    if (!copy) return FALSE;
    target->InsertObject(copy, nullptr, lastObject);
    lastObject = copy;
  }
  BaseMaterial* lastMaterial = nullptr;
  for (const BaseMaterial* material = _firstMaterial; material; material = material->GetNext()) {
    auto* copy = static_cast<BaseMaterial*>(material->GetClone(flags, trn));
    if (!copy) return FALSE;
    target->InsertMaterial(copy, lastMaterial);
    lastMaterial = copy;
  }
  return TRUE;
}
