// Builds with stb_truetype find each face's file folder by folder, the DejaVu file before the
// Windows face that stands in for it, and find the DejaVu faces shipped beside the host library.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FontFolders.h"

namespace {

namespace fs = std::filesystem;
using standin::FontFace;
using standin::kFontFileNames;

const char* DejaVu(FontFace face) { return kFontFileNames[static_cast<size_t>(face)][0]; }
const char* StandIn(FontFace face) { return kFontFileNames[static_cast<size_t>(face)][1]; }

TEST(FontFolders, FirstFolderFirstThenDejaVuBeforeItsStandIn) {
  const fs::path root = fs::temp_directory_path() / ("font_folders_" + std::to_string(::getpid()));
  const std::vector<fs::path> folders = {root / "first", root / "second"};
  const struct {
    const char* name;
    FontFace face;
    std::vector<std::string> first, second;
    int folder;  // where the file is found, -1 for nowhere
    const char* file;
  } cases[] = {
      {"DejaVu in both",
       FontFace::kSans,
       {DejaVu(FontFace::kSans)},
       {DejaVu(FontFace::kSans)},
       0,
       DejaVu(FontFace::kSans)},
      {"a stand-in in the first folder",
       FontFace::kSans,
       {StandIn(FontFace::kSans)},
       {DejaVu(FontFace::kSans)},
       0,
       StandIn(FontFace::kSans)},
      {"both in one folder",
       FontFace::kSansBold,
       {},
       {StandIn(FontFace::kSansBold), DejaVu(FontFace::kSansBold)},
       1,
       DejaVu(FontFace::kSansBold)},
      {"only the stand-in",
       FontFace::kMono,
       {DejaVu(FontFace::kSans)},
       {StandIn(FontFace::kMono)},
       1,
       StandIn(FontFace::kMono)},
      {"other faces only",
       FontFace::kMono,
       {DejaVu(FontFace::kSans), DejaVu(FontFace::kSansBold)},
       {StandIn(FontFace::kSans)},
       -1,
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(root);
    for (size_t i = 0; i < folders.size(); ++i) {
      fs::create_directories(folders[i]);
      for (const std::string& name : i == 0 ? c.first : c.second)
        std::ofstream(folders[i] / name) << "font";
    }
    const fs::path expected = c.folder < 0 ? fs::path() : folders[c.folder] / c.file;
    EXPECT_EQ(standin::FindFontFileIn(c.face, folders), expected);
  }
  fs::remove_all(root);
}

TEST(FontFolders, AFolderNamedLikeTheFileIsPassedOver) {
  const fs::path root = fs::temp_directory_path() / ("font_named_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "first" / DejaVu(FontFace::kSans));
  fs::create_directories(root / "second");
  std::ofstream(root / "second" / DejaVu(FontFace::kSans)) << "font";
  EXPECT_EQ(standin::FindFontFileIn(FontFace::kSans, {root / "first", root / "second"}),
            root / "second" / DejaVu(FontFace::kSans));
  fs::remove_all(root);
}

TEST(FontFolders, TheHostFindsTheDejaVuFacesShippedBesideIt) {
  const std::vector<fs::path> folders = standin::FontFolders();
  ASSERT_FALSE(folders.empty());
  const standin::FontFiles files = standin::FindFontFiles();
  for (FontFace face : {FontFace::kSans, FontFace::kSansBold, FontFace::kMono})
    EXPECT_EQ(files[static_cast<size_t>(face)], folders.front() / DejaVu(face))
        << standin::FaceName(face);
}

}  // namespace
