// Exact rational time. Products of two 64-bit parts are formed in 128 bits and reduced; a result
// whose reduced parts do not fit 64 bits loses low bits of both parts (never seen with times of
// milliseconds and frames).
//
// Times of milliseconds and frames rarely need the 128 bits, so each operation first tries the
// machine's 64-bit integers and takes the wide path only when a sum or product would overflow.
// That gives the same time: both paths reduce the exact result, and a reduced fraction with a
// positive denominator is unique.
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>

#include "animation/WideInteger.h"
#include "c4d_time.h"

namespace {

using Wide = WideInteger;

// Milliseconds beyond this (about 285,000 years) are clamped, so the rounding stays defined.
constexpr double kMaxMilliseconds = 9.0e15;

Wide Gcd(Wide a, Wide b) {
  if (a < 0) a = -a;
  if (b < 0) b = -b;
  while (b != 0) {
    const Wide rest = a % b;
    a = b;
    b = rest;
  }
  return a;
}

// |value|, exact for the most negative value too.
uint64_t Magnitude(LLONG value) {
  return value < 0 ? uint64_t(0) - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

// The greatest common divisor of a and b (b above 0).
uint32_t Gcd32(uint32_t a, uint32_t b) {
  while (b != 0) {
    const uint32_t rest = a % b;
    a = b;
    b = rest;
  }
  return a;
}

// The parts of a time, a zero denominator read as 0 / 1; the denominator is above 0.
struct Parts {
  LLONG numerator;
  LLONG denominator;
};

Parts PartsOf(const BaseTime& time) {
  if (time.GetDenominator() == 0) return {0, 1};
  return {time.GetNumerator(), time.GetDenominator()};
}

// x.numerator * y.denominator and y.numerator * x.denominator, FALSE when either overflows.
Bool CrossProducts(const Parts& x, const Parts& y, LLONG* first, LLONG* second) {
  return !__builtin_mul_overflow(x.numerator, y.denominator, first) &&
         !__builtin_mul_overflow(y.numerator, x.denominator, second);
}

// The parts of x + y (sign 1) or x - y (sign -1), unreduced, FALSE when they overflow 64 bits.
// Equal denominators, the common case, need no product.
Bool SumParts(const Parts& x, const Parts& y, int sign, LLONG* numerator, LLONG* denominator) {
  LLONG first = x.numerator, second = y.numerator;
  *denominator = x.denominator;
  if (x.denominator != y.denominator &&
      (!CrossProducts(x, y, &first, &second) ||
       __builtin_mul_overflow(x.denominator, y.denominator, denominator)))
    return FALSE;
  return sign > 0 ? !__builtin_add_overflow(first, second, numerator)
                  : !__builtin_sub_overflow(first, second, numerator);
}

struct Fraction {
  Wide numerator;
  Wide denominator;  // above 0
};

// A zero denominator reads as 0 seconds.
Fraction Of(const BaseTime& time) {
  if (time.GetDenominator() == 0) return {0, 1};
  return {time.GetNumerator(), time.GetDenominator()};
}

BaseTime MakeTime(Wide numerator, Wide denominator) {
  if (denominator == 0) return BaseTime(0, 0);
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  Wide divisor = Gcd(numerator, denominator);
  if (divisor > 1) {
    numerator /= divisor;
    denominator /= divisor;
  }
  while (!numerator.FitsInt64() || !denominator.FitsInt64()) {
    numerator /= 2;
    denominator = denominator / 2 > 0 ? denominator / 2 : 1;
    divisor = Gcd(numerator, denominator);
    if (divisor > 1) {
      numerator /= divisor;
      denominator /= divisor;
    }
  }
  return BaseTime(numerator.ToInt64(), denominator.ToInt64());
}

// floor(numerator * fps / denominator) in 128 bits.
double WholeFramesWide(const Fraction& time, LLONG fps) {
  const Wide scaled = time.numerator * Wide(fps);
  Wide quotient = scaled / time.denominator;
  if (scaled % time.denominator != 0 && scaled < 0) quotient = quotient - 1;
  return quotient.ToDouble();
}

}  // namespace

// std::llround of seconds * 1000.0: the product is rounded to a double first, so 0.0165 s,
// whose product is exactly 16.5, becomes 17 ms, and -0.0165 s becomes -17 ms.
BaseTime::BaseTime(Real seconds) {
  if (!std::isfinite(seconds)) return;
  double milliseconds = seconds * 1000.0;
  if (milliseconds > kMaxMilliseconds) milliseconds = kMaxMilliseconds;
  if (milliseconds < -kMaxMilliseconds) milliseconds = -kMaxMilliseconds;
  *this = BaseTime(std::llround(milliseconds), 1000);
}

BaseTime::BaseTime(LLONG numerator, LLONG denominator) {
  if (denominator == 0) {
    _numerator = 0;
    _denominator = 0;
    return;
  }
  // Both parts within 32 bits, as those of milliseconds and frames are: Euclid's algorithm on
  // 32-bit integers, whose divisions take a fraction of the time of 64-bit ones or of a binary
  // gcd's many steps, gives the same reduced parts.
  const uint64_t numeratorSize = Magnitude(numerator), denominatorSize = Magnitude(denominator);
  if ((numeratorSize | denominatorSize) <= std::numeric_limits<uint32_t>::max()) {
    const uint32_t divisor =
        Gcd32(static_cast<uint32_t>(numeratorSize), static_cast<uint32_t>(denominatorSize));
    const auto reduced = static_cast<LLONG>(static_cast<uint32_t>(numeratorSize) / divisor);
    _numerator = (numerator < 0) != (denominator < 0) ? -reduced : reduced;
    _denominator = static_cast<uint32_t>(denominatorSize) / divisor;
    return;
  }
  // Both parts and their negations fit 64 bits: the machine's own integers reduce them to the
  // same parts as the wide path, at a fraction of its cost.
  constexpr LLONG kMin = std::numeric_limits<LLONG>::min();
  if (numerator != kMin && denominator != kMin) {
    const LLONG sign = denominator < 0 ? -1 : 1;
    const LLONG divisor = std::gcd(numerator, denominator);
    _numerator = sign * (numerator / divisor);
    _denominator = sign * (denominator / divisor);
    return;
  }
  Wide wideNumerator = numerator;
  Wide wideDenominator = denominator;
  if (wideDenominator < 0) {
    wideNumerator = -wideNumerator;
    wideDenominator = -wideDenominator;
  }
  const Wide divisor = Gcd(wideNumerator, wideDenominator);
  wideNumerator /= divisor;
  wideDenominator /= divisor;
  if (wideNumerator.FitsInt64() && wideDenominator.FitsInt64()) {
    _numerator = wideNumerator.ToInt64();
    _denominator = wideDenominator.ToInt64();
  } else {
    *this = MakeTime(wideNumerator, wideDenominator);
  }
}

LONG BaseTime::GetFrame(Real fps) const {
  if (!std::isfinite(fps)) return 0;
  const Parts parts = PartsOf(*this);
  double frames;
  if (fps == std::floor(fps) && std::fabs(fps) < 1e9) {
    // Whole frame rates are exact: floor(numerator * fps / denominator).
    LLONG scaled;
    if (!__builtin_mul_overflow(parts.numerator, static_cast<LLONG>(fps), &scaled)) {
      const LLONG quotient = scaled / parts.denominator;
      frames = static_cast<double>(scaled % parts.denominator < 0 ? quotient - 1 : quotient);
    } else {
      frames = WholeFramesWide(Of(*this), static_cast<LLONG>(fps));
    }
  } else {
    frames = std::floor(Get() * fps);
  }
  const double limit = std::numeric_limits<LONG>::max();
  if (frames > limit) return std::numeric_limits<LONG>::max();
  if (frames < -limit) return -std::numeric_limits<LONG>::max();
  return static_cast<LONG>(frames);
}

BaseTime operator+(const BaseTime& a, const BaseTime& b) {
  LLONG numerator, denominator;
  if (SumParts(PartsOf(a), PartsOf(b), 1, &numerator, &denominator))
    return BaseTime(numerator, denominator);
  const Fraction x = Of(a), y = Of(b);
  return MakeTime(x.numerator * y.denominator + y.numerator * x.denominator,
                  x.denominator * y.denominator);
}

BaseTime operator-(const BaseTime& a, const BaseTime& b) {
  LLONG numerator, denominator;
  if (SumParts(PartsOf(a), PartsOf(b), -1, &numerator, &denominator))
    return BaseTime(numerator, denominator);
  const Fraction x = Of(a), y = Of(b);
  return MakeTime(x.numerator * y.denominator - y.numerator * x.denominator,
                  x.denominator * y.denominator);
}

BaseTime operator/(const BaseTime& a, const BaseTime& b) {
  const Parts p = PartsOf(a), q = PartsOf(b);
  LLONG numerator, denominator;
  if (!__builtin_mul_overflow(p.numerator, q.denominator, &numerator) &&
      !__builtin_mul_overflow(p.denominator, q.numerator, &denominator))
    return BaseTime(numerator, denominator);
  const Fraction x = Of(a), y = Of(b);
  return MakeTime(x.numerator * y.denominator, x.denominator * y.numerator);
}

Bool BaseTime::WideLess(const BaseTime& a, const BaseTime& b) {
  const Parts p = PartsOf(a), q = PartsOf(b);
  if (p.denominator == q.denominator) return p.numerator < q.numerator;
  LLONG first, second;
  if (CrossProducts(p, q, &first, &second)) return first < second;
  const Fraction x = Of(a), y = Of(b);
  return x.numerator * y.denominator < y.numerator * x.denominator;
}
