// The thinfold program as users run it: output, files written, exit codes and messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "BvhParser.h"
#include "PluginFolder.h"
#include "ProgramRun.h"
#include "c4d_standin.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace {

namespace fs = std::filesystem;

const std::string kExamples = std::string(THINFOLD_ROOT) + "/examples";

struct Output {
  int exitCode;
  std::string output;  // stdout, then stderr
};

Output Thinfold(const std::string& arguments) {
  const ProgramRun run = RunProgram(THINFOLD_PROGRAM, arguments);
  return {run.exitCode, run.out + run.err};
}

// The words of the first output line that starts with prefix.
std::vector<std::string> WordsOfLine(const std::string& output, const std::string& prefix) {
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(prefix, 0) != 0) continue;
    std::istringstream words(line);
    return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
  }
  return {};
}

// "thinfold 1.00.03": a whole major number, then minor and patch with two digits each.
bool IsVersionLine(const std::string& text) {
  const std::string prefix = "thinfold ";
  if (text.rfind(prefix, 0) != 0 || text.size() < prefix.size() + 8 || text.back() != '\n')
    return false;
  const std::string number = text.substr(prefix.size(), text.size() - prefix.size() - 1);
  const std::size_t end = number.size();
  auto digits = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
      if (!std::isdigit(static_cast<unsigned char>(number[i]))) return false;
    return from < to;
  };
  return number[end - 3] == '.' && number[end - 6] == '.' && digits(0, end - 6) &&
         digits(end - 5, end - 3) && digits(end - 2, end);
}

// A fresh folder per test, removed afterwards.
class ThinfoldProgram : public testing::Test {
 protected:
  void SetUp() override { _folder = FreshTestFolder("thinfold_app"); }
  void TearDown() override { fs::remove_all(_folder); }
  std::string PathOf(const std::string& name) const { return (_folder / name).string(); }

  fs::path _folder;
};

TEST_F(ThinfoldProgram, InfoListsTracksAndTotals) {
  const Output demo = Thinfold("info " + Quoted(kExamples + "/demo.json"));
  EXPECT_EQ(demo.exitCode, 0) << demo.output;
  EXPECT_NE(demo.output.find("30 fps"), std::string::npos) << demo.output;
  EXPECT_EQ(WordsOfLine(demo.output, "Cube.Position"),
            (std::vector<std::string>{"Cube.Position", ".", "X", "value", "distance", "5", "yes",
                                      "0.25", "0", "1", "-"}));
  EXPECT_EQ(
      WordsOfLine(demo.output, "Cube.Display"),
      (std::vector<std::string>{"Cube.Display.Mode", "data", "-", "5", "-", "-", "-", "-", "-"}));
  EXPECT_NE(demo.output.find("total: 5 elements, 8 tracks (6 value, 1 data, 1 other), 30 keys"),
            std::string::npos)
      << demo.output;
  const Output walk = Thinfold("info " + Quoted(kExamples + "/walk.bvh"));
  EXPECT_EQ(walk.exitCode, 0) << walk.output;
  EXPECT_NE(walk.output.find("120 fps"), std::string::npos);
  EXPECT_NE(
      walk.output.find("total: 23 elements, 72 tracks (72 value, 0 data, 0 other), 103680 keys"),
      std::string::npos)
      << walk.output;
  // The skeleton: each joint indented under its parent, its offset, channels and End Site.
  EXPECT_EQ(WordsOfLine(walk.output, "            Head "),
            (std::vector<std::string>{"Head", "0", "9", "1.5", "Zrotation", "Xrotation",
                                      "Yrotation", "0", "0", "5"}));
}

TEST_F(ThinfoldProgram, ConvertRoundTripsScenesAndMotion) {
  const Output demo = Thinfold("convert " + Quoted(kExamples + "/demo.json") + " -o " +
                               Quoted(PathOf("demo.json")));
  EXPECT_EQ(demo.exitCode, 0) << demo.output;
  EXPECT_EQ(FileText(PathOf("demo.json")), FileText(kExamples + "/demo.json"));
  const Output walk =
      Thinfold("convert " + Quoted(kExamples + "/walk.bvh") + " -o " + Quoted(PathOf("walk.json")));
  EXPECT_EQ(walk.exitCode, 0) << walk.output;
  const Output again =
      Thinfold("convert " + Quoted(PathOf("walk.json")) + " -o " + Quoted(PathOf("again.json")));
  EXPECT_EQ(again.exitCode, 0) << again.output;
  EXPECT_FALSE(FileText(PathOf("walk.json")).empty());
  EXPECT_EQ(FileText(PathOf("again.json")), FileText(PathOf("walk.json")));
  // Back to BVH: the capture's own numbers (it has no Euler flips to unwrap).
  const Output bvh =
      Thinfold("convert " + Quoted(PathOf("walk.json")) + " -o " + Quoted(PathOf("walk.bvh")));
  EXPECT_EQ(bvh.exitCode, 0) << bvh.output;
  const BvhParseResult original = ParseBvh(FileText(kExamples + "/walk.bvh"));
  const BvhParseResult written = ParseBvh(FileText(PathOf("walk.bvh")));
  ASSERT_EQ(original.error, "");
  ASSERT_EQ(written.error, "");
  EXPECT_EQ(written.motion.values, original.motion.values);
  EXPECT_EQ(written.motion.frameCount, 1440);
}

