// Plots of a reduction: tracks matched between the files before and after, chosen by name or by
// how far they moved for their precision, drawn where their curves and keys are, and written
// all or none by `thinfold plot`.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ModelDocument.h"
#include "ProgramRun.h"
#include "c4d.h"
#include "c4d_standin_raster.h"
#include "plot/CurvePlot.h"
#include "plot/PlotFiles.h"
#include "plot/PlotLayout.h"
#include "plot/PlotPainter.h"
#include "plot/PlotStyle.h"
#include "plot/TrackChoice.h"
#include "plot/TrackPairs.h"

namespace {

namespace fs = std::filesystem;

constexpr LONG kFps = 30;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr LONG kSettings = 1031254;
constexpr LONG kPrecisionEntry = 2001;

// ---- Documents ----

struct AngleKey {
  double frame, degrees;
};

void SetPrecision(CTrack* track, double precision) {
  BaseContainer settings;
  settings.SetReal(kPrecisionEntry, precision);
  track->GetDataInstance()->SetContainer(kSettings, settings);
}

// "Cube" with the degree track "Angle" (linear keys), precision 2.5 degrees.
ModelDoc MakeAngleDocument(const std::vector<AngleKey>& keys) {
  ModelDoc doc = MakeDocument(kFps);
  CTrack* track = AddTrack(AddObject(doc.get(), "Cube"), "Angle", CTRACK_CATEGORY_VALUE, 1000,
                           DESC_UNIT_DEGREE);
  for (const AngleKey& key : keys)
    AddValueKey(track, BaseTime(static_cast<LLONG>(key.frame * 2), 2 * kFps),
                key.degrees * kRadiansPerDegree);
  SetPrecision(track, 2.5);
  return doc;
}

// A tent from 0 up to 50 degrees at frame 5 and down again, with a bump at frame 1 (12 where
// the tent has 10); reduced, only the tent's three corners remain.
const std::vector<AngleKey> kTentKeys = {{0, 0},  {1, 12}, {2, 20}, {3, 30}, {4, 40}, {5, 50},
                                         {6, 40}, {7, 30}, {8, 20}, {9, 10}, {10, 0}};
const std::vector<AngleKey> kReducedTentKeys = {{0, 0}, {5, 50}, {10, 0}};

// ---- Pixels ----

struct Rgb {
  double r, g, b;
};

Rgb PixelOf(const Vector& colour, double opacity = 1.0) {
  auto channel = [opacity](double c) { return 255.0 + (std::round(c * 255.0) - 255.0) * opacity; };
  return {channel(colour.x), channel(colour.y), channel(colour.z)};
}

struct NamedColour {
  const char* name;
  Rgb pixel;
};

// The name of the plot colour nearest to pixel (x, y).
std::string NearestColour(const BaseBitmap& bitmap, LONG x, LONG y) {
  using namespace plot_style;
  const NamedColour colours[] = {{"background", PixelOf(kBackground)},
                                 {"grid", PixelOf(kGrid)},
                                 {"original", PixelOf(kOriginal)},
                                 {"reduced", PixelOf(kReduced)},
                                 {"band", PixelOf(kOriginal, kBandOpacity)}};
  UCHAR r = 0, g = 0, b = 0, a = 0;
  bitmap.GetPixel(x, y, &r, &g, &b, &a);
  std::string nearest;
  double nearestDistance = INFINITY;
  for (const NamedColour& colour : colours) {
    const double distance = std::pow(r - colour.pixel.r, 2) + std::pow(g - colour.pixel.g, 2) +
                            std::pow(b - colour.pixel.b, 2);
    if (distance < nearestDistance) {
      nearest = colour.name;
      nearestDistance = distance;
    }
  }
  return nearest;
}

// The colours of the pixel that holds point (x, y) and of its eight neighbours: an
// anti-aliased line of 1.5 pixels may cover the pixel of its exact point only in part.
std::set<std::string> ColoursAround(const BaseBitmap& bitmap, double x, double y) {
  std::set<std::string> names;
  const LONG column = static_cast<LONG>(std::floor(x)), row = static_cast<LONG>(std::floor(y));
  for (LONG dy = -1; dy <= 1; ++dy)
    for (LONG dx = -1; dx <= 1; ++dx) names.insert(NearestColour(bitmap, column + dx, row + dy));
  return names;
}

TEST(PlotPainter, KnownCurveLandsOnItsPixels) {
  const ModelDoc before = MakeAngleDocument(kTentKeys);
  const ModelDoc after = MakeAngleDocument(kReducedTentKeys);
  const TrackPairing pairing = PairTracks(*before, "before", *after, "after");
  ASSERT_EQ(pairing.pairs.size(), 1u) << pairing.error;
  const CurvePlot plot = MakeCurvePlot(pairing.pairs[0], kFps, 2.5, 2.0, 2000);
  const PlotLayout layout = LayoutOf(plot);
  standin::RasterPicture picture(PlotLayout::kWidth, PlotLayout::kHeight, Vector(1, 1, 1));
  PaintCurvePlot(plot, picture);
  AutoAlloc<BaseBitmap> bitmap;
  ASSERT_TRUE(picture.CopyTo(*bitmap));

  // Markers and areas fill the whole neighbourhood of their point; a curve passes through it.
  // The two curves at frame 0.5 are 1 degree (about 6 pixels) apart.
  struct Probe {
    const char* name;
    double frame, degrees;
    const char* colour;
    bool fillsNeighbourhood;
  };
  const Probe probes[] = {
      {"reduced key at the tent's top", 5, 50, "reduced", true},
      {"reduced key at the end", 10, 0, "reduced", true},
      {"original key that the reduction dropped", 1, 12, "original", true},
      {"reduced curve between its keys", 0.5, 5, "reduced", false},
      {"original curve beside it", 0.5, 6, "original", false},
      {"tolerance band 2 degrees above the curves", 7.5, 27, "band", true},
      {"outside the band, 12 degrees above", 7.5, 37, "background", true},
      {"far from everything", 2.5, 45, "background", true},
  };
  for (const Probe& probe : probes) {
    SCOPED_TRACE(probe.name);
    const std::set<std::string> colours =
        ColoursAround(*bitmap, layout.X(probe.frame), layout.Y(probe.degrees));
    if (probe.fillsNeighbourhood)
      EXPECT_EQ(colours, std::set<std::string>{probe.colour});
    else
      EXPECT_EQ(colours.count(probe.colour), 1u);
  }
  // The curves do not reach each other's probes.
  EXPECT_EQ(ColoursAround(*bitmap, layout.X(0.5), layout.Y(5)).count("original"), 0u);
  EXPECT_EQ(ColoursAround(*bitmap, layout.X(0.5), layout.Y(6)).count("reduced"), 0u);
}

// ---- The plot's content ----

TEST(CurvePlot, ValuesAreInTheTracksUnitSteps) {
  const ModelDoc before = MakeAngleDocument(kTentKeys);
  const ModelDoc after = MakeAngleDocument(kReducedTentKeys);
  const CurvePlot plot =
      MakeCurvePlot(PairTracks(*before, "a", *after, "b").pairs.at(0), kFps, 2.5, 2.0, 100);
  EXPECT_EQ(plot.name, "Cube.Angle");
  EXPECT_EQ(plot.unitSuffix, "°");
  ASSERT_EQ(plot.beforeKeys.size(), 11u);
  ASSERT_EQ(plot.afterKeys.size(), 3u);
  EXPECT_NEAR(plot.afterKeys[1].frame, 5.0, 1e-9);
  EXPECT_NEAR(plot.afterKeys[1].value, 50.0, 1e-9);
  // The curves as the host plays them, from frame 0 to 10 and through every key.
  ASSERT_FALSE(plot.after.empty());
  EXPECT_NEAR(plot.after.front().frame, 0.0, 1e-9);
  EXPECT_NEAR(plot.after.back().frame, 10.0, 1e-9);
  for (const PlotPoint& point : plot.after)
    EXPECT_NEAR(point.value, point.frame <= 5 ? 10 * point.frame : 100 - 10 * point.frame, 1e-6);
}

TEST(CurvePlot, DataTrackIsAStepChartOfItsLevels) {
  ModelDoc before = MakeDocument(kFps), after = MakeDocument(kFps);
  CTrack* beforeTrack = AddTrack(AddObject(before.get(), "Cube"), "Mode", CTRACK_CATEGORY_DATA);
  CTrack* afterTrack = AddTrack(AddObject(after.get(), "Cube"), "Mode", CTRACK_CATEGORY_DATA);
  AddDataKeys(beforeTrack, kFps,
              {GeData(String("walk")), GeData(String("walk")), GeData(String("run")),
               GeData(String("walk"))});
  AddDataKeys(afterTrack, kFps,
              {GeData(String("walk")), GeData(String("walk")), GeData(String("run")),
               GeData(String("walk"))});
  afterTrack->GetCurve()->DelKey(1);
  const CurvePlot plot =
      MakeCurvePlot(PairTracks(*before, "a", *after, "b").pairs.at(0), kFps, 1.0, 0.0, 100);
  EXPECT_TRUE(plot.stepChart);
  EXPECT_EQ(plot.levelNames, (std::vector<std::string>{"\"walk\"", "\"run\""}));
  EXPECT_EQ(plot.afterKeys.size(), 3u);
  // walk from frame 0, run from frame 2, walk again from frame 3: each change a vertical step.
  std::vector<std::pair<double, double>> steps;
  for (const PlotPoint& point : plot.after) steps.push_back({point.frame, point.value});
  EXPECT_EQ(steps, (std::vector<std::pair<double, double>>{
                       {0, 0}, {0, 0}, {2, 0}, {2, 1}, {3, 1}, {3, 0}, {3, 0}}));
}

TEST(PlotLayout, TicksAreRoundNumbersInsideTheRange) {
  struct Row {
    const char* name;
    PlotRange range;
    int maxCount;
    std::vector<double> ticks;
  };
  const Row rows[] = {
      {"frames", {-0.2, 10.2}, 12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {"no more than asked", {-0.2, 10.2}, 5, {0, 5, 10}},
      {"small values", {-0.33, 0.71}, 8, {-0.2, 0, 0.2, 0.4, 0.6}},
      {"large values", {1234, 5678}, 8, {2000, 3000, 4000, 5000}},
      {"empty range", {1, 1}, 5, {}},
      {"not finite", {0, INFINITY}, 5, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::vector<double> ticks = NiceTicks(row.range, row.maxCount);
    ASSERT_EQ(ticks.size(), row.ticks.size());
    for (size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], row.ticks[i], 1e-12);
  }
  // So far from zero that whole steps no longer change the number: still a bounded list.
  EXPECT_LE(NiceTicks({1e17, 1e17 + 10}, 5).size(), 11u);
  const std::vector<double> tenths = {-0.2, 0.0, 0.2};
  EXPECT_EQ(TickText(0.0, tenths), "0.0");
  EXPECT_EQ(TickText(-0.2, tenths), "-0.2");
}

// ---- Matching and choosing tracks ----

struct Track {
  const char* element;
  const char* name;
  LONG category;
};

// Objects named by the tracks' elements (each once, in order) with the tracks on them.
ModelDoc MakeTrackDocument(const std::vector<Track>& tracks, LONG fps = kFps) {
  ModelDoc doc = MakeDocument(fps);
  BaseObject* object = nullptr;
  LONG id = 1000;
  for (const Track& track : tracks) {
    if (!object || object->GetName().ToUtf8() != track.element)
      object = AddObject(doc.get(), track.element);
    AddTrack(object, track.name, track.category, id++);
  }
  return doc;
}

TEST(TrackPairs, MismatchNamesTheFirstDifference) {
  const std::vector<Track> tracks = {{"Hips", "X", CTRACK_CATEGORY_VALUE},
                                     {"Hips", "Y", CTRACK_CATEGORY_VALUE},
                                     {"Cube", "Mode", CTRACK_CATEGORY_DATA}};
  struct Row {
    const char* name;
    std::vector<Track> after;
    LONG fps;
    const char* message;
  };
  const Row rows[] = {
      {"same tracks", tracks, kFps, ""},
      {"renamed",
       {tracks[0], {"Hips", "Z", CTRACK_CATEGORY_VALUE}, tracks[2]},
       kFps,
       "a.json and b.json do not match: track 2 is 'Hips.Y' (value track) in a.json but "
       "'Hips.Z' (value track) in b.json"},
      {"other category",
       {tracks[0], tracks[1], {"Cube", "Mode", CTRACK_CATEGORY_VALUE}},
       kFps,
       "track 3 is 'Cube.Mode' (data track) in a.json but 'Cube.Mode' (value track) in b.json"},
      {"missing",
       {tracks[0], tracks[1]},
       kFps,
       "a.json has 3 tracks, b.json 2: 'Cube.Mode' (data track) is missing from b.json"},
      {"other frame rate", tracks, 24, "a.json has 30 fps, b.json 24"},
  };
  const ModelDoc before = MakeTrackDocument(tracks);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ModelDoc after = MakeTrackDocument(row.after, row.fps);
    const TrackPairing pairing = PairTracks(*before, "a.json", *after, "b.json");
    if (*row.message == '\0') {
      EXPECT_EQ(pairing.error, "");
      EXPECT_EQ(pairing.pairs.size(), 3u);
      continue;
    }
    EXPECT_NE(pairing.error.find(row.message), std::string::npos) << pairing.error;
    EXPECT_TRUE(pairing.pairs.empty());
  }
}

TEST(TrackChoice, FindsTracksByFullOrUniqueName) {
  const ModelDoc doc = MakeTrackDocument({{"Hips", "Xrotation", CTRACK_CATEGORY_VALUE},
                                          {"Hips", "Mode", CTRACK_CATEGORY_DATA},
                                          {"Chest", "Xrotation", CTRACK_CATEGORY_VALUE},
                                          {"Chest", "Effect", CTRACK_CATEGORY_PLUGIN}});
  const std::vector<TrackPair> pairs = PairTracks(*doc, "a", *doc, "a").pairs;
  struct Row {
    const char* name;
    std::vector<std::string> names;
    std::vector<size_t> indices;
    const char* error;
  };
  const Row rows[] = {
      {"full names, in document order, each once",
       {"Chest.Xrotation", "Hips.Xrotation", "Chest.Xrotation"},
       {0, 2},
       ""},
      {"a plain name that one track has", {"Mode"}, {1}, ""},
      {"a plain name that two tracks share",
       {"Xrotation"},
       {},
       "track name 'Xrotation' is shared by 2 tracks in a; name one as ELEMENT.TRACK, such as "
       "'Hips.Xrotation'"},
      {"no such track", {"Hips.Mode", "Hips.Nope"}, {}, "no track 'Hips.Nope' in a"},
      {"neither value nor data", {"Effect"}, {}, "'Chest.Effect' in a is neither a value nor"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const TrackChoice choice = FindNamedTracks(pairs, row.names, "a");
    EXPECT_EQ(choice.indices, row.indices);
    if (*row.error == '\0')
      EXPECT_EQ(choice.error, "");
    else
      EXPECT_NE(choice.error.find(row.error), std::string::npos) << choice.error;
  }
  EXPECT_EQ(PlottableTracks(pairs), (std::vector<size_t>{0, 1, 2}));
}

TEST(TrackChoice, WorstTracksMovedMostForTheirPrecision) {
  // Track 10 moved most in absolute terms, but track 11 most for its precision; track 13's data
  // differ in kind, beyond any measure; 12 and 14 tie and keep their order.
  const std::vector<size_t> candidates = {10, 11, 12, 13, 14};
  const std::vector<double> ratios = {DeviationRatio(2.0, 5.0), DeviationRatio(0.4, 0.5),
                                      DeviationRatio(0.1, 0.5), DeviationRatio(std::nullopt, 1.0),
                                      DeviationRatio(0.2, 1.0)};
  EXPECT_EQ(WorstTracks(candidates, ratios, 3), (std::vector<size_t>{13, 11, 10}));
  EXPECT_EQ(WorstTracks(candidates, ratios, 9), (std::vector<size_t>{13, 11, 10, 12, 14}));
  EXPECT_EQ(DeviationRatio(0.0, 0.0), 0.0);
  EXPECT_TRUE(std::isinf(DeviationRatio(0.1, 0.0)));
}

// ---- Files ----

class PlotFolder : public testing::Test {
 protected:
  void SetUp() override { _folder = FreshTestFolder("thinfold_plot"); }
  void TearDown() override { fs::remove_all(_folder); }

  std::vector<std::string> Entries(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path _folder;
};

bool DrawSmallPicture(size_t, BaseBitmap& target) { return target.Init(4, 3) == IMAGERESULT_OK; }

TEST(PlotFiles, NamesAreSafeAndDistinct) {
  EXPECT_EQ(PlotFileNames({"Hips/Chest.X rot", "Hips/Chest.X:rot", "..", "Cube:Tag.Größe"}),
            (std::vector<std::string>{"Hips_Chest.X_rot.png", "Hips_Chest.X_rot-2.png", "_...png",
                                      "Cube_Tag.Gr____e.png"}));
}

TEST_F(PlotFolder, WritesAllFilesOrNone) {
  const fs::path made = _folder / "new" / "plots";
  ASSERT_EQ(WritePlotFiles(made.string(), {"a.png", "b.png"}, DrawSmallPicture).error, "");
  EXPECT_EQ(Entries(made), (std::vector<std::string>{"a.png", "b.png"}));

  // The second picture fails: the first is not left behind, nor the folders made for them.
  const fs::path failed = _folder / "other" / "plots";
  const PictureDrawer secondFails = [](size_t index, BaseBitmap& target) {
    return index == 0 && DrawSmallPicture(index, target);
  };
  std::string error = WritePlotFiles(failed.string(), {"a.png", "b.png"}, secondFails).error;
  EXPECT_NE(error.find("b.png: cannot be written"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(_folder / "other"));
  EXPECT_FALSE(WritePlotFiles(made.string(), {"c.png", "d.png"}, secondFails).Ok());
  EXPECT_EQ(Entries(made), (std::vector<std::string>{"a.png", "b.png"}));

  // A file where the folder should be.
  std::ofstream(_folder / "file") << "x";
  error = WritePlotFiles((_folder / "file").string(), {"a.png"}, DrawSmallPicture).error;
  EXPECT_NE(error.find("cannot be made a folder"), std::string::npos) << error;
}

// ---- The program ----

ProgramRun Thinfold(const std::string& arguments) {
  return RunProgram(THINFOLD_PROGRAM, arguments);
}

std::string KeysJson(const std::vector<AngleKey>& keys, double scale) {
  std::ostringstream json;
  json.precision(17);
  for (size_t i = 0; i < keys.size(); ++i)
    json << (i ? ", " : "") << "{\"frame\": " << keys[i].frame
         << ", \"value\": " << keys[i].degrees * scale << ", \"interp\": \"linear\"}";
  return json.str();
}

// A scene with "Cube.Angle" (degrees, precision 2.5), "Cube.Mode" (data) and "Plain.W"
// (precision 0.5).
std::string SceneJson(const std::vector<AngleKey>& angle, const std::vector<AngleKey>& w,
                      const char* angleName = "Angle") {
  const std::string precision = R"("data": {"1031254": {"container": {"2001": {"real": )";
  return R"({"format": "thinfold-scene", "version": 1, "fps": 30, "objects": [)"
         R"({"name": "Cube", "tracks": [{"name": ")" +
         std::string(angleName) + R"(", "category": 1, "unit": "degree", )" + precision +
         R"(2.5}}}}, "keys": [)" + KeysJson(angle, kRadiansPerDegree) +
         R"(]}, {"name": "Mode", "category": 2, "keys": [{"frame": 0, "data": {"long": 1}, "interp": "step"}, )"
         R"({"frame": 4, "data": {"long": 2}, "interp": "step"}]}]}, )"
         R"({"name": "Plain", "tracks": [{"name": "W", "category": 1, "unit": "real", )" +
         precision + R"(0.5}}}}, "keys": [)" + KeysJson(w, 1.0) + "]}]}]}";
}

class PlotProgram : public PlotFolder {
 protected:
  void SetUp() override {
    PlotFolder::SetUp();
    // Angle moves by 1 degree of its 2.5, W by 0.4 of its 0.5: W moved most for its precision.
    Write("before.json", SceneJson({{0, 0}, {5, 10}, {10, 0}}, {{0, 0}, {5, 1}, {10, 0}}));
    Write("after.json", SceneJson({{0, 0}, {5, 9}, {10, 0}}, {{0, 0}, {5, 0.6}, {10, 0}}));
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(_folder / name) << text;
  }
  std::string Plot(const std::string& options, const std::string& after = "after.json") {
    return "plot " + Quoted((_folder / "before.json").string()) + " " +
           Quoted((_folder / after).string()) + " -o " + Quoted((_folder / "plots").string()) +
           " " + options;
  }
};

// Width and height from a PNG file's header, or 0 x 0 for a file that is not a PNG.
std::pair<unsigned, unsigned> PngSize(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  unsigned char header[24] = {};
  file.read(reinterpret_cast<char*>(header), sizeof header);
  if (std::string(reinterpret_cast<char*>(header) + 1, 3) != "PNG") return {0, 0};
  auto number = [&header](int at) {
    return unsigned(header[at]) << 24 | unsigned(header[at + 1]) << 16 |
           unsigned(header[at + 2]) << 8 | unsigned(header[at + 3]);
  };
  return {number(16), number(20)};
}

TEST_F(PlotProgram, WritesOnePictureForEveryTrack) {
  const ProgramRun run = Thinfold(Plot(""));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Entries(_folder / "plots"),
            (std::vector<std::string>{"Cube.Angle.png", "Cube.Mode.png", "Plain.W.png"}));
  for (const char* name : {"Cube.Angle.png", "Cube.Mode.png", "Plain.W.png"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(PngSize(_folder / "plots" / name), std::make_pair(1200u, 500u));
    EXPECT_NE(run.out.find(name), std::string::npos) << run.out;
  }
}

TEST_F(PlotProgram, WorstPicksTheTracksThatMovedMostForTheirPrecision) {
  const ProgramRun run = Thinfold(Plot("--worst 1"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(Entries(_folder / "plots"), (std::vector<std::string>{"Plain.W.png"}));
  const ProgramRun named = Thinfold(Plot("--track Angle --track Cube.Mode --worst 1"));
  ASSERT_EQ(named.exitCode, 0) << named.err;
  EXPECT_EQ(Entries(_folder / "plots"),
            (std::vector<std::string>{"Cube.Angle.png", "Plain.W.png"}));
}

TEST_F(PlotProgram, UnknownTrackExits3AndWritesNothing) {
  const ProgramRun run = Thinfold(Plot("--track Cube.Angle --track Cube.Nope"));
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_NE(run.err.find("no track 'Cube.Nope'"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(_folder / "plots"));
}

TEST_F(PlotProgram, FilesThatDoNotMatchGiveAClearError) {
  Write("renamed.json", SceneJson({{0, 0}, {10, 0}}, {{0, 0}, {10, 0}}, "Angel"));
  const ProgramRun run = Thinfold(Plot("", "renamed.json"));
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_NE(run.err.find("do not match: track 1 is 'Cube.Angle' (value track) in "),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("but 'Cube.Angel' (value track) in "), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(_folder / "plots"));
}

TEST_F(PlotProgram, ReducePlotsTheTracksItMeasured) {
  const ProgramRun run = Thinfold("reduce " + Quoted((_folder / "before.json").string()) + " -o " +
                                  Quoted((_folder / "reduced.json").string()) + " --quiet --plot " +
                                  Quoted((_folder / "plots").string()));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  // Fewer than the ten it draws at most: every value and data track.
  EXPECT_EQ(Entries(_folder / "plots"),
            (std::vector<std::string>{"Cube.Angle.png", "Cube.Mode.png", "Plain.W.png"}));
}

TEST_F(PlotProgram, BadInputExits3AndBadUsage2) {
  Write("broken.json", "{");
  EXPECT_EQ(Thinfold(Plot("", "broken.json")).exitCode, 3);
  EXPECT_EQ(Thinfold(Plot("--worst 0")).exitCode, 2);
  EXPECT_FALSE(fs::exists(_folder / "plots"));
}

}  // namespace
