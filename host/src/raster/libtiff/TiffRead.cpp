// TIFF images read with libtiff.
#include "raster/TiffRead.h"

#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include "c4d_debug.h"

namespace standin {

namespace {

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

// Reads the current image of tiff as top-down RGBA rows.
bool ReadRgba(TIFF* tiff, LONG& outWidth, LONG& outHeight, std::vector<UCHAR>& rgba) {
  uint32_t width = 0, height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  if (!BitmapSizeAllowed(width, height)) return false;
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

bool ReadTiffRgba(const std::string& path, LONG frame, LONG& width, LONG& height,
                  std::vector<UCHAR>& rgba) {
  RouteTiffMessages();
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (!tiff) return false;
  bool read = false;
  if (frame <= 0 || TIFFSetDirectory(tiff, static_cast<tdir_t>(frame)))
    read = ReadRgba(tiff, width, height, rgba);
  TIFFClose(tiff);
  return read;
}

}  // namespace standin
