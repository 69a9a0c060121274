// The curves the reduce job keeps for measuring: rebuilt to the bit, and a capture in about the
// bytes of its values.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "KeptCurve.h"

namespace {

CKey* AddKey(CCurve& curve, const BaseTime& time, double value,
             CINTERPOLATION interpolation = CINTERPOLATION_LINEAR) {
  CKey* key = CKey::Alloc();
  key->SetTime(nullptr, time);
  key->SetValue(nullptr, value);
  key->SetInterpolation(nullptr, interpolation);
  curve.InsertKey(key);
  return key;
}

// Everything a key holds, numbers as their bits, so that equal means the same to the bit.
struct ExactKey {
  LLONG time[2], left[2], right[2];
  std::uint64_t value, leftValue, rightValue;
  CINTERPOLATION interpolation;
  GeData data;
  bool operator==(const ExactKey& o) const {
    return std::equal(time, time + 2, o.time) && std::equal(left, left + 2, o.left) &&
           std::equal(right, right + 2, o.right) && value == o.value && leftValue == o.leftValue &&
           rightValue == o.rightValue && interpolation == o.interpolation && data == o.data;
  }
};

std::vector<ExactKey> ExactKeys(CTrack& track) {
  std::vector<ExactKey> keys;
  const CCurve* curve = track.GetCurve(CC_CURVE_CURVE, FALSE);
  for (LONG i = 0; curve && i < curve->GetKeyCount(); ++i) {
    const CKey& key = *curve->GetKey(i);
    keys.push_back({{key.GetTime().GetNumerator(), key.GetTime().GetDenominator()},
                    {key.GetTimeLeft().GetNumerator(), key.GetTimeLeft().GetDenominator()},
                    {key.GetTimeRight().GetNumerator(), key.GetTimeRight().GetDenominator()},
                    std::bit_cast<std::uint64_t>(key.GetValue()),
                    std::bit_cast<std::uint64_t>(key.GetValueLeft()),
                    std::bit_cast<std::uint64_t>(key.GetValueRight()),
                    key.GetInterpolation(),
                    key.GetGeData()});
  }
  return keys;
}

void Capture(CCurve& curve, int count) {
  for (int frame = 0; frame < count; ++frame)
    AddKey(curve, BaseTime(frame, 120), std::sin(frame * 0.01));
}

}  // namespace

// Whatever a curve holds comes back from its kept form to the bit, in its order.
TEST(KeptCurve, RebuildsEveryKeyToTheBit) {
  struct Row {
    const char* name;
    void (*fill)(CCurve& curve);  // null: the track has no curve
  } rows[] = {
      {"a capture: plain keys a frame apart", [](CCurve& curve) { Capture(curve, 500); }},
      {"uneven times and changing interpolations",
       [](CCurve& curve) {
         for (const int frame : {0, 1, 2, 5, 6, 7, 9, 11, 13})
           AddKey(curve, BaseTime(frame, 30), frame,
                  frame == 6 || frame == 7 ? CINTERPOLATION_STEP : CINTERPOLATION_LINEAR);
       }},
      {"tangents and data among plain keys",
       [](CCurve& curve) {
         Capture(curve, 6);
         curve.GetKey(1)->SetTimeRight(&curve, BaseTime(1, 100));
         curve.GetKey(2)->SetValueLeft(&curve, -0.0);
         curve.GetKey(4)->SetGeData(&curve, GeData(LONG(3)));
         curve.GetKey(5)->SetInterpolation(&curve, CINTERPOLATION_SPLINE);
       }},
      {"two keys at one time",
       [](CCurve& curve) {
         AddKey(curve, BaseTime(1, 30), 1.0);
         AddKey(curve, BaseTime(1, 30), 2.0);
         AddKey(curve, BaseTime(2, 30), 3.0);
       }},
      {"thirds of a second after a time with a zero denominator",
       [](CCurve& curve) {
         AddKey(curve, BaseTime(5, 0), 0.0);
         for (const LLONG third : {1, 2, 3, 4}) AddKey(curve, BaseTime(third, 3), 1.0);
       }},
      {"no keys", [](CCurve&) {}},
      {"no curve", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CTrack* track = CTrack::Alloc(nullptr, DescID(1));
    track->SetTrackCategory(CTRACK_CATEGORY_DATA);
    track->SetUnit(DESC_UNIT_DEGREE);
    if (row.fill) row.fill(*track->GetCurve());
    KeptCurve kept;
    ASSERT_TRUE(kept.Keep(*track));
    CTrack* rebuilt = kept.Rebuild();
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_EQ(rebuilt->GetTrackCategory(), CTRACK_CATEGORY_DATA);
    EXPECT_EQ(rebuilt->GetUnit(nullptr), DESC_UNIT_DEGREE);
    EXPECT_EQ(rebuilt->GetCurve(CC_CURVE_CURVE, FALSE) != nullptr, row.fill != nullptr);
    EXPECT_TRUE(ExactKeys(*rebuilt) == ExactKeys(*track));
    EXPECT_EQ(kept.KeyCount(), static_cast<LONG>(ExactKeys(*track).size()));
    CTrack::Free(rebuilt);
    CTrack::Free(track);
  }
}

// A capture's keys are kept in about the 8 bytes of their values, counted on the heap itself.
TEST(KeptCurve, KeepsACaptureInTheBytesOfItsValues) {
#ifdef __GLIBC__
  constexpr int kKeys = 100000;
  CTrack* track = CTrack::Alloc(nullptr, DescID(1));
  Capture(*track->GetCurve(), kKeys);
  const double start = static_cast<double>(mallinfo2().uordblks);
  KeptCurve kept;
  ASSERT_TRUE(kept.Keep(*track));
  EXPECT_LE((static_cast<double>(mallinfo2().uordblks) - start) / kKeys, 10.0);
  CTrack::Free(track);
#else
  GTEST_SKIP() << "the heap is counted with glibc's mallinfo2";
#endif
}
