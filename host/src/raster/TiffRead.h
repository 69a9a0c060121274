// Reading TIFF images into RGBA pixels: with libtiff where the build has it, otherwise with the
// host's own reader of uncompressed baseline files.
#ifndef HOST_TIFFREAD_H
#define HOST_TIFFREAD_H

#include <string>
#include <vector>

#include "c4d_types.h"

namespace standin {

// Larger images are refused, so sizes stay far from overflow.
bool BitmapSizeAllowed(long long width, long long height);

// Reads image frame (0 the first) of the TIFF file at path as top-down RGBA rows, 8 bits a
// channel; false, with rgba empty, when the file is no TIFF this reader can decode.
bool ReadTiffRgba(const std::string& path, LONG frame, LONG& width, LONG& height,
                  std::vector<UCHAR>& rgba);

}  // namespace standin

#endif
