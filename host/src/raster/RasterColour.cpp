// The headless host's interface colours.
#include <algorithm>
#include <cmath>

#include "raster/RasterCanvas.h"
#include "c4d_userarea.h"

namespace standin {

namespace {

Rgba ColourOfId(LONG id) {
  switch (id) {
    case COLOR_BG:
      return Rgba{217, 217, 217, 255};
    case COLOR_BGEDIT:
      return Rgba{255, 255, 255, 255};
    case COLOR_BGSELECTED:
      return Rgba{156, 192, 232, 255};
    case COLOR_TEXT_DISABLED:
      return Rgba{140, 140, 140, 255};
    case COLOR_TEXT_SELECTED:
      return Rgba{0, 0, 0, 255};
    case COLOR_EDGELT:
      return Rgba{248, 248, 248, 255};
    case COLOR_EDGEDK:
      return Rgba{128, 128, 128, 255};
    case COLOR_PROGRESS:
      return Rgba{74, 144, 217, 255};
    case COLOR_TRANS:
      return Rgba{0, 0, 0, 0};
    default:
      return Rgba{30, 30, 30, 255};  // COLOR_TEXT and ids the host does not know
  }
}

UCHAR Channel(Real component) {
  if (!std::isfinite(component)) return 0;
  return static_cast<UCHAR>(std::lround(std::clamp(component, 0.0, 1.0) * 255.0));
}

}  // namespace

Rgba ResolveColour(const GeData& colour) {
  if (colour.GetType() == DA_VECTOR) {
    const Vector v = colour.GetVector();
    return Rgba{Channel(v.x), Channel(v.y), Channel(v.z), 255};
  }
  if (colour.GetType() == DA_LONG) return ColourOfId(colour.GetLong());
  return ColourOfId(COLOR_TEXT);
}

}  // namespace standin
