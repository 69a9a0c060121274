// Where builds with stb_truetype look for font files: the fonts/ folder shipped beside the host
// library, then the system's fonts folder (on Windows).
#ifndef HOST_FONTFOLDERS_H
#define HOST_FONTFOLDERS_H

#include <array>
#include <filesystem>
#include <vector>

#include "raster/FontFiles.h"

namespace standin {

// The file names of each face, indexed by FontFace: the DejaVu file, then the Windows face that
// stands in for it.
constexpr std::array<std::array<const char*, 2>, kFontFaceCount> kFontFileNames = {{
    {"DejaVuSans.ttf", "segoeui.ttf"},
    {"DejaVuSans-Bold.ttf", "segoeuib.ttf"},
    {"DejaVuSansMono.ttf", "consola.ttf"},
}};

// The folders searched, in order.
std::vector<std::filesystem::path> FontFolders();

// The first of face's files in folders: folder by folder, each in the order of kFontFileNames;
// empty when none is there.
std::filesystem::path FindFontFileIn(FontFace face,
                                     const std::vector<std::filesystem::path>& folders);

}  // namespace standin

#endif
