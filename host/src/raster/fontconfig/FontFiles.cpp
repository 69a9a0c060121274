// Font files through fontconfig: the DejaVu family of each face first, else the face the
// system's configuration puts in its place. The configuration is loaded for the one search and
// let go.
#include "raster/FontFiles.h"

#include <fontconfig/fontconfig.h>

namespace standin {

namespace {

// Fontconfig patterns, indexed by FontFace: the family, then the generic family it stands for.
constexpr std::array<const char*, kFontFaceCount> kPatterns = {
    "DejaVu Sans,sans-serif", "DejaVu Sans,sans-serif:bold", "DejaVu Sans Mono,monospace"};

std::filesystem::path MatchFile(FcConfig* config, const char* name) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
  if (!pattern) return {};
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return {};
  FcChar8* file = nullptr;
  std::filesystem::path path;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
    path = reinterpret_cast<const char*>(file);
  FcPatternDestroy(match);
  return path;
}

}  // namespace

FontFiles FindFontFiles() {
  FontFiles files;
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return files;
  for (size_t face = 0; face < kFontFaceCount; ++face)
    files[face] = MatchFile(config, kPatterns[face]);
  FcConfigDestroy(config);
  return files;
}

}  // namespace standin
