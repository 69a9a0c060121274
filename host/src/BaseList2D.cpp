// Named elements with a data container, a layer reference and animation tracks.
#include "AtomRegistry.h"
#include "c4d_basedocument.h"
#include "c4d_canimation.h"
#include "c4d_debug.h"

BaseList2D::~BaseList2D() {
  atomregistry::Unregister(GetAtomId());
  FreeTracks();
}

void BaseList2D::InsertTrackSorted(CTrack* track) {
  DebugAssert(track != nullptr);
  if (!track) return;
  track->Remove();
  CTrack* pred = nullptr;
  for (CTrack* at = _firstTrack; at && !(track->_descId < at->_descId); at = at->_next) pred = at;
  track->_owner = this;
  track->_pred = pred;
  track->_next = pred ? pred->_next : _firstTrack;
  if (track->_next) track->_next->_pred = track;
  if (pred)
    pred->_next = track;
  else
    _firstTrack = track;
}

LayerObject* BaseList2D::GetLayerObject(BaseDocument* doc) const {
  auto lock = atomregistry::ReadLock();
  auto* layer = dynamic_cast<LayerObject*>(atomregistry::Find(_layerId));
  if (!layer || (doc && layer->GetDocument() != doc)) return nullptr;
  return layer;
}

void BaseList2D::SetLayerObject(LayerObject* layer) { _layerId = layer ? layer->GetAtomId() : 0; }

const LayerData* BaseList2D::GetLayerData(BaseDocument* doc, Bool) const {
  const LayerObject* layer = GetLayerObject(doc);
  return layer ? &layer->GetData() : nullptr;
}

void BaseList2D::CopyBaseTo(BaseList2D* dst) const {
  if (!dst || dst == this) return;
  dst->_name = _name;
  dst->_data = _data;
  dst->_layerId = _layerId;
  dst->FreeTracks();
  CTrack* last = nullptr;
  // Appended in this element's order, so walks of the copy meet the tracks in the same order.
  for (const CTrack* track = _firstTrack; track; track = track->_next) {
    auto* copy = static_cast<CTrack*>(track->GetClone());
    if (!copy) continue;
    copy->_owner = dst;
    copy->_pred = last;
    if (last)
      last->_next = copy;
    else
      dst->_firstTrack = copy;
    last = copy;
  }
}

void BaseList2D::FreeTracks() {
  while (_firstTrack) {
    CTrack* track = _firstTrack;
    CTrack::Free(track);
  }
}
