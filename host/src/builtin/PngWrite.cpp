// PNG files written without libpng: 8-bit RGBA, filter 0 on every row, the zlib stream made of
// stored (uncompressed) deflate blocks with its Adler-32 sum, each chunk with its CRC-32.
#include "PngWrite.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "c4d_standin.h"

namespace standin {

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t kStoredBlockLimit = 65535;

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> entries{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  return table;
}

uint32_t Crc32(const unsigned char* data, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) crc = CrcTable()[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const Bytes& data) {
  uint32_t a = 1, b = 0;
  for (unsigned char byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBigEndian(Bytes& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutChunk(Bytes& out, const char* kind, const Bytes& data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), kind, kind + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// Each row gets its filter byte 0 (none) in front.
Bytes FilteredRows(LONG width, LONG height, const std::vector<UCHAR>& rgba) {
  const size_t stride = static_cast<size_t>(width) * 4;
  Bytes rows;
  rows.reserve((stride + 1) * static_cast<size_t>(height));
  for (LONG y = 0; y < height; ++y) {
    rows.push_back(0);
    const auto row = rgba.begin() + static_cast<long>(stride * static_cast<size_t>(y));
    rows.insert(rows.end(), row, row + static_cast<long>(stride));
  }
  return rows;
}

// zlib header (deflate, 32 KiB window, no dictionary), stored blocks, Adler-32.
Bytes StoredZlibStream(const Bytes& data) {
  Bytes out{0x78, 0x01};
  size_t at = 0;
  do {
    const size_t length = std::min(kStoredBlockLimit, data.size() - at);
    const bool last = at + length == data.size();
    out.push_back(last ? 1 : 0);
    out.push_back(static_cast<unsigned char>(length & 0xFF));
    out.push_back(static_cast<unsigned char>(length >> 8));
    out.push_back(static_cast<unsigned char>(~length & 0xFF));
    out.push_back(static_cast<unsigned char>((~length >> 8) & 0xFF));
    out.insert(out.end(), data.begin() + static_cast<long>(at),
               data.begin() + static_cast<long>(at + length));
    at += length;
  } while (at < data.size());
  PutBigEndian(out, Adler32(data));
  return out;
}

Bytes PngFile(LONG width, LONG height, const std::vector<UCHAR>& rgba) {
  Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBigEndian(header, static_cast<uint32_t>(width));
  PutBigEndian(header, static_cast<uint32_t>(height));
  header.insert(header.end(),
                {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filter set 0, no interlace
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", StoredZlibStream(FilteredRows(width, height, rgba)));
  PutChunk(file, "IEND", {});
  return file;
}

}  // namespace

bool EncodePngFile(const std::string& path, LONG width, LONG height, const std::vector<UCHAR>& rgba,
                   std::string& reason) {
  if (width <= 0 || height <= 0 ||
      rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 4) {
    reason = "no picture to write";
    return false;
  }
  const Bytes file = PngFile(width, height, rgba);
  std::ofstream stream(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  stream.write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
  stream.close();
  if (stream) return true;
  reason = "cannot be written";
  return false;
}

}  // namespace standin
