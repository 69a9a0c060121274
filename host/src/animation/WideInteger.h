// A signed 128-bit integer for exact products of two 64-bit parts, on every target: 32-bit
// compilers have no built-in 128-bit type. Two's complement; +, - and * wrap like the built-in
// types, / and % truncate toward zero. Values that fit 64 bits take the native paths.
#ifndef HOST_WIDEINTEGER_H
#define HOST_WIDEINTEGER_H

#include <cstdint>

class WideInteger {
 public:
  constexpr WideInteger(int64_t value = 0)
      : _high(value < 0 ? ~uint64_t(0) : 0), _low(static_cast<uint64_t>(value)) {}

  bool FitsInt64() const { return _high == (LowSignBit() ? ~uint64_t(0) : 0); }
  int64_t ToInt64() const { return static_cast<int64_t>(_low); }  // the low 64 bits
  // Exact rounding for values that fit 64 bits; larger ones come within a few units in the last
  // place.
  double ToDouble() const;
  bool IsNegative() const { return (_high >> 63) != 0; }
  uint64_t HighBits() const { return _high; }
  uint64_t LowBits() const { return _low; }

  friend WideInteger operator+(const WideInteger& a, const WideInteger& b) {
    const uint64_t low = a._low + b._low;
    return WideInteger(a._high + b._high + (low < a._low ? 1 : 0), low);
  }
  friend WideInteger operator-(const WideInteger& a) {
    return WideInteger(~a._high + (a._low == 0 ? 1 : 0), ~a._low + 1);
  }
  friend WideInteger operator-(const WideInteger& a, const WideInteger& b) { return a + -b; }
  friend WideInteger operator*(const WideInteger& a, const WideInteger& b);
  friend WideInteger operator/(const WideInteger& a, const WideInteger& b);
  friend WideInteger operator%(const WideInteger& a, const WideInteger& b) { return a - a / b * b; }
  WideInteger& operator/=(const WideInteger& b) { return *this = *this / b; }

  friend bool operator==(const WideInteger& a, const WideInteger& b) {
    return a._high == b._high && a._low == b._low;
  }
  friend bool operator<(const WideInteger& a, const WideInteger& b) {
    const int64_t highA = static_cast<int64_t>(a._high), highB = static_cast<int64_t>(b._high);
    return highA != highB ? highA < highB : a._low < b._low;
  }
  friend bool operator>(const WideInteger& a, const WideInteger& b) { return b < a; }
  friend bool operator<=(const WideInteger& a, const WideInteger& b) { return !(b < a); }
  friend bool operator>=(const WideInteger& a, const WideInteger& b) { return !(a < b); }

 private:
  constexpr WideInteger(uint64_t high, uint64_t low) : _high(high), _low(low) {}
  bool LowSignBit() const { return (_low >> 63) != 0; }
  // Division of the two values read as unsigned 128-bit numbers; b is not zero.
  static WideInteger DivideUnsigned(const WideInteger& a, const WideInteger& b);

  uint64_t _high;
  uint64_t _low;
};

#endif
