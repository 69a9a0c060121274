// Animation: tracks on elements, the value curve of a track, and its keys.
#ifndef C4D_CANIMATION_H
#define C4D_CANIMATION_H

#include <atomic>
#include <initializer_list>
#include <memory>
#include <mutex>

#include "c4d_baselist.h"
#include "c4d_container.h"
#include "c4d_time.h"
#include "c4d_twoendedarray.h"

class CCurve;
class CKey;

// The interpolation of a key governs the segment from that key to the next.
enum CINTERPOLATION {
  CINTERPOLATION_SPLINE = 1,
  CINTERPOLATION_LINEAR = 2,
  CINTERPOLATION_STEP = 3,
};

// Track categories of CTrack::GetTrackCategory.
enum {
  CTRACK_CATEGORY_VALUE = 1,
  CTRACK_CATEGORY_DATA = 2,
  CTRACK_CATEGORY_PLUGIN = 3,
};

// Units of CTrack::GetUnit, with their unit steps.
enum {
  DESC_UNIT_REAL = 1,     // step 1.0
  DESC_UNIT_METER = 2,    // a distance, step 1.0
  DESC_UNIT_DEGREE = 3,   // stored in radians, step pi/180
  DESC_UNIT_PERCENT = 4,  // stored as a fraction, step 0.01
};

// The curve type of a track's own value curve.
enum { CC_CURVE_CURVE = 1 };

// The parameter a track animates: up to three levels of ids.
class DescID {
 public:
  DescID() = default;
  explicit DescID(LONG id1) : _ids{id1, 0, 0}, _depth(1) {}
  DescID(LONG id1, LONG id2) : _ids{id1, id2, 0}, _depth(2) {}
  DescID(LONG id1, LONG id2, LONG id3) : _ids{id1, id2, id3}, _depth(3) {}
  LONG GetDepth() const { return _depth; }
  // The id at level (0-based), or 0 past the depth.
  LONG operator[](LONG level) const { return level >= 0 && level < _depth ? _ids[level] : 0; }
  Bool operator==(const DescID& o) const;
  Bool operator!=(const DescID& o) const { return !(*this == o); }
  Bool operator<(const DescID& o) const;

 private:
  LONG _ids[3] = {0, 0, 0};
  LONG _depth = 0;
};

class CKey : public BaseList2D {
 public:
  // A detached spline key at time 0 with value 0 and zero tangents.
  static CKey* Alloc();
  // Frees a key; a key still in a curve is removed from it first.
  static void Free(CKey*& key);

  // A detached copy of the key (time, value, data, interpolation, tangents).
  CKey* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;
  Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;

  BaseTime GetTime() const { return _time; }
  // Sets the time; the curve that holds the key (seq or not) re-sorts its keys (stable for
  // equal times).
  void SetTime(CCurve* seq, const BaseTime& time);
  Real GetValue() const { return _value; }
  void SetValue(CCurve* seq, Real value);
  const GeData& GetGeData() const;
  void SetGeData(CCurve* seq, const GeData& data);
  CINTERPOLATION GetInterpolation() const { return _interpolation; }
  void SetInterpolation(CCurve* seq, CINTERPOLATION interpolation);

  // Tangents: time offsets (left normally negative, right positive) and value offsets.
  BaseTime GetTimeLeft() const { return _more ? _more->timeLeft : BaseTime(); }
  BaseTime GetTimeRight() const { return _more ? _more->timeRight : BaseTime(); }
  Real GetValueLeft() const { return _more ? _more->valueLeft : 0.0; }
  Real GetValueRight() const { return _more ? _more->valueRight : 0.0; }
  // Setting a tangent or data may allocate; out of memory throws std::bad_alloc.
  void SetTimeLeft(CCurve* seq, const BaseTime& offset);
  void SetTimeRight(CCurve* seq, const BaseTime& offset);
  void SetValueLeft(CCurve* seq, Real offset);
  void SetValueRight(CCurve* seq, Real offset);

  // The curve that holds the key, or null.
  CCurve* GetCurve() const { return _curve; }
  BaseDocument* GetDocument() const override;

