// PNG files written with libpng.
#include "raster/PngWrite.h"

#include <png.h>

namespace standin {

bool EncodePngFile(const std::string& path, LONG width, LONG height, const std::vector<UCHAR>& rgba,
                   std::string& reason) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  if (png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr)) return true;
  reason = image.message;
  return false;
}

}  // namespace standin
