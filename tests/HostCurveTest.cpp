// Curves and keys: key order under every way of changing keys, and evaluation of each
// interpolation against formulas computed here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "c4d.h"
#include "c4d_standin.h"

namespace {

// A track of its own on a detached object, so curves are made the way the host makes them.
class CurveFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    object = BaseObject::Alloc();
    track = CTrack::Alloc(object, DescID(1));
    object->InsertTrackSorted(track);
    curve = track->GetCurve();
  }
  void TearDown() override { BaseObject::Free(object); }

  CKey* Key(double seconds, double value, CINTERPOLATION interpolation) {
    CKey* key = curve->AddKey(BaseTime(seconds));
    key->SetValue(curve, value);
    key->SetInterpolation(curve, interpolation);
    return key;
  }

  std::vector<double> Times() const {
    std::vector<double> times;
    for (LONG i = 0; i < curve->GetKeyCount(); ++i)
      times.push_back(curve->GetKey(i)->GetTime().Get());
    return times;
  }

  double At(double seconds) const { return curve->GetValue(BaseTime(seconds), 30); }

  BaseObject* object = nullptr;
  CTrack* track = nullptr;
  CCurve* curve = nullptr;
};

using CCurveOrder = CurveFixture;
using CCurveValue = CurveFixture;

TEST_F(CCurveOrder, AddKeyKeepsTimeOrderAndReusesKeyAtSameTime) {
  LONG index = -1;
  CKey* late = curve->AddKey(BaseTime(2.0), &index);
  EXPECT_EQ(index, 0);
  CKey* early = curve->AddKey(BaseTime(1.0), &index);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(curve->AddKey(BaseTime(2.0), &index), late);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(curve->GetKeyCount(), 2);
  EXPECT_EQ(curve->GetKey(0), early);
  EXPECT_EQ(early->GetInterpolation(), CINTERPOLATION_SPLINE);
  EXPECT_EQ(early->GetTimeRight().Get(), 0.0);
  EXPECT_EQ(early->GetValueLeft(), 0.0);
  EXPECT_EQ(early->GetCurve(), curve);
}

TEST_F(CCurveOrder, InsertKeyGoesAfterKeysOfEqualTime) {
  CKey* first = Key(1.0, 10.0, CINTERPOLATION_LINEAR);
  CKey* clone = first->GetClone();
  EXPECT_EQ(clone->GetCurve(), nullptr);
  clone->SetValue(curve, 20.0);
  EXPECT_TRUE(curve->InsertKey(clone));
  EXPECT_FALSE(curve->InsertKey(clone));
  EXPECT_FALSE(curve->InsertKey(nullptr));
  CKey* before = CKey::Alloc();
  before->SetTime(curve, BaseTime(0.5));
  EXPECT_TRUE(curve->InsertKey(before));
  ASSERT_EQ(curve->GetKeyCount(), 3);
  EXPECT_EQ(curve->GetKey(0), before);
  EXPECT_EQ(curve->GetKey(1), first);
  EXPECT_EQ(curve->GetKey(2), clone);
}

TEST_F(CCurveOrder, SetTimeMovesKeyAndKeepsOrderOfEqualTimes) {
  CKey* a = Key(1.0, 1.0, CINTERPOLATION_LINEAR);
  CKey* b = Key(2.0, 2.0, CINTERPOLATION_LINEAR);
  CKey* c = Key(3.0, 3.0, CINTERPOLATION_LINEAR);
  a->SetTime(curve, BaseTime(2.5));
  EXPECT_EQ(Times(), (std::vector<double>{2.0, 2.5, 3.0}));
  EXPECT_EQ(curve->GetKey(1), a);
  c->SetTime(curve, BaseTime(0.5));
  EXPECT_EQ(curve->GetKey(0), c);
  // b moves onto a's time from before it, so it stays before a; c moves there from before too.
  b->SetTime(curve, BaseTime(2.5));
  EXPECT_EQ(curve->GetKey(1), b);
  EXPECT_EQ(curve->GetKey(2), a);
  c->SetTime(nullptr, BaseTime(2.5));
  EXPECT_EQ(curve->GetKey(0), c);
  EXPECT_EQ(Times(), (std::vector<double>{2.5, 2.5, 2.5}));
}

