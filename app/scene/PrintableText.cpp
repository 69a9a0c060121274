// Text as a message may show it.
#include "PrintableText.h"

namespace {

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at text[at] (Unicode's table of well-formed
// byte sequences), or 0 when the byte starts none.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t offset) {
    return at + offset < text.size() ? static_cast<unsigned char>(text[at + offset]) : 0;
  };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  // The range of the second byte, which rules out overlong forms and surrogates.
  unsigned char low = 0x80, high = 0xBF;
  std::size_t length = 0;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (!InRange(byte(1), low, high)) return 0;
  for (std::size_t offset = 2; offset < length; ++offset)
    if (!InRange(byte(offset), 0x80, 0xBF)) return 0;
  return length;
}

bool IsControl(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return lead < 0x20 || lead == 0x7F;
  return lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

std::string Escaped(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string escaped;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    escaped += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
  }
  return escaped;
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string shown;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = SequenceLength(text, at);
    const std::string_view sequence = text.substr(at, length ? length : 1);
    const std::string piece =
        length && !IsControl(sequence) ? std::string(sequence) : Escaped(sequence);
    if (shown.size() + piece.size() > kMaxShownBytes)
      return shown + "... (" + std::to_string(text.size()) + " bytes)";
    shown += piece;
    at += sequence.size();
  }
  return shown;
}
