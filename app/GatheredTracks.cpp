// The tracks that the plug-in's gather buttons take.
#include "GatheredTracks.h"

#include <initializer_list>

#include "TrackNames.h"

namespace {

void AddTracksOf(const BaseList2D* element, std::vector<GatheredTrack>& tracks) {
  if (!element) return;
  for (CTrack* track = element->GetFirstCTrack(); track; track = track->GetNext()) {
    const LONG category = track->GetTrackCategory();
    if (category == CTRACK_CATEGORY_VALUE || category == CTRACK_CATEGORY_DATA)
      tracks.push_back({track, ShortTrackName(*track)});
  }
}

void AddObjectTree(const BaseObject* first, std::vector<GatheredTrack>& tracks) {
  for (const BaseObject* object = first; object; object = object->GetNext()) {
    AddTracksOf(object, tracks);
    for (const BaseTag* tag = object->GetFirstTag(); tag; tag = tag->GetNext())
      AddTracksOf(tag, tracks);
    AddObjectTree(object->GetDown(), tracks);
  }
}

// The selected elements of one kind (objects and tags, or materials) in selection order.
void AddSelected(const AtomArray& selection, std::initializer_list<LONG> kinds,
                 std::vector<GatheredTrack>& tracks) {
  for (LONG index = 0; index < selection.GetCount(); ++index) {
    const C4DAtom* atom = selection.GetIndex(index);
    for (LONG kind : kinds)
      if (atom && atom->IsInstanceOf(kind))
        AddTracksOf(static_cast<const BaseList2D*>(atom), tracks);
  }
}

std::vector<GatheredTrack> ListSelectedTracks(const BaseDocument& doc) {
  std::vector<GatheredTrack> tracks;
  AtomArray* selection = AtomArray::Alloc();
  if (!selection) return tracks;
  doc.GetSelection(*selection);
  AddSelected(*selection, {Obase, Tbase}, tracks);
  selection->Flush();
  doc.GetActiveMaterials(*selection);
  AddSelected(*selection, {Mbase}, tracks);
  AtomArray::Free(selection);
  return tracks;
}

}  // namespace

bool SelectsAnything(const BaseDocument& doc) {
  AutoAlloc<AtomArray> selection;
  if (!selection) return false;
  doc.GetSelection(*selection);
  if (selection->GetCount() > 0) return true;
  doc.GetActiveMaterials(*selection);
  return selection->GetCount() > 0;
}

std::vector<GatheredTrack> ListGatheredTracks(const BaseDocument& doc, bool selectedOnly) {
  if (selectedOnly) return ListSelectedTracks(doc);
  std::vector<GatheredTrack> tracks;
  AddObjectTree(doc.GetFirstObject(), tracks);
  for (const BaseMaterial* material = doc.GetFirstMaterial(); material;
       material = material->GetNext())
    AddTracksOf(material, tracks);
  return tracks;
}
