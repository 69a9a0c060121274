// Pixel drawing of the raster canvas.
#include "raster/RasterCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "raster/RasterFont.h"

namespace standin {

RasterCanvas::RasterCanvas(LONG width, LONG height, Rgba background)
    : _width(std::max<LONG>(width, 0)), _height(std::max<LONG>(height, 0)) {
  _pixels.assign(static_cast<size_t>(_width) * static_cast<size_t>(_height), background);
  ResetClip();
}

void RasterCanvas::SetOffset(LONG dx, LONG dy) {
  _dx = dx;
  _dy = dy;
}

void RasterCanvas::SetClip(LONG x1, LONG y1, LONG x2, LONG y2) {
  _clipX1 = std::max<LONG>(x1, 0);
  _clipY1 = std::max<LONG>(y1, 0);
  _clipX2 = std::min<LONG>(x2, _width - 1);
  _clipY2 = std::min<LONG>(y2, _height - 1);
}

void RasterCanvas::ResetClip() { SetClip(0, 0, _width - 1, _height - 1); }

Bool RasterCanvas::Inside(LONG x, LONG y) const {
  return x >= _clipX1 && x <= _clipX2 && y >= _clipY1 && y <= _clipY2;
}

void RasterCanvas::Blend(LONG x, LONG y, Rgba colour, UCHAR coverage) {
  x += _dx;
  y += _dy;
  if (!Inside(x, y)) return;
  Rgba& pixel = _pixels[static_cast<size_t>(y) * _width + x];
  const int weight = coverage * colour.a / 255;
  auto mix = [weight](UCHAR under, UCHAR over) {
    return static_cast<UCHAR>((over * weight + under * (255 - weight) + 127) / 255);
  };
  pixel.r = mix(pixel.r, colour.r);
  pixel.g = mix(pixel.g, colour.g);
  pixel.b = mix(pixel.b, colour.b);
  pixel.a = static_cast<UCHAR>(weight + pixel.a * (255 - weight) / 255);
}

void RasterCanvas::FillRect(LONG x1, LONG y1, LONG x2, LONG y2, Rgba colour) {
  // Only the part inside the clip is walked, so huge rectangles cost nothing extra.
  const LLONG left = std::max<LLONG>(std::min<LLONG>(x1, x2) + _dx, _clipX1);
  const LLONG right = std::min<LLONG>(std::max<LLONG>(x1, x2) + _dx, _clipX2);
  const LLONG top = std::max<LLONG>(std::min<LLONG>(y1, y2) + _dy, _clipY1);
  const LLONG bottom = std::min<LLONG>(std::max<LLONG>(y1, y2) + _dy, _clipY2);
  for (LLONG y = top; y <= bottom; ++y)
    for (LLONG x = left; x <= right; ++x)
      Blend(static_cast<LONG>(x - _dx), static_cast<LONG>(y - _dy), colour, 255);
}

namespace {

// Cuts the line to the rectangle (Liang-Barsky); false when nothing of it lies inside.
bool ClipLine(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
              double bottom) {
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
  double enter = 0.0, leave = 1.0;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0)
      enter = std::max(enter, t);
    else
      leave = std::min(leave, t);
  }
  if (enter > leave) return false;
  x2 = x1 + leave * dx;
  y2 = y1 + leave * dy;
  x1 += enter * dx;
  y1 += enter * dy;
  return true;
}

}  // namespace

void RasterCanvas::DrawLine(LONG x1, LONG y1, LONG x2, LONG y2, Rgba colour) {
  // Lines far outside the picture are cut first, so that the pixel walk stays short.
  double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
  if (!ClipLine(fx1, fy1, fx2, fy2, _clipX1 - _dx - 1.0, _clipY1 - _dy - 1.0, _clipX2 - _dx + 1.0,
                _clipY2 - _dy + 1.0))
    return;
  const LONG ax = static_cast<LONG>(std::lround(fx1)), ay = static_cast<LONG>(std::lround(fy1));
  const LONG bx = static_cast<LONG>(std::lround(fx2)), by = static_cast<LONG>(std::lround(fy2));
  // Bresenham: every step moves one pixel along the longer axis.
  const LONG stepsX = std::abs(bx - ax), stepsY = std::abs(by - ay);
  const LONG signX = ax < bx ? 1 : -1, signY = ay < by ? 1 : -1;
  LONG error = stepsX - stepsY;
  for (LONG x = ax, y = ay;;) {
    Blend(x, y, colour, 255);
    if (x == bx && y == by) break;
    const LONG doubled = 2 * error;
    if (doubled > -stepsY) {
      error -= stepsY;
      x += signX;
    }
    if (doubled < stepsX) {
      error += stepsX;
      y += signY;
    }
  }
}

void RasterCanvas::DrawText(const std::string& utf8, LONG x, LONG y, LONG font, Rgba colour) {
  FontRenderText(font, x, y, utf8, [this, colour](LONG px, LONG py, UCHAR coverage) {
    Blend(px, py, colour, coverage);
  });
}

void RasterCanvas::DrawBitmap(const BaseBitmap& bitmap, LONG sx, LONG sy, LONG sw, LONG sh, LONG x,
                              LONG y, LONG w, LONG h, Bool scaled, Bool blendAlpha) {
  if (sw <= 0 || sh <= 0 || w <= 0 || h <= 0) return;
  const LLONG width = scaled ? w : std::min(w, sw);
  const LLONG height = scaled ? h : std::min(h, sh);
  // Only the target pixels inside the clip are visited.
  const LLONG firstColumn = std::max<LLONG>(0, static_cast<LLONG>(_clipX1) - _dx - x);
  const LLONG lastColumn = std::min<LLONG>(width - 1, static_cast<LLONG>(_clipX2) - _dx - x);
  const LLONG firstRow = std::max<LLONG>(0, static_cast<LLONG>(_clipY1) - _dy - y);
  const LLONG lastRow = std::min<LLONG>(height - 1, static_cast<LLONG>(_clipY2) - _dy - y);
  for (LLONG row = firstRow; row <= lastRow; ++row)
    for (LLONG column = firstColumn; column <= lastColumn; ++column) {
      const LLONG fromX = sx + (scaled ? column * sw / w : column);
      const LLONG fromY = sy + (scaled ? row * sh / h : row);
      Rgba colour;
      bitmap.GetPixel(static_cast<LONG>(fromX), static_cast<LONG>(fromY), &colour.r, &colour.g,
                      &colour.b, &colour.a);
      if (!blendAlpha) colour.a = 255;
      Blend(static_cast<LONG>(x + column), static_cast<LONG>(y + row), colour, 255);
    }
}

Rgba RasterCanvas::GetPixel(LONG x, LONG y) const {
  if (x < 0 || y < 0 || x >= _width || y >= _height) return Rgba{0, 0, 0, 0};
  return _pixels[static_cast<size_t>(y) * _width + x];
}

Bool RasterCanvas::CopyTo(BaseBitmap& target) const {
  if (target.Init(_width, _height) != IMAGERESULT_OK) return FALSE;
  for (LONG y = 0; y < _height; ++y)
    for (LONG x = 0; x < _width; ++x) {
      const Rgba pixel = GetPixel(x, y);
      target.SetPixel(x, y, pixel.r, pixel.g, pixel.b, pixel.a);
    }
  return TRUE;
}

}  // namespace standin
