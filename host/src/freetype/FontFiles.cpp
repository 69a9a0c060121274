// Font files of builds with FreeType: the DejaVu faces where Debian's fonts-dejavu-core puts them.
#include "FontFiles.h"

namespace standin {

FontFiles FindFontFiles() {
  const std::filesystem::path folder = "/usr/share/fonts/truetype/dejavu";
  return {folder / "DejaVuSans.ttf", folder / "DejaVuSans-Bold.ttf", folder / "DejaVuSansMono.ttf"};
}

}  // namespace standin
