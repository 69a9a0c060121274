// PNG files encoded with stb_image_write in memory, then written through the host's paths.
#include "raster/PngWrite.h"

#include <fstream>

#include "c4d_standin.h"
#include "stb_image_write.h"

namespace standin {

namespace {

void Append(void* context, void* data, int size) {
  auto& bytes = *static_cast<std::vector<unsigned char>*>(context);
  const auto* from = static_cast<const unsigned char*>(data);
  bytes.insert(bytes.end(), from, from + size);
}

}  // namespace

bool EncodePngFile(const std::string& path, LONG width, LONG height, const std::vector<UCHAR>& rgba,
                   std::string& reason) {
  if (width <= 0 || height <= 0 ||
      rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
    reason = "no picture to write";
    return false;
  }
  std::vector<unsigned char> file;
  if (!stbi_write_png_to_func(Append, &file, width, height, 4, rgba.data(), width * 4)) {
    reason = "cannot be encoded";
    return false;
  }
  std::ofstream stream(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  stream.write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
  stream.close();
  if (stream) return true;
  reason = "cannot be written";
  return false;
}

}  // namespace standin
