// Named elements with a data container, a layer reference and animation tracks.
#include "document/AtomRegistry.h"
#include "document/ListSteps.h"
#include "c4d_basedocument.h"
#include "c4d_canimation.h"
#include "c4d_debug.h"

BaseList2D::~BaseList2D() {
  Unregister();
  FreeTracks();
  delete _extras.load(std::memory_order_acquire);
}

// Made once; when two threads make them at the same time, one keeps its own.
BaseList2D::Extras& BaseList2D::MakeExtras() {
  Extras* extras = _extras.load(std::memory_order_acquire);
  if (extras) return *extras;
  auto* made = new Extras;
  if (_extras.compare_exchange_strong(extras, made, std::memory_order_acq_rel)) return *made;
  delete made;
  return *extras;
}

String BaseList2D::GetName() const {
  const Extras* extras = FindExtras();
  return extras ? extras->name : String();
}

void BaseList2D::SetName(const String& name) {
  if (name.Content() || FindExtras()) MakeExtras().name = name;
}

BaseContainer* BaseList2D::GetDataInstance() { return &MakeExtras().data; }

const BaseContainer* BaseList2D::GetDataInstance() const {
  static const BaseContainer kNoData;
  const Extras* extras = FindExtras();
  return extras ? &extras->data : &kNoData;
}

void BaseList2D::SetData(const BaseContainer& data) {
  if (data != BaseContainer() || FindExtras()) MakeExtras().data = data;
}

CTrack* BaseList2D::GetFirstCTrack() const {
  const Extras* extras = FindExtras();
  return extras ? extras->firstTrack : nullptr;
}

void BaseList2D::InsertTrackSorted(CTrack* track) {
  DebugAssert(track != nullptr);
  if (!track) return;
  track->Remove();
  Extras& extras = MakeExtras();
  // The walk goes from the last track back, so tracks added in id order need no walk.
  CTrack* pred = extras.lastTrack;
  LLONG steps = 0;
  for (; pred && track->_descId < pred->_descId; ++steps) pred = pred->_pred;
  CountListSteps(steps);
  track->_owner = this;
  track->_pred = pred;
  track->_next = pred ? pred->_next : extras.firstTrack;
  if (track->_next)
    track->_next->_pred = track;
  else
    extras.lastTrack = track;
  if (pred)
    pred->_next = track;
  else
    extras.firstTrack = track;
}

LayerObject* BaseList2D::GetLayerObject(BaseDocument* doc) const {
  const Extras* extras = FindExtras();
  if (!extras || extras->layerId == 0) return nullptr;
  auto lock = atomregistry::ReadLock();
  auto* layer = dynamic_cast<LayerObject*>(atomregistry::Find(extras->layerId));
  if (!layer || (doc && layer->GetDocument() != doc)) return nullptr;
  return layer;
}

void BaseList2D::SetLayerObject(LayerObject* layer) {
  if (layer || FindExtras()) MakeExtras().layerId = layer ? layer->GetAtomId() : 0;
}

const LayerData* BaseList2D::GetLayerData(BaseDocument* doc, Bool) const {
  const LayerObject* layer = GetLayerObject(doc);
  return layer ? &layer->GetData() : nullptr;
}

void BaseList2D::CopyBaseTo(BaseList2D* dst) const {
  if (!dst || dst == this) return;
  dst->FreeTracks();
  const Extras* extras = FindExtras();
  if (!extras) {
    if (dst->FindExtras()) dst->MakeExtras() = Extras();
    return;
  }
  Extras& target = dst->MakeExtras();
  target.name = extras->name;
  target.data = extras->data;
  target.layerId = extras->layerId;
  // Appended in this element's order, so walks of the copy meet the tracks in the same order.
  for (const CTrack* track = extras->firstTrack; track; track = track->_next) {
    auto* copy = static_cast<CTrack*>(track->GetClone());
    if (!copy) continue;
    copy->_owner = dst;
    copy->_pred = target.lastTrack;
    if (target.lastTrack)
      target.lastTrack->_next = copy;
    else
      target.firstTrack = copy;
    target.lastTrack = copy;
  }
}

void BaseList2D::FreeTracks() {
  while (CTrack* track = GetFirstCTrack()) CTrack::Free(track);
}
