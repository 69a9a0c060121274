// Writing RGBA pictures as PNG files: with libpng where the build has it, otherwise (the Windows
// builds) with stb_image_write.
#ifndef HOST_PNGWRITE_H
#define HOST_PNGWRITE_H

#include <string>
#include <vector>

#include "c4d_types.h"

namespace standin {

// Writes width x height pixels, top-down RGBA rows of 8 bits a channel, to the file at path;
// on failure gives false and the reason.
bool EncodePngFile(const std::string& path, LONG width, LONG height, const std::vector<UCHAR>& rgba,
                   std::string& reason);

}  // namespace standin

#endif