TEST_F(ThinfoldProgram, FpsSetsTheRateOfBvhInput) {
  const Output convert = Thinfold("convert " + Quoted(kExamples + "/walk.bvh") + " --fps 60 -o " +
                                  Quoted(PathOf("walk.json")));
  EXPECT_EQ(convert.exitCode, 0) << convert.output;
  const Output info = Thinfold("info " + Quoted(PathOf("walk.json")));
  EXPECT_NE(info.output.find(": 60 fps\n"), std::string::npos) << info.output;
  const Output direct = Thinfold("info " + Quoted(kExamples + "/walk.bvh") + " --fps 60");
  EXPECT_NE(direct.output.find(": 60 fps\n"), std::string::npos) << direct.output;
}

// Every command that reads BVH takes its options; a range the capture does not have is bad usage.
TEST_F(ThinfoldProgram, EveryCommandCutsBvhFrames) {
  const std::string walk = Quoted(kExamples + "/walk.bvh");
  const std::string out = Quoted(PathOf("out.json"));
  for (const std::string& command :
       {"info " + walk, "convert " + walk + " -o " + out, "reduce " + walk + " -o " + out,
        "plot " + walk + " " + walk + " -o " + Quoted(PathOf("plots")), "shell " + walk}) {
    SCOPED_TRACE(command);
    const Output run = Thinfold(command + " --frames 1:1440");
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(run.output.find("--frames 1:1440: the capture has 1440 frames, 0 to 1439"),
              std::string::npos)
        << run.output;
    EXPECT_TRUE(fs::is_empty(_folder));
  }
  const Output info = Thinfold("info " + walk + " --frames 1:");
  EXPECT_NE(info.output.find("72 tracks (72 value, 0 data, 0 other), 103608 keys"),
            std::string::npos)
      << info.output;
}

