// Bitmaps: RGBA pixels, 8 bits a channel, loaded from TIFF files.
#ifndef C4D_BITMAP_H
#define C4D_BITMAP_H

#include <vector>

#include "c4d_container.h"
#include "c4d_types.h"

// Results of BaseBitmap::Init.
enum { IMAGERESULT_OK = 1, IMAGERESULT_NOTEXISTING = -1, IMAGERESULT_WRONGTYPE = 2 };

class BaseBitmap {
 public:
  static BaseBitmap* Alloc();
  static void Free(BaseBitmap*& bitmap);

  // Loads a TIFF file (frame -1: the first image); IMAGERESULT_OK on success. On failure the
  // bitmap is left empty (0 x 0).
  LONG Init(const Filename& name, LONG frame = -1, Bool* isMovie = nullptr);
  // An empty (transparent black) image of width x height; IMAGERESULT_OK on success.
  LONG Init(LONG width, LONG height, LONG depth = 32);

  LONG GetBw() const { return _width; }
  LONG GetBh() const { return _height; }
  // A new bitmap with the part (x, y, w, h); pixels outside the image are transparent black.
  // Null for a non-positive size.
  BaseBitmap* GetClonePart(LONG x, LONG y, LONG w, LONG h) const;

  // Pixel access; reads outside the image give 0, writes outside are ignored.
  void GetPixel(LONG x, LONG y, UCHAR* r, UCHAR* g, UCHAR* b, UCHAR* a = nullptr) const;
  void SetPixel(LONG x, LONG y, UCHAR r, UCHAR g, UCHAR b, UCHAR a = 255);

 private:
  BaseBitmap() = default;
  LONG _width = 0;
  LONG _height = 0;
  std::vector<UCHAR> _rgba;
};

#endif
