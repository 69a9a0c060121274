// Documents: the top-level objects, materials, layers and selection of a scene.
#include <algorithm>
#include <atomic>

#include "document/AtomRegistry.h"
#include "c4d_basedocument.h"
#include "c4d_debug.h"

BaseDocument::BaseDocument()
    : BaseList2D(ID_BASE_DOCUMENT), _layerRoot(new (std::nothrow) GeListHead) {
  if (_layerRoot) _layerRoot->_doc = this;
}

BaseDocument* BaseDocument::Alloc() { return gNew BaseDocument; }

void BaseDocument::Free(BaseDocument*& doc) {
  delete doc;
  doc = nullptr;
}

BaseDocument::~BaseDocument() {
  Unregister();
  while (_firstObject) {
    BaseObject* object = _firstObject;
    BaseObject::Free(object);
  }
  while (_firstMaterial) {
    BaseMaterial* material = _firstMaterial;
    BaseMaterial::Free(material);
  }
  RemoveLayerObjectRoot();
  FreeTracks();
}

void BaseDocument::SetFps(LONG fps) {
  DebugAssert(fps > 0);
  if (fps > 0) _fps = fps;
}

void BaseDocument::InsertObject(BaseObject* op, BaseObject* parent, BaseObject* pred) {
  DebugAssert(op != nullptr);
  if (!op || op == pred) return;
  for (const BaseObject* above = parent; above; above = above->GetUp())
    if (above == op) return;
  if (parent && parent->GetDocument() != this) return;
  op->Remove();
  if (pred && (pred->_up != parent || pred->GetDocument() != this)) pred = nullptr;
  op->_up = parent;
  op->_doc = parent ? nullptr : this;
  op->_pred = pred;
  BaseObject*& first = parent ? parent->_down : _firstObject;
  op->_next = pred ? pred->_next : first;
  if (op->_next) op->_next->_pred = op;
  if (pred)
    pred->_next = op;
  else
    first = op;
}

void BaseDocument::InsertMaterial(BaseMaterial* material, BaseMaterial* pred) {
  DebugAssert(material != nullptr);
  if (!material || material == pred) return;
  material->Remove();
  if (pred && pred->_doc != this) pred = nullptr;
  material->_doc = this;
  material->_pred = pred;
  material->_next = pred ? pred->_next : _firstMaterial;
  if (material->_next) material->_next->_pred = material;
  if (pred)
    pred->_next = material;
  else
    _firstMaterial = material;
}

void BaseDocument::RemoveLayerObjectRoot() {
  delete _layerRoot;
  _layerRoot = nullptr;
}

namespace {

// Fills selection with the live elements of ids that still belong to doc.
void CollectSelected(const BaseDocument* doc, const std::vector<LLONG>& ids, AtomArray& selection) {
  selection.Flush();
  auto lock = atomregistry::ReadLock();
  for (LLONG atomId : ids) {
    auto* element = dynamic_cast<BaseList2D*>(atomregistry::Find(atomId));
    if (element && element->GetDocument() == doc) selection.Append(element);
  }
}

}  // namespace

// Applies a selection mode (new, add or remove).
void BaseDocument::ChangeSelection(Selection& selection, const BaseList2D* element, LONG mode) {
  if (mode == SELECTION_NEW) {
    selection.order.clear();
    selection.members.clear();
  }
  if (!element) return;
  const LLONG atomId = element->GetAtomId();
  if (mode == SELECTION_SUB) {
    if (selection.members.erase(atomId))
      selection.order.erase(std::find(selection.order.begin(), selection.order.end(), atomId));
    return;
  }
  try {
    if (!selection.members.insert(atomId).second) return;
    try {
      selection.order.push_back(atomId);
    } catch (...) {
      selection.members.erase(atomId);
    }
  } catch (...) {
    // Out of memory: the element stays unselected.
  }
}

void BaseDocument::GetSelection(AtomArray& selection) const {
  CollectSelected(this, _objectTagSelection.order, selection);
}

void BaseDocument::GetActiveMaterials(AtomArray& selection) const {
  CollectSelected(this, _materialSelection.order, selection);
}

void BaseDocument::SetActiveObject(BaseObject* op, LONG mode) {
  if (op && op->GetDocument() != this) return;
  ChangeSelection(_objectTagSelection, op, mode);
}

void BaseDocument::SetActiveTag(BaseTag* tag, LONG mode) {
  if (tag && tag->GetDocument() != this) return;
  ChangeSelection(_objectTagSelection, tag, mode);
}

void BaseDocument::SetActiveMaterial(BaseMaterial* material, LONG mode) {
  if (material && material->GetDocument() != this) return;
  ChangeSelection(_materialSelection, material, mode);
}

namespace {

// The active document is kept as an atom id, so a freed document is never handed out.
std::atomic<LLONG> activeDocumentId{0};

}  // namespace

BaseDocument* GetActiveDocument() {
  auto lock = atomregistry::ReadLock();
  return dynamic_cast<BaseDocument*>(atomregistry::Find(activeDocumentId.load()));
}

void SetActiveDocument(BaseDocument* doc) { activeDocumentId.store(doc ? doc->GetAtomId() : 0); }
