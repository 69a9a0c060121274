#include "CTrackSettingsLock.h"

#include <mutex>

#include "CTrackSubData.h"

namespace {

// Never destroyed, so a thread that still runs at process exit finds it alive.
std::recursive_mutex& SettingsMutex() {
  static std::recursive_mutex* mutex = new std::recursive_mutex;
  return *mutex;
}

}  // namespace

CTrackSettingsGuard::CTrackSettingsGuard() { SettingsMutex().lock(); }

CTrackSettingsGuard::~CTrackSettingsGuard() { SettingsMutex().unlock(); }

Bool WriteCTrackSetting(CTrack* track, LONG id, const GeData& value) {
  CTrackSettingsGuard guard;
  BaseContainer* container = GetCTrackSubContainerInstance(track);
  if (!container) return FALSE;
  container->SetData(id, value);
  return TRUE;
}
