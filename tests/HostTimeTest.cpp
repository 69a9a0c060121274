// The host's exact time: rounding from seconds, reduction and exact arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

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

TEST(BaseTime, ReducesPartsOnEitherSideOfThe32BitLimit) {
  constexpr LLONG k32 = 4294967295;  // the largest 32-bit magnitude
  struct Row {
    const char* name;
    BaseTime time;
    LLONG numerator, denominator;
  } rows[] = {
      {"both at the limit, denominator negative", BaseTime(k32, -k32), -1, 1},
      {"numerator negative at the limit", BaseTime(-k32, 3), -1431655765, 1},
      {"both negative", BaseTime(-6, -(k32 - 1)), 3, 2147483647},
      {"zero over a negative", BaseTime(0, -7), 0, 1},
      {"numerator just past the limit", BaseTime(k32 + 1, 6), 2147483648, 3},
      {"denominator just past the limit", BaseTime(-3, -(k32 + 1)), 3, k32 + 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.time.GetNumerator(), row.numerator);
    EXPECT_EQ(row.time.GetDenominator(), row.denominator);
  }
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

constexpr LLONG kMax = std::numeric_limits<LLONG>::max();
constexpr LLONG kMin = std::numeric_limits<LLONG>::min();

// Operations whose 64-bit sums or products come at or just past the limits, worked by hand.
TEST(BaseTime, OperandsNearThe64BitLimitsGiveTheExactTime) {
  struct Row {
    const char* name;
    BaseTime result;
    LLONG numerator, denominator;
  } rows[] = {
      {"equal denominators, sum at the top", BaseTime(kMax - 2, 3) + BaseTime(2, 3), kMax, 3},
      {"equal denominators, sum past the top", BaseTime(kMax, 2) + BaseTime(1, 2), kMax / 2 + 1, 1},
      {"difference down to the minimum", BaseTime(kMin + 1, 1) - BaseTime(1, 1), kMin, 1},
      {"difference of the largest", BaseTime(kMax, 1) - BaseTime(kMax, 1), 0, 1},
      {"denominator product just fits", BaseTime(1, 3037000499) + BaseTime(1, 3037000500),
       6074000999, 9223372033963249500},
      {"equal large denominators reduce", BaseTime(1, kMax - 1) + BaseTime(1, kMax - 1), 1,
       kMax / 2},
      {"cross products past the top", BaseTime(kMax, 3) - BaseTime(kMax - 1, 2),
       -4611686018427387902, 3},
      {"quotient of the largest", BaseTime(kMax, 1) / BaseTime(kMax, 1), 1, 1},
      {"quotient with products past the top", BaseTime(kMax, 2) / BaseTime(kMax, 3), 3, 2},
      {"quotient by a tiny time", BaseTime(1, kMax) / BaseTime(1, 2), 2, kMax},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.result.GetNumerator(), row.numerator);
    EXPECT_EQ(row.result.GetDenominator(), row.denominator);
  }
  struct Order {
    const char* name;
    BaseTime a, b;
    Bool less;
  } orders[] = {
      {"equal denominators", BaseTime(kMax, 3), BaseTime(kMax - 3, 3), FALSE},
      {"cross products fit", BaseTime(1, kMax), BaseTime(1, kMax - 1), TRUE},
      {"cross products past the top", BaseTime(kMax - 2, kMax - 1), BaseTime(kMax - 1, kMax), TRUE},
      {"cross products past the bottom", BaseTime(kMin + 3, kMax), BaseTime(kMin + 4, kMax - 1),
       TRUE},
      {"minimum against zero", BaseTime(kMin, 1), BaseTime(0, 0), TRUE},
  };
  for (const Order& order : orders) {
    SCOPED_TRACE(order.name);
    EXPECT_EQ(order.a < order.b, order.less);
    EXPECT_EQ(order.b < order.a, !order.less);
  }
  EXPECT_EQ(BaseTime(kMax, 1).GetFrame(30.0), std::numeric_limits<LONG>::max());
  // Numerators times the frame rate past the limits, frames within them.
  EXPECT_EQ(BaseTime(kMax / 2, kMax).GetFrame(120.0), 59);
  EXPECT_EQ(BaseTime(-(kMax / 2), kMax).GetFrame(120.0), -60);
  EXPECT_EQ(BaseTime(-1, kMax).GetFrame(1.0), -1);
}

