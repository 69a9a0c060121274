// TIFF images read without libtiff: uncompressed baseline RGB or RGBA files with contiguous
// samples, 8 bits each, top-left orientation, in one or more strips (what the icon strip
// generator writes). Other files are refused. Colours with unassociated alpha come out
// premultiplied, as libtiff's RGBA reading gives them.
#include "raster/TiffRead.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "c4d_standin.h"

namespace standin {

namespace {

struct Field {
  uint16_t type = 0;
  uint32_t count = 0;
  uint32_t at = 0;  // offset of the value field within the file
};

class TiffBytes {
 public:
  explicit TiffBytes(std::vector<unsigned char> bytes) : _bytes(std::move(bytes)) {
    _big = _bytes.size() >= 2 && _bytes[0] == 'M' && _bytes[1] == 'M';
  }
  bool Fits(uint64_t at, uint64_t length) const { return at + length <= _bytes.size(); }
  uint32_t Unsigned(uint32_t at, int width) const {
    if (!Fits(at, width)) return 0;
    uint32_t value = 0;
    for (int k = 0; k < width; ++k) {
      const uint32_t byte = _bytes[at + (_big ? k : width - 1 - k)];
      value = (value << 8) | byte;
    }
    return value;
  }
  const unsigned char* At(uint32_t at) const { return _bytes.data() + at; }
  bool HasHeader() const {
    return (_big || (_bytes.size() >= 2 && _bytes[0] == 'I' && _bytes[1] == 'I')) &&
           Unsigned(2, 2) == 42;
  }

 private:
  std::vector<unsigned char> _bytes;
  bool _big = false;
};

using Directory = std::map<uint16_t, Field>;

// The value field of an entry holds the values when they fit in 4 bytes, else their offset.
Directory ReadDirectory(const TiffBytes& file, uint32_t at) {
  Directory fields;
  const uint32_t entries = file.Unsigned(at, 2);
  for (uint32_t i = 0; i < entries && file.Fits(at + 2 + 12 * i, 12); ++i) {
    const uint32_t entry = at + 2 + 12 * i;
    Field field{static_cast<uint16_t>(file.Unsigned(entry + 2, 2)), file.Unsigned(entry + 4, 4),
                entry + 8};
    const uint64_t size = static_cast<uint64_t>(field.count) * (field.type == 4 ? 4 : 2);
    if (size > 4) field.at = file.Unsigned(entry + 8, 4);
    fields[static_cast<uint16_t>(file.Unsigned(entry, 2))] = field;
  }
  return fields;
}

// Value index of a SHORT or LONG field; fallback when the field is missing or of another type.
uint32_t Value(const TiffBytes& file, const Directory& fields, uint16_t tag, uint32_t fallback,
               uint32_t index = 0) {
  const auto found = fields.find(tag);
  if (found == fields.end() || index >= found->second.count) return fallback;
  const Field& field = found->second;
  if (field.type == 3) return file.Unsigned(field.at + 2 * index, 2);
  if (field.type == 4) return file.Unsigned(field.at + 4 * index, 4);
  return fallback;
}

uint32_t DirectoryOffset(const TiffBytes& file, LONG frame) {
  uint32_t at = file.Unsigned(4, 4);
  for (LONG k = 0; k < frame && at != 0 && file.Fits(at, 2); ++k)
    at = file.Unsigned(at + 2 + 12 * file.Unsigned(at, 2), 4);
  return file.Fits(at, 2) ? at : 0;
}

bool IsSupportedLayout(const TiffBytes& file, const Directory& fields, uint32_t samples) {
  bool eightBits = true;
  for (uint32_t k = 0; k < samples; ++k)
    eightBits = eightBits && Value(file, fields, 258, 1, k) == 8;
  return eightBits && (samples == 3 || samples == 4) && Value(file, fields, 259, 1) == 1 &&
         Value(file, fields, 262, 0) == 2 && Value(file, fields, 284, 1) == 1 &&
         Value(file, fields, 274, 1) == 1;
}

// Copies the strips' bytes in order into pixels, which holds width * height * samples bytes.
bool GatherStrips(const TiffBytes& file, const Directory& fields, std::vector<UCHAR>& pixels) {
  const auto offsets = fields.find(273);
  if (offsets == fields.end()) return false;
  size_t filled = 0;
  for (uint32_t k = 0; k < offsets->second.count && filled < pixels.size(); ++k) {
    const uint32_t at = Value(file, fields, 273, 0, k);
    const uint32_t length = Value(file, fields, 279, 0, k);
    const size_t take = std::min<size_t>(length, pixels.size() - filled);
    if (!file.Fits(at, take)) return false;
    std::copy(file.At(at), file.At(at) + take, pixels.begin() + static_cast<long>(filled));
    filled += take;
  }
  return filled == pixels.size();
}

// Spreads samples (3 or 4 a pixel) to RGBA. extra is the kind of the fourth sample: 1
// associated alpha, 2 unassociated alpha (premultiplied here), anything else no alpha.
std::vector<UCHAR> ToRgba(const std::vector<UCHAR>& pixels, uint32_t samples, uint32_t extra) {
  const size_t count = pixels.size() / samples;
  const bool hasAlpha = samples == 4 && (extra == 1 || extra == 2);
  const bool premultiply = hasAlpha && extra == 2;
  std::vector<UCHAR> rgba(count * 4);
  for (size_t i = 0; i < count; ++i) {
    const unsigned alpha = hasAlpha ? pixels[i * samples + 3] : 255;
    for (size_t c = 0; c < 3; ++c) {
      const unsigned value = pixels[i * samples + c];
      rgba[4 * i + c] = static_cast<UCHAR>(premultiply ? (value * alpha + 127) / 255 : value);
    }
    rgba[4 * i + 3] = static_cast<UCHAR>(alpha);
  }
  return rgba;
}

bool Decode(const TiffBytes& file, LONG frame, LONG& width, LONG& height,
            std::vector<UCHAR>& rgba) {
  const uint32_t at = file.HasHeader() ? DirectoryOffset(file, frame < 0 ? 0 : frame) : 0;
  if (at == 0) return false;
  const Directory fields = ReadDirectory(file, at);
  const uint32_t samples = Value(file, fields, 277, 1);
  const uint32_t w = Value(file, fields, 256, 0), h = Value(file, fields, 257, 0);
  if (!IsSupportedLayout(file, fields, samples) || !BitmapSizeAllowed(w, h)) return false;
  std::vector<UCHAR> pixels(static_cast<size_t>(w) * h * samples);
  if (!GatherStrips(file, fields, pixels)) return false;
  rgba = ToRgba(pixels, samples, Value(file, fields, 338, 0));
  width = static_cast<LONG>(w);
  height = static_cast<LONG>(h);
  return true;
}

}  // namespace

bool ReadTiffRgba(const std::string& path, LONG frame, LONG& width, LONG& height,
                  std::vector<UCHAR>& rgba) {
  rgba.clear();
  std::ifstream stream(standin::PathFromUtf8(path), std::ios::binary);
  if (!stream) return false;
  TiffBytes file(std::vector<unsigned char>(std::istreambuf_iterator<char>(stream), {}));
  try {
    if (Decode(file, frame, width, height, rgba)) return true;
  } catch (...) {
  }
  rgba.clear();
  return false;
}

}  // namespace standin