TEST_F(CCurveOrder, DetachedKeyOnlyTakesTheTime) {
  Key(1.0, 1.0, CINTERPOLATION_LINEAR);
  CKey* loose = CKey::Alloc();
  loose->SetTime(curve, BaseTime(0.25));
  EXPECT_EQ(loose->GetTime().Get(), 0.25);
  EXPECT_EQ(curve->GetKeyCount(), 1);
  CKey::Free(loose);
  EXPECT_EQ(loose, nullptr);
}

TEST_F(CCurveOrder, DelKeyAndFreeCloseTheGap) {
  for (int i = 0; i < 5; ++i) Key(i, i, CINTERPOLATION_LINEAR);
  EXPECT_FALSE(curve->DelKey(5));
  EXPECT_FALSE(curve->DelKey(-1));
  EXPECT_TRUE(curve->DelKey(1));
  EXPECT_EQ(Times(), (std::vector<double>{0, 2, 3, 4}));
  CKey* key = curve->GetKey(2);
  CKey::Free(key);
  EXPECT_EQ(Times(), (std::vector<double>{0, 2, 4}));
  EXPECT_EQ(curve->GetKey(3), nullptr);
  curve->FlushKeys();
  EXPECT_EQ(curve->GetKeyCount(), 0);
  EXPECT_EQ(curve->GetValue(BaseTime(1.0), 30), 0.0);
}

TEST_F(CCurveValue, ConstantOutsideTheKeys) {
  Key(1.0, 5.0, CINTERPOLATION_LINEAR);
  Key(2.0, 7.0, CINTERPOLATION_LINEAR);
  EXPECT_EQ(At(-3.0), 5.0);
  EXPECT_EQ(At(1.0), 5.0);
  EXPECT_EQ(At(2.0), 7.0);
  EXPECT_EQ(At(9.0), 7.0);
}

TEST_F(CCurveValue, StepHoldsAndLinearInterpolates) {
  Key(0.0, 1.0, CINTERPOLATION_STEP);
  Key(1.0, 3.0, CINTERPOLATION_LINEAR);
  Key(2.0, 5.0, CINTERPOLATION_LINEAR);
  EXPECT_EQ(At(0.999), 1.0);
  EXPECT_DOUBLE_EQ(At(1.25), 3.5);
  EXPECT_DOUBLE_EQ(At(1.5), 4.0);
  EXPECT_EQ(curve->GetValue(BaseTime(1.5), 24), curve->GetValue(BaseTime(1.5), 60));
}

// The Bezier through (t0, v0), (t0 + a, v0 + b), (t1 + c, v1 + d), (t1, v1) at parameter u.
struct Point {
  double t, v;
};
Point BezierAt(const Point p[4], double u) {
  const double w = 1.0 - u;
  const double b0 = w * w * w, b1 = 3 * w * w * u, b2 = 3 * w * u * u, b3 = u * u * u;
  return {b0 * p[0].t + b1 * p[1].t + b2 * p[2].t + b3 * p[3].t,
          b0 * p[0].v + b1 * p[1].v + b2 * p[2].v + b3 * p[3].v};
}

