// Rasterizing drawings of the headless host: rectangles, lines, text and bitmaps land on the
// expected pixels, and pictures survive a PNG round trip.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "c4d.h"
#include "c4d_standin_gui.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include "stb_image.h"

namespace {

struct Pixel {
  int r, g, b, a;
  bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << "(" << p.r << "," << p.g << "," << p.b << "," << p.a << ")";
}

Pixel At(const BaseBitmap& bitmap, LONG x, LONG y) {
  UCHAR r = 0, g = 0, b = 0, a = 0;
  bitmap.GetPixel(x, y, &r, &g, &b, &a);
  return Pixel{r, g, b, a};
}

// The colours the host gives its colour ids, read back from a drawing.
Pixel ColourOf(LONG colourId) {
  GeUserArea area;
  area.DrawSetPen(colourId);
  area.DrawRectangle(0, 0, 0, 0);
  AutoAlloc<BaseBitmap> picture;
  picture->Init(1, 1);
  standin::RasterizeUserArea(area, *picture);
  return At(*picture, 0, 0);
}

// A picture of area, width x height.
struct Picture {
  Picture(const GeUserArea& area, LONG width, LONG height) {
    bitmap->Init(width, height);
    EXPECT_TRUE(standin::RasterizeUserArea(area, *bitmap));
  }
  Pixel operator()(LONG x, LONG y) const { return At(*bitmap, x, y); }
  AutoAlloc<BaseBitmap> bitmap;
};

std::filesystem::path TempPath(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("gui_raster_" + std::to_string(::getpid()) + "_" + name);
}

// A PNG file read back as RGBA rows; no rows when it cannot be read.
struct PngFile {
  explicit PngFile(const std::filesystem::path& path) {
    int channels = 0;
    if (stbi_uc* pixels = stbi_load(path.string().c_str(), &width, &height, &channels, 4)) {
      rows.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
      stbi_image_free(pixels);
    }
  }
  Pixel operator()(LONG x, LONG y) const {
    const UCHAR* p = &rows[(static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 4];
    return Pixel{p[0], p[1], p[2], p[3]};
  }
  int width = 0, height = 0;
  std::vector<UCHAR> rows;
};

TEST(GuiRaster, RectanglesAndLinesIncludeTheirEnds) {
  GeUserArea area;
  area.DrawSetPen(COLOR_EDGEDK);
  area.DrawRectangle(5, 4, 2, 2);  // corners in any order
  area.DrawSetPen(Vector(1.0, 0.0, 0.0));
  area.DrawLine(0, 9, 9, 9);
  area.DrawLine(9, 0, 9, 0);
  const Picture picture(area, 12, 12);
  const Pixel dark = ColourOf(COLOR_EDGEDK), background = ColourOf(COLOR_BG);
  const Pixel red{255, 0, 0, 255};
  EXPECT_EQ(picture(2, 2), dark);
  EXPECT_EQ(picture(5, 4), dark);
  EXPECT_EQ(picture(6, 4), background);
  EXPECT_EQ(picture(5, 5), background);
  EXPECT_EQ(picture(0, 9), red);
  EXPECT_EQ(picture(9, 9), red);
  EXPECT_EQ(picture(10, 9), background);
  EXPECT_EQ(picture(9, 0), red);
}

TEST(GuiRaster, TextIsAntiAliasedInsideItsBox) {
  GeUserArea area;
  area.DrawSetTextCol(COLOR_TEXT, COLOR_TRANS);
  area.DrawText(String("Hg8"), 3, 2);
  const LONG width = area.DrawGetTextWidth(String("Hg8"));
  const LONG height = area.DrawGetFontHeight();
  ASSERT_GT(width, 10);
  ASSERT_GT(height, 8);
  const Picture picture(area, width + 10, height + 8);
  const Pixel background = ColourOf(COLOR_BG), text = ColourOf(COLOR_TEXT);
  int inked = 0, partly = 0, outside = 0;
  for (LONG y = 0; y < height + 8; ++y)
    for (LONG x = 0; x < width + 10; ++x) {
      const Pixel p = picture(x, y);
      if (p == background) continue;
      const bool inBox = x >= 3 && x < 3 + width && y >= 2 && y < 2 + height;
      if (!inBox) ++outside;
      if (p == text)
        ++inked;
      else
        ++partly;
    }
  EXPECT_GT(inked, 0);
  EXPECT_GT(partly, inked);  // anti-aliased edges
  EXPECT_GT(inked + partly, 30);
  EXPECT_EQ(outside, 0);
}

TEST(GuiRaster, TextBackgroundFillsTheTextBox) {
  GeUserArea area;
  area.DrawSetTextCol(COLOR_TEXT, COLOR_BGEDIT);
  area.DrawText(String("i"), 0, 0);
  const Picture picture(area, 30, 30);
  EXPECT_EQ(picture(0, 0), ColourOf(COLOR_BGEDIT));
  EXPECT_EQ(picture(0, area.DrawGetFontHeight()), ColourOf(COLOR_BG));
}

TEST(GuiRaster, FontsMeasureTheirText) {
  GeUserArea area;
  EXPECT_EQ(area.DrawGetTextWidth(String()), 0);
  const LONG eight = area.DrawGetTextWidth(String("8"));
  EXPECT_GT(eight, 3);
  EXPECT_NEAR(area.DrawGetTextWidth(String("8888")), 4 * eight, 3);
  const LONG standard = area.DrawGetTextWidth(String("MMMM"));
  area.DrawSetFont(FONT_BOLD);
  EXPECT_GT(area.DrawGetTextWidth(String("MMMM")), standard);
  area.DrawSetFont(FONT_MONOSPACED);
  EXPECT_EQ(area.DrawGetTextWidth(String("iiii")), area.DrawGetTextWidth(String("MMMM")));
}

// Every build's rasteriser measures the DejaVu faces at 12 pixels per em as FreeType hints them:
// whole-pixel advances, the ascender rounded up and the descender down.
TEST(GuiRaster, TextMeasuresAsTheFacesAtTheInterfaceSize) {
  const struct {
    LONG font;
    const char* text;
    LONG width;
  } cases[] = {
      {FONT_STANDARD, "Reduced 12", 73},
      {FONT_BOLD, "Cube.Angle", 79},
      {FONT_MONOSPACED, "0.25 mm", 49},
  };
  for (const auto& c : cases) {
    GeUserArea area;
    area.DrawSetFont(c.font);
    EXPECT_EQ(area.DrawGetTextWidth(String(c.text)), c.width) << c.text;
    EXPECT_EQ(area.DrawGetFontHeight(), 15) << c.text;
  }
}

TEST(GuiRaster, BitmapsBlendByTheirAlpha) {
  BaseBitmap* source = BaseBitmap::Alloc();
  ASSERT_EQ(source->Init(2, 2), IMAGERESULT_OK);
  source->SetPixel(0, 0, 255, 0, 0, 255);
  source->SetPixel(1, 0, 0, 255, 0, 0);
  source->SetPixel(0, 1, 0, 0, 255, 128);
  source->SetPixel(1, 1, 255, 255, 255, 255);
  GeUserArea area;
  area.DrawBitmap(source, 0, 0, 8, 8, 0, 0, 2, 2,
                  BMP_NORMALSCALED | BMP_ALLOWALPHA | BMP_TRANSPARENTALPHA);
  area.DrawBitmap(source, 10, 0, 8, 8, 0, 0, 2, 2, BMP_NORMALSCALED);
  BaseBitmap::Free(source);  // the record keeps its own copy
  const Picture picture(area, 20, 8);
  const Pixel background = ColourOf(COLOR_BG);
  EXPECT_EQ(picture(1, 1), (Pixel{255, 0, 0, 255}));
  EXPECT_EQ(picture(5, 1), background);
  EXPECT_EQ(picture(7, 7), (Pixel{255, 255, 255, 255}));
  const Pixel half = picture(1, 5);
  EXPECT_NEAR(half.b, (255 + background.b) / 2, 2);
  EXPECT_NEAR(half.r, background.r / 2, 2);
  EXPECT_EQ(picture(15, 1), (Pixel{0, 255, 0, 255}));  // no alpha mode: copied as it is
  EXPECT_EQ(area.GetDrawCalls().size(), 2u);
  area.DrawBitmap(nullptr, 0, 0, 8, 8, 0, 0, 2, 2, BMP_NORMAL);
  EXPECT_EQ(area.GetDrawCalls().size(), 2u);
}

TEST(GuiRaster, FarAwayCoordinatesAreCut) {
  GeUserArea area;
  area.DrawSetPen(COLOR_EDGEDK);
  area.DrawLine(-2000000000, 5, 2000000000, 5);
  area.DrawSetPen(COLOR_BGEDIT);
  area.DrawRectangle(-2000000000, 7, 2000000000, 2000000000);
  const Picture picture(area, 10, 10);
  EXPECT_EQ(picture(0, 5), ColourOf(COLOR_EDGEDK));
  EXPECT_EQ(picture(9, 5), ColourOf(COLOR_EDGEDK));
  EXPECT_EQ(picture(4, 9), ColourOf(COLOR_BGEDIT));
  EXPECT_EQ(picture(4, 6), ColourOf(COLOR_BG));
}

TEST(GuiRaster, RecordKeepsTheStateOfEachCall) {
  GeUserArea area;
  area.DrawSetFont(FONT_BOLD);
  area.DrawSetTextCol(COLOR_TEXT, COLOR_BG);
  area.DrawText(String("a"), 4, 5, 0);
  area.DrawSetPen(COLOR_EDGELT);
  area.DrawRectangle(1, 2, 3, 4);
  const std::vector<DrawCall>& calls = area.GetDrawCalls();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[2].op, DRAWOP_TEXT);
  EXPECT_EQ(calls[2].font, FONT_BOLD);
  EXPECT_EQ(calls[2].background.GetLong(), COLOR_BG);
  EXPECT_EQ(calls[2].x1, 4);
  EXPECT_EQ(calls[4].op, DRAWOP_RECTANGLE);
  EXPECT_EQ(calls[4].colour.GetLong(), COLOR_EDGELT);
  area.ClearDrawing();
  EXPECT_TRUE(area.GetDrawCalls().empty());
}

TEST(GuiRaster, PngFilesReadBackPixelForPixel) {
  GeUserArea area;
  area.DrawSetPen(Vector(0.2, 0.4, 0.6));
  area.DrawRectangle(0, 0, 7, 3);
  area.DrawText(String("x"), 2, 0);
  const Picture picture(area, 16, 8);
  const std::filesystem::path path = TempPath("roundtrip.png");
  ASSERT_TRUE(standin::WritePng(*picture.bitmap, Filename(path.string().c_str())));
  const PngFile png(path);
  ASSERT_EQ(png.width, 16);
  ASSERT_EQ(png.height, 8);
  for (LONG y = 0; y < 8; ++y)
    for (LONG x = 0; x < 16; ++x) ASSERT_EQ(png(x, y), picture(x, y)) << x << "," << y;
  EXPECT_FALSE(std::filesystem::exists(path.string() + ".partial"));
  std::filesystem::remove(path);
  const std::filesystem::path nowhere = TempPath("missing-folder") / "picture.png";
  EXPECT_FALSE(standin::WritePng(*picture.bitmap, Filename(nowhere.string().c_str())));
  EXPECT_FALSE(std::filesystem::exists(nowhere));
  AutoAlloc<BaseBitmap> empty;
  EXPECT_FALSE(standin::WritePng(*empty, Filename(path.string().c_str())));
}

// A dialog of a few gadgets, for the snapshot.
class SnapshotDialog : public GeDialog {
 public:
  Bool CreateLayout() override {
    GroupBegin(0, BFH_SCALEFIT, 2, 0, String("Settings"), 0);
    AddStaticText(1, BFH_LEFT, 0, 0, String("Precision"), BORDER_NONE);
    AddEditNumberArrows(2, BFH_SCALEFIT);
    AddButton(3, BFH_LEFT, 0, 0, String("Start"));
    GroupEnd();
    return TRUE;
  }
};

TEST(GuiRaster, DialogSnapshotHasTheWindowsSize) {
  SnapshotDialog dialog;
  const std::filesystem::path path = TempPath("dialog.png");
  EXPECT_FALSE(standin::WriteDialogPng(dialog, Filename(path.string().c_str())));
  ASSERT_TRUE(dialog.Open(DLG_TYPE_ASYNC, 3, -1, -1, 320, 120, 0));
  ASSERT_TRUE(dialog.SetReal(2, 0.25));
  ASSERT_TRUE(standin::WriteDialogPng(dialog, Filename(path.string().c_str())));
  const PngFile png(path);
  const standin::DialogInfo info = standin::GetDialogInfo(dialog);
  EXPECT_EQ(png.width, info.width);
  EXPECT_EQ(png.height, info.height);
  ASSERT_FALSE(png.rows.empty());
  EXPECT_EQ(png(1, 0), ColourOf(COLOR_EDGEDK));  // the title bar
  // The number field is white inside its frame.
  const GadgetRect field = dialog.FindGadget(2)->GetState().rect;
  EXPECT_EQ(png(field.x + 2, field.y + 2), ColourOf(COLOR_BGEDIT));
  std::filesystem::remove(path);
}

}  // namespace
