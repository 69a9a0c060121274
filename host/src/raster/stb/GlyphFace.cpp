// Faces read and rendered with stb_truetype, unhinted, at the interface size. Metrics are
// rounded as FreeType rounds them, so that text measures the same in every build; the glyphs'
// pixels differ a little from FreeType's hinted ones.
#include "raster/GlyphFace.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "c4d_standin.h"
#include "stb_truetype.h"

namespace standin {

namespace {

class StbFace final : public GlyphFace {
 public:
  bool Load(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    _data.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    if (_data.empty()) return false;
    const int offset = stbtt_GetFontOffsetForIndex(_data.data(), 0);
    if (offset < 0 || !stbtt_InitFont(&_info, _data.data(), offset)) return false;
    _scale = stbtt_ScaleForMappingEmToPixels(&_info, static_cast<float>(kFontPixelsPerEm));
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(&_info, &ascent, &descent, &gap);
    _ascent = static_cast<LONG>(std::ceil(static_cast<float>(ascent) * _scale));
    _lineHeight = _ascent - static_cast<LONG>(std::floor(static_cast<float>(descent) * _scale));
    return true;
  }

  LONG Ascent() const override { return _ascent; }
  LONG LineHeight() const override { return _lineHeight; }

  LONG Advance(char32_t code) override {
    int advance = 0, leftBearing = 0;
    stbtt_GetGlyphHMetrics(&_info, Glyph(code), &advance, &leftBearing);
    return static_cast<LONG>(std::lround(static_cast<float>(advance) * _scale));
  }

  void Render(char32_t code, LONG penX, LONG baseline, const GlyphPlot& plot) override {
    const int glyph = Glyph(code);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetGlyphBitmapBox(&_info, glyph, _scale, _scale, &x0, &y0, &x1, &y1);
    const int width = x1 - x0, height = y1 - y0;
    if (width <= 0 || height <= 0) return;
    std::vector<unsigned char> coverage(static_cast<size_t>(width) * static_cast<size_t>(height));
    stbtt_MakeGlyphBitmap(&_info, coverage.data(), width, height, width, _scale, _scale, glyph);
    for (int row = 0; row < height; ++row)
      for (int column = 0; column < width; ++column)
        if (const UCHAR c = coverage[static_cast<size_t>(row * width + column)])
          plot(penX + x0 + column, baseline + y0 + row, c);
  }

 private:
  int Glyph(char32_t code) const { return stbtt_FindGlyphIndex(&_info, static_cast<int>(code)); }

  std::vector<unsigned char> _data;  // the font file, which _info points into
  stbtt_fontinfo _info{};
  float _scale = 0;
  LONG _ascent = 0, _lineHeight = 0;
};

}  // namespace

std::unique_ptr<GlyphFace> GlyphFace::Open(const std::filesystem::path& file, std::string& reason) {
  auto face = std::make_unique<StbFace>();
  if (face->Load(file)) return face;
  reason = Utf8FromPath(file) + " cannot be read";
  return nullptr;
}

}  // namespace standin
