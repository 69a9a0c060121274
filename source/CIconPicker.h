// Cuts icons out of the plug-in's icon strip res/IconPalette.tif: a grid of equal square cells,
// numbered row by row from the top left.
#ifndef CICONPICKER_H
#define CICONPICKER_H

#include "c4d.h"

// Icons of the strip. The status icons are ordered so that TreeListData maps status codes
// 0..4 (none, unchanged, reduced, failed, busy) to strip icons 1, 4, 3, 2, 5.
enum GlobalIcon {
  GLOBALICON_THINFOLD = 0,  // the command's icon
  GLOBALICON_STATUS_NONE = 1,
  GLOBALICON_STATUS_FAILED = 2,
  GLOBALICON_STATUS_REDUCED = 3,
  GLOBALICON_STATUS_UNCHANGED = 4,
  GLOBALICON_STATUS_BUSY = 5,
};

// The strip's size and cell size in pixels.
enum { ICONSTRIP_WIDTH = 320, ICONSTRIP_HEIGHT = 192, ICONSTRIP_CELL = 32 };

class CIconPicker {
 public:
  // Expects a strip of width x height pixels cut into cells of cellWidth x cellHeight.
  CIconPicker(int width, int height, int cellWidth, int cellHeight);
  ~CIconPicker();
  CIconPicker(const CIconPicker&) = delete;
  CIconPicker& operator=(const CIconPicker&) = delete;

  // Loads the strip; FALSE when it cannot be read or has another size than expected.
  Bool Init(const Filename& file);
  // A new bitmap with the cell of index, clamped into the strip's cells; the caller frees it
  // with BaseBitmap::Free. Null for cells of size 0 or a strip narrower than one cell.
  BaseBitmap* GetIcon(int index) const;

 private:
  int _width;
  int _height;
  int _cellwidth;
  int _cellheight;
  BaseBitmap* _strip;
};

// Icon of the plug-in's strip (read from the file on each call), owned by the caller. When the
// strip cannot be loaded, the cell is cut from an empty bitmap (transparent pixels).
BaseBitmap* GetGlobalIcon(GlobalIcon icon);

#endif