 private:
  friend class CCurve;
  CKey() : BaseList2D(ID_CKEY) {}
  ~CKey() override = default;
  // Tangents and data, kept apart because captured motion has neither: a key without them is
  // what the host holds by the million.
  struct More {
    BaseTime timeLeft, timeRight;
    // The tangent times in seconds, worked out when they are set: a segment's handles are fitted
    // again on every tangent edit, and reading the times would divide each time.
    Real secondsLeft = 0.0, secondsRight = 0.0;
    Real valueLeft = 0.0, valueRight = 0.0;
    std::unique_ptr<GeData> data;  // null: no data
  };
  More& MakeMore();
  Real SecondsLeft() const { return _more ? _more->secondsLeft : 0.0; }
  Real SecondsRight() const { return _more ? _more->secondsRight : 0.0; }
  // What an edit changed: a tangent reshapes only the segment on its side of the key; the key's
  // value or interpolation reshapes both segments the key bounds.
  enum Change { kLeftTangent, kRightTangent, kKeyItself };
  // Tells the holding curve that what it evaluates changed.
  void Changed(Change change);
  BaseTime _time;
  Real _value = 0.0;
  std::unique_ptr<More> _more;
  CCurve* _curve = nullptr;
  CINTERPOLATION _interpolation = CINTERPOLATION_SPLINE;
};

class CCurve : public BaseList2D {
 public:
  LONG GetKeyCount() const;
  // Keys in time order; null outside 0..count-1.
  CKey* GetKey(LONG index) const;
  // A new spline key with zero tangents at time; a key already at that time is returned instead
  // of a second one. nidx receives the key's index. Null when the key cannot be made.
  CKey* AddKey(const BaseTime& time, LONG* nidx = nullptr);
  // Takes ownership of a detached key and puts it in time order, after keys of equal time.
  // FALSE (and nothing taken) for null or a key that is in a curve already.
  Bool InsertKey(CKey* key);
  // Frees the key at index; later keys move down one index. FALSE outside the range.
  Bool DelKey(LONG index);
  // Frees every key.
  void FlushKeys();

  // The curve's value at time: constant before the first and after the last key; a step key
  // holds its value, a linear key interpolates, a spline key follows the cubic Bezier through
  // its right tangent and the next key's left tangent. fps does not change the result; 0 for a
  // curve without keys.
  Real GetValue(const BaseTime& time, LONG fps) const;
  // Tells the host that keys changed.
  void SetKeyDirty() { ++_dirtyCount; }
  LONG GetDirtyCount() const { return _dirtyCount; }
  // The stand-in's count of keys moved in the curve's storage by insertions and deletions in
  // all: the work of keeping the keys in time order.
  LLONG GetMovedKeyCount() const { return static_cast<LLONG>(_keys.MovedCount()); }

  CTrack* GetTrack() const { return _track; }
  BaseDocument* GetDocument() const override;
  C4DAtom* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;
  Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;