TEST_F(CCurveValue, SplineFollowsTheBezierOfItsTangents) {
  CKey* start = Key(1.0, 2.0, CINTERPOLATION_SPLINE);
  CKey* end = Key(3.0, -1.0, CINTERPOLATION_SPLINE);
  start->SetTimeRight(curve, BaseTime(0.5));
  start->SetValueRight(curve, 1.5);
  end->SetTimeLeft(curve, BaseTime(-0.8));
  end->SetValueLeft(curve, 0.4);
  const Point points[4] = {{1.0, 2.0}, {1.5, 3.5}, {2.2, -0.6}, {3.0, -1.0}};
  // Walk the parameter and ask the curve at the time the closed form gives for it.
  for (double u = 0.0; u <= 1.0; u += 0.0625) {
    const Point expected = BezierAt(points, u);
    const BaseTime time(expected.t);
    // The curve is asked at a millisecond time; find the parameter of that time by bisection.
    double low = 0.0, high = 1.0;
    for (int i = 0; i < 200; ++i) {
      const double mid = 0.5 * (low + high);
      (BezierAt(points, mid).t < time.Get() ? low : high) = mid;
    }
    SCOPED_TRACE(u);
    EXPECT_NEAR(curve->GetValue(time, 30), BezierAt(points, low).v, 1e-8);
  }
}

TEST_F(CCurveValue, OverlongHandlesKeepTheCurveMonotonicInTime) {
  CKey* start = Key(0.0, 0.0, CINTERPOLATION_SPLINE);
  CKey* end = Key(1.0, 1.0, CINTERPOLATION_SPLINE);
  // Each handle reaches past the other key; scaled down they still point the same way.
  start->SetTimeRight(curve, BaseTime(3.0));
  start->SetValueRight(curve, 0.0);
  end->SetTimeLeft(curve, BaseTime(-3.0));
  end->SetValueLeft(curve, 0.0);
  double previous = At(0.0);
  for (int ms = 1; ms <= 1000; ++ms) {
    const double value = At(ms / 1000.0);
    ASSERT_GE(value, previous) << "at " << ms << " ms";
    ASSERT_LE(value, 1.0);
    previous = value;
  }
  // Symmetric handles of equal length give the midpoint at the middle.
  EXPECT_NEAR(At(0.5), 0.5, 1e-9);
}

// Each turn lies where the evaluated curve has a local extremum: both neighbours a tenth of a
// millisecond away lie on the same side of it.
TEST_F(CCurveValue, TurnsAreTheExtremaBetweenKeys) {
  struct Row {
    const char* name;
    CINTERPOLATION interpolation;
    Point right, left;  // tangents of the first and the second key
    double endValue;
    int turnCount;
  } rows[] = {
      {"hump", CINTERPOLATION_SPLINE, {0.3, 1.0}, {-0.3, 1.0}, 0.0, 1},
      {"wave", CINTERPOLATION_SPLINE, {0.3, 1.0}, {-0.3, -1.0}, 0.0, 2},
      {"rising", CINTERPOLATION_SPLINE, {0.3, 0.3}, {-0.3, -0.3}, 1.0, 0},
      {"overlong handles", CINTERPOLATION_SPLINE, {3.0, 2.0}, {-3.0, 2.0}, 0.0, 1},
      {"linear", CINTERPOLATION_LINEAR, {0.3, 1.0}, {-0.3, 1.0}, 0.0, 0},
  };
  const auto value = [this](double seconds) {
    return curve->GetValue(BaseTime(std::llround(seconds * 1e7), 10000000), 30);
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    curve->FlushKeys();
    CKey* start = Key(0.0, 0.0, row.interpolation);
    CKey* end = Key(1.0, row.endValue, CINTERPOLATION_SPLINE);
    start->SetTimeRight(curve, BaseTime(row.right.t));
    start->SetValueRight(curve, row.right.v);
    end->SetTimeLeft(curve, BaseTime(row.left.t));
    end->SetValueLeft(curve, row.left.v);
    std::vector<double> turns;
    standin::ForEachCurveTurn(*curve, [&turns](Real seconds) { turns.push_back(seconds); });
    ASSERT_EQ(turns.size(), static_cast<std::size_t>(row.turnCount));
    EXPECT_TRUE(std::is_sorted(turns.begin(), turns.end()));
    for (const double turn : turns) {
      SCOPED_TRACE(turn);
      const double at = value(turn);
      EXPECT_GE((value(turn - 1e-4) - at) * (value(turn + 1e-4) - at), 0.0);
    }
  }
}

