// The host program's own pictures, drawn on the snapshot canvas.
#include <cmath>

#include "raster/RasterCanvas.h"
#include "raster/RasterFont.h"
#include "raster/RasterShapes.h"
#include "c4d_container.h"
#include "c4d_standin_raster.h"

namespace standin {

namespace {

Rgba ColourOf(const Vector& colour) { return ResolveColour(GeData(colour)); }

// Opacity 0 to 1 as the alpha of a canvas colour.
Rgba WithOpacity(Rgba colour, Real opacity) {
  const Real clamped = std::isfinite(opacity) ? std::fmin(std::fmax(opacity, 0.0), 1.0) : 0.0;
  colour.a = static_cast<UCHAR>(std::lround(clamped * 255.0));
  return colour;
}

}  // namespace

RasterPicture::RasterPicture(LONG width, LONG height, const Vector& background)
    : _canvas(std::make_unique<RasterCanvas>(width, height, ColourOf(background))) {}

RasterPicture::~RasterPicture() = default;

LONG RasterPicture::GetWidth() const { return _canvas->GetWidth(); }
LONG RasterPicture::GetHeight() const { return _canvas->GetHeight(); }
void RasterPicture::SetClip(LONG x1, LONG y1, LONG x2, LONG y2) {
  _canvas->SetClip(x1, y1, x2, y2);
}
void RasterPicture::ResetClip() { _canvas->ResetClip(); }

void RasterPicture::FillRect(LONG x1, LONG y1, LONG x2, LONG y2, const Vector& colour,
                             Real opacity) {
  _canvas->FillRect(x1, y1, x2, y2, WithOpacity(ColourOf(colour), opacity));
}

void RasterPicture::StrokePolyline(const std::vector<RasterPoint>& points, Real width,
                                   const Vector& colour, Real opacity) {
  standin::StrokePolyline(*_canvas, points, width, ColourOf(colour), opacity);
}

void RasterPicture::FillCircle(RasterPoint centre, Real radius, const Vector& colour,
                               Real opacity) {
  FillDisc(*_canvas, centre, radius, ColourOf(colour), opacity);
}

void RasterPicture::FillPolygon(const std::vector<RasterPoint>& outline, const Vector& colour,
                                Real opacity) {
  standin::FillPolygon(*_canvas, outline, ColourOf(colour), opacity);
}

void RasterPicture::DrawText(const String& text, LONG x, LONG y, LONG font, const Vector& colour) {
  _canvas->DrawText(text.ToUtf8(), x, y, font, ColourOf(colour));
}

LONG RasterPicture::GetTextWidth(const String& text, LONG font) const {
  return FontTextWidth(font, text.ToUtf8());
}

LONG RasterPicture::GetFontHeight(LONG font) const { return FontLineHeight(font); }

Bool RasterPicture::CopyTo(BaseBitmap& target) const { return _canvas->CopyTo(target); }

}  // namespace standin
