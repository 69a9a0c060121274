// Bitmaps: RGBA pixels, 8 bits a channel, read from TIFF files.
#include <filesystem>
#include <system_error>

#include "raster/TiffRead.h"
#include "c4d_bitmap.h"
#include "c4d_debug.h"
#include "c4d_standin.h"

namespace {

// Larger images are refused, so sizes stay far from overflow.
constexpr long long kMaxPixels = 1LL << 28;

bool FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(standin::PathFromUtf8(path), error);
}

}  // namespace

bool standin::BitmapSizeAllowed(long long width, long long height) {
  return width > 0 && height > 0 && width * height <= kMaxPixels;
}

BaseBitmap* BaseBitmap::Alloc() { return gNew BaseBitmap; }

void BaseBitmap::Free(BaseBitmap*& bitmap) { gDelete(bitmap); }

LONG BaseBitmap::Init(const Filename& name, LONG frame, Bool* isMovie) {
  if (isMovie) *isMovie = FALSE;
  _width = _height = 0;
  _rgba.clear();
  const std::string path = name.GetString().ToUtf8();
  if (!FileExists(path)) return IMAGERESULT_NOTEXISTING;
  return standin::ReadTiffRgba(path, frame, _width, _height, _rgba) ? IMAGERESULT_OK
                                                                    : IMAGERESULT_WRONGTYPE;
}

LONG BaseBitmap::Init(LONG width, LONG height, LONG) {
  _width = _height = 0;
  _rgba.clear();
  if (!standin::BitmapSizeAllowed(width, height)) return IMAGERESULT_WRONGTYPE;
  try {
    _rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
  } catch (...) {
    return IMAGERESULT_WRONGTYPE;
  }
  _width = width;
  _height = height;
  return IMAGERESULT_OK;
}

BaseBitmap* BaseBitmap::GetClonePart(LONG x, LONG y, LONG w, LONG h) const {
  if (w <= 0 || h <= 0) return nullptr;
  BaseBitmap* part = Alloc();
  if (!part) return nullptr;
  if (part->Init(w, h) != IMAGERESULT_OK) {
    Free(part);
    return nullptr;
  }
  UCHAR r, g, b, a;
  for (LONG row = 0; row < h; ++row) {
    for (LONG column = 0; column < w; ++column) {
      GetPixel(x + column, y + row, &r, &g, &b, &a);
      part->SetPixel(column, row, r, g, b, a);
    }
  }
  return part;
}

void BaseBitmap::GetPixel(LONG x, LONG y, UCHAR* r, UCHAR* g, UCHAR* b, UCHAR* a) const {
  const bool inside = x >= 0 && y >= 0 && x < _width && y < _height;
  const size_t at = inside ? 4 * (static_cast<size_t>(y) * static_cast<size_t>(_width) + x) : 0;
  if (r) *r = inside ? _rgba[at + 0] : 0;
  if (g) *g = inside ? _rgba[at + 1] : 0;
  if (b) *b = inside ? _rgba[at + 2] : 0;
  if (a) *a = inside ? _rgba[at + 3] : 0;
}

void BaseBitmap::SetPixel(LONG x, LONG y, UCHAR r, UCHAR g, UCHAR b, UCHAR a) {
  if (x < 0 || y < 0 || x >= _width || y >= _height) return;
  const size_t at = 4 * (static_cast<size_t>(y) * static_cast<size_t>(_width) + x);
  _rgba[at + 0] = r;
  _rgba[at + 1] = g;
  _rgba[at + 2] = b;
  _rgba[at + 3] = a;
}
