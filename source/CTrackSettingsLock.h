// One process-wide lock for the per-track settings. The main thread edits settings (tree check
// box, parameter sub-dialogs, copying to the user's document) while a worker of a run reads
// the settings of its track, and both go through the same track data container; every read and
// write of the settings containers, and of the tree nodes' copies (_subdata) during a run, holds
// this lock. It is recursive, so the settings functions may call one another under it.
#ifndef CTRACKSETTINGSLOCK_H
#define CTRACKSETTINGSLOCK_H

#include "c4d.h"

// Holds the settings lock for its lifetime.
class CTrackSettingsGuard {
 public:
  CTrackSettingsGuard();
  ~CTrackSettingsGuard();
  CTrackSettingsGuard(const CTrackSettingsGuard&) = delete;
  CTrackSettingsGuard& operator=(const CTrackSettingsGuard&) = delete;
};

// Writes one entry (TRACKSUBDATA_ACTIVE .. TRACKSUBDATA_HOLD) of the track's settings
// sub-container under the lock; use it instead of writing into the container that
// GetCTrackSubContainerInstance hands out. FALSE for a null track or a missing container.
Bool WriteCTrackSetting(CTrack* track, LONG id, const GeData& value);

#endif