 private:
  friend class CKey;
  friend class CTrack;
  CCurve() : BaseList2D(ID_CCURVE) {}
  ~CCurve() override;
  // Gives the held key the time and moves it to its place (stable for equal times).
  void Resort(CKey* key, const BaseTime& time);
  // Index of a key of this curve, or -1. Only edits ask, one at a time: the answer is kept as
  // the first guess of the next call. Fitting and holding edit the two keys of one segment by
  // turns, so the key found last and its neighbours are looked at before any search.
  LONG IndexOf(const CKey* key) {
    const size_t count = _keys.size();
    for (const size_t guess : {_lastIndexed, _lastIndexed + 1, _lastIndexed - 1}) {
      if (guess < count && _keys[guess] == key) {
        _lastIndexed = guess;
        return static_cast<LONG>(guess);
      }
    }
    return SearchIndex(key);
  }
  // IndexOf by the keys' times, for keys away from the last one found.
  LONG SearchIndex(const CKey* key);
  // Takes the key out of the curve without freeing it.
  void Detach(CKey* key);
  // Inserts or erases a key (and its shape) at index; FALSE when out of memory.
  Bool InsertAt(size_t index, CKey* key);
  void EraseAt(size_t index);
  // Makes anew the shapes that an edit of a held key changed.
  void RefreshShape(const CKey* key, CKey::Change change);
  // Makes the shapes of the segments that end and start at index anew.
  void RefreshShapesAround(size_t index);
  // Fits the handles of the segment that starts at index anew after a tangent of its keys changed;
  // the keys' times and values are those their shapes hold.
  void RefreshHandles(size_t index);
  // What evaluation reads of a key and the segment it starts, in seconds, kept parallel to _keys
  // so that GetValue searches and reads contiguous memory: the key's time, value and
  // interpolation, and the segment's two inner control points as offsets from the key, its
  // handles already fitted to the segment. The next shape gives the segment's end.
  struct KeyShape {
    double time, value, handleTime1, handleValue1, handleTime2, handleValue2;
    CINTERPOLATION interpolation;
  };
  // The shape of the key at index, with the next key (if any) ending its segment.
  KeyShape ShapeAt(size_t index) const;
  // Sets the handles of shape, the key at index, for a segment that ends at the next key, at
  // nextTime with nextValue.
  void FitHandles(size_t index, double nextTime, double nextValue, KeyShape& shape) const;
  // The shapes of all keys, made by the first evaluation and kept up to date from then on, so
  // that curves that are only held (copies, snapshots) never store them. Null when there is no
  // memory for them: evaluation then reads the keys themselves.
  const KeyShape* Shapes() const {
    return _shaped.load(std::memory_order_acquire) ? _shapes.data() : MakeShapes();
  }
  const KeyShape* MakeShapes() const;
  // Forgets the shapes; the next evaluation makes them again.
  void DropShapes();
  TwoEndedArray<CKey*> _keys;
  mutable TwoEndedArray<KeyShape> _shapes;
  mutable std::atomic<bool> _shaped{false};
  mutable std::mutex _shaping;  // one evaluation makes the shapes while others wait
  CTrack* _track = nullptr;
  LONG _dirtyCount = 0;
  // Segment of the last GetValue, a guess; accessed through a relaxed std::atomic_ref.
  mutable size_t _lastSegment = 0;
  size_t _lastIndexed = 0;  // the index IndexOf gave last, a guess
};

class CTrack : public BaseList2D {
 public:
  // A new track for a parameter of owner (not yet inserted: use InsertTrackSorted).
  static CTrack* Alloc(BaseList2D* owner, const DescID& id);
  // Removes the track from its owner and frees it with its curve.
  static void Free(CTrack*& track);

  CTrack* GetNext() const { return _next; }
  CTrack* GetPred() const { return _pred; }
  // The element that carries the track, or null.
  BaseList2D* GetObject() const { return _owner; }
  DescID GetDescriptionID() const { return _descId; }
  LONG GetTrackCategory() const { return _category; }
  void SetTrackCategory(LONG category) { _category = category; }
  // Writes the unit step to *step (when not null) and returns the unit.
  LONG GetUnit(Real* step) const;
  void SetUnit(LONG unit) { _unit = unit; }
  // The track's curve of the given type (only CC_CURVE_CURVE exists); with create FALSE, null
  // when the track has none yet.
  CCurve* GetCurve(LONG type = CC_CURVE_CURVE, Bool create = TRUE);
  void Remove();

  BaseDocument* GetDocument() const override;
  // A detached copy of the track with its curve, settings and name.
  C4DAtom* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;
  // Copies name, data container, category, unit, id and curve onto another track.
  Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;

 private:
  friend class BaseList2D;
  CTrack() : BaseList2D(ID_CTRACK) {}
  ~CTrack() override;
  CTrack* _next = nullptr;
  CTrack* _pred = nullptr;
  BaseList2D* _owner = nullptr;
  DescID _descId;
  LONG _category = CTRACK_CATEGORY_VALUE;
  LONG _unit = DESC_UNIT_REAL;
  CCurve* _curve = nullptr;
};

#endif
