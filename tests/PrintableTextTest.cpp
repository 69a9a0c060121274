// User text as messages show it: what a terminal would act on is escaped, long text is cut.
#include <gtest/gtest.h>

#include <string>

#include "PrintableText.h"

namespace {

const std::string kFull(kMaxShownBytes, 'x');

TEST(PrintableText, EscapesWhatIsNoPrintableUtf8AndCutsLongText) {
  const struct Row {
    const char* name;
    std::string text;
    std::string shown;
  } rows[] = {
      {"plain", "objects[0].name", "objects[0].name"},
      {"UTF-8 beyond ASCII", "D\xC3\xA9mo \xE5\x8B\x95 \xF0\x9F\x98\x80",
       "D\xC3\xA9mo \xE5\x8B\x95 \xF0\x9F\x98\x80"},
      {"C0 controls", "a\x1b[2Jb\n\t", "a\\x1b[2Jb\\x0a\\x09"},
      {"NUL and DEL", std::string("a\0b\x7f", 4), "a\\x00b\\x7f"},
      {"C1 control (8-bit CSI)",
       "a\xC2\x9B"
       "31m",
       "a\\xc2\\x9b31m"},
      {"first printable beyond C1", "\xC2\xA0", "\xC2\xA0"},
      {"lone continuation byte", "a\x80z", "a\\x80z"},
      {"sequence cut short", "a\xE2\x82", "a\\xe2\\x82"},
      {"overlong slash", "\xC0\xAF", "\\xc0\\xaf"},
      {"surrogate", "\xED\xA0\x80", "\\xed\\xa0\\x80"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},
      {"as long as may be shown", kFull, kFull},
      {"one byte longer", kFull + "y",
       kFull + "... (" + std::to_string(kMaxShownBytes + 1) + " bytes)"},
      {"escapes count", std::string(kMaxShownBytes, '\x01'),
       [] {
         std::string shown;
         for (std::size_t i = 0; i < kMaxShownBytes / 4; ++i) shown += "\\x01";
         return shown + "... (" + std::to_string(kMaxShownBytes) + " bytes)";
       }()},
      {"no character is split", kFull.substr(1) + "\xC3\xA9",
       kFull.substr(1) + "... (" + std::to_string(kMaxShownBytes + 1) + " bytes)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Printable(row.text), row.shown);
  }
}

}  // namespace
