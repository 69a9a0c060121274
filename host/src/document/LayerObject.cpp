// Layers and the layer list of a document.
#include "c4d_basedocument.h"
#include "c4d_debug.h"

LayerObject* LayerObject::Alloc() { return gNew LayerObject; }

void LayerObject::Free(LayerObject*& layer) {
  if (!layer) return;
  GeListHead* root = layer->_doc ? layer->_doc->GetLayerObjectRoot() : nullptr;
  if (root) root->Unlink(layer);
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
  layer->_pred = _last;
  layer->_next = nullptr;
  (_last ? _last->_next : _first) = layer;
  _last = layer;
  layer->_doc = _doc;
}

void GeListHead::Unlink(LayerObject* layer) {
  if (layer->_pred || _first == layer) {
    (layer->_pred ? layer->_pred->_next : _first) = layer->_next;
    (layer->_next ? layer->_next->_pred : _last) = layer->_pred;
  }
  layer->_next = layer->_pred = nullptr;
}

GeListHead::~GeListHead() {
  while (_first) {
    LayerObject* layer = _first;
    Unlink(layer);
    layer->_doc = nullptr;
    LayerObject::Free(layer);
  }
}
