#include "CTrackList.h"

namespace {

Bool IsGatheredCategory(const CTrack* track) {
  const LONG category = track->GetTrackCategory();
  return category == CTRACK_CATEGORY_VALUE || category == CTRACK_CATEGORY_DATA;
}

void RegisterTracks(BaseList2D* element, GeDynamicArray<CTrack*>* l) {
  DebugAssert((l) != NULL);
  if (!element || !l) return;
  for (CTrack* track = element->GetFirstCTrack(); track; track = track->GetNext()) {
    if (IsGatheredCategory(track)) l->Push(track);
  }
}

void Parse(BaseObject* object, GeDynamicArray<CTrack*>* l) {
  DebugAssert((l) != NULL);
  if (!l) return;
  for (; object; object = object->GetNext()) {
    RegisterTracks(object, l);
    for (BaseTag* tag = object->GetFirstTag(); tag; tag = tag->GetNext()) RegisterTracks(tag, l);
    Parse(object->GetDown(), l);
  }
}

void Parse(BaseMaterial* material, GeDynamicArray<CTrack*>* l) {
  DebugAssert((l) != NULL);
  if (!l) return;
  for (; material; material = material->GetNext()) RegisterTracks(material, l);
}

// Registers the selected elements that are instances of one of the two base types.
void RegisterSelected(const AtomArray& selection, LONG baseType, LONG otherBaseType,
                      GeDynamicArray<CTrack*>* l) {
  for (LONG i = 0; i < selection.GetCount(); ++i) {
    C4DAtom* atom = selection.GetIndex(i);
    if (!atom || !(atom->IsInstanceOf(baseType) || atom->IsInstanceOf(otherBaseType))) continue;
    RegisterTracks(static_cast<BaseList2D*>(atom), l);
  }
}

}  // namespace

GeDynamicArray<CTrack*>* PickCTracksFromTimeline(BaseDocument* doc) {
  if (!doc) return nullptr;
  GeDynamicArray<CTrack*>* tracks = gNew GeDynamicArray<CTrack*>;
  if (!tracks) return nullptr;
  Parse(doc->GetFirstObject(), tracks);
  Parse(doc->GetFirstMaterial(), tracks);
  return tracks;
}

GeDynamicArray<CTrack*>* PickSelectedCTracksFromTimeline(BaseDocument* doc) {
  if (!doc) return nullptr;
  if (!doc->GetLayerObjectRoot()) {
    GePrint("no list");
    return nullptr;
  }
  GeDynamicArray<CTrack*>* tracks = gNew GeDynamicArray<CTrack*>;
  AtomArray* selection = AtomArray::Alloc();
  if (!tracks || !selection) {
    delete tracks;
    AtomArray::Free(selection);
    return nullptr;
  }
  doc->GetSelection(*selection);
  RegisterSelected(*selection, Obase, Tbase, tracks);
  selection->Flush();
  doc->GetActiveMaterials(*selection);
  RegisterSelected(*selection, Mbase, Mbase, tracks);
  AtomArray::Free(selection);
  return tracks;
}
