// Interface fonts in builds without FreeType: text is measured at a fixed width per character
// and not drawn.
#include "RasterFont.h"

#include "Utf8Codes.h"

namespace standin {

LONG FontTextWidth(LONG, const std::string& utf8) {
  return static_cast<LONG>(DecodeUtf8(utf8).size()) * kFallbackAdvance;
}

LONG FontLineHeight(LONG) { return kFallbackHeight; }

LONG FontAscent(LONG) { return kFallbackAscent; }

void FontRenderText(LONG, LONG, LONG, const std::string&, const GlyphPlot&) {}

}  // namespace standin
