// The host program's own pictures: anti-aliased wide lines, discs and polygons land on the
// expected pixels, blend once however their pieces overlap, and survive coordinates that are
// huge or not numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "c4d.h"
#include "c4d_standin_raster.h"

namespace {

using standin::RasterPicture;
using standin::RasterPoint;

const Vector kWhite(1, 1, 1);
const Vector kBlack(0, 0, 0);

// The red channel of pixel (x, y): 255 untouched, 0 fully covered in black.
int Red(const RasterPicture& picture, LONG x, LONG y) {
  AutoAlloc<BaseBitmap> bitmap;
  if (!picture.CopyTo(*bitmap)) return -1;
  UCHAR r = 0, g = 0, b = 0, a = 0;
  bitmap->GetPixel(x, y, &r, &g, &b, &a);
  return r;
}

TEST(RasterPicture, WideLineCoversItsWidth) {
  RasterPicture picture(20, 20, kWhite);
  // Two pixels wide, centred on the border between rows 9 and 10.
  picture.StrokePolyline({{2.0, 10.0}, {17.0, 10.0}}, 2.0, kBlack);
  EXPECT_EQ(Red(picture, 8, 8), 255);
  EXPECT_EQ(Red(picture, 8, 9), 0);
  EXPECT_EQ(Red(picture, 8, 10), 0);
  EXPECT_EQ(Red(picture, 8, 11), 255);
  // Round ends reach one pixel beyond the end points, no further.
  EXPECT_LT(Red(picture, 1, 9), 255);
  EXPECT_EQ(Red(picture, 0, 9), 255);
}

TEST(RasterPicture, SlantedLineHasSoftEdges) {
  RasterPicture picture(40, 40, kWhite);
  picture.StrokePolyline({{2.0, 3.0}, {37.0, 30.0}}, 2.0, kBlack);
  int partial = 0, full = 0;
  for (LONG y = 0; y < 40; ++y)
    for (LONG x = 0; x < 40; ++x) {
      const int red = Red(picture, x, y);
      partial += red > 0 && red < 255;
      full += red == 0;
    }
  EXPECT_GT(partial, 20);
  EXPECT_GT(full, 10);
}

TEST(RasterPicture, ShapesBlendOnceWhereTheirPiecesOverlap) {
  RasterPicture picture(40, 20, kWhite);
  // A sharp zigzag at half opacity: its joins overlap, yet look like the middle of a segment.
  picture.StrokePolyline({{2.5, 10.5}, {20.5, 10.5}, {4.5, 10.5}, {30.5, 10.5}}, 3.0, kBlack, 0.5);
  EXPECT_EQ(Red(picture, 20, 10), Red(picture, 12, 10));
  EXPECT_NEAR(Red(picture, 12, 10), 128, 1);
  // A polygon that winds twice over its middle: filled once.
  RasterPicture twice(20, 20, kWhite);
  twice.FillPolygon({{2, 2}, {18, 2}, {18, 18}, {2, 18}, {2, 2}, {18, 2}, {18, 18}, {2, 18}},
                    kBlack, 0.5);
  EXPECT_NEAR(Red(twice, 10, 10), 128, 1);
}

TEST(RasterPicture, PolygonFillsItsInsideWithSmoothEdges) {
  RasterPicture picture(30, 30, kWhite);
  // A square from 10 to 20 whose left edge halves column 4: x from 4.5.
  picture.FillPolygon({{4.5, 10.0}, {20.0, 10.0}, {20.0, 20.0}, {4.5, 20.0}}, kBlack);
  EXPECT_EQ(Red(picture, 12, 15), 0);
  EXPECT_EQ(Red(picture, 19, 19), 0);
  EXPECT_EQ(Red(picture, 20, 15), 255);
  EXPECT_EQ(Red(picture, 12, 9), 255);
  EXPECT_EQ(Red(picture, 12, 20), 255);
  EXPECT_NEAR(Red(picture, 4, 15), 128, 2);
  // A triangle: inside its slanted edge, partial pixels.
  RasterPicture triangle(30, 30, kWhite);
  triangle.FillPolygon({{0, 0}, {29, 0}, {0, 29}}, kBlack);
  EXPECT_EQ(Red(triangle, 3, 3), 0);
  EXPECT_EQ(Red(triangle, 25, 25), 255);
  EXPECT_GT(Red(triangle, 14, 14), 0);
  EXPECT_LT(Red(triangle, 14, 14), 255);
}

TEST(RasterPicture, DiscCoversItsRadius) {
  RasterPicture picture(20, 20, kWhite);
  picture.FillCircle({10.0, 10.0}, 4.0, kBlack);
  EXPECT_EQ(Red(picture, 10, 10), 0);
  EXPECT_EQ(Red(picture, 7, 10), 0);
  EXPECT_EQ(Red(picture, 15, 10), 255);
  EXPECT_EQ(Red(picture, 13, 13), 255);  // the corner of the square around the disc
}

TEST(RasterPicture, ClipAndBadCoordinates) {
  struct Row {
    const char* name;
    std::vector<RasterPoint> line;
    bool drawsAtCentre;
  };
  const Row rows[] = {
      {"huge end points: the visible part is drawn", {{-1e12, 10.5}, {1e12, 10.5}}, true},
      {"a NaN breaks the line", {{0.5, 10.5}, {NAN, 10.5}, {19.5, 10.5}}, false},
      {"a lone point is a dot", {{10.5, 10.5}}, true},
      {"infinite points draw nothing", {{-INFINITY, 10.5}, {INFINITY, 10.5}}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RasterPicture picture(20, 20, kWhite);
    picture.StrokePolyline(row.line, 2.0, kBlack);
    EXPECT_EQ(Red(picture, 10, 10) == 0, row.drawsAtCentre);
  }
  RasterPicture picture(20, 20, kWhite);
  picture.FillPolygon({{0, 0}, {NAN, 5}, {19, 19}}, kBlack);
  picture.FillPolygon({{-1e300, -1e300}, {1e300, -1e300}, {0, 1e300}}, kBlack, 0.5);
  EXPECT_NEAR(Red(picture, 10, 10), 128, 1);
  picture.SetClip(0, 0, 9, 19);
  picture.FillCircle({10.0, 10.0}, 8.0, kBlack);
  EXPECT_EQ(Red(picture, 9, 10), 0);
  EXPECT_NEAR(Red(picture, 10, 10), 128, 1);
}

}  // namespace
