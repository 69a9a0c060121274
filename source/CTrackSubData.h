// Per-track reduction settings. They live in the track's own data container, as the
// sub-container ID_TRACKSUBDATA, so they travel with the track into clones and saved scenes.
#ifndef CTRACKSUBDATA_H
#define CTRACKSUBDATA_H

#include "ThinfoldIds.h"
#include "c4d.h"

struct CTrackSubData {
  Bool active = TRUE;    // the track takes part in a run; inactive tracks are never changed
  Real precision = 0.5;  // tolerance in steps of the track's unit (CTrack::GetUnit)
  LONG method = REDUCTION_SPLINEFIT;
  LONG quality = 0;  // spline-fit quality 0, 1 or 2; other values act as 0
  // A reduced value curve is kept within the tolerance of its former shape at every check
  // point; off, the stages' own checks alone decide (they look only where they sample).
  Bool hold = TRUE;
};

// The default precision of the track's category: 1.0 for data tracks, else 0.5.
Real GetPrecisionDefault(CTrack* track);

// The track's settings sub-container, created with the defaults when missing. Null for a null
// track or when the container cannot be created. The container belongs to the track.
// Write single entries with WriteCTrackSetting (CTrackSettingsLock.h), which holds the lock that
// every settings read and write takes.
BaseContainer* GetCTrackSubContainerInstance(CTrack* track);

// Writes all the settings; FALSE for a null track or a missing container.
Bool SetCTrackSubData(CTrack* track, const CTrackSubData& data);

// The stored settings; a missing entry reads as its default. The defaults for a null track.
CTrackSubData GetCTrackSubData(CTrack* track);

#endif
