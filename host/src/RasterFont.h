// The interface fonts of the headless host: DejaVu faces read with FreeType, for measuring and
// drawing text. Without the font files, or in builds without FreeType (the Windows builds),
// text is measured at a fixed width per character and not drawn.
#ifndef HOST_RASTERFONT_H
#define HOST_RASTERFONT_H

#include <functional>
#include <string>

#include "c4d_types.h"

namespace standin {

// Metrics when no font can be read.
constexpr LONG kFallbackAdvance = 7;
constexpr LONG kFallbackHeight = 15;
constexpr LONG kFallbackAscent = 12;

// Width in pixels of utf8 text in font (a FONT_ id).
LONG FontTextWidth(LONG font, const std::string& utf8);
// Height of a text line, and the distance from its top to the baseline, in pixels.
LONG FontLineHeight(LONG font);
LONG FontAscent(LONG font);

// Calls plot(x, y, coverage) for every pixel that text with its top left corner at (x, y)
// covers; coverage 1 to 255 (anti-aliased edges below 255).
using GlyphPlot = std::function<void(LONG x, LONG y, UCHAR coverage)>;
void FontRenderText(LONG font, LONG x, LONG y, const std::string& utf8, const GlyphPlot& plot);

}  // namespace standin

#endif
