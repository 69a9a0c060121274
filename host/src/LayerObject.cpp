// Layers and the layer list of a document.
#include "c4d_basedocument.h"
#include "c4d_debug.h"

LayerObject* LayerObject::Alloc() { return gNew LayerObject; }

void LayerObject::Free(LayerObject*& layer) {
  if (!layer) return;
  GeListHead* root = layer->_doc ? layer->_doc->GetLayerObjectRoot() : nullptr;
  if (root) {
    LayerObject** link = &root->_first;
    while (*link && *link != layer) link = &(*link)->_next;
    if (*link) *link = layer->_next;
  }
  delete layer;
  layer = nullptr;
}

C4DAtom* LayerObject::GetClone(LONG flags, AliasTrans* trn) const {
  LayerObject* copy = Alloc();
  if (copy && !CopyTo(copy, flags, trn)) Free(copy);
  return copy;
}

Bool LayerObject::CopyTo(C4DAtom* dst, LONG, AliasTrans*) const {
  auto* target = dynamic_cast<LayerObject*>(dst);
  if (!target || target == this) return FALSE;
  CopyBaseTo(target);
  target->_layerData = _layerData;
  return TRUE;
}

void GeListHead::InsertLast(LayerObject* layer) {
  DebugAssert(layer != nullptr);
  if (!layer || layer->_doc) return;
  LayerObject** link = &_first;
  while (*link) link = &(*link)->_next;
  *link = layer;
  layer->_next = nullptr;
  layer->_doc = _doc;
}

GeListHead::~GeListHead() {
  while (_first) {
    LayerObject* layer = _first;
    _first = layer->_next;
    layer->_doc = nullptr;
    LayerObject::Free(layer);
  }
}
