// `thinfold shell` end to end: scripts of dialog commands on stdin, run by the real program with
// the real plug-in module; the files it saves are read back with a JSON reader of our own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "PrintableText.h"
#include "ProgramRun.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kDemo = std::string(THINFOLD_ROOT) + "/examples/demo.json";
const std::string kWalk = std::string(THINFOLD_ROOT) + "/examples/walk.bvh";

json ReadJson(const fs::path& path) { return json::parse(FileText(path)); }

// A list member of a scene element, or an empty list (by reference: the tests keep pointers).
const json& ListOf(const json& element, const char* member) {
  static const json kEmpty = json::array();
  const auto found = element.find(member);
  return found == element.end() ? kEmpty : *found;
}

// Every track of a scene file, value and data tracks or not, in file order.
void CollectTracks(const json& element, std::vector<const json*>& tracks) {
  for (const json& track : ListOf(element, "tracks")) tracks.push_back(&track);
  for (const json& tag : ListOf(element, "tags")) CollectTracks(tag, tracks);
  for (const json& child : ListOf(element, "children")) CollectTracks(child, tracks);
}

std::vector<const json*> AllTracks(const json& scene) {
  std::vector<const json*> tracks;
  for (const json& object : scene.at("objects")) CollectTracks(object, tracks);
  for (const json& material : ListOf(scene, "materials")) CollectTracks(material, tracks);
  return tracks;
}

class ShellProgram : public testing::Test {
 protected:
  void SetUp() override { _folder = FreshTestFolder("shell"); }
  void TearDown() override { fs::remove_all(_folder); }
  std::string PathOf(const std::string& name) const { return (_folder / name).string(); }
  ProgramRun Shell(const std::string& input, const std::string& script,
                   const std::string& options = std::string()) {
    return RunProgram(THINFOLD_PROGRAM, "shell " + Quoted(input) + options, script);
  }
  json Canonical(const std::string& input) {
    const ProgramRun run = RunProgram(
        THINFOLD_PROGRAM, "convert " + Quoted(input) + " -o " + Quoted(PathOf("canonical.json")));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return ReadJson(PathOf("canonical.json"));
  }

  fs::path _folder;
};

