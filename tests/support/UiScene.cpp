#include "UiScene.h"

#include <cmath>

#include "CTrackList.h"
#include "CTrackSubData.h"

namespace {

std::vector<double> SmoothValues(int keyCount, double scale) {
  std::vector<double> values;
  for (int k = 0; k < keyCount; ++k) values.push_back(scale * std::sin(k * 0.05));
  return values;
}

// A deterministic jitter (a hash of the index), so that the fit has to work hard.
std::vector<double> NoisyValues(int keyCount, int seed) {
  std::vector<double> values;
  for (int k = 0; k < keyCount; ++k) {
    const unsigned hash =
        (static_cast<unsigned>(k) * 2654435761u) ^ (static_cast<unsigned>(seed) * 40503u);
    values.push_back(std::sin(k * 0.03) * 40.0 + static_cast<double>(hash % 1000) * 0.01);
  }
  return values;
}

CTrack* AddSmoothTrack(BaseList2D* owner, const char* name, LONG id, int keyCount, double scale) {
  CTrack* track = AddTrack(owner, name, CTRACK_CATEGORY_VALUE, id);
  AddValueKeys(track, kUiFps, SmoothValues(keyCount, scale));
  return track;
}

void PutOnLayer(BaseDocument* doc, BaseObject* object) {
  LayerObject* layer = LayerObject::Alloc();
  layer->SetName("Characters");
  LayerData data;
  data.color = Vector(kLayerRed, kLayerGreen, kLayerBlue);
  layer->SetLayerData(data);
  doc->GetLayerObjectRoot()->InsertLast(layer);
  object->SetLayerObject(layer);
}

void SetSettings(CTrack* track, Real precision, LONG method) {
  CTrackSubData settings = GetCTrackSubData(track);
  settings.precision = precision;
  settings.method = method;
  SetCTrackSubData(track, settings);
}

}  // namespace

ModelDoc MakeUiScene(int keyCount) {
  ModelDoc doc = MakeDocument(kUiFps);
  BaseObject* cube = AddObject(doc.get(), "Cube");
  PutOnLayer(doc.get(), cube);
  SetSettings(AddSmoothTrack(cube, "X", 1000, keyCount, 10.0), 0.25, 0);
  AddSmoothTrack(cube, "Y", 1001, keyCount, 5.0);
  CTrack* mode = AddTrack(AddTag(cube, "Display"), "Mode", CTRACK_CATEGORY_DATA);
  std::vector<GeData> data;
  for (int k = 0; k < keyCount; ++k) data.push_back(GeData(LONG(k / 4)));
  AddDataKeys(mode, kUiFps, data);
  BaseObject* plain = AddObject(doc.get(), "Plain");
  SetSettings(AddSmoothTrack(plain, "W", 1000, keyCount, 2.0), 0.5, 1);
  BaseMaterial* steel = AddMaterial(doc.get(), "Steel");
  AddSmoothTrack(steel, "Shine", 1000, keyCount, 1.0);
  doc->SetActiveObject(cube);
  doc->SetActiveMaterial(steel);
  return doc;
}

std::vector<std::string> UiSceneTrackNames() {
  return {"Cube.X", "Cube.Y", "Cube.Display.Mode", "Plain.W", "Steel.Shine"};
}

ModelDoc MakeSlowScene(int trackCount, int keyCount) {
  ModelDoc doc = MakeDocument(kUiFps);
  BaseObject* owner = AddObject(doc.get(), "Noise");
  for (int i = 0; i < trackCount; ++i) {
    const std::string name = "T" + std::to_string(i);
    CTrack* track = AddTrack(owner, name.c_str(), CTRACK_CATEGORY_VALUE, 1000 + i);
    AddValueKeys(track, kUiFps, NoisyValues(keyCount, i));
    CTrackSubData settings = GetCTrackSubData(track);
    settings.precision = 0.01;
    settings.quality = 2;
    SetCTrackSubData(track, settings);
  }
  return doc;
}

CTrack* UiTrack(BaseDocument* doc, int index) {
  GeDynamicArray<CTrack*>* tracks = PickCTracksFromTimeline(doc);
  CTrack* track = tracks && index >= 0 && index < tracks->GetCount() ? (*tracks)[index] : nullptr;
  delete tracks;
  return track;
}
