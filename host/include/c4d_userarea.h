// Drawing areas of the host's interface. The headless host records every drawing call with the
// state it was made in; the stand-in can rasterize the record (standin::RasterizeUserArea).
// Coordinates are pixels, x to the right and y downwards from the area's top left corner;
// rectangles and lines include both end points.
#ifndef C4D_USERAREA_H
#define C4D_USERAREA_H

#include <memory>
#include <vector>

#include "c4d_bitmap.h"
#include "c4d_container.h"
#include "c4d_string.h"
#include "c4d_types.h"
#include "c4d_vector.h"

// Interface colour ids (DrawSetPen, DrawSetTextCol). A colour can also be given as a Vector with
// components from 0 to 1.
constexpr LONG COLOR_BG = 1000;             // dialog and line background
constexpr LONG COLOR_BGEDIT = 1001;         // background of edit fields and check boxes
constexpr LONG COLOR_BGSELECTED = 1002;     // background of selected tree lines
constexpr LONG COLOR_TEXT = 1003;           // normal text
constexpr LONG COLOR_TEXT_DISABLED = 1004;  // text of disabled gadgets
constexpr LONG COLOR_TEXT_SELECTED = 1005;  // text on COLOR_BGSELECTED
constexpr LONG COLOR_EDGELT = 1006;         // light bevel edge
constexpr LONG COLOR_EDGEDK = 1007;         // dark bevel edge
constexpr LONG COLOR_PROGRESS = 1008;       // filled part of a progress bar
constexpr LONG COLOR_TRANS = 1009;          // text background only: leave the background as it is

// Interface font ids (DrawSetFont).
constexpr LONG FONT_DEFAULT = 0;     // same as FONT_STANDARD
constexpr LONG FONT_STANDARD = 1;    // the normal interface font
constexpr LONG FONT_BOLD = 2;        // the bold interface font
constexpr LONG FONT_MONOSPACED = 3;  // a fixed-width font

// Bitmap drawing modes (DrawBitmap), combined with |.
constexpr LONG BMP_NORMAL = 0;              // the source part is drawn 1:1 and cut to the target
constexpr LONG BMP_NORMALSCALED = 1;        // the source part is scaled into the target rectangle
constexpr LONG BMP_ALLOWALPHA = 256;        // the bitmap's alpha blends it over the background
constexpr LONG BMP_TRANSPARENTALPHA = 512;  // the same: alpha 0 leaves the background untouched

// The kinds of recorded drawing calls.
enum DRAWOP {
  DRAWOP_SETPEN,
  DRAWOP_SETFONT,
  DRAWOP_SETTEXTCOL,
  DRAWOP_RECTANGLE,
  DRAWOP_LINE,
  DRAWOP_BITMAP,
  DRAWOP_TEXT,
};

// One recorded call. Every call carries the state it was made in, so a record can be replayed
// call by call without the state calls.
struct DrawCall {
  DRAWOP op = DRAWOP_SETPEN;
  // Rectangle and line: the two corners. Text: the top left corner in x1, y1. Bitmap: the
  // target rectangle as x1, y1 (position) and x2, y2 (width, height).
  LONG x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  // Bitmap: the source part (position and size).
  LONG sx = 0, sy = 0, sw = 0, sh = 0;
  // The pen (set pen, rectangle, line) or the text colour (set text colour, text).
  GeData colour;
  // The text background (set text colour, text).
  GeData background;
  // The font (set font, text).
  LONG font = FONT_STANDARD;
  // Text flags or bitmap mode.
  LONG flags = 0;
  String text;
  // A copy of the bitmap as it was drawn.
  std::shared_ptr<const BaseBitmap> bitmap;
  // Where the tree view was drawing: its line (-1 for the header) and column id; 0 for a call
  // outside a tree view cell.
  LONG line = -1;
  LONG column = 0;
};

class GeUserArea {
 public:
  GeUserArea() = default;
  virtual ~GeUserArea() = default;
  GeUserArea(const GeUserArea&) = delete;
  GeUserArea& operator=(const GeUserArea&) = delete;

  // The pen for rectangles and lines: an interface colour id, an RGB vector, or either in a
  // GeData (a LONG or a Vector; anything else selects COLOR_TEXT).
  void DrawSetPen(LONG colourId);
  void DrawSetPen(const Vector& colour);
  void DrawSetPen(const GeData& colour);
  // Fills the rectangle from (x1, y1) to (x2, y2) with the pen; corners may come in any order.
  void DrawRectangle(LONG x1, LONG y1, LONG x2, LONG y2);
  void DrawLine(LONG x1, LONG y1, LONG x2, LONG y2);
  // Draws the part (x, y, w, h) of bmp into the rectangle (wx, wy, ww, wh) with a BMP_ mode.
  // A null bitmap draws nothing.
  void DrawBitmap(BaseBitmap* bmp, LONG wx, LONG wy, LONG ww, LONG wh, LONG x, LONG y, LONG w,
                  LONG h, LONG mode);
  // Draws text with its top left corner at (x, y) in the current font and text colours. The
  // stand-in knows no text flags: they are recorded and the text is drawn left aligned.
  void DrawText(const String& text, LONG x, LONG y, LONG flags = 0);
  // Selects a FONT_ id for the following text calls and measurements.
  void DrawSetFont(LONG fontId);
  // Text colour and background (COLOR_TRANS for none), as colour ids, vectors or GeData.
  void DrawSetTextCol(const GeData& foreground, const GeData& background);
  // Width of text in pixels, and the height of a text line, in the current font.
  LONG DrawGetTextWidth(const String& text) const;
  LONG DrawGetFontHeight() const;

  // Stand-in: the area's size as the host laid it out (0 x 0 until then).
  LONG GetWidth() const { return _width; }
  LONG GetHeight() const { return _height; }
  // Stand-in: every drawing call since the last ClearDrawing, in call order.
  const std::vector<DrawCall>& GetDrawCalls() const { return _calls; }

  // Host side: set the size, start a new drawing (state back to the defaults: pen COLOR_TEXT,
  // FONT_STANDARD, text COLOR_TEXT on COLOR_TRANS), and name the tree view cell being drawn.
  void SetSize(LONG width, LONG height);
  void ClearDrawing();
  void ResetDrawState();
  void SetCellTag(LONG line, LONG column);

 private:
  DrawCall MakeCall(DRAWOP op) const;

  std::vector<DrawCall> _calls;
  GeData _pen = GeData(COLOR_TEXT);
  GeData _textColour = GeData(COLOR_TEXT);
  GeData _textBackground = GeData(COLOR_TRANS);
  LONG _font = FONT_STANDARD;
  LONG _tagLine = -1;
  LONG _tagColumn = 0;
  LONG _width = 0;
  LONG _height = 0;
};

// What the tree view hands to a cell's drawing callback: the area and the cell's rectangle.
struct DrawInfo {
  GeUserArea* frame = nullptr;
  LONG line = 0;
  LONG xpos = 0;
  LONG ypos = 0;
  LONG width = 0;
  LONG height = 0;
};

#endif
