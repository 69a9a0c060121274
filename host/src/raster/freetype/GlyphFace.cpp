// Faces read and rendered with FreeType, hinted, at the interface size.
#include "raster/GlyphFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "c4d_standin.h"

namespace standin {

namespace {

LONG WholePixels(FT_Pos value) { return static_cast<LONG>((value + 32) >> 6); }

class FreetypeFace final : public GlyphFace {
 public:
  ~FreetypeFace() override {
    if (_face) FT_Done_Face(_face);
    if (_library) FT_Done_FreeType(_library);
  }

  bool Load(const std::filesystem::path& file) {
    return FT_Init_FreeType(&_library) == 0 &&
           FT_New_Face(_library, file.string().c_str(), 0, &_face) == 0 &&
           FT_Set_Pixel_Sizes(_face, 0, kFontPixelsPerEm) == 0;
  }

  // FreeType rounds the scaled ascender up and the descender down to whole pixels.
  LONG Ascent() const override { return WholePixels(_face->size->metrics.ascender); }
  LONG LineHeight() const override {
    const FT_Size_Metrics& metrics = _face->size->metrics;
    return WholePixels(metrics.ascender - metrics.descender);
  }

  // Hinted advances are whole pixels.
  LONG Advance(char32_t code) override {
    if (FT_Load_Char(_face, code, FT_LOAD_DEFAULT) != 0) return 0;
    return WholePixels(_face->glyph->advance.x);
  }

  void Render(char32_t code, LONG penX, LONG baseline, const GlyphPlot& plot) override {
    if (FT_Load_Char(_face, code, FT_LOAD_RENDER) != 0) return;
    const FT_GlyphSlot glyph = _face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    const LONG left = penX + glyph->bitmap_left;
    const LONG top = baseline - glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row)
      for (unsigned column = 0; column < bitmap.width; ++column) {
        const UCHAR coverage =
            bitmap.buffer[static_cast<long>(row) * bitmap.pitch + static_cast<long>(column)];
        if (coverage)
          plot(left + static_cast<LONG>(column), top + static_cast<LONG>(row), coverage);
      }
  }

 private:
  FT_Library _library = nullptr;
  FT_Face _face = nullptr;
};

}  // namespace

std::unique_ptr<GlyphFace> GlyphFace::Open(const std::filesystem::path& file, std::string& reason) {
  auto face = std::make_unique<FreetypeFace>();
  if (face->Load(file)) return face;
  reason = Utf8FromPath(file) + " cannot be read";
  return nullptr;
}

}  // namespace standin