#ifdef __SIZEOF_INT128__
__extension__ typedef __int128 Wide;

// The exact fraction reduced in 128 bits; FALSE when its parts do not fit 64 bits.
bool Reduce(Wide numerator, Wide denominator, LLONG* n, LLONG* d) {
  *n = 0;
  *d = 0;
  if (denominator == 0) return true;
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  Wide a = numerator < 0 ? -numerator : numerator, b = denominator;
  while (b != 0) {
    const Wide rest = a % b;
    a = b;
    b = rest;
  }
  numerator /= a;
  denominator /= a;
  if (numerator < kMin || numerator > kMax || denominator > kMax) return false;
  *n = static_cast<LLONG>(numerator);
  *d = static_cast<LLONG>(denominator);
  return true;
}

// Times of milliseconds and frames, with numerators near the limits, and a few of arbitrary
// parts (whose sums take the slow 128-bit reduction).
BaseTime RandomTime(std::mt19937_64& random) {
  const LLONG denominators[] = {1, 2, 3, 30, 120, 1000, 1001, kMax, kMax - 1, 3037000500};
  const int kind = static_cast<int>(random() % 8);
  const LLONG denominator = kind == 0 ? static_cast<LLONG>((random() >> 1) | 1)
                                      : denominators[random() % std::size(denominators)];
  const LLONG near = static_cast<LLONG>(random() % 5);
  LLONG numerator = static_cast<LLONG>(random());
  if (kind <= 3) numerator %= 100000;
  if (kind == 4 || kind == 5) numerator = random() % 2 ? kMax - near : kMin + near;
  return BaseTime(numerator, denominator);
}

std::string Operands(const BaseTime& a, const BaseTime& b) {
  return std::to_string(a.GetNumerator()) + "/" + std::to_string(a.GetDenominator()) + " and " +
         std::to_string(b.GetNumerator()) + "/" + std::to_string(b.GetDenominator()) + ": ";
}

TEST(BaseTime, ArithmeticAgreesWithExact128BitFractionsOnRandomOperands) {
  std::mt19937_64 random(18);
  for (int i = 0; i < 20000; ++i) {
    const BaseTime a = RandomTime(random), b = RandomTime(random);
    const Wide an = a.GetNumerator(), ad = a.GetDenominator(), bn = b.GetNumerator(),
               bd = b.GetDenominator();
    struct Case {
      const char* op;
      BaseTime result;
      Wide numerator, denominator;
    } cases[] = {{"+", a + b, an * bd + bn * ad, ad * bd},
                 {"-", a - b, an * bd - bn * ad, ad * bd},
                 {"/", a / b, an * bd, ad * bn}};
    for (const Case& c : cases) {
      LLONG n, d;
      if (!Reduce(c.numerator, c.denominator, &n, &d)) continue;
      ASSERT_EQ(c.result.GetNumerator(), n) << Operands(a, b) << c.op;
      ASSERT_EQ(c.result.GetDenominator(), d) << Operands(a, b) << c.op;
    }
    ASSERT_EQ(a < b, an * bd < bn * ad) << Operands(a, b);
    ASSERT_EQ(a == b, an == bn && ad == bd) << Operands(a, b);
    const Wide scaled = an * 120;
    const Wide frames = scaled / ad - (scaled % ad < 0 ? 1 : 0);
    if (frames > -std::numeric_limits<LONG>::max() && frames < std::numeric_limits<LONG>::max()) {
      ASSERT_EQ(a.GetFrame(120.0), static_cast<LONG>(frames)) << Operands(a, b);
    }
  }
}
#endif

}  // namespace
