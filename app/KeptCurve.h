// A track's curve as it was before a run, kept for measuring the run against: compact, because a
// capture's keys are kept while the plug-in holds its own copies. Keys without tangents or data
// that follow each other at one time step with one interpolation keep only their values (8
// bytes a key); any other key is kept whole.
#ifndef THINFOLD_KEPT_CURVE_H
#define THINFOLD_KEPT_CURVE_H

#include <cstddef>
#include <vector>

#include "c4d.h"

class KeptCurve {
 public:
  KeptCurve() = default;
  ~KeptCurve();
  KeptCurve(KeptCurve&& other) noexcept;
  KeptCurve& operator=(KeptCurve&& other) noexcept;
  KeptCurve(const KeptCurve&) = delete;
  KeptCurve& operator=(const KeptCurve&) = delete;

  // Keeps the category, unit and keys of track; FALSE when out of memory.
  bool Keep(CTrack& track);
  // A new track that is not in any element, with the kept category, unit and keys (and no curve
  // when the kept track had none); null when out of memory. Free it with CTrack::Free.
  CTrack* Rebuild() const;
  LONG KeyCount() const;

 private:
  // Keys first, first + step, first + step + step, ... (each time the exact sum of the one
  // before and step) with values from _values, after the first fullBefore whole keys.
  struct Run {
    BaseTime first, step;
    std::size_t count;
    std::size_t fullBefore;
    CINTERPOLATION interpolation;
  };
  bool KeepKey(const CKey& key);
  // Whether key goes on as the run's next key, one step (given back) after the key before.
  bool Continues(const Run& run, const CKey& key, BaseTime& step) const;
  void Free();

  LONG _category = 0;
  LONG _unit = 0;
  bool _hasCurve = false;
  std::vector<Run> _runs;
  std::vector<double> _values;
  std::vector<CKey*> _full;  // detached copies of the keys kept whole, in time order
  BaseTime _lastTime;        // of the last key kept in a run
};

#endif
