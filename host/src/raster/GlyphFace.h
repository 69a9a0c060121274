// One face of a font file at the interface size, read by the build's rasteriser (FreeType or
// stb_truetype). Metrics are whole pixels, so that a text's width is the sum of the advances its
// glyphs are drawn at.
#ifndef HOST_GLYPHFACE_H
#define HOST_GLYPHFACE_H

#include <filesystem>
#include <memory>
#include <string>

#include "raster/FontFiles.h"
#include "raster/RasterFont.h"
#include "c4d_types.h"
#include "c4d_userarea.h"

namespace standin {

// The interface size: pixels per em.
constexpr LONG kFontPixelsPerEm = 12;

constexpr FontFace FaceOf(LONG font) {
  switch (font) {
    case FONT_BOLD:
      return FontFace::kSansBold;
    case FONT_MONOSPACED:
      return FontFace::kMono;
    default:
      return FontFace::kSans;
  }
}

class GlyphFace {
 public:
  // The face in file, or null with the reason when it cannot be read.
  static std::unique_ptr<GlyphFace> Open(const std::filesystem::path& file, std::string& reason);
  virtual ~GlyphFace() = default;

  // Distance from a line's top to its baseline, and the line's height.
  virtual LONG Ascent() const = 0;
  virtual LONG LineHeight() const = 0;
  // How far the pen moves after the glyph of code.
  virtual LONG Advance(char32_t code) = 0;
  // Plots the glyph of code with the pen at (penX, baseline).
  virtual void Render(char32_t code, LONG penX, LONG baseline, const GlyphPlot& plot) = 0;
};

}  // namespace standin

#endif
