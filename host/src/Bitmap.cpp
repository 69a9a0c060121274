// Bitmaps: RGBA pixels, 8 bits a channel, read from TIFF files with libtiff.
#include <sys/stat.h>
#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "c4d_bitmap.h"
#include "c4d_debug.h"

namespace {

// Larger images are refused, so sizes stay far from overflow.
constexpr long long kMaxPixels = 1LL << 28;

void ReportTiffProblem(const char* module, const char* format, va_list args) {
  char text[512];
  std::vsnprintf(text, sizeof(text), format, args);
  GeDebugOut("libtiff %s: %s", module ? module : "", text);
}

// libtiff writes its complaints to stderr by default; the host routes them to its debug output.
void RouteTiffMessages() {
  static std::once_flag routed;
  std::call_once(routed, [] {
    TIFFSetErrorHandler(ReportTiffProblem);
    TIFFSetWarningHandler(nullptr);
  });
}

bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool SizeAllowed(long long width, long long height) {
  return width > 0 && height > 0 && width * height <= kMaxPixels;
}

// Reads the current image of tiff as top-down RGBA rows.
bool ReadRgba(TIFF* tiff, LONG& outWidth, LONG& outHeight, std::vector<UCHAR>& rgba) {
  uint32_t width = 0, height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  if (!SizeAllowed(width, height)) return false;
  std::vector<uint32_t> raster;
  try {
    raster.resize(static_cast<size_t>(width) * height);
    rgba.resize(raster.size() * 4);
  } catch (...) {
    rgba.clear();
    return false;
  }
  if (!TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 0)) {
    rgba.clear();
    return false;
  }
  for (size_t i = 0; i < raster.size(); ++i) {
    rgba[4 * i + 0] = static_cast<UCHAR>(TIFFGetR(raster[i]));
    rgba[4 * i + 1] = static_cast<UCHAR>(TIFFGetG(raster[i]));
    rgba[4 * i + 2] = static_cast<UCHAR>(TIFFGetB(raster[i]));
    rgba[4 * i + 3] = static_cast<UCHAR>(TIFFGetA(raster[i]));
  }
  outWidth = static_cast<LONG>(width);
  outHeight = static_cast<LONG>(height);
  return true;
}

}  // namespace

BaseBitmap* BaseBitmap::Alloc() { return gNew BaseBitmap; }

void BaseBitmap::Free(BaseBitmap*& bitmap) { gDelete(bitmap); }

LONG BaseBitmap::Init(const Filename& name, LONG frame, Bool* isMovie) {
  if (isMovie) *isMovie = FALSE;
  _width = _height = 0;
  _rgba.clear();
  const std::string path = name.GetString().ToUtf8();
  if (!FileExists(path)) return IMAGERESULT_NOTEXISTING;
  RouteTiffMessages();
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (!tiff) return IMAGERESULT_WRONGTYPE;
  LONG result = IMAGERESULT_WRONGTYPE;
  if (frame <= 0 || TIFFSetDirectory(tiff, static_cast<tdir_t>(frame))) {
    if (ReadRgba(tiff, _width, _height, _rgba)) result = IMAGERESULT_OK;
  }
  TIFFClose(tiff);
  return result;
}

LONG BaseBitmap::Init(LONG width, LONG height, LONG) {
  _width = _height = 0;
  _rgba.clear();
  if (!SizeAllowed(width, height)) return IMAGERESULT_WRONGTYPE;
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
