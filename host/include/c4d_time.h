// Exact time of the host: a reduced rational number of seconds (64-bit numerator and
// denominator). From seconds it rounds to the nearest whole millisecond, halves away from zero.
#ifndef C4D_TIME_H
#define C4D_TIME_H

#include "c4d_types.h"

class BaseTime {
 public:
  BaseTime() = default;
  // Seconds rounded to whole milliseconds (x / 1000). Non-finite seconds give 0.
  BaseTime(Real seconds);
  // Exactly numerator / denominator, reduced, denominator made positive. A zero denominator is
  // kept as (0, 0): such a time reads as 0 seconds and compares equal to 0.
  BaseTime(LLONG numerator, LLONG denominator);

  // Seconds; 0.0 for a zero denominator. Inline: evaluation reads every time it is given in
  // seconds, and a call would cost as much as the division.
  Real Get() const {
    return _denominator == 0 ? 0.0
                             : static_cast<Real>(_numerator) / static_cast<Real>(_denominator);
  }
  LLONG GetNumerator() const { return _numerator; }
  LLONG GetDenominator() const { return _denominator; }
  // Whole frames at fps, rounded toward minus infinity.
  LONG GetFrame(Real fps) const;

  friend BaseTime operator+(const BaseTime& a, const BaseTime& b);
  friend BaseTime operator-(const BaseTime& a, const BaseTime& b);
  // a / b as a time; a zero b gives a time with a zero denominator.
  friend BaseTime operator/(const BaseTime& a, const BaseTime& b);
  // Inline, with the wide products out of line: keys are searched and kept in order by their
  // times. Equal denominators (zero ones included, whose numerators are 0) compare numerators;
  // others compare cross products, exactly in 64 bits unless one overflows.
  friend Bool operator<(const BaseTime& a, const BaseTime& b) {
    if (a._denominator == b._denominator) return a._numerator < b._numerator;
    LLONG first, second;
    if (a._denominator != 0 && b._denominator != 0 &&
        !__builtin_mul_overflow(a._numerator, b._denominator, &first) &&
        !__builtin_mul_overflow(b._numerator, a._denominator, &second))
      return first < second;
    return WideLess(a, b);
  }
  // Reduced parts are unique, so equal times have equal parts; 0 alone has two, (0, 1) and a
  // zero denominator's (0, 0).
  friend Bool operator==(const BaseTime& a, const BaseTime& b) {
    if (a._denominator == b._denominator) return a._numerator == b._numerator;
    return a._numerator == 0 && b._numerator == 0;
  }
  friend Bool operator!=(const BaseTime& a, const BaseTime& b) { return !(a == b); }
  friend Bool operator>(const BaseTime& a, const BaseTime& b) { return b < a; }
  friend Bool operator<=(const BaseTime& a, const BaseTime& b) { return !(b < a); }
  friend Bool operator>=(const BaseTime& a, const BaseTime& b) { return !(a < b); }

 private:
  // a < b through 128-bit cross products, a zero denominator read as 0 / 1.
  static Bool WideLess(const BaseTime& a, const BaseTime& b);
  LLONG _numerator = 0;
  LLONG _denominator = 1;
};

#endif
