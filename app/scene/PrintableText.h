// Text from a user or a file (a shell line, a path, a JSON path, a word of a BVH file) as a
// message may show it: a terminal must not act on its control bytes, and a line of 100 MB must
// not be echoed whole.
#ifndef THINFOLD_PRINTABLE_TEXT_H
#define THINFOLD_PRINTABLE_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

// The most a shown text takes in a message, escapes included, before the note on the cut.
constexpr std::size_t kMaxShownBytes = 256;

// text with control bytes (C0, DEL, C1) and bytes that are not UTF-8 written as \xNN; when that
// is longer than kMaxShownBytes, its start followed by "... (N bytes)", N being text's size.
std::string Printable(std::string_view text);

#endif