TEST_F(CCurveValue, ConstantSplineIsExact) {
  const double constant = 0.1 + 0.2;
  for (int i = 0; i < 4; ++i) {
    CKey* key = Key(i * 0.7, constant, CINTERPOLATION_SPLINE);
    key->SetTimeLeft(curve, BaseTime(-0.2));
    key->SetTimeRight(curve, BaseTime(0.3));
  }
  for (int ms = -100; ms < 2300; ms += 7) {
    const double value = At(ms / 1000.0);
    ASSERT_EQ(value, constant) << "at " << ms << " ms";
  }
}

TEST_F(CCurveValue, ForwardAndBackwardQueriesAgree) {
  for (int i = 0; i < 200; ++i)
    Key(i * 0.05, std::sin(i * 0.3), i % 3 == 0 ? CINTERPOLATION_LINEAR : CINTERPOLATION_SPLINE);
  std::vector<double> forward;
  for (int ms = 0; ms < 10000; ms += 3) forward.push_back(At(ms / 1000.0));
  // Backwards, so every query misses the remembered segment.
  for (int ms = 9999 - 9999 % 3; ms >= 0; ms -= 3) ASSERT_EQ(At(ms / 1000.0), forward[ms / 3]);
}

TEST_F(CCurveValue, CurvesOfOneDocumentEvaluateOnSeveralThreads) {
  CTrack* other = CTrack::Alloc(object, DescID(2));
  object->InsertTrackSorted(other);
  CCurve* second = other->GetCurve();
  for (int i = 0; i < 100; ++i) Key(i * 0.1, i, CINTERPOLATION_LINEAR);
  std::vector<double> sums(2, 0.0);
  std::thread reader([&] {
    for (int ms = 0; ms < 10000; ++ms) sums[0] += At(ms / 1000.0);
  });
  std::thread writer([&] {
    for (int i = 99; i >= 0; --i) second->AddKey(BaseTime(i, 10))->SetValue(second, i);
    for (int ms = 0; ms < 10000; ++ms) sums[1] += second->GetValue(BaseTime(ms, 1000), 30);
  });
  reader.join();
  writer.join();
  EXPECT_EQ(second->GetKeyCount(), 100);
  EXPECT_NEAR(sums[0], sums[1], 1e-6);
}

TEST_F(CCurveValue, EditedCurveEvaluatesLikeOneBuiltFromItsKeys) {
  // Every kind of key edit, in a fixed pseudo-random order.
  unsigned state = 12345;
  const auto next = [&state](unsigned range) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % range;
  };
  for (int step = 0; step < 3000; ++step) {
    // Evaluating between the edits makes the curve keep its segments' shapes from the start, so
    // that every edit must bring them up to date.
    At(next(3300) / 1000.0);
    const LONG count = curve->GetKeyCount();
    CKey* key = count ? curve->GetKey(LONG(next(unsigned(count)))) : nullptr;
    switch (next(key ? 8 : 1)) {
      case 0:
        curve->AddKey(BaseTime(LLONG(next(3000)), 1000))->SetValue(curve, next(100) * 0.1);
        break;
      case 1:
        key->SetTime(curve, BaseTime(LLONG(next(3000)), 1000));
        break;
      case 2:
        key->SetValue(curve, next(100) * 0.1);
        break;
      case 3:
        key->SetInterpolation(curve, CINTERPOLATION(1 + next(3)));
        break;
      case 4:
        key->SetTimeRight(curve, BaseTime(LLONG(next(200)), 1000));
        key->SetValueRight(curve, next(10) * 0.1);
        break;
      case 5:
        key->SetTimeLeft(curve, BaseTime(-LLONG(next(200)), 1000));
        key->SetValueLeft(curve, next(10) * -0.1);
        break;
      case 6:
        curve->GetKey(0)->CopyTo(key);
        break;
      default:
        if (next(2))
          CKey::Free(key);
        else
          curve->InsertKey(key->GetClone());
    }
  }
  AutoAlloc<BaseObject> other;
  CTrack* rebuilt = CTrack::Alloc(other, DescID(1));
  other->InsertTrackSorted(rebuilt);
  CCurve* copy = rebuilt->GetCurve();
  ASSERT_TRUE(curve->CopyTo(copy));
  for (LONG i = 1; i < curve->GetKeyCount(); ++i)
    ASSERT_LE(curve->GetKey(i - 1)->GetTime(), curve->GetKey(i)->GetTime());
  for (int ms = -10; ms < 3300; ++ms)
    ASSERT_EQ(At(ms / 1000.0), copy->GetValue(BaseTime(ms, 1000), 30)) << "at " << ms << " ms";
}

