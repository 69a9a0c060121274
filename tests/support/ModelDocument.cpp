#include "ModelDocument.h"

#include "c4d_standin.h"

ModelDoc MakeDocument(LONG fps) {
  ModelDoc doc(BaseDocument::Alloc());
  doc->SetFps(fps);
  return doc;
}

BaseObject* AddObject(BaseDocument* doc, const char* name, BaseObject* parent) {
  BaseObject* object = BaseObject::Alloc();
  object->SetName(name);
  BaseObject* last = nullptr;
  for (BaseObject* o = parent ? parent->GetDown() : doc->GetFirstObject(); o; o = o->GetNext())
    last = o;
  doc->InsertObject(object, parent, last);
  return object;
}

BaseTag* AddTag(BaseObject* object, const char* name) {
  BaseTag* tag = BaseTag::Alloc();
  tag->SetName(name);
  BaseTag* last = nullptr;
  for (BaseTag* t = object->GetFirstTag(); t; t = t->GetNext()) last = t;
  object->InsertTag(tag, last);
  return tag;
}

BaseMaterial* AddMaterial(BaseDocument* doc, const char* name) {
  BaseMaterial* material = BaseMaterial::Alloc();
  material->SetName(name);
  BaseMaterial* last = nullptr;
  for (BaseMaterial* m = doc->GetFirstMaterial(); m; m = m->GetNext()) last = m;
  doc->InsertMaterial(material, last);
  return material;
}

CTrack* AddTrackWithoutCurve(BaseList2D* owner, const char* name, LONG id) {
  CTrack* track = CTrack::Alloc(owner, DescID(id));
  track->SetName(name);
  owner->InsertTrackSorted(track);
  return track;
}

CTrack* AddTrack(BaseList2D* owner, const char* name, LONG category, LONG id, LONG unit) {
  CTrack* track = AddTrackWithoutCurve(owner, name, id);
  track->SetTrackCategory(category);
  track->SetUnit(unit);
  track->GetCurve(CC_CURVE_CURVE, TRUE);
  return track;
}

CKey* AddValueKey(CTrack* track, const BaseTime& time, double value, CINTERPOLATION interpolation) {
  CCurve* curve = track->GetCurve();
  CKey* key = curve->AddKey(time);
  key->SetValue(curve, value);
  key->SetInterpolation(curve, interpolation);
  return key;
}

void AddValueKeys(CTrack* track, LONG fps, const std::vector<double>& values,
                  CINTERPOLATION interpolation) {
  for (size_t i = 0; i < values.size(); ++i)
    AddValueKey(track, BaseTime(LLONG(i), fps), values[i], interpolation);
}

void AddDataKeys(CTrack* track, LONG fps, const std::vector<GeData>& data,
                 CINTERPOLATION interpolation) {
  CCurve* curve = track->GetCurve();
  for (size_t i = 0; i < data.size(); ++i) {
    CKey* key = curve->AddKey(BaseTime(LLONG(i), fps));
    key->SetGeData(curve, data[i]);
    key->SetInterpolation(curve, interpolation);
  }
}

std::vector<KeyState> ReadKeys(CTrack* track) {
  std::vector<KeyState> keys;
  CCurve* curve = track ? track->GetCurve(CC_CURVE_CURVE, FALSE) : nullptr;
  for (LONG i = 0; curve && i < curve->GetKeyCount(); ++i) {
    const CKey* k = curve->GetKey(i);
    keys.push_back({k->GetTime().GetNumerator(), k->GetTime().GetDenominator(), k->GetValue(),
                    k->GetGeData().GetType(), LONG(k->GetInterpolation()),
                    k->GetTimeLeft().GetNumerator(), k->GetTimeLeft().GetDenominator(),
                    k->GetTimeRight().GetNumerator(), k->GetTimeRight().GetDenominator(),
                    k->GetValueLeft(), k->GetValueRight()});
  }
  return keys;
}

std::vector<double> ReadValues(CTrack* track) {
  std::vector<double> values;
  for (const KeyState& key : ReadKeys(track)) values.push_back(key.value);
  return values;
}

LONG KeyCount(CTrack* track) {
  CCurve* curve = track ? track->GetCurve(CC_CURVE_CURVE, FALSE) : nullptr;
  return curve ? curve->GetKeyCount() : 0;
}

std::vector<std::string> TrackNames(const GeDynamicArray<CTrack*>* tracks) {
  std::vector<std::string> names;
  for (VLONG i = 0; tracks && i < tracks->GetCount(); ++i) {
    CTrack* track = (*tracks)[i];
    BaseList2D* owner = track->GetObject();
    names.push_back((owner ? owner->GetName().ToUtf8() : "") + "." + track->GetName().ToUtf8());
  }
  return names;
}

void InitModelResources() {
  resource.Init(Filename(THINFOLD_ROOT));
  standin::SetPluginPath(Filename(THINFOLD_ROOT));
}

LineCapture::LineCapture(Channel channel)
    : _channel(channel), _lines(std::make_shared<std::vector<std::string>>()) {
  auto lines = _lines;
  auto sink = [lines](const std::string& line) { lines->push_back(line); };
  if (_channel == CONSOLE)
    standin::SetConsoleSink(sink);
  else
    standin::SetDebugSink(sink);
}

LineCapture::~LineCapture() {
  if (_channel == CONSOLE)
    standin::SetConsoleSink(nullptr);
  else
    standin::SetDebugSink(nullptr);
}

bool LineCapture::Contains(const std::string& part) const {
  for (const std::string& line : *_lines)
    if (line.find(part) != std::string::npos) return true;
  return false;
}
