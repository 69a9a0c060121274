// `thinfold reduce` end to end: the real program loads the real plug-in module and works its
// dialog; the files it saves are checked here against the input with a JSON reader of our own.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "ProgramRun.h"

// Ctrl-C is a signal sent to the running program here; Windows delivers it as a console event,
// which a test cannot send to a program of its own without sharing its console.
#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#define THINFOLD_TEST_INTERRUPT
#endif
#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string kExamples = std::string(THINFOLD_ROOT) + "/examples";
constexpr int kStatusFailed = 3;
// The module's file name on this system (Thinfold.so, Thinfold.cdl64, ...).
const std::string kModuleName = fs::path(THINFOLD_MODULE).filename().string();

// A track of a scene file with the name the dialog gives it.
struct SceneTrack {
  std::string name;
  const json* track;
};

// A list member of a scene element, or an empty list (by reference: the tests keep pointers).
const json& ListOf(const json& element, const char* member) {
  static const json kEmpty = json::array();
  const auto found = element.find(member);
  return found == element.end() ? kEmpty : *found;
}

bool IsGathered(const json& track) {
  const int category = track.at("category").get<int>();
  return category == 1 || category == 2;
}

void AddTracks(const json& element, const std::string& prefix, std::vector<SceneTrack>& tracks) {
  for (const json& track : ListOf(element, "tracks"))
    if (IsGathered(track)) tracks.push_back({prefix + track.at("name").get<std::string>(), &track});
}

void AddObjects(const json& objects, std::vector<SceneTrack>& tracks) {
  for (const json& object : objects) {
    const std::string name = object.at("name").get<std::string>() + ".";
    AddTracks(object, name, tracks);
    for (const json& tag : ListOf(object, "tags"))
      AddTracks(tag, name + tag.at("name").get<std::string>() + ".", tracks);
    AddObjects(ListOf(object, "children"), tracks);
  }
}

// All value and data tracks in the order the dialog gathers them.
std::vector<SceneTrack> GatheredTracks(const json& scene) {
  std::vector<SceneTrack> tracks;
  AddObjects(scene.at("objects"), tracks);
  for (const json& material : ListOf(scene, "materials"))
    AddTracks(material, material.at("name").get<std::string>() + ".", tracks);
  return tracks;
}

const json* FindTrack(const std::vector<SceneTrack>& tracks, const std::string& name) {
  for (const SceneTrack& track : tracks)
    if (track.name == name) return track.track;
  return nullptr;
}

json ReadJson(const fs::path& path) { return json::parse(FileText(path)); }

// The demo scene with an inactive track and two that the plug-in must fail: a value track
// whose method is out of range and a data track of vectors, which it cannot thin.
json TestScene() {
  json scene = ReadJson(kExamples + "/demo.json");
  auto settings = [](bool active, int method) {
    return json{{"1031254",
                 {{"container",
                   {{"2000", {{"bool", active}}},
                    {"2001", {{"real", 0.5}}},
                    {"2002", {{"long", method}}},
                    {"2003", {{"long", 0}}}}}}}};
  };
  json& light = scene["objects"][1];
  light["tracks"][0]["data"] = settings(false, 0);
  light["tracks"].push_back(
      {{"name", "Tint"},
       {"category", 2},
       {"keys",
        {{{"frame", 0}, {"data", {{"vector", {1, 0, 0}}}}, {"interp", "step"}},
         {{"frame", 10}, {"data", {{"vector", {1, 0, 0}}}}, {"interp", "step"}},
         {{"frame", 20}, {"data", {{"vector", {0, 1, 0}}}}, {"interp", "step"}}}}});
  scene["materials"][0]["tracks"][0]["data"] = settings(true, 2);
  return scene;
}

// The keys before and after of each result row, in row order.
std::vector<std::pair<long, long>> TableCounts(const std::string& out, const json& report) {
  std::vector<std::pair<long, long>> counts;
  std::istringstream lines(out);
  std::string line;
  std::getline(lines, line);  // the titles
  for (const json& track : report.at("tracks")) {
    std::getline(lines, line);
    const std::string name = track.at("name").get<std::string>();
    if (line.compare(0, name.size(), name) != 0) return {};
    std::istringstream rest(line.substr(name.size()));
    long before = -1, after = -1;
    rest >> before >> after;
    counts.emplace_back(before, after);
  }
  return counts;
}

class ReduceProgram : public testing::Test {
 protected:
  void SetUp() override { _folder = FreshTestFolder("reduce"); }
  void TearDown() override { fs::remove_all(_folder); }
  std::string PathOf(const std::string& name) const { return (_folder / name).string(); }
  ProgramRun Thinfold(const std::string& arguments, const std::string& input = std::string()) {
    return RunProgram(THINFOLD_PROGRAM, arguments, input);
  }
  // The input as the program itself writes scene files, without the plug-in.
  json Canonical(const std::string& input) {
    const ProgramRun run =
        Thinfold("convert " + Quoted(input) + " -o " + Quoted(PathOf("canonical.json")));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return ReadJson(PathOf("canonical.json"));
  }

  fs::path _folder;
};