// Keys arriving in ascending or descending time, or at both ends in turn, end in time order, and
// neither their arrival nor their deletion from the front moves the other keys: the curve's work
// stays a few moves per key where shifting all keys would be quadratic.
TEST(CCurveWork, KeysArrivingAndLeavingAtEitherEndMoveFewKeys) {
  constexpr int kKeys = 20000;
  struct Row {
    const char* name;
    int (*frameOf)(int arrival);
  } rows[] = {
      {"ascending", [](int i) { return i; }},
      {"descending", [](int i) { return kKeys - 1 - i; }},
      {"at both ends in turn",
       [](int i) { return i % 2 ? kKeys / 2 + i / 2 : kKeys / 2 - 1 - i / 2; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BaseObject* object = BaseObject::Alloc();
    CTrack* track = CTrack::Alloc(object, DescID(1));
    object->InsertTrackSorted(track);
    CCurve* curve = track->GetCurve();
    for (int i = 0; i < kKeys; ++i) {
      CKey* key = CKey::Alloc();
      key->SetTime(nullptr, BaseTime(row.frameOf(i), 30));
      key->SetValue(nullptr, row.frameOf(i));
      ASSERT_TRUE(curve->InsertKey(key));
    }
    for (LONG i = 0; i < kKeys; ++i) ASSERT_EQ(curve->GetKey(i)->GetValue(), i);
    while (curve->GetKeyCount() > 0) curve->DelKey(0);
    EXPECT_LE(curve->GetMovedKeyCount(), 4 * kKeys);
    BaseObject::Free(object);
  }
}

TEST(CKey, CloneIsDetachedAndComplete) {
  CKey* key = CKey::Alloc();
  key->SetTime(nullptr, BaseTime(3, 4));
  key->SetValue(nullptr, 2.5);
  key->SetGeData(nullptr, GeData(String("walk")));
  key->SetInterpolation(nullptr, CINTERPOLATION_STEP);
  key->SetTimeLeft(nullptr, BaseTime(-1, 10));
  key->SetTimeRight(nullptr, BaseTime(1, 5));
  key->SetValueLeft(nullptr, -0.5);
  key->SetValueRight(nullptr, 0.75);
  CKey* clone = key->GetClone();
  ASSERT_NE(clone, nullptr);
  EXPECT_NE(clone->GetAtomId(), key->GetAtomId());
  EXPECT_TRUE(clone->GetTime() == BaseTime(3, 4));
  EXPECT_EQ(clone->GetValue(), 2.5);
  EXPECT_TRUE(clone->GetGeData() == GeData(String("walk")));
  EXPECT_EQ(clone->GetInterpolation(), CINTERPOLATION_STEP);
  EXPECT_TRUE(clone->GetTimeLeft() == BaseTime(-1, 10));
  EXPECT_TRUE(clone->GetTimeRight() == BaseTime(1, 5));
  EXPECT_EQ(clone->GetValueLeft(), -0.5);
  EXPECT_EQ(clone->GetValueRight(), 0.75);
  EXPECT_EQ(clone->GetCurve(), nullptr);
  CKey::Free(key);
  CKey::Free(clone);
}

}  // namespace
