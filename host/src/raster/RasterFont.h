// The interface fonts of the headless host, for measuring and drawing text. Builds with FreeType
// find the DejaVu faces through fontconfig; the others (the Windows builds) read them with
// stb_truetype from the fonts/ folder beside the host library or from the system's fonts folder.
// Where a face cannot be read, its text is measured at a fixed width per character and not drawn.
#ifndef HOST_RASTERFONT_H
#define HOST_RASTERFONT_H

#include <functional>
#include <string>

#include "c4d_types.h"

namespace standin {

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
