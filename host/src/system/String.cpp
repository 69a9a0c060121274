// The host's UTF-8 text and its number formatting.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "c4d_string.h"

LONG String::GetLength() const {
  LONG characters = 0;
  // Every byte that is not a UTF-8 continuation byte starts a character.
  for (unsigned char byte : _text)
    if ((byte & 0xC0) != 0x80) ++characters;
  return characters;
}

void String::GetCString(CHAR* buffer, LONG max) const {
  if (!buffer || max <= 0) return;
  const size_t count = std::min(_text.size(), static_cast<size_t>(max) - 1);
  std::memcpy(buffer, _text.data(), count);
  buffer[count] = '\0';
}

String LongToString(LONG value) { return String(std::to_string(value)); }

namespace {

std::string ShortestForm(Real value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
  return std::string(buffer, result.ptr);
}

std::string FixedForm(Real value, LONG digitsAfter) {
  const int digits = static_cast<int>(std::min<LONG>(digitsAfter, 30));
  char buffer[400];
  std::snprintf(buffer, sizeof(buffer), "%.*f", digits, value);
  return std::string(buffer);
}

// Pads the whole-number part with leading zeros up to digitsBefore digits.
std::string PadWholePart(std::string text, LONG digitsBefore) {
  const size_t signLength = (!text.empty() && text[0] == '-') ? 1 : 0;
  size_t wholeLength = text.find_first_not_of("0123456789", signLength);
  if (wholeLength == std::string::npos) wholeLength = text.size();
  wholeLength -= signLength;
  const size_t wanted = static_cast<size_t>(std::min<LONG>(digitsBefore, 100));
  if (wholeLength < wanted) text.insert(signLength, wanted - wholeLength, '0');
  return text;
}

}  // namespace

String RealToString(Real value, LONG digitsBefore, LONG digitsAfter) {
  if (!std::isfinite(value)) return String(std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf");
  std::string text = digitsAfter < 0 ? ShortestForm(value) : FixedForm(value, digitsAfter);
  if (digitsBefore > 0) text = PadWholePart(text, digitsBefore);
  return String(text);
}

String GeGetPercentChar() { return String("%"); }
