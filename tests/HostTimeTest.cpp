// The host's exact time: rounding from seconds, reduction and exact arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "c4d.h"

namespace {

struct SecondsRow {
  const char* name;
  double seconds;
  LLONG numerator;
  LLONG denominator;
};

TEST(BaseTime, RoundsSecondsToWholeMilliseconds) {
  const SecondsRow rows[] = {
      {"zero", 0.0, 0, 1},
      {"whole second", 2.0, 2, 1},
      {"below half", 0.0164, 2, 125},
      {"half rounds up", 0.0165, 17, 1000},
      {"negative half rounds down", -0.0165, -17, 1000},
      {"half a millisecond", 0.0005, 1, 1000},
      {"minus half a millisecond", -0.0005, -1, 1000},
      {"sixtieth of a second", 1.0 / 60.0, 17, 1000},
      {"negative tenth", -0.1, -1, 10},
      {"just below half", 0.00049, 0, 1},
      {"not a number", std::nan(""), 0, 1},
      {"infinity", std::numeric_limits<double>::infinity(), 0, 1},
  };
  for (const SecondsRow& row : rows) {
    SCOPED_TRACE(row.name);
    const BaseTime time(row.seconds);
    EXPECT_EQ(time.GetNumerator(), row.numerator);
    EXPECT_EQ(time.GetDenominator(), row.denominator);
  }
}

TEST(BaseTime, ReducesFractionsAndMakesDenominatorPositive) {
  const BaseTime time(6, -8);
  EXPECT_EQ(time.GetNumerator(), -3);
  EXPECT_EQ(time.GetDenominator(), 4);
  EXPECT_DOUBLE_EQ(time.Get(), -0.75);
  const BaseTime frames(90, 30);
  EXPECT_EQ(frames.GetNumerator(), 3);
  EXPECT_EQ(frames.GetDenominator(), 1);
}

TEST(BaseTime, ZeroDenominatorReadsAsZero) {
  const BaseTime broken(5, 0);
  EXPECT_EQ(broken.Get(), 0.0);
  EXPECT_TRUE(broken == BaseTime(0.0));
  EXPECT_TRUE(broken + BaseTime(1, 2) == BaseTime(1, 2));
  const BaseTime quotient = BaseTime(1, 1) / BaseTime(0, 1);
  EXPECT_EQ(quotient.GetDenominator(), 0);
  EXPECT_EQ(quotient.Get(), 0.0);
}

TEST(BaseTime, ArithmeticIsExact) {
  // A third of a second added three times is exactly one second, which doubles cannot promise.
  const BaseTime third(1, 3);
  EXPECT_TRUE(third + third + third == BaseTime(1, 1));
  EXPECT_TRUE(BaseTime(1, 30) - BaseTime(1, 60) == BaseTime(1, 60));
  const BaseTime ratio = BaseTime(7, 10) / BaseTime(1, 30);
  EXPECT_EQ(ratio.GetNumerator(), 21);
  EXPECT_EQ(ratio.GetDenominator(), 1);
  EXPECT_TRUE(BaseTime(1, 3) < BaseTime(334, 1000));
  EXPECT_FALSE(BaseTime(1, 3) < BaseTime(333, 1000) || BaseTime(1, 3) == BaseTime(333, 1000));
  EXPECT_TRUE(BaseTime(-1, 2) < BaseTime(0, 1));
}

TEST(BaseTime, LargeOperandsDoNotOverflow) {
  const LLONG big = std::numeric_limits<LLONG>::max() / 2;
  const BaseTime a(big, 3), b(big - 1, 3);
  EXPECT_TRUE(b < a);
  EXPECT_TRUE(a - b == BaseTime(1, 3));
  const BaseTime c(1, big), d(1, big - 2);
  EXPECT_TRUE(c < d);
}

TEST(BaseTime, FramesRoundTowardMinusInfinity) {
  EXPECT_EQ(BaseTime(7, 30).GetFrame(30.0), 7);
  EXPECT_EQ(BaseTime(0.999).GetFrame(1.0), 0);
  EXPECT_EQ(BaseTime(-1, 60).GetFrame(30.0), -1);
  EXPECT_EQ(BaseTime(1, 2).GetFrame(29.97), 14);
}

}  // namespace
