#include "CTrackSubData.h"

#include "CTrackSettingsLock.h"

namespace {

CTrackSubData DefaultSubData(CTrack* track) {
  CTrackSubData data;
  data.precision = GetPrecisionDefault(track);
  return data;
}

void StoreSubData(BaseContainer* container, const CTrackSubData& data) {
  container->SetBool(TRACKSUBDATA_ACTIVE, data.active);
  container->SetReal(TRACKSUBDATA_PRECISION, data.precision);
  container->SetLong(TRACKSUBDATA_METHOD, data.method);
  container->SetLong(TRACKSUBDATA_QUALITY, data.quality);
  container->SetBool(TRACKSUBDATA_HOLD, data.hold);
}

}  // namespace

Real GetPrecisionDefault(CTrack* track) {
  if (track && track->GetTrackCategory() == CTRACK_CATEGORY_DATA) return 1.0;
  return 0.5;
}

BaseContainer* GetCTrackSubContainerInstance(CTrack* track) {
  CTrackSettingsGuard guard;
  if (!track) return nullptr;
  BaseContainer* data = track->GetDataInstance();
  if (BaseContainer* existing = data->GetContainerInstance(ID_TRACKSUBDATA)) return existing;
  data->SetContainer(ID_TRACKSUBDATA, BaseContainer());
  BaseContainer* created = data->GetContainerInstance(ID_TRACKSUBDATA);
  if (!created) return nullptr;
  StoreSubData(created, DefaultSubData(track));
  return created;
}

Bool SetCTrackSubData(CTrack* track, const CTrackSubData& data) {
  CTrackSettingsGuard guard;
  BaseContainer* container = GetCTrackSubContainerInstance(track);
  if (!container) return FALSE;
  StoreSubData(container, data);
  return TRUE;
}

CTrackSubData GetCTrackSubData(CTrack* track) {
  CTrackSettingsGuard guard;
  CTrackSubData data = DefaultSubData(track);
  const BaseContainer* container = GetCTrackSubContainerInstance(track);
  if (!container) return data;
  data.active = container->GetBool(TRACKSUBDATA_ACTIVE, data.active);
  data.precision = container->GetReal(TRACKSUBDATA_PRECISION, data.precision);
  data.method = container->GetLong(TRACKSUBDATA_METHOD, data.method);
  data.quality = container->GetLong(TRACKSUBDATA_QUALITY, data.quality);
  data.hold = container->GetBool(TRACKSUBDATA_HOLD, data.hold);
  return data;
}
