#include "ModelTiff.h"

#include <fstream>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// One IFD entry; SHORT values sit in the low half of the value field.
void PutEntry(std::vector<uint8_t>& out, uint16_t tag, uint16_t type, uint32_t count,
              uint32_t value) {
  Put16(out, tag);
  Put16(out, type);
  Put32(out, count);
  if (type == 3 && count == 1) {
    Put16(out, value);
    Put16(out, 0);
  } else {
    Put32(out, value);
  }
}

}  // namespace

bool WriteRgbaTiff(const std::string& path, int width, int height,
                   const std::function<Rgba(int x, int y)>& pixel) {
  const uint32_t entryCount = 11;
  const uint32_t bitsOffset = 8 + 2 + entryCount * 12 + 4;
  const uint32_t dataOffset = bitsOffset + 8;
  const uint32_t dataSize = uint32_t(width) * uint32_t(height) * 4;
  std::vector<uint8_t> out = {'I', 'I', 42, 0};
  Put32(out, 8);
  Put16(out, entryCount);
  PutEntry(out, 256, 3, 1, uint32_t(width));
  PutEntry(out, 257, 3, 1, uint32_t(height));
  PutEntry(out, 258, 3, 4, bitsOffset);
  PutEntry(out, 259, 3, 1, 1);
  PutEntry(out, 262, 3, 1, 2);
  PutEntry(out, 273, 4, 1, dataOffset);
  PutEntry(out, 277, 3, 1, 4);
  PutEntry(out, 278, 3, 1, uint32_t(height));
  PutEntry(out, 279, 4, 1, dataSize);
  PutEntry(out, 284, 3, 1, 1);
  PutEntry(out, 338, 3, 1, 2);
  Put32(out, 0);
  for (int i = 0; i < 4; ++i) Put16(out, 8);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (uint8_t channel : pixel(x, y)) out.push_back(channel);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
  return bool(file);
}