TEST_F(ReduceProgram, SavedKeysMatchTheTableTheReportAndTheInput) {
  std::ofstream(PathOf("scene.json")) << TestScene().dump(1);
  const ProgramRun run =
      Thinfold("reduce " + Quoted(PathOf("scene.json")) + " -o " + Quoted(PathOf("out.json")) +
               " --report " + Quoted(PathOf("report.json")) + " --precision 0.3 --quality 2");
  ASSERT_EQ(run.exitCode, 1) << run.out << run.err;  // two tracks fail
  const json input = Canonical(PathOf("scene.json"));
  const json output = ReadJson(PathOf("out.json"));
  const json report = ReadJson(PathOf("report.json"));
  const std::vector<SceneTrack> before = GatheredTracks(input);
  const std::vector<SceneTrack> after = GatheredTracks(output);
  ASSERT_EQ(after.size(), before.size());
  ASSERT_EQ(report.at("tracks").size(), before.size());
  const auto table = TableCounts(run.out, report);
  ASSERT_EQ(table.size(), before.size()) << run.out;
  long keysBefore = 0, keysAfter = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(before[i].name);
    const json& row = report["tracks"][i];
    const long countBefore = static_cast<long>(before[i].track->at("keys").size());
    const long countAfter = static_cast<long>(after[i].track->at("keys").size());
    EXPECT_EQ(row.at("name"), before[i].name);
    EXPECT_EQ(row.at("keys_before"), countBefore);
    EXPECT_EQ(row.at("keys_after"), countAfter);
    EXPECT_EQ(table[i], std::make_pair(countBefore, countAfter));
    EXPECT_LE(countAfter, countBefore);
    if (row.at("status") == kStatusFailed) {
      EXPECT_EQ(after[i].track->at("keys"), before[i].track->at("keys"));
    }
    keysBefore += countBefore;
    keysAfter += countAfter;
  }
  EXPECT_NE(run.out.find("total: 8 tracks, " + std::to_string(keysBefore) + " \u2192 " +
                         std::to_string(keysAfter) + " keys"),
            std::string::npos)
      << run.out;
  EXPECT_LT(keysAfter, keysBefore);
  EXPECT_TRUE(
      run.out.ends_with("\nsaved " + PathOf("out.json") + " and " + PathOf("report.json") + "\n"))
      << run.out;
}

