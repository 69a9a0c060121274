// Code points of UTF-8 text, for measuring and drawing it.
#ifndef HOST_UTF8CODES_H
#define HOST_UTF8CODES_H

#include <string>
#include <vector>

namespace standin {

// Decodes UTF-8; malformed bytes count as U+FFFD.
std::vector<char32_t> DecodeUtf8(const std::string& text);

}  // namespace standin

#endif
