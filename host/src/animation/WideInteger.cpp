// The 128-bit integer's multiplication and division, from 64-bit operations.
#include "animation/WideInteger.h"

#include <limits>

namespace {

// The high 64 bits of the 128-bit product of two unsigned 64-bit numbers, from 32-bit halves.
uint64_t HighProduct(uint64_t x, uint64_t y) {
  const uint64_t mask = 0xFFFFFFFFu;
  const uint64_t x0 = x & mask, x1 = x >> 32, y0 = y & mask, y1 = y >> 32;
  const uint64_t p00 = x0 * y0, p01 = x0 * y1, p10 = x1 * y0, p11 = x1 * y1;
  const uint64_t middle = (p00 >> 32) + (p01 & mask) + (p10 & mask);
  return p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
}

}  // namespace

double WideInteger::ToDouble() const {
  if (FitsInt64()) return static_cast<double>(ToInt64());
  return static_cast<double>(static_cast<int64_t>(_high)) * 18446744073709551616.0 +
         static_cast<double>(_low);
}

WideInteger operator*(const WideInteger& a, const WideInteger& b) {
  int64_t product;
  if (a.FitsInt64() && b.FitsInt64() && !__builtin_mul_overflow(a.ToInt64(), b.ToInt64(), &product))
    return WideInteger(product);
  // Modulo 2^128, the high parts meet only the other factor's low part.
  return WideInteger(HighProduct(a._low, b._low) + a._low * b._high + a._high * b._low,
                     a._low * b._low);
}

// Division by zero gives 0 rather than undefined behaviour.
WideInteger operator/(const WideInteger& a, const WideInteger& b) {
  if (b == 0) return 0;
  if (a.FitsInt64() && b.FitsInt64() &&
      !(a.ToInt64() == std::numeric_limits<int64_t>::min() && b.ToInt64() == -1))
    return a.ToInt64() / b.ToInt64();
  const WideInteger quotient =
      WideInteger::DivideUnsigned(a.IsNegative() ? -a : a, b.IsNegative() ? -b : b);
  return a.IsNegative() != b.IsNegative() ? -quotient : quotient;
}

// Long division, one bit at a time; only values beyond 64 bits come here.
WideInteger WideInteger::DivideUnsigned(const WideInteger& a, const WideInteger& b) {
  if (a._high == 0 && b._high == 0) return WideInteger(uint64_t(0), a._low / b._low);
  uint64_t quotientHigh = 0, quotientLow = 0, restHigh = 0, restLow = 0;
  for (int bit = 127; bit >= 0; --bit) {
    const uint64_t next = bit >= 64 ? (a._high >> (bit - 64)) & 1 : (a._low >> bit) & 1;
    restHigh = (restHigh << 1) | (restLow >> 63);
    restLow = (restLow << 1) | next;
    if (restHigh > b._high || (restHigh == b._high && restLow >= b._low)) {
      restHigh = restHigh - b._high - (restLow < b._low ? 1 : 0);
      restLow -= b._low;
      if (bit >= 64)
        quotientHigh |= uint64_t(1) << (bit - 64);
      else
        quotientLow |= uint64_t(1) << bit;
    }
  }
  return WideInteger(quotientHigh, quotientLow);
}
