// The reduction's own small types: the samples a fit works on, their limits, and the progress
// callback every stage reports through. The stages need only these, not the key list.
#ifndef REDUCTIONTYPES_H
#define REDUCTIONTYPES_H

#include "c4d.h"

class CKeyList;

// Progress of a reduction stage: percent 0..100 and a status text. Returns non-zero to go on and
// 0 to make the stage stop. The key list and the cookie are passed through untouched.
typedef int (*ProgressCallback)(CKeyList* keyList, double percent, const String& text,
                                void* cookie);

// One sample of a curve: time in whole milliseconds (truncated toward zero) and the value there.
// A time whose milliseconds do not fit a LONG is clamped to the nearest LONG (never wrapped):
// producers check SampleTimeInRange first and refuse such a curve.
class CKeyValue {
 public:
  CKeyValue() {}
  CKeyValue(const BaseTime& time, Real value);
  ~CKeyValue() {}

  LONG GetTime() const { return time; }
  Real GetValue() const { return value; }

  LONG time;
  Real value;
};

// Samples in non-decreasing time order.
class CKeyValueArray : public GeDynamicArray<CKeyValue> {
 public:
  CKeyValueArray() {}
  ~CKeyValueArray() { Free(); }
};

// TRUE when the time, as whole milliseconds truncated toward zero, fits a LONG (about +-24.8
// days), so that a sample holds it exactly.
Bool SampleTimeInRange(const BaseTime& time);

// Seconds as whole milliseconds truncated toward zero; beyond the LONG range the nearest LONG, and
// 0 for NaN.
LONG SecondsToMilliseconds(Real seconds);

// More samples than this (about 9 hours at the smallest step) are refused rather than risking
// the memory of the host; checks that read a curve more finely are bounded by the same span.
constexpr VLONG kMaxSampleCount = VLONG(1) << 25;

#endif
