// Bitmaps read from TIFF files that the test writes with libtiff.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "c4d.h"
#include "c4d_standin.h"

namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name) {
  return fs::temp_directory_path() /
         ("thinfold-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
          name);
}

// A 3 x 2 RGBA image (premultiplied alpha, which the reader passes through unchanged) whose
// pixel (x, y) is (10x, 100y, 7, 200 + x).
void WriteTiff(const fs::path& path) {
  TIFF* tiff = TIFFOpen(path.string().c_str(), "w");
  ASSERT_NE(tiff, nullptr);
  const uint32_t width = 3, height = 2;
  const uint16_t extra[] = {EXTRASAMPLE_ASSOCALPHA};
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, height);
  for (uint32_t y = 0; y < height; ++y) {
    unsigned char row[4 * width];
    for (uint32_t x = 0; x < width; ++x) {
      row[4 * x + 0] = static_cast<unsigned char>(10 * x);
      row[4 * x + 1] = static_cast<unsigned char>(100 * y);
      row[4 * x + 2] = 7;
      row[4 * x + 3] = static_cast<unsigned char>(200 + x);
    }
    ASSERT_EQ(TIFFWriteScanline(tiff, row, y, 0), 1);
  }
  TIFFClose(tiff);
}

TEST(BaseBitmap, LoadsTiffTopDownWithAlpha) {
  const fs::path path = TempFile("icons.tif");
  WriteTiff(path);
  AutoAlloc<BaseBitmap> bitmap;
  Bool movie = TRUE;
  ASSERT_EQ(bitmap->Init(Filename(path.string().c_str()), -1, &movie), IMAGERESULT_OK);
  fs::remove(path);
  EXPECT_FALSE(movie);
  EXPECT_EQ(bitmap->GetBw(), 3);
  EXPECT_EQ(bitmap->GetBh(), 2);
  UCHAR r, g, b, a;
  bitmap->GetPixel(2, 1, &r, &g, &b, &a);
  EXPECT_EQ((std::vector<int>{r, g, b, a}), (std::vector<int>{20, 100, 7, 202}));

  BaseBitmap* part = bitmap->GetClonePart(1, 1, 3, 2);
  ASSERT_NE(part, nullptr);
  part->GetPixel(0, 0, &r, &g, &b, &a);
  EXPECT_EQ((std::vector<int>{r, g, b, a}), (std::vector<int>{10, 100, 7, 201}));
  // Outside the source image the part is transparent black.
  part->GetPixel(2, 0, &r, &g, &b, &a);
  EXPECT_EQ((std::vector<int>{r, g, b, a}), (std::vector<int>{0, 0, 0, 0}));
  part->GetPixel(5, 5, &r, &g, &b, &a);
  EXPECT_EQ(a, 0);
  BaseBitmap::Free(part);
  EXPECT_EQ(bitmap->GetClonePart(0, 0, 0, 1), nullptr);
}

TEST(BaseBitmap, MissingAndWrongFilesLeaveItEmpty) {
  AutoAlloc<BaseBitmap> bitmap;
  ASSERT_EQ(bitmap->Init(4, 4), IMAGERESULT_OK);
  EXPECT_EQ(bitmap->Init(Filename("/nonexistent/IconPalette.tif")), IMAGERESULT_NOTEXISTING);
  EXPECT_EQ(bitmap->GetBw(), 0);
  const fs::path path = TempFile("not-a.tif");
  std::ofstream(path) << "this is no image";
  standin::LineSink previous = standin::SetDebugSink([](const std::string&) {});
  EXPECT_EQ(bitmap->Init(Filename(path.string().c_str())), IMAGERESULT_WRONGTYPE);
  standin::SetDebugSink(previous);
  fs::remove(path);
  EXPECT_EQ(bitmap->GetBw(), 0);
  EXPECT_EQ(bitmap->GetBh(), 0);
}

TEST(BaseBitmap, PixelWritesOutsideAreIgnored) {
  AutoAlloc<BaseBitmap> bitmap;
  ASSERT_EQ(bitmap->Init(2, 2), IMAGERESULT_OK);
  EXPECT_EQ(bitmap->Init(0, 5), IMAGERESULT_WRONGTYPE);
  ASSERT_EQ(bitmap->Init(2, 2), IMAGERESULT_OK);
  bitmap->SetPixel(1, 1, 1, 2, 3, 4);
  bitmap->SetPixel(2, 0, 9, 9, 9, 9);
  bitmap->SetPixel(-1, 0, 9, 9, 9, 9);
  UCHAR r, g, b, a;
  bitmap->GetPixel(1, 1, &r, &g, &b, &a);
  EXPECT_EQ((std::vector<int>{r, g, b, a}), (std::vector<int>{1, 2, 3, 4}));
  bitmap->GetPixel(0, 0, &r, &g, &b);
  EXPECT_EQ(r + g + b, 0);
}

}  // namespace
