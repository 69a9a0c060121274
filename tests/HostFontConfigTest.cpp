// Builds with FreeType find each face's file through fontconfig: the face's DejaVu file where the
// configuration has it, the closest face it has where not, and nothing where it has no fonts.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "raster/FontFiles.h"

namespace {

namespace fs = std::filesystem;
using standin::FontFace;

// A fontconfig configuration of its own, with one font folder, for the test's process.
class FontConfiguration : public ::testing::Test {
 protected:
  void SetUp() override {
    _folder = fs::temp_directory_path() / ("font_config_" + std::to_string(::getpid()));
    fs::remove_all(_folder);
    fs::create_directories(_folder / "fonts");
    const fs::path file = _folder / "fonts.conf";
    std::ofstream(file) << "<?xml version=\"1.0\"?>\n<fontconfig><dir>"
                        << (_folder / "fonts").string() << "</dir><cachedir>"
                        << (_folder / "cache").string() << "</cachedir></fontconfig>\n";
    ::setenv("FONTCONFIG_FILE", file.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("FONTCONFIG_FILE");
    fs::remove_all(_folder);
  }

  void AddFonts(const std::vector<std::string>& names) {
    for (const std::string& name : names)
      fs::copy_file(fs::path(DEJAVU_DIR) / name, _folder / "fonts" / name);
  }
  fs::path FontFile(const std::string& name) const {
    return name.empty() ? fs::path() : _folder / "fonts" / name;
  }

  fs::path _folder;
};

TEST_F(FontConfiguration, EachFaceGetsItsFileOrTheClosestOne) {
  const struct {
    const char* name;
    std::vector<std::string> fonts;
    const char* sans;
    const char* bold;
    const char* mono;
  } cases[] = {
      {"every face",
       {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansMono.ttf"},
       "DejaVuSans.ttf",
       "DejaVuSans-Bold.ttf",
       "DejaVuSansMono.ttf"},
      {"only the plain face",
       {"DejaVuSans.ttf"},
       "DejaVuSans.ttf",
       "DejaVuSans.ttf",
       "DejaVuSans.ttf"},
      {"no fonts", {}, "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const fs::directory_entry& font : fs::directory_iterator(_folder / "fonts"))
      fs::remove(font.path());
    AddFonts(c.fonts);
    const standin::FontFiles files = standin::FindFontFiles();
    EXPECT_EQ(files[static_cast<size_t>(FontFace::kSans)], FontFile(c.sans));
    EXPECT_EQ(files[static_cast<size_t>(FontFace::kSansBold)], FontFile(c.bold));
    EXPECT_EQ(files[static_cast<size_t>(FontFace::kMono)], FontFile(c.mono));
  }
}

}  // namespace
