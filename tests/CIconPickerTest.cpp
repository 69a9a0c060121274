#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "CIconPicker.h"
#include "ModelDocument.h"
#include "ModelTiff.h"

namespace {

// Every pixel tells its cell: red = column, green = row, blue = pixel x within the cell.
Rgba CellColour(int x, int y) { return {uint8_t(x / 32), uint8_t(y / 32), uint8_t(x % 32), 255}; }

std::string TempPath(const char* name) {
  return testing::TempDir() + "/" + std::to_string(getpid()) + "_" + name;
}

struct Cell {
  int column, row;
};

Cell CellOf(BaseBitmap* icon) {
  UCHAR r = 0, g = 0, b = 0, a = 0;
  icon->GetPixel(0, 0, &r, &g, &b, &a);
  return {r, g};
}

bool HasVisiblePixel(BaseBitmap* icon) {
  for (LONG y = 0; y < icon->GetBh(); ++y)
    for (LONG x = 0; x < icon->GetBw(); ++x) {
      UCHAR r, g, b, a = 0;
      icon->GetPixel(x, y, &r, &g, &b, &a);
      if (a > 0) return true;
    }
  return false;
}

}  // namespace

TEST(CIconPicker, CutsClampedCells) {
  const std::string path = TempPath("cells.tif");
  ASSERT_TRUE(WriteRgbaTiff(path, 320, 192, CellColour));
  CIconPicker picker(320, 192, 32, 32);
  ASSERT_TRUE(picker.Init(Filename(path.c_str())));
  struct Row {
    const char* name;
    int index;
    Cell cell;
  };
  const Row rows[] = {
      {"first", 0, {0, 0}},         {"below range", -1, {0, 0}},  {"end of first row", 9, {9, 0}},
      {"second row", 10, {0, 1}},   {"status icon 5", 5, {5, 0}}, {"last", 59, {9, 5}},
      {"past the end", 60, {9, 5}}, {"far past", 100000, {9, 5}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BaseBitmap* icon = picker.GetIcon(row.index);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetBw(), 32);
    EXPECT_EQ(icon->GetBh(), 32);
    const Cell cell = CellOf(icon);
    EXPECT_EQ(cell.column, row.cell.column);
    EXPECT_EQ(cell.row, row.cell.row);
    UCHAR r, g, b;
    icon->GetPixel(31, 0, &r, &g, &b);
    EXPECT_EQ(b, 31);  // the whole cell, not a shifted window
    BaseBitmap::Free(icon);
  }
  unlink(path.c_str());
}

TEST(CIconPicker, InitRefusesWrongSizeAndMissingFile) {
  struct Row {
    const char* name;
    int width, height;
  };
  const Row rows[] = {{"one row short", 320, 191}, {"one column wide", 321, 192}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = TempPath("wrong.tif");
    ASSERT_TRUE(WriteRgbaTiff(path, row.width, row.height, CellColour));
    CIconPicker picker(320, 192, 32, 32);
    EXPECT_FALSE(picker.Init(Filename(path.c_str())));
    unlink(path.c_str());
  }
  CIconPicker picker(320, 192, 32, 32);
  EXPECT_FALSE(picker.Init(Filename(TempPath("missing.tif").c_str())));
}

TEST(CIconPicker, DegenerateCellsGiveNoIcon) {
  const std::string path = TempPath("small.tif");
  ASSERT_TRUE(WriteRgbaTiff(path, 16, 16, CellColour));
  struct Row {
    const char* name;
    int width, height, cellWidth, cellHeight;
  };
  const Row rows[] = {{"zero cell width", 16, 16, 0, 32},
                      {"zero cell height", 16, 16, 32, 0},
                      {"strip narrower than a cell", 16, 16, 32, 32},
                      {"strip lower than a cell", 16, 16, 8, 32}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CIconPicker picker(row.width, row.height, row.cellWidth, row.cellHeight);
    picker.Init(Filename(path.c_str()));
    EXPECT_EQ(picker.GetIcon(0), nullptr);
  }
  unlink(path.c_str());
}

TEST(CIconPicker, PluginStripHoldsTheSixIcons) {
  InitModelResources();
  CIconPicker picker(320, 192, 32, 32);
  ASSERT_TRUE(picker.Init(GeGetPluginPath() + Filename("res") + Filename("IconPalette.tif")));
  for (int icon = 0; icon <= 5; ++icon) {
    SCOPED_TRACE(icon);
    BaseBitmap* bitmap = GetGlobalIcon(GlobalIcon(icon));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetBw(), 32);
    EXPECT_EQ(bitmap->GetBh(), 32);
    EXPECT_TRUE(HasVisiblePixel(bitmap));
    BaseBitmap::Free(bitmap);
  }
  BaseBitmap* unused = picker.GetIcon(6);
  EXPECT_FALSE(HasVisiblePixel(unused));
  BaseBitmap::Free(unused);
}
