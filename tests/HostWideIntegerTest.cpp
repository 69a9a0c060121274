// The host's 128-bit integer: hand-worked cases on every target, and agreement with the
// compiler's own 128-bit type on random operands where that type exists.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "animation/WideInteger.h"

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

struct QuotientRow {
  const char* name;
  WideInteger dividend, divisor, quotient, remainder;
};

TEST(WideInteger, DividesBeyond64BitsExactlyAndTruncatesTowardZero) {
  const WideInteger maxSquared = WideInteger(kMax) * WideInteger(kMax);
  const WideInteger twoTo63 = WideInteger(kMin) * WideInteger(-1);
  const QuotientRow rows[] = {
      {"small, negative dividend", -7, 2, -3, -1},
      {"small, negative divisor", 7, -2, -3, 1},
      {"max squared by max", maxSquared, kMax, kMax, 0},
      {"max squared plus 5 by max", maxSquared + 5, kMax, kMax, 5},
      {"negative max squared by max", -maxSquared, kMax, -WideInteger(kMax), 0},
      {"2^63 by -1", twoTo63, -1, kMin, 0},
      {"min by -1 leaves 64 bits", kMin, -1, twoTo63, 0},
      {"2^126 + 7 by -2^63", twoTo63 * twoTo63 + 7, -twoTo63, -twoTo63, 7},
      {"2^127 - 1 (wrapped) by 3", twoTo63 * twoTo63 * 2 - 1, 3,
       WideInteger(int64_t(0x2AAAAAAAAAAAAAAA)) *
               (WideInteger(int64_t(1) << 32) * (int64_t(1) << 32)) +
           WideInteger(int64_t(0x5555555555555555)) * 2,  // 0x2AAA...AAAA
       1},
  };
  for (const QuotientRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(row.dividend / row.divisor == row.quotient);
    EXPECT_TRUE(row.dividend % row.divisor == row.remainder);
    EXPECT_TRUE(row.quotient * row.divisor + row.remainder == row.dividend);
  }
  EXPECT_TRUE(maxSquared / 0 == 0);
  EXPECT_TRUE(maxSquared % 0 == maxSquared);
}

TEST(WideInteger, OrdersAndConvertsAcrossThe64BitBoundary) {
  const WideInteger beyond = WideInteger(kMax) + 1;
  EXPECT_FALSE(beyond.FitsInt64());
  EXPECT_TRUE(WideInteger(kMax).FitsInt64());
  EXPECT_TRUE(WideInteger(kMin).FitsInt64());
  EXPECT_FALSE((WideInteger(kMin) - 1).FitsInt64());
  EXPECT_TRUE(WideInteger(kMax) < beyond);
  EXPECT_TRUE(-beyond == WideInteger(kMin));
  EXPECT_TRUE(WideInteger(-1) < WideInteger(0));
  EXPECT_TRUE(WideInteger(-1) * beyond < WideInteger(kMax));
  EXPECT_EQ(beyond.ToDouble(), 9223372036854775808.0);
  EXPECT_EQ((-(beyond * beyond)).ToDouble(), -85070591730234615865843651857942052864.0);
  EXPECT_EQ(WideInteger(kMax).ToDouble(), static_cast<double>(kMax));
}

#ifdef __SIZEOF_INT128__
__extension__ typedef __int128 Native;

__extension__ typedef unsigned __int128 NativeUnsigned;

Native ToNative(const WideInteger& value) {
  return static_cast<Native>((static_cast<NativeUnsigned>(value.HighBits()) << 64) |
                             value.LowBits());
}

// Operands of every size from a few bits to 64, of both signs, and their products.
TEST(WideInteger, AgreesWithTheNativeTypeOnRandomOperands) {
  std::mt19937_64 random(20261207);
  auto operand = [&random]() {
    const int bits = static_cast<int>(random() % 64);
    const int64_t magnitude = static_cast<int64_t>(random() >> (63 - bits));
    return random() % 2 ? magnitude : -magnitude;
  };
  for (int round = 0; round < 20000; ++round) {
    const int64_t a = operand(), b = operand(), c = operand(), d = operand();
    const WideInteger wideX = WideInteger(a) * b + c,
                      wideY = round % 3 ? WideInteger(d) : WideInteger(c) * d;
    const Native x = static_cast<Native>(a) * b + c, y = round % 3 ? Native(d) : Native(c) * d;
    ASSERT_EQ(ToNative(wideX), x) << a << " * " << b << " + " << c;
    EXPECT_EQ(wideX < wideY, x < y);
    EXPECT_EQ(wideX == wideY, x == y);
    EXPECT_EQ(ToNative(wideX - wideY), x - y);
    EXPECT_EQ(wideX.FitsInt64(), x >= kMin && x <= kMax);
    if (wideX.FitsInt64())
      EXPECT_EQ(wideX.ToDouble(), static_cast<double>(x));
    else
      EXPECT_NEAR(wideX.ToDouble(), static_cast<double>(x),
                  std::fabs(static_cast<double>(x)) * 1e-15);
    if (y == 0) continue;
    EXPECT_EQ(ToNative(wideX / wideY), x / y) << a << " * " << b << " + " << c << " / " << d;
    EXPECT_EQ(ToNative(wideX % wideY), x % y);
  }
}
#endif

}  // namespace
