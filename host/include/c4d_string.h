// The host's text type: UTF-8, compared byte-wise, with number formatting helpers.
#ifndef C4D_STRING_H
#define C4D_STRING_H

#include <string>

#include "c4d_types.h"

class String {
 public:
  String() = default;
  String(const char* utf8) : _text(utf8 ? utf8 : "") {}
  String(const std::string& utf8) : _text(utf8) {}

  // Number of characters (Unicode code points).
  LONG GetLength() const;
  // Number of bytes of the UTF-8 form, without a terminator.
  LONG GetCStringLen() const { return static_cast<LONG>(_text.size()); }
  // Copies at most max - 1 bytes and a terminator into buffer.
  void GetCString(CHAR* buffer, LONG max) const;
  Bool Content() const { return !_text.empty(); }

  String operator+(const String& other) const { return String(_text + other._text); }
  String& operator+=(const String& other) {
    _text += other._text;
    return *this;
  }
  Bool operator==(const String& other) const { return _text == other._text; }
  Bool operator!=(const String& other) const { return _text != other._text; }
  Bool operator<(const String& other) const { return _text < other._text; }

  // The UTF-8 text, for the stand-in's own programs and tests.
  const std::string& ToUtf8() const { return _text; }

 private:
  std::string _text;
};

// Decimal form of a whole number.
String LongToString(LONG value);
// Decimal form of a real; digitsAfter < 0 gives the shortest form that reads back the same.
String RealToString(Real value, LONG digitsBefore = -1, LONG digitsAfter = -1);
// The percent sign as the host writes it.
String GeGetPercentChar();

#endif