// Two tracks get method 1 and hold off, the run reduces, restore puts every key back: the saved
// file holds the input's keys with the settings the session gave.
TEST_F(ShellProgram, ScriptedSessionGivesTheExpectedFile) {
  const ProgramRun run = Shell(kDemo,
                               "gather all\nselect 1\nselect 3 add\nset method 1\nset hold off\n"
                               "start\nwait\nstatus\nrestore\nsave " +
                                   PathOf("out.json") + "\nquit\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // Only the plug-in's start line, once, as the host's console shows it.
  EXPECT_EQ(run.err.rfind("Loaded Thinfold R", 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.out.find("100%"), std::string::npos) << run.out;
  const json input = Canonical(kDemo);
  const json output = ReadJson(PathOf("out.json"));
  const std::vector<const json*> before = AllTracks(input);
  const std::vector<const json*> after = AllTracks(output);
  ASSERT_EQ(after.size(), before.size());
  // Gather order: Cube's Position . X, Rotation . H, Opacity, then Display's Mode, ...
  const std::vector<std::string> withMethod1 = {"Position . X", "Opacity"};
  for (std::size_t i = 0; i < before.size(); ++i) {
    const std::string name = before[i]->at("name");
    SCOPED_TRACE(name);
    EXPECT_EQ(after[i]->at("keys"), before[i]->at("keys"));
    const int category = before[i]->at("category");
    if (category != 1 && category != 2) continue;
    const json& settings = after[i]->at("data").at("1031254").at("container");
    const bool chosen =
        std::find(withMethod1.begin(), withMethod1.end(), name) != withMethod1.end();
    EXPECT_EQ(settings.at("2002"), (json{{"long", chosen ? 1 : 0}}));
    EXPECT_EQ(settings.at("2004"), (json{{"bool", !chosen}}));
    EXPECT_TRUE(settings.at("2000").contains("bool"));
    EXPECT_TRUE(settings.at("2001").contains("real"));
    EXPECT_TRUE(settings.at("2003").contains("long"));
  }
}

TEST_F(ShellProgram, TreeShowsTheLinesAsTheDialogDrawsThem) {
  const ProgramRun run = Shell(kDemo, "gather selected\ncheck 2 off\nstart\nwait\ntree\nquit\n");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // Five tracks of the selection; the second one is switched off and keeps its keys.
  EXPECT_NE(run.out.find("1*  [x]  Cube.Position . X"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("2  [ ]  Cube.Rotation . H"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("5  [x]  Steel.Color . R"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("Sphere"), std::string::npos) << run.out;
}

// However far the run got, a track that did not finish keeps the keys it had.
TEST_F(ShellProgram, StopEndsTheRunThroughThePlugin) {
  const ProgramRun run =
      Shell(kWalk, "gather all\nstart\nstop\nwait\nstatus\nsave " + PathOf("out.json") + "\nquit\n",
            " --threads 1");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Run stopped"), std::string::npos) << run.out;
  const json input = Canonical(kWalk);
  const json output = ReadJson(PathOf("out.json"));
  const std::vector<const json*> before = AllTracks(input);
  const std::vector<const json*> after = AllTracks(output);
  ASSERT_EQ(after.size(), before.size());
  std::size_t kept = 0;
  for (std::size_t i = 0; i < before.size(); ++i)
    if (after[i]->at("keys") == before[i]->at("keys")) ++kept;
  EXPECT_GT(kept, 0u);
}

TEST_F(ShellProgram, WrongLinesAreReportedAndTheSessionGoesOn) {
  const ProgramRun run =
      Shell(kDemo,
            "gather everything\nselect 9\n# a comment\n\nfly\nset quality 1\nset precision x\n"
            "gather all\nset quality 1\nset hold maybe\nsnapshot " +
                PathOf("dialog.png") + "\nsave " + PathOf("out.json") + "\n");
  EXPECT_EQ(run.exitCode, 2);
  for (const char* message :
       {"line 1: gather everything: usage: gather all|selected",
        "line 2: select 9: no line 9 in the tree (it has 0 lines)", "line 5: fly: unknown command",
        "line 6: set quality 1: the dialog's quality box is not shown",
        "line 7: set precision x: precision: expected a number",
        "line 9: set quality 1: the dialog's quality box offers 0 (Normal), 2 (High) only",
        "line 10: set hold maybe: hold: expected on or off, found 'maybe'"})
    EXPECT_NE(run.err.find(message), std::string::npos) << message << "\n" << run.err;
  EXPECT_EQ(FileText(PathOf("dialog.png")).substr(1, 3), "PNG");
  EXPECT_TRUE(fs::exists(PathOf("out.json")));
}

// Numbers are taken whole or refused, never cut to the host's 32 bits; what a message echoes is
// escaped and cut, however long the line or path.
TEST_F(ShellProgram, OutOfRangeNumbersAndLongInputAreRefusedReadably) {
  // Plain text as messages show it when it is too long.
  const auto cut = [](const std::string& text) {
    return text.substr(0, kMaxShownBytes) + "... (" + std::to_string(text.size()) + " bytes)";
  };
  const std::string longLine = "fly" + std::string(1 << 20, 'x');
  const std::string longPath = PathOf("missing/" + std::string(1000, 'p') + ".json");
  const struct Row {
    std::string line;
    std::string message;  // after "line N: "
  } rows[] = {
      {"set method 4294967296",
       "set method 4294967296: method: 4294967296 is out of range; the dialog's method box offers "
       "0 ("},
      {"set quality 4294967298",
       "set quality 4294967298: quality: 4294967298 is out of range; the dialog's quality box "
       "offers 0 (Normal), 2 (High) only"},
      {"set method -4294967296", "set method -4294967296: method: -4294967296 is out of range"},
      {"set method 99999999999999999999",
       "set method 99999999999999999999: method: 99999999999999999999 is out of range"},
      {"set precision 1e999", "set precision 1e999: precision: 1e999 is not a finite number"},
      {"set precision nan", "set precision nan: precision: nan is not a finite number"},
      {"set hold \x1b]0;owned\x07",
       "set hold \\x1b]0;owned\\x07: hold: expected on or off, found '\\x1b]0;owned\\x07'"},
      {longLine + "\x1b[2J", cut(longLine + "\x1b[2J") + ": unknown command"},
      {"save " + longPath, cut("save " + longPath) + ": " + cut(longPath) + ": cannot write"},
  };
  std::string script = "gather all\n";
  for (const Row& row : rows) script += row.line + "\n";
  const ProgramRun run = Shell(kDemo, script + "quit\n");
  EXPECT_EQ(run.exitCode, 2);
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].line.substr(0, 40));
    const std::string message = "line " + std::to_string(i + 2) + ": " + rows[i].message;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err.substr(0, 4000);
  }
  EXPECT_EQ(run.err.find('\x1b'), std::string::npos);
  EXPECT_LT(run.err.size(), std::size(rows) * 3 * kMaxShownBytes) << run.err.substr(0, 4000);
}

TEST_F(ShellProgram, ClosedDialogTakesNoMoreActions) {
  const ProgramRun run =
      Shell(kDemo, "gather all\nmenu selectall\nset precision 0.2\nclose\ntree\nsave " +
                       PathOf("out.json") + "\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("line 5: tree: the dialog is closed"), std::string::npos) << run.err;
  // Closing wrote the settings of every gathered track.
  const json output = ReadJson(PathOf("out.json"));
  for (const json* track : AllTracks(output)) {
    const int category = track->at("category");
    if (category != 1 && category != 2) continue;
    EXPECT_EQ(track->at("data").at("1031254").at("container").at("2001"), (json{{"real", 0.2}}));
  }
}

}  // namespace