TEST_F(ReduceProgram, InactiveAndFailedTracksKeepTheirKeysAndSettingsArrive) {
  std::ofstream(PathOf("scene.json")) << TestScene().dump(1);
  const ProgramRun run = Thinfold("reduce " + Quoted(PathOf("scene.json")) + " -o " +
                                  Quoted(PathOf("out.json")) + " --precision 0.3 --quality 2");
  ASSERT_EQ(run.exitCode, 1) << run.err;
  const json input = Canonical(PathOf("scene.json"));
  const json output = ReadJson(PathOf("out.json"));
  const std::vector<SceneTrack> before = GatheredTracks(input);
  const std::vector<SceneTrack> after = GatheredTracks(output);
  for (const char* name : {"Light.Brightness", "Light.Tint", "Steel.Color . R"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(FindTrack(after, name));
    EXPECT_EQ(FindTrack(after, name)->at("keys"), FindTrack(before, name)->at("keys"));
  }
  for (const SceneTrack& track : after) {
    SCOPED_TRACE(track.name);
    const json& settings = track.track->at("data").at("1031254").at("container");
    const bool inactive = track.name == "Light.Brightness";
    EXPECT_EQ(settings.at("2000"), (json{{"bool", !inactive}}));
    EXPECT_EQ(settings.at("2001"), (json{{"real", 0.3}}));
    EXPECT_EQ(settings.at("2002"), (json{{"long", track.name == "Steel.Color . R" ? 2 : 0}}));
    EXPECT_EQ(settings.at("2003"), (json{{"long", 2}}));
  }
  // The track of another category is neither gathered nor changed.
  const json& plugin = output["objects"][0]["children"][0]["tracks"][1];
  EXPECT_EQ(plugin.at("keys"), input["objects"][0]["children"][0]["tracks"][1].at("keys"));
  EXPECT_FALSE(plugin.contains("data"));
  for (const char* text : {"Light.Tint", "Steel.Color . R"})
    EXPECT_NE(run.out.find(text), std::string::npos) << run.out;
}

TEST_F(ReduceProgram, SelectedReducesOnlyTheSelectedElementsTracks) {
  const std::string demo = kExamples + "/demo.json";
  const ProgramRun run =
      Thinfold("reduce " + Quoted(demo) + " --selected --quiet -o " + Quoted(PathOf("out.json")) +
               " --report " + Quoted(PathOf("report.json")));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  const json report = ReadJson(PathOf("report.json"));
  std::vector<std::string> names;
  for (const json& track : report.at("tracks")) names.push_back(track.at("name"));
  // The selection is Cube, Cube:Display and @Steel: their own tracks only.
  EXPECT_EQ(names,
            (std::vector<std::string>{"Cube.Position . X", "Cube.Rotation . H", "Cube.Opacity",
                                      "Cube.Display.Mode", "Steel.Color . R"}));
  const json input = Canonical(demo);
  const std::vector<SceneTrack> before = GatheredTracks(input);
  const json output = ReadJson(PathOf("out.json"));
  const std::vector<SceneTrack> after = GatheredTracks(output);
  for (const char* name : {"Sphere.Scale . Y", "Light.Brightness"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(FindTrack(after, name)->at("keys"), FindTrack(before, name)->at("keys"));
    EXPECT_FALSE(FindTrack(after, name)->contains("data"));
  }
}

// The demo scene and a wave of linear keys that the fit can only approximate: its reduced curve
// moves, by a measured deviation above 0 and within the precision it holds.
TEST_F(ReduceProgram, ReportsTheDeviationItMeasures) {
  json scene = ReadJson(kExamples + "/demo.json");
  json wave = json::array();
  for (int frame = 0; frame < 120; ++frame)
    wave.push_back(
        {{"frame", frame}, {"value", 10.0 * std::sin(frame * 0.1)}, {"interp", "linear"}});
  scene["objects"][0]["tracks"].push_back({{"name", "Wave"}, {"category", 1}, {"keys", wave}});
  std::ofstream(PathOf("scene.json")) << scene.dump(1);
  const ProgramRun run =
      Thinfold("reduce " + Quoted(PathOf("scene.json")) + " --quiet -o " +
               Quoted(PathOf("out.json")) + " --report " + Quoted(PathOf("report.json")));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");  // quiet: not even the plug-in's start line
  const json report = ReadJson(PathOf("report.json"));
  EXPECT_GT(report.at("seconds").get<double>(), 0.0);
  bool waveSeen = false;
  for (const json& track : report.at("tracks")) {
    const std::string name = track.at("name");
    SCOPED_TRACE(name);
    ASSERT_TRUE(track.at("max_deviation").is_number());
    const double deviation = track.at("max_deviation");
    EXPECT_GE(deviation, 0.0);
    // A curve that kept all its keys did not move.
    if (track.at("keys_after") == track.at("keys_before")) {
      EXPECT_EQ(deviation, 0.0);
    }
    if (name == "Cube.Wave") {
      waveSeen = true;
      EXPECT_LT(track.at("keys_after"), track.at("keys_before"));
      EXPECT_GT(deviation, 0.0);
      EXPECT_LE(deviation, 0.5);
    }
    EXPECT_FALSE(track.at("text").get<std::string>().empty());
  }
  EXPECT_TRUE(waveSeen);
}

// Cube's first track holds off, the others carry no hold entry (they hold, and are saved with
// the entry): --hold enters one value for all through the dialog's check box, which shows the
// mix as ambiguous first.
TEST_F(ReduceProgram, HoldGoesIntoEveryGatheredTrack) {
  json scene = ReadJson(kExamples + "/demo.json");
  scene["objects"][0]["tracks"][0]["data"]["1031254"]["container"]["2004"] = json{{"bool", false}};
  std::ofstream(PathOf("scene.json")) << scene.dump(1);
  const struct Row {
    const char* name;
    const char* option;
    bool firstHolds;
    bool othersHold;
  } rows[] = {{"as the tracks carry it", "", false, true},
              {"on", " --hold on", true, true},
              {"off", " --hold off", false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramRun run = Thinfold("reduce " + Quoted(PathOf("scene.json")) + " --quiet -o " +
                                    Quoted(PathOf("out.json")) + " --report " +
                                    Quoted(PathOf("report.json")) + row.option);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const json output = ReadJson(PathOf("out.json"));
    const std::vector<SceneTrack> after = GatheredTracks(output);
    const json report = ReadJson(PathOf("report.json"));
    ASSERT_EQ(report.at("tracks").size(), after.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
      SCOPED_TRACE(after[i].name);
      const bool holds = i == 0 ? row.firstHolds : row.othersHold;
      const json& settings = after[i].track->at("data").at("1031254").at("container");
      EXPECT_EQ(settings.at("2004"), (json{{"bool", holds}}));
      EXPECT_EQ(report["tracks"][i].at("held"), holds);
    }
    // `info` lists the setting last on each track's line.
    const ProgramRun info = Thinfold("info " + Quoted(PathOf("out.json")));
    std::istringstream lines(info.out);
    std::string line;
    while (std::getline(lines, line) && line.rfind("Cube.Position", 0) != 0) {
    }
    EXPECT_TRUE(line.ends_with(row.firstHolds ? " yes" : " no")) << info.out;
  }
}

// A one-frame spike on a linear curve: the spline fit, which checks every half frame, leaves a
// curve that overshoots between its checks; holding off keeps that result as it is.
TEST_F(ReduceProgram, StrictExitsOneWhenATrackEndsAbovePrecision) {
  json keys = json::array();
  for (int frame = 0; frame < 40; ++frame)
    keys.push_back({{"frame", frame}, {"value", frame == 20 ? 5.0 : 0.0}, {"interp", "linear"}});
  const json scene = {
      {"format", "thinfold-scene"},
      {"version", 1},
      {"fps", 30},
      {"objects",
       {{{"name", "Probe"},
         {"tracks", {{{"name", "Spike"}, {"category", 1}, {"unit", "real"}, {"keys", keys}}}}}}}};
  std::ofstream(PathOf("scene.json")) << scene.dump(1);
  const struct Row {
    const char* name;
    const char* options;
    int exitCode;
    bool above;
  } rows[] = {{"above, strict", " --strict", 1, true},
              {"above", "", 0, true},
              {"within, strict", " --strict --precision 6", 0, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove(PathOf("out.json"));
    const ProgramRun run = Thinfold("reduce " + Quoted(PathOf("scene.json")) +
                                    " --quiet --hold off -o " + Quoted(PathOf("out.json")) +
                                    " --report " + Quoted(PathOf("report.json")) + row.options);
    EXPECT_EQ(run.exitCode, row.exitCode) << run.out << run.err;
    EXPECT_TRUE(fs::exists(PathOf("out.json")));
    const std::string verdict =
        row.above ? "1 track above its precision" : "all tracks within their precision";
    EXPECT_NE(run.out.find(" tracks/s, " + verdict + "\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("  >  ") != std::string::npos, row.above) << run.out;
    EXPECT_EQ(run.err.find("--strict: " + verdict) != std::string::npos, row.exitCode == 1)
        << run.err;
    const json report = ReadJson(PathOf("report.json"));
    EXPECT_EQ(report.at("tracks_above_precision"), row.above ? 1 : 0);
    EXPECT_EQ(report["tracks"][0].at("within"), !row.above);
    EXPECT_EQ(report["tracks"][0].at("max_deviation").get<double>() >
                  report["tracks"][0].at("precision").get<double>(),
              row.above);
  }
}

// A track spanning a billion frames is measured at and around its keys and turns, which the
// table and the report say; the other tracks are measured at every tenth of a frame.
TEST_F(ReduceProgram, MeasuresTracksOfAnyLength) {
  json scene = ReadJson(kExamples + "/demo.json");
  json& keys = scene["objects"][0]["tracks"][0]["keys"];
  keys = json::array();
  for (const auto& [frame, value] : {std::pair{0, 0.0}, {500000000, 3.0}, {1000000000, 0.0}})
    keys.push_back({{"frame", frame}, {"value", value}, {"interp", "linear"}});
  std::ofstream(PathOf("scene.json")) << scene.dump(1);
  const ProgramRun run =
      Thinfold("reduce " + Quoted(PathOf("scene.json")) + " --quiet -o " +
               Quoted(PathOf("out.json")) + " --report " + Quoted(PathOf("report.json")));
  ASSERT_LE(run.exitCode, 1) << run.err;
  const json report = ReadJson(PathOf("report.json"));
  for (const json& track : report.at("tracks")) {
    SCOPED_TRACE(track.at("name").get<std::string>());
    const bool far = track.at("name") == "Cube.Position . X";
    EXPECT_EQ(track.at("max_deviation_checks"), far ? "keys and turns" : "every tenth of a frame");
  }
  EXPECT_NE(run.out.find("* spans more than 1000000 frames"), std::string::npos) << run.out;
}

// Failures come before any work where they can: a refused run touches no file. The report never
// takes the place of the input or the output.
TEST_F(ReduceProgram, FailuresExitWithTheirCodeAndWriteNothing) {
  std::ofstream(PathOf("bad.json")) << R"({"format": "thinfold-scene", "version": 1, "fps": 0})";
  const std::string demoText = FileText(kExamples + "/demo.json");
  std::ofstream(PathOf("scene.json")) << demoText;
  fs::create_hard_link(PathOf("scene.json"), PathOf("link.json"));
  std::ofstream(PathOf("old.json")) << "kept";
  fs::create_directories(PathOf("folder"));
  json unselected = ReadJson(kExamples + "/demo.json");
  unselected.erase("selection");
  std::ofstream(PathOf("unselected.json")) << unselected.dump();
  std::ofstream(PathOf("scene.thin.json")) << demoText;
  fs::create_directories(PathOf("copy"));
  fs::copy_file(PathOf("scene.json"), PathOf("copy/scene.json"));
  fs::create_directories(PathOf("nores"));
  fs::copy_file(THINFOLD_MODULE, _folder / "nores" / kModuleName);
  const fs::path plugin = fs::path(THINFOLD_PROGRAM).parent_path() / "plugins/Thinfold";
  fs::copy(plugin, PathOf("nodialog"), fs::copy_options::recursive);
  fs::remove(PathOf("nodialog/res/dialogs/10003.res"));
  fs::create_directories(PathOf("broken/res/dialogs"));
  std::ofstream(_folder / "broken" / kModuleName) << "not a module";
  fs::create_directories(PathOf("noentry/res/dialogs"));
  fs::copy_file(NO_ENTRY_MODULE, _folder / "noentry" / kModuleName);
  for (const char* file : {"strings.txt", "dialogs/10003.res", "IconPalette.tif"})
    for (const char* folder : {"broken", "noentry"})
      fs::copy_file(std::string(THINFOLD_ROOT) + "/res/" + file, PathOf(folder) + "/res/" + file);
  const std::string demo = Quoted(kExamples + "/demo.json");
  const std::string out =
      " -o " + Quoted(PathOf("out.json")) + " --report " + Quoted(PathOf("report.json"));
  const std::string scene = "reduce " + Quoted(PathOf("scene.json"));
  const auto to = [this](const char* option, const std::string& name) {
    return std::string(" ") + option + " " + Quoted(PathOf(name));
  };
  struct Row {
    const char* name;
    std::string arguments;
    int exitCode;
    std::string message;
  } rows[] = {
      {"bad scene", "reduce " + Quoted(PathOf("bad.json")) + out, 3, "fps: expected"},
      {"missing scene", "reduce " + Quoted(PathOf("none.json")) + out, 3, "cannot open"},
      {"unknown option", "reduce " + demo + out + " --fast", 2, "--fast"},
      {"method out of range", "reduce " + demo + out + " --method 2", 2, "--method"},
      {"hold neither on nor off", "reduce " + demo + out + " --hold yes", 2, "--hold"},
      {"negative precision", "reduce " + demo + out + " --precision -1", 2, "--precision"},
      {"quality the dialog does not offer", "reduce " + demo + out + " --quality 1", 2,
       "--quality 1: the dialog's quality box offers 0 (Normal), 2 (High) only"},
      {"frame rate for a scene", "reduce " + demo + out + " --fps 24", 2, "BVH input only"},
      {"missing plug-in folder", "reduce " + demo + out + " --plugins " + Quoted(PathOf("none")), 3,
       PathOf("none") + ": no such plug-in folder"},
      {"plug-in without resources",
       "reduce " + demo + out + " --plugins " + Quoted(PathOf("nores")), 3,
       (_folder / "nores" / "res").string() + ": no resource folder"},
      {"plug-in without its dialog",
       "reduce " + demo + out + " --plugins " + Quoted(PathOf("nodialog")), 3,
       (_folder / "nodialog" / "res" / "dialogs/10003.res").string() +
           ": missing resource file of the plug-in"},
      {"broken module", "reduce " + demo + out + " --plugins " + Quoted(PathOf("broken")), 3,
       "the module cannot be loaded"},
      {"module without entry", "reduce " + demo + out + " --plugins " + Quoted(PathOf("noentry")),
       3, "no c4d_main"},
      {"unwritable output", "reduce " + demo + " -o " + Quoted(PathOf("no/such/out.json")), 3,
       PathOf("no/such/out.json")},
      {"unwritable report",
       "reduce " + demo + " -o " + Quoted(PathOf("out.json")) + " --report " +
           Quoted(PathOf("no/such/report.json")),
       3, PathOf("no/such/report.json")},
      {"report is the input", scene + to("-o", "out.json") + to("--report", "scene.json"), 2,
       "is the input file"},
      {"report is another name of the input",
       scene + to("-o", "out.json") + to("--report", "link.json"), 2, "is the input file"},
      {"report is the output", scene + to("-o", "out.json") + to("--report", "out.json"), 2,
       "is the output file"},
      {"output folder missing", scene + to("-o", "no/out.json") + to("--report", "old.json"), 3,
       PathOf("no/out.json") + ": cannot write: no such folder"},
      {"output is a folder", scene + to("-o", "folder") + to("--report", "old.json"), 3,
       PathOf("folder") + ": cannot write: is a folder"},
      {"report is a folder", scene + to("-o", "out.json") + to("--report", "folder"), 3,
       PathOf("folder") + ": cannot write: is a folder"},
      {"output of no known format", scene + to("-o", "out.txt"), 2,
       PathOf("out.txt") + ": no output format for its extension"},
      {"one output for two inputs", scene + " " + demo + to("-o", "out.json"), 2,
       "-o names the output of one input, and there are 2: use --output-dir"},
      {"output file and folder", scene + to("-o", "out.json") + to("--output-dir", "folder"), 2,
       "give one of them"},
      {"format beside -o", scene + to("-o", "out.json") + " --format bvh", 2,
       "-o's extension names its format"},
      {"folder without inputs", "reduce " + Quoted(PathOf("nores")) + to("--output-dir", "folder"),
       2, PathOf("nores") + ": a folder without .bvh or .json files"},
      {"two inputs saved as one",
       scene + " " + Quoted(PathOf("copy/scene.json")) + to("--output-dir", "folder"), 2,
       " would both be saved as " + PathOf("folder/scene.thin.json")},
      {"output is the input", scene + to("-o", "scene.json"), 3,
       PathOf("scene.json") + ": is the input file"},
      {"output is another name of the input", scene + to("-o", "link.json"), 3,
       PathOf("link.json") + ": is the input file"},
      {"a result saved over another input",
       scene + " " + Quoted(PathOf("scene.thin.json")) + to("--output-dir", "."), 3,
       "scene.thin.json: is the input file " + PathOf("scene.thin.json")},
      {"selected with nothing selected",
       "reduce " + Quoted(PathOf("unselected.json")) + " --selected" + to("-o", "out.json"), 2,
       "--selected: " + PathOf("unselected.json") + " selects no object, tag or material"},
      {"plots of several inputs",
       scene + " " + Quoted(PathOf("link.json")) + to("--output-dir", "folder") +
           to("--plot", "plots"),
       2, "--plot draws the tracks of one input; there are 2"},
      {"BVH of a scene without a skeleton", scene + to("-o", "out.bvh"), 3,
       PathOf("out.bvh") + ": cannot write BVH: Cube: not a BVH joint"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ProgramRun run = Thinfold(row.arguments);
    EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
    EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;  // no run
    for (const char* name : {"out.json", "out.txt", "out.bvh", "report.json"})
      EXPECT_FALSE(fs::exists(PathOf(name))) << name;
    EXPECT_EQ(FileText(PathOf("scene.json")), demoText);
    EXPECT_EQ(FileText(PathOf("old.json")), "kept");
  }
  // A file that is neither the input nor the output may take the report.
  const ProgramRun run =
      Thinfold(scene + " --quiet" + to("-o", "out.json") + to("--report", "old.json"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(ReadJson(PathOf("old.json")).contains("tracks"));
}

// The output's extension picks its format: a reduced capture saved as BVH holds the reduced
// curves, exactly as converting the reduced scene gives them.
TEST_F(ReduceProgram, OutputFormatFollowsTheExtension) {
  const std::string walk = Quoted(kExamples + "/walk.bvh");
  for (const char* name : {"out.json", "out.BVH"}) {
    const ProgramRun run =
        Thinfold("reduce " + walk + " --quiet --threads 2 -o " + Quoted(PathOf(name)));
    ASSERT_EQ(run.exitCode, 0) << run.err;
  }
  EXPECT_EQ(ReadJson(PathOf("out.json")).at("format"), "thinfold-scene");
  const ProgramRun convert =
      Thinfold("convert " + Quoted(PathOf("out.json")) + " -o " + Quoted(PathOf("converted.bvh")));
  ASSERT_EQ(convert.exitCode, 0) << convert.err;
  const std::string bvh = FileText(PathOf("out.BVH"));
  EXPECT_EQ(bvh.rfind("HIERARCHY\nROOT Hips\n", 0), 0u) << bvh.substr(0, 100);
  EXPECT_NE(bvh.find("MOTION\nFrames: 1440\n"), std::string::npos);
  EXPECT_EQ(bvh, FileText(PathOf("converted.bvh")));
  EXPECT_NE(bvh, FileText(kExamples + "/walk.bvh"));
}

// 64-bit FNV-1a: a digest that any change of a saved byte changes.
uint64_t Digest(const std::string& text) {
  uint64_t hash = 0xcbf29ce484222325u;
  for (const unsigned char byte : text) hash = (hash ^ byte) * 0x100000001b3u;
  return hash;
}

// The reduced walking capture at several settings, as digests of the saved scenes: a change to
// evaluation, time arithmetic or the search's shortcuts that moves any key changes its scene.
TEST_F(ReduceProgram, KeysOfTheWalkStayTheStoredOnes) {
  struct Setting {
    const char* options;
    uint64_t digest;
  };
  const Setting settings[] = {
      {"--frames 0:479", 0x48a9933278c7442eu},
      {"--frames 0:239 --precision 0.1", 0xf8f439f7c0de97d4u},
      {"--frames 0:479 --quality 2", 0xc484c9aafe804003u},
  };
  for (const Setting& setting : settings) {
    const ProgramRun run =
        Thinfold("reduce " + Quoted(kExamples + "/walk.bvh") + " --quiet --threads 2 " +
                 setting.options + " -o " + Quoted(PathOf("out.json")));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Digest(FileText(PathOf("out.json"))), setting.digest) << setting.options;
  }
}

// Two joints named Arm give the same short name: their tracks go by full paths in the table,
// the report, info and the plots; each command takes a track's one name, its full path, and a
// short name where it is unique.
TEST_F(ReduceProgram, EveryCommandUsesOneNamePerTrack) {
  std::ofstream(PathOf("arms.bvh"))
      << "HIERARCHY\nROOT Body\n{\nOFFSET 0 0 0\nCHANNELS 1 Xposition\n"
         "JOINT Left\n{\nOFFSET 1 0 0\nCHANNELS 1 Zrotation\nJOINT Arm\n{\nOFFSET 1 0 0\n"
         "CHANNELS 1 Xrotation\n}\n}\nJOINT Right\n{\nOFFSET -1 0 0\nCHANNELS 0\nJOINT Arm\n{\n"
         "OFFSET -1 0 0\nCHANNELS 1 Xrotation\n}\n}\n}\nMOTION\nFrames: 4\nFrame Time: 0.04\n"
         "0 0 0 0\n1 5 10 -10\n2 5 20 -20\n3 0 25 -30\n";
  const std::vector<std::string> names = {"Body.Xposition", "Left.Zrotation",
                                          "Body/Left/Arm.Xrotation", "Body/Right/Arm.Xrotation"};
  const ProgramRun reduce =
      Thinfold("reduce " + Quoted(PathOf("arms.bvh")) + " --quiet -o " +
               Quoted(PathOf("arms.json")) + " --report " + Quoted(PathOf("report.json")));
  ASSERT_EQ(reduce.exitCode, 0) << reduce.err;
  const ProgramRun info = Thinfold("info " + Quoted(PathOf("arms.json")));
  const ProgramRun plot = Thinfold("plot " + Quoted(PathOf("arms.bvh")) + " " +
                                   Quoted(PathOf("arms.json")) + " -o " + Quoted(PathOf("plots")));
  ASSERT_EQ(plot.exitCode, 0) << plot.err;
  const json report = ReadJson(PathOf("report.json"));
  for (std::size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(report["tracks"][i].at("name"), names[i]);
    EXPECT_NE(reduce.out.find("\n" + names[i] + " "), std::string::npos) << reduce.out;
    EXPECT_NE(info.out.find("\n" + names[i] + " "), std::string::npos) << info.out;
    std::string file = names[i];
    std::replace(file.begin(), file.end(), '/', '_');
    EXPECT_TRUE(fs::exists(PathOf("plots/" + file + ".png")));
  }
  const struct Row {
    const char* track;
    const char* plotted;  // null: refused
  } rows[] = {
      {"Body.Xposition", "Body.Xposition.png"},
      {"Body/Left/Arm.Xrotation", "Body_Left_Arm.Xrotation.png"},
      {"Left.Zrotation", "Left.Zrotation.png"},
      {"Body/Left.Zrotation", "Left.Zrotation.png"},
      {"Left.Xrotation", nullptr},
      {"Arm.Xrotation", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.track);
    fs::remove_all(PathOf("plots"));
    const ProgramRun one =
        Thinfold("plot " + Quoted(PathOf("arms.bvh")) + " " + Quoted(PathOf("arms.json")) + " -o " +
                 Quoted(PathOf("plots")) + " --track " + Quoted(row.track));
    EXPECT_EQ(one.exitCode, row.plotted ? 0 : 3) << one.err;
    if (row.plotted) {
      EXPECT_TRUE(fs::exists(PathOf(std::string("plots/") + row.plotted)));
    }
  }
}

// A capture small enough to reduce in a moment: two joints, a flip, ten frames.
std::string SmallCapture() {
  std::string text =
      "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 4 Xposition Yposition Zposition "
      "Zrotation\nJOINT Leg\n{\nOFFSET 0 -5 0\nCHANNELS 1 Xrotation\nEnd Site\n{\nOFFSET 0 "
      "-40 0\n}\n}\n}\nMOTION\nFrames: 10\nFrame Time: 0.04\n";
  for (int frame = 0; frame < 10; ++frame)
    text += std::to_string(frame * 0.5) + " 90 0 " + std::to_string(frame < 5 ? 170 : -175) + " " +
            std::to_string(frame * frame) + "\n";
  return text;
}

// Several inputs, one of them a folder: each input reduced and saved as it would be alone, one
// table each and a grand total, one report entry each; a bad input fails alone and the exit code
// is the worst of the inputs'.
TEST_F(ReduceProgram, SeveralInputsRunOneAfterTheOther) {
  fs::create_directories(PathOf("in"));
  fs::create_directories(PathOf("out"));
  fs::copy_file(kExamples + "/demo.json", PathOf("in/demo.json"));
  std::ofstream(PathOf("in/small.bvh")) << SmallCapture();
  std::ofstream(PathOf("in/notes.txt")) << "not an input";
  fs::create_directories(PathOf("in/sub"));
  std::ofstream(PathOf("in/sub/deeper.bvh")) << SmallCapture();
  std::ofstream(PathOf("bad.bvh")) << "HIERARCHY\nROOT Hips\n";
  std::ofstream(PathOf("failing.json")) << TestScene().dump(1);
  const struct Row {
    const char* name;
    std::vector<std::string> inputs;
    int exitCode;
  } rows[] = {
      {"all good", {"in"}, 0},
      {"a track fails", {"failing.json", "in"}, 1},
      {"an input is bad", {"in", "bad.bvh", "failing.json"}, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    fs::remove_all(PathOf("out"));
    fs::create_directories(PathOf("out"));
    std::string inputs;
    for (const std::string& input : row.inputs) inputs += " " + Quoted(PathOf(input));
    const ProgramRun run =
        Thinfold("reduce" + inputs + " --quiet --output-dir " + Quoted(PathOf("out")) +
                 " --report " + Quoted(PathOf("report.json")));
    EXPECT_EQ(run.exitCode, row.exitCode) << run.out << run.err;
    const json report = ReadJson(PathOf("report.json"));
    std::vector<std::string> expected;  // the inputs in order, a folder's by name
    for (const std::string& input : row.inputs)
      for (const std::string& file : input == "in"
                                         ? std::vector<std::string>{"in/demo.json", "in/small.bvh"}
                                         : std::vector<std::string>{input})
        expected.push_back(file);
    ASSERT_EQ(report.at("inputs").size(), expected.size());
    EXPECT_EQ(report.at("exit_code"), row.exitCode);
    int tables = 0;
    for (std::size_t at = run.out.find("TRACK "); at != std::string::npos;
         at = run.out.find("TRACK ", at + 1))
      ++tables;
    EXPECT_EQ(tables, static_cast<int>(expected.size()) - (row.exitCode == 3 ? 1 : 0)) << run.out;
    EXPECT_NE(run.out.find("grand total: " + std::to_string(expected.size()) + " inputs"),
              std::string::npos)
        << run.out;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(expected[i]);
      const json& entry = report["inputs"][i];
      const std::string stem = fs::path(expected[i]).stem().string();
      const std::string output = PathOf("out/" + stem + ".thin.json");
      EXPECT_EQ(entry.at("input"), PathOf(expected[i]));
      EXPECT_EQ(entry.at("output"), output);
      const bool bad = stem == "bad";
      EXPECT_EQ(entry.at("saved"), !bad);
      EXPECT_EQ(fs::exists(output), !bad);
      EXPECT_EQ(entry.at("exit_code"), bad ? 3 : stem == "failing" ? 1 : 0);
      EXPECT_EQ(entry.at("error").is_null(), !bad);
      EXPECT_EQ(entry.contains("tracks"), !bad);
      EXPECT_EQ(run.out.find("\nsaved " + output + "\n") != std::string::npos, !bad) << run.out;
      if (bad) continue;
      const ProgramRun alone = Thinfold("reduce " + Quoted(PathOf(expected[i])) + " --quiet -o " +
                                        Quoted(PathOf("alone.json")));
      EXPECT_EQ(FileText(output), FileText(PathOf("alone.json")));
    }
  }
  EXPECT_FALSE(fs::exists(PathOf("out/deeper.thin.json")));
}

#ifdef __linux__
// A folder where no file can be made, even by root: immutable. Clears the flag when it goes.
class LockedFolder {
 public:
  explicit LockedFolder(const fs::path& folder) : _folder(folder) {
    fs::create_directories(folder);
    _locked = SetImmutable(true);
  }
  ~LockedFolder() {
    if (_locked) SetImmutable(false);
  }
  bool Locked() const { return _locked; }

 private:
  bool SetImmutable(bool on) {
    const int fd = ::open(_folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
  }
  fs::path _folder;
  bool _locked = false;
};

// The output's folder is tried before the run: a folder where no file can be made stops every
// command at once.
TEST_F(ReduceProgram, OutputFolderWhereNothingCanBeMadeIsRefusedFirst) {
  const LockedFolder locked(_folder / "locked");
  if (!locked.Locked()) GTEST_SKIP() << "this file system cannot make a folder immutable";
  const std::string demo = Quoted(kExamples + "/demo.json");
  const std::string into = Quoted(PathOf("locked/out.json"));
  for (const std::string& command :
       {"reduce " + demo + " -o " + into,
        "reduce " + demo + " --output-dir " + Quoted(PathOf("locked")),
        "reduce " + demo + " -o " + Quoted(PathOf("out.json")) + " --report " + into,
        "convert " + demo + " -o " + into}) {
    SCOPED_TRACE(command);
    const ProgramRun run = Thinfold(command);
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_NE(run.err.find(": cannot write: Operation not permitted"), std::string::npos)
        << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_TRUE(fs::is_empty(PathOf("locked")));
    EXPECT_FALSE(fs::exists(PathOf("out.json")));
  }
}
#endif

TEST_F(ReduceProgram, DefaultOutputSitsBesideTheInput) {
  fs::copy_file(kExamples + "/demo.json", PathOf("demo.json"));
  const ProgramRun run = Thinfold("reduce " + Quoted(PathOf("demo.json")) + " --quiet");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(fs::exists(PathOf("demo.thin.json")));
  EXPECT_EQ(FileText(PathOf("demo.json")), FileText(kExamples + "/demo.json"));
}

#ifdef THINFOLD_TEST_INTERRUPT
// The program under a pipe for stderr, so that the test can see the run going.
class RunningProgram {
 public:
  explicit RunningProgram(const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv = {const_cast<char*>(THINFOLD_PROGRAM)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&_pid, THINFOLD_PROGRAM, &actions, nullptr, argv.data(), environ) != 0)
      _pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    _stderr = pipeEnds[0];
  }
  ~RunningProgram() {
    if (_stderr >= 0) close(_stderr);
  }
  // Reads stderr until text has come count times (true) or stderr ends (false).
  bool WaitForText(const std::string& text, int count) {
    while (Occurrences(text) < count)
      if (!ReadMore()) return false;
    return true;
  }
  void Interrupt() { Signal(SIGINT); }
  void Signal(int signal) { kill(_pid, signal); }
  // Whether it has not ended yet (without reaping it).
  bool Running() const {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0;
  }
  // The exit code once it ended, with the rest of stderr read.
  int Wait() {
    while (ReadMore()) {
    }
    int status = 0;
    waitpid(_pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  const std::string& Err() const { return _err; }

 private:
  bool ReadMore() {
    char buffer[256];
    const ssize_t count = read(_stderr, buffer, sizeof buffer);
    if (count <= 0) return false;
    _err.append(buffer, static_cast<std::size_t>(count));
    return true;
  }
  int Occurrences(const std::string& text) const {
    int found = 0;
    for (std::size_t at = _err.find(text); at != std::string::npos; at = _err.find(text, at + 1))
      ++found;
    return found;
  }

  pid_t _pid = -1;
  int _stderr = -1;
  std::string _err;
};

// One worker on the walking capture takes seconds; the second progress line (two seconds into
// the run) comes well before the end.
TEST_F(ReduceProgram, CtrlCPressesStopAndSavesNothing) {
  for (const bool savePartial : {false, true}) {
    SCOPED_TRACE(savePartial ? "--save-partial" : "nothing saved");
    std::vector<std::string> arguments = {"reduce",    kExamples + "/walk.bvh",
                                          "--threads", "1",
                                          "--quality", "2",
                                          "-o",        PathOf("out.json"),
                                          "--report",  PathOf("report.json")};
    if (savePartial) arguments.push_back("--save-partial");
    RunningProgram program(arguments);
    ASSERT_TRUE(program.WaitForText("/72 tracks", 2)) << program.Err();
    program.Interrupt();
    EXPECT_EQ(program.Wait(), 130) << program.Err();
    EXPECT_NE(program.Err().find("stopping the run"), std::string::npos) << program.Err();
    EXPECT_EQ(fs::exists(PathOf("out.json")), savePartial);
    if (!savePartial) continue;
    const json report = ReadJson(PathOf("report.json"));
    const json input = Canonical(kExamples + "/walk.bvh");
    const json output = ReadJson(PathOf("out.json"));
    const std::vector<SceneTrack> before = GatheredTracks(input);
    const std::vector<SceneTrack> after = GatheredTracks(output);
    int unfinished = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
      const json& row = report["tracks"][i];
      if (row.at("status") == 2) continue;
      ++unfinished;
      EXPECT_EQ(after[i].track->at("keys"), before[i].track->at("keys")) << before[i].name;
    }
    EXPECT_GT(unfinished, 0);
  }
}

// A scene whose file is large enough for a signal to arrive while it is saved: a track the
// plug-in does not gather holds most of the keys.
json BulkScene(int keyCount) {
  json keys = json::array();
  for (int frame = 0; frame < keyCount; ++frame)
    keys.push_back({{"frame", frame}, {"value", frame % 7}, {"interp", "linear"}});
  json small = json::array();
  for (int frame = 0; frame < 3; ++frame)
    small.push_back({{"frame", frame}, {"value", frame}, {"interp", "linear"}});
  return {{"format", "thinfold-scene"},
          {"version", 1},
          {"fps", 30},
          {"objects",
           {{{"name", "Big"},
             {"tracks",
              {{{"name", "Small"}, {"category", 1}, {"keys", small}},
               {{"name", "Bulk"}, {"category", 3}, {"keys", keys}}}}}}}};
}

bool HoldsTemporaryFile(const fs::path& folder) {
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().find(".tmp-") != std::string::npos) return true;
  return false;
}

// A stop at any moment before the files are renamed into place saves nothing, and no temporary
// file stays: the signal goes as soon as the scene's temporary file appears. A run whose
// temporary file came and went unseen, or whose signal came after the rename, is tried again.
TEST_F(ReduceProgram, SignalsWhileSavingLeaveNothingBehind) {
  std::ofstream(PathOf("scene.json")) << BulkScene(100000).dump();
  const std::vector<std::string> arguments = {
      "reduce",   PathOf("scene.json"), "--quiet", "-o", PathOf("out.json"),
      "--report", PathOf("report.json")};
  struct Row {
    const char* name;
    int signal;
    int exitCode;
    std::string message;
  } rows[] = {
      {"Ctrl-C", SIGINT, 130, "stopped while saving: nothing saved"},
      {"SIGTERM", SIGTERM, 143, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    bool caught = false;
    for (int attempt = 0; attempt < 5 && !caught; ++attempt) {
      fs::remove(PathOf("out.json"));
      fs::remove(PathOf("report.json"));
      RunningProgram program(arguments);
      while (program.Running() && !HoldsTemporaryFile(_folder)) {
      }
      program.Signal(row.signal);
      const int exitCode = program.Wait();
      EXPECT_FALSE(HoldsTemporaryFile(_folder));
      if (fs::exists(PathOf("out.json"))) continue;
      caught = true;
      EXPECT_EQ(exitCode, row.exitCode) << program.Err();
      EXPECT_NE(program.Err().find(row.message), std::string::npos) << program.Err();
      EXPECT_FALSE(fs::exists(PathOf("report.json")));
    }
    EXPECT_TRUE(caught) << "every run saved before the signal came";
  }
}

#endif

}  // namespace
