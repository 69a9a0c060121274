// Writes small RGBA TIFF files for the icon picker tests.
#ifndef MODEL_TIFF_H
#define MODEL_TIFF_H

#include <array>
#include <cstdint>
#include <functional>
#include <string>

using Rgba = std::array<uint8_t, 4>;

// An uncompressed baseline TIFF of width x height whose pixel (x, y) is pixel(x, y). False when
// the file cannot be written.
bool WriteRgbaTiff(const std::string& path, int width, int height,
                   const std::function<Rgba(int x, int y)>& pixel);

#endif
