// The faces behind the interface fonts and where their files are: found through fontconfig in
// builds with FreeType, in the fonts/ folder beside the host library or in the system's fonts
// folder in builds with stb_truetype. Free of the host API's types, so that the Windows part of
// the search can include Windows' headers.
#ifndef HOST_FONTFILES_H
#define HOST_FONTFILES_H

#include <array>
#include <cstddef>
#include <filesystem>

namespace standin {

enum class FontFace { kSans, kSansBold, kMono };
constexpr size_t kFontFaceCount = 3;

// The face's name in messages.
constexpr const char* FaceName(FontFace face) {
  constexpr std::array<const char*, kFontFaceCount> names = {"DejaVu Sans", "DejaVu Sans Bold",
                                                             "DejaVu Sans Mono"};
  return names[static_cast<size_t>(face)];
}

// The file of each face, indexed by FontFace; empty where none is found.
using FontFiles = std::array<std::filesystem::path, kFontFaceCount>;
FontFiles FindFontFiles();

}  // namespace standin

#endif