TEST_F(ThinfoldProgram, FailuresExitWithTheirCodeAndWriteNothing) {
  std::ofstream(PathOf("bad.json")) << R"({"format": "thinfold-scene", "version": 1, "fps": 0})";
  std::ofstream(PathOf("bad.bvh")) << "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 1 Xspin\n";
  fs::copy_file(kExamples + "/demo.json", _folder / "good.json");
  const std::string good = Quoted(PathOf("good.json"));
  const std::string demo = Quoted(kExamples + "/demo.json");
  const std::string out = " -o " + Quoted(PathOf("out.json"));
  struct Row {
    const char* name;
    std::string arguments;
    int exitCode;
    std::string message;
  } rows[] = {
      {"missing file", "convert " + Quoted(PathOf("none.json")) + out, 3,
       PathOf("none.json") + ": cannot open: No such file or directory"},
      {"malformed scene", "convert " + Quoted(PathOf("bad.json")) + out, 3,
       PathOf("bad.json") + ": fps: expected a whole number in 1..2147483647"},
      {"malformed motion", "convert " + Quoted(PathOf("bad.bvh")) + out, 3,
       PathOf("bad.bvh") +
           ": line 5: expected a channel name (Xposition ... Zrotation), found 'Xspin'"},
      {"info on a malformed scene", "info " + Quoted(PathOf("bad.json")), 3, "fps: expected"},
      {"unknown option", "info " + demo + " --bogus", 2, "--bogus"},
      {"no command", "", 2, "A subcommand is required"},
      {"unknown command", "shrink " + demo, 2, "A subcommand is required"},
      {"convert without output", "convert " + demo, 2, "--output is required"},
      {"frame rate below 1", "convert " + demo + " --fps 0" + out, 2, "--fps"},
      {"frame rate for a scene", "convert " + demo + " --fps 24" + out, 2,
       "--fps sets the frame rate of BVH input only"},
      {"raw angles of a scene", "info " + demo + " --raw-angles", 2,
       "--raw-angles keeps the rotations of BVH input only"},
      {"frames of a scene", "convert " + demo + " --frames 1:" + out, 2,
       "--frames cuts BVH input only"},
      {"frame range backwards", "convert " + demo + " --frames 2:1" + out, 2,
       "expected FIRST at most LAST"},
      {"unwritable output", "convert " + demo + " -o " + Quoted(PathOf("no/such/folder/out.json")),
       3, PathOf("no/such/folder/out.json") + ": cannot write"},
      {"empty input", "info " + Quoted(""), 2, "INPUT: an empty path names no file"},
      {"empty output", "convert " + demo + " -o " + Quoted(""), 2,
       "--output: an empty path names no file"},
      {"empty output of reduce", "reduce " + good + " --quiet -o " + Quoted(""), 2,
       "--output: an empty path names no file"},
      {"empty report", "reduce " + good + " --quiet --report " + Quoted(""), 2,
       "--report: an empty path names no file"},
      {"control bytes in an argument", "info " + demo + " " + Quoted("\x1b]0;owned\x07"), 2,
       "\\x1b]0;owned\\x07"},
      {"output is the input",
       "convert " + Quoted(PathOf("bad.json")) + " -o " + Quoted(PathOf("bad.json")), 3,
       PathOf("bad.json") + ": is the input file"},
      {"output of no known format", "convert " + demo + " -o " + Quoted(PathOf("out.jsn")), 2,
       PathOf("out.jsn") + ": no output format for its extension"},
      {"BVH of a scene without a skeleton", "convert " + demo + " -o " + Quoted(PathOf("out.bvh")),
       3, PathOf("out.bvh") + ": Cube: not a BVH joint"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Output run = Thinfold(row.arguments);
    EXPECT_EQ(run.exitCode, row.exitCode) << run.output;
    EXPECT_NE(run.output.find(row.message), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find('\x1b'), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(PathOf("out.json")));
  }
  // Only the three inputs: no temporary files left behind, no output beside good.json.
  EXPECT_EQ(std::distance(fs::directory_iterator(_folder), {}), 3);
}

// Where the system cannot tell the program's own path, the program looks for plugins/ in the
// current folder, and a message about that folder gives the system's reason too; beside a known
// program path the message names the folder alone.
TEST_F(ThinfoldProgram, MissingDefaultPluginFolderSaysWhyTheProgramPathIsUnknown) {
  const fs::path before = fs::current_path();
  fs::current_path(_folder);
  const PluginFolderResult unknown = FindPluginFolderBeside({fs::path(), "Permission denied"});
  const PluginFolderResult known = FindPluginFolderBeside({_folder / "bin" / "thinfold", ""});
  fs::current_path(before);
  EXPECT_EQ(unknown.error,
            "plugins: no such plug-in folder (the system cannot tell the program's own path: "
            "Permission denied)");
  EXPECT_EQ(known.error, (_folder / "bin" / "plugins").string() + ": no such plug-in folder");
}

TEST_F(ThinfoldProgram, PrintsVersionAndHelp) {
  const Output version = Thinfold("--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(IsVersionLine(version.output)) << version.output;
  const Output help = Thinfold("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("convert"), std::string::npos) << help.output;
  EXPECT_NE(help.output.find("info"), std::string::npos) << help.output;
  // The dialog offers quality 0 and 2 only; help lists no other.
  const Output reduceHelp = Thinfold("reduce --help");
  const std::vector<std::string> quality = WordsOfLine(reduceHelp.output, "  --quality");
  EXPECT_EQ(std::count(quality.begin(), quality.end(), "1"), 0) << reduceHelp.output;
  EXPECT_NE(reduceHelp.output.find("0 (normal) or 2 (high)"), std::string::npos)
      << reduceHelp.output;
}

// Names beyond ASCII, in UTF-8 here, reach the files whole: on Windows the program must take its
// arguments and open its files in UTF-16 rather than through the ANSI code page.
TEST_F(ThinfoldProgram, FileAndFolderNamesBeyondAscii) {
  const std::string folder = _folder.string() + "/Sz\xC3\xA8nes \xE5\x8B\x95\xE3\x81\x8D";
  const std::string scene = folder + "/D\xC3\xA9mo \xC3\xB6.json";
  const std::string plugins = folder + "/Plug-ins \xC3\xA4";
  fs::create_directories(standin::PathFromUtf8(plugins));
  fs::copy_file(kExamples + "/demo.json", standin::PathFromUtf8(scene));
  fs::copy(fs::path(THINFOLD_PROGRAM).parent_path() / "plugins" / "Thinfold",
           standin::PathFromUtf8(plugins + "/Thinfold"), fs::copy_options::recursive);

  const Output info = Thinfold("info " + Quoted(scene));
  EXPECT_EQ(info.exitCode, 0) << info.output;
  EXPECT_NE(info.output.find(scene + ": 30 fps"), std::string::npos) << info.output;
  const std::string copy = folder + "/Kopie \xC3\xBC.json";
  const Output convert = Thinfold("convert " + Quoted(scene) + " -o " + Quoted(copy));
  EXPECT_EQ(convert.exitCode, 0) << convert.output;
  EXPECT_EQ(FileText(standin::PathFromUtf8(copy)), FileText(kExamples + "/demo.json"));
  const Output reduce =
      Thinfold("reduce " + Quoted(scene) + " --quiet --plugins " + Quoted(plugins));
  EXPECT_EQ(reduce.exitCode, 0) << reduce.output;
  EXPECT_TRUE(fs::exists(standin::PathFromUtf8(folder + "/D\xC3\xA9mo \xC3\xB6.thin.json")));
  const Output missing = Thinfold("info " + Quoted(folder + "/\xC3\x9F.json"));
  EXPECT_NE(missing.output.find(folder + "/\xC3\x9F.json: cannot open"), std::string::npos)
      << missing.output;
}

#ifndef _WIN32
// Special files made here, never the machine's own: the program must neither replace them with a
// file nor write into them, and must write through a link to the file it points to.
TEST_F(ThinfoldProgram, OutputsAreRegularFilesOrRefused) {
  const fs::path target = _folder / "kept.json";
  const std::string demo = Quoted(kExamples + "/demo.json");
  const struct Row {
    const char* name;
    std::function<void(const fs::path&)> make;
    std::function<bool(const fs::path&)> kept;  // the output afterwards
    int exitCode;
  } rows[] = {
      {"device node",
       [](const fs::path& path) {
         ASSERT_EQ(::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)), 0);
       },
       [](const fs::path& path) { return fs::is_character_file(fs::symlink_status(path)); }, 3},
      {"FIFO", [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
       [](const fs::path& path) { return fs::is_fifo(fs::symlink_status(path)); }, 3},
      {"folder", [](const fs::path& path) { fs::create_directory(path); },
       [](const fs::path& path) { return fs::is_directory(fs::symlink_status(path)); }, 3},
      {"link to a private file",
       [&](const fs::path& path) {
         std::ofstream(target) << "old";
         fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
         fs::create_symlink(target, path);
       },
       [&](const fs::path& path) {
         return fs::is_symlink(fs::symlink_status(path)) && FileText(target).size() > 3 &&
                fs::status(target).permissions() ==
                    (fs::perms::owner_read | fs::perms::owner_write);
       },
       0},
  };
  for (const Row& row : rows) {
    for (const std::string command : {"convert ", "reduce --quiet "}) {
      SCOPED_TRACE(std::string(row.name) + ", " + command);
      const fs::path output = _folder / "out.json";
      row.make(output);
      const Output run = Thinfold(command + demo + " -o " + Quoted(output.string()));
      EXPECT_EQ(run.exitCode, row.exitCode) << run.output;
      if (row.exitCode != 0) {
        EXPECT_NE(run.output.find(output.string() + ": cannot write"), std::string::npos)
            << run.output;
      }
      EXPECT_TRUE(row.kept(output));
      fs::remove(output);
      fs::remove(target);
    }
  }
  EXPECT_TRUE(fs::is_empty(_folder));
}

// Only regular files are read, and only up to a limit: an endless device or a FIFO would hang.
TEST_F(ThinfoldProgram, InputsAreRegularFilesOfBoundedSize) {
  fs::create_symlink("/dev/zero", _folder / "zero.json");
  ASSERT_EQ(::mkfifo(PathOf("fifo.json").c_str(), 0600), 0);
  fs::copy_file(kExamples + "/demo.json", _folder / "large.json");
  const struct Row {
    std::string path;
    const char* limit;  // THINFOLD_MAX_INPUT_BYTES; null: unset
    std::string message;
  } rows[] = {
      {PathOf("zero.json"), nullptr, "zero.json: cannot read: not a regular file"},
      {PathOf("fifo.json"), nullptr, "fifo.json: cannot read: not a regular file"},
      {PathOf("large.json"), "100", "large.json: cannot read: larger than 100 bytes"},
      {PathOf("large.json"), "-1",
       "large.json: cannot read: THINFOLD_MAX_INPUT_BYTES is '-1', not a whole number of bytes "
       "above 0"},
      {PathOf("large.json"), "0", "THINFOLD_MAX_INPUT_BYTES is '0', not a whole number"},
      {PathOf("large.json"), "1e9", "THINFOLD_MAX_INPUT_BYTES is '1e9', not a whole number"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    if (row.limit) ::setenv("THINFOLD_MAX_INPUT_BYTES", row.limit, 1);
    const Output run = Thinfold("info " + Quoted(row.path));
    ::unsetenv("THINFOLD_MAX_INPUT_BYTES");
    EXPECT_EQ(run.exitCode, 3) << run.output;
    EXPECT_NE(run.output.find(row.message), std::string::npos) << run.output;
  }
  EXPECT_EQ(Thinfold("info " + Quoted(PathOf("large.json"))).exitCode, 0);
}
#endif

}  // namespace
