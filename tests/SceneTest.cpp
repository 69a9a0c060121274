// Scene files: round trips, entry types, key time forms, selection, and strict rejection.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BvhSkeleton.h"
#include "JsonSupport.h"
#include "PrintableText.h"
#include "ProgramRun.h"
#include "SceneReader.h"
#include "SceneWriter.h"
#include "c4d.h"
#include "c4d_standin.h"

namespace {

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

const std::string kDemoPath = std::string(THINFOLD_ROOT) + "/examples/demo.json";

DocumentPtr NewDocument(LONG fps) {
  DocumentPtr doc(BaseDocument::Alloc());
  doc->SetFps(fps);
  return doc;
}

BaseObject* AddObject(BaseDocument& doc, const char* name, BaseObject* parent = nullptr,
                      BaseObject* pred = nullptr) {
  BaseObject* object = BaseObject::Alloc();
  doc.InsertObject(object, parent, pred);
  object->SetName(name);
  return object;
}

CTrack* AddTrack(BaseList2D& owner, LONG id, const char* name, LONG category) {
  CTrack* track = CTrack::Alloc(&owner, DescID(id));
  owner.InsertTrackSorted(track);
  track->SetName(name);
  track->SetTrackCategory(category);
  return track;
}

CKey* AddKey(CTrack& track, const BaseTime& time, double value) {
  CKey* key = CKey::Alloc();
  key->SetTime(nullptr, time);
  key->SetValue(nullptr, value);
  track.GetCurve()->InsertKey(key);
  return key;
}

// Writes doc, reads the text back and checks that writing the copy gives the same bytes.
DocumentPtr RoundTrip(const BaseDocument& doc, std::string* text = nullptr) {
  const SceneWriteResult first = WriteSceneText(doc);
  EXPECT_EQ(first.error, "");
  SceneReadResult read = ReadSceneText(first.text);
  EXPECT_EQ(read.error, "") << first.text;
  if (!read.document) return nullptr;
  EXPECT_EQ(WriteSceneText(*read.document).text, first.text);
  if (text) *text = first.text;
  return std::move(read.document);
}

std::string Scene(const std::string& members) {
  return R"({"format": "thinfold-scene", "version": 1, "fps": 30)" +
         (members.empty() ? "" : ", " + members) + "}";
}

std::string OneTrack(const std::string& track) {
  return Scene(R"("objects": [{"name": "A", "tracks": [)" + track + "]}]");
}

std::string OneKey(const std::string& key) {
  return OneTrack(R"({"name": "T", "category": 1, "keys": [)" + key + "]}");
}

std::vector<std::string> SelectionNames(const BaseDocument& doc) {
  std::vector<std::string> names;
  AutoAlloc<AtomArray> atoms;
  doc.GetSelection(*atoms);
  for (LONG i = 0; i < atoms->GetCount(); ++i)
    names.push_back(static_cast<BaseList2D*>(atoms->GetIndex(i))->GetName().ToUtf8());
  atoms->Flush();
  doc.GetActiveMaterials(*atoms);
  for (LONG i = 0; i < atoms->GetCount(); ++i)
    names.push_back("@" + static_cast<BaseList2D*>(atoms->GetIndex(i))->GetName().ToUtf8());
  return names;
}

TEST(SceneFile, DemoRoundTripsToTheSameBytes) {
  const std::string demo = FileText(kDemoPath);
  SceneReadResult read = ReadSceneFile(kDemoPath);
  ASSERT_EQ(read.error, "");
  std::string written;
  ASSERT_NE(RoundTrip(*read.document, &written), nullptr);
  // The example is kept in the writer's own layout, so converting it changes nothing.
  EXPECT_EQ(written, demo);
}

TEST(SceneFile, DemoHasTheElementsItShows) {
  SceneReadResult read = ReadSceneFile(kDemoPath);
  ASSERT_NE(read.document, nullptr) << read.error;
  const BaseDocument& doc = *read.document;
  EXPECT_EQ(doc.GetFps(), 30);
  const BaseObject* cube = doc.GetFirstObject();
  ASSERT_NE(cube, nullptr);
  EXPECT_EQ(cube->GetName(), String("Cube"));
  ASSERT_NE(cube->GetDown(), nullptr);
  EXPECT_EQ(cube->GetDown()->GetName(), String("Sphere"));
  ASSERT_NE(cube->GetFirstTag(), nullptr);
  EXPECT_EQ(cube->GetFirstTag()->GetName(), String("Display"));
  const LayerData* layer = cube->GetLayerData(read.document.get());
  ASSERT_NE(layer, nullptr);
  EXPECT_EQ(layer->color, Vector(1.0, 0.35, 0.1));
  const CTrack* position = cube->GetFirstCTrack();
  EXPECT_EQ(position->GetUnit(nullptr), DESC_UNIT_METER);
  EXPECT_EQ(position->GetNext()->GetUnit(nullptr), DESC_UNIT_DEGREE);
  EXPECT_EQ(position->GetNext()->GetNext()->GetUnit(nullptr), DESC_UNIT_PERCENT);
  EXPECT_EQ(SelectionNames(doc), (std::vector<std::string>{"Cube", "Display", "@Steel"}));
}

TEST(SceneFile, KeepsEveryEntryTypeAndOrder) {
  DocumentPtr doc = NewDocument(25);
  CTrack* track = AddTrack(*AddObject(*doc, "A"), 1, "T", CTRACK_CATEGORY_VALUE);
  BaseContainer settings;
  settings.SetBool(2000, FALSE);
  settings.SetReal(2001, 0.75);
  settings.SetLong(2002, 1);
  settings.SetLong(2003, 2);
  BaseContainer nested;
  nested.SetString(1, "inner");
  nested.SetVector(2, Vector(1.0, -2.0, 3.5));
  BaseContainer* data = track->GetDataInstance();
  data->SetLong(424242, 99);  // an entry nobody knows: kept as it is
  data->SetContainer(1031254, settings);
  data->SetReal(6, 1e-9);
  data->SetString(7, "na\xC3\xAFve \"quoted\"\n");
  data->SetFilename(8, Filename("tex/a.tif"));
  data->SetVector(9, Vector(0.1, 0.2, 0.3));
  data->SetContainer(10, nested);
  data->SetBool(-3, TRUE);
  DocumentPtr copy = RoundTrip(*doc);
  ASSERT_NE(copy, nullptr);
  const BaseContainer* read = copy->GetFirstObject()->GetFirstCTrack()->GetDataInstance();
  EXPECT_TRUE(*read == *data);
  // Truth values are longs to the host; the file keeps them apart.
  EXPECT_TRUE(read->GetContainerInstance(1031254)->GetDataPointer(2000)->IsBool());
  EXPECT_FALSE(read->GetContainerInstance(1031254)->GetDataPointer(2002)->IsBool());
  EXPECT_TRUE(read->GetDataPointer(-3)->IsBool());
  EXPECT_EQ(read->GetContainerInstance(1031254)->GetDataPointer(2001)->GetType(), DA_REAL);
}

// The skeleton of a BVH joint rides along on its object, End Site or not, and comes back the
// same; objects without one get no member.
TEST(SceneFile, KeepsJointSkeletons) {
  DocumentPtr doc = NewDocument(120);
  BaseObject* hips = AddObject(*doc, "Hips");
  BaseObject* head = AddObject(*doc, "Head", hips);
  AddObject(*doc, "Prop", nullptr, hips);
  const JointSkeleton root{Vector(0.1, 95, -1e-7), {"Xposition", "zROTATION"}, std::nullopt};
  const JointSkeleton leaf{Vector(0, 9, 1.5), {}, Vector(0, 0, 5.25)};
  SetJointSkeleton(*hips, root);
  SetJointSkeleton(*head, leaf);
  std::string text;
  DocumentPtr copy = RoundTrip(*doc, &text);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(GetJointSkeleton(*copy->GetFirstObject()), root);
  EXPECT_EQ(GetJointSkeleton(*copy->GetFirstObject()->GetDown()), leaf);
  EXPECT_EQ(GetJointSkeleton(*copy->GetFirstObject()->GetNext()), std::nullopt);
  EXPECT_NE(text.find(R"("joint": {"offset": [0.0, 9.0, 1.5], "channels": [], )"
                      R"("end_site": [0.0, 0.0, 5.25]})"),
            std::string::npos)
      << text;
}

TEST(SceneFile, DataKeysKeepTheirTypedValues) {
  DocumentPtr doc = NewDocument(30);
  CTrack* track = AddTrack(*AddObject(*doc, "A"), 1, "Mode", CTRACK_CATEGORY_DATA);
  BaseContainer inner;
  inner.SetLong(1, 4);
  const std::vector<GeData> values = {GeData(LONG(3)), GeData(String("walk")),
                                      GeData(Filename("a.tif")), GeData(inner)};
  for (std::size_t i = 0; i < values.size(); ++i)
    AddKey(*track, BaseTime(static_cast<LLONG>(i), 30), 0.0)
        ->SetGeData(track->GetCurve(), values[i]);
  std::string text;
  DocumentPtr copy = RoundTrip(*doc, &text);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(text.find(R"("data": {"long": 3})"), std::string::npos) << text;
  const CCurve* curve = copy->GetFirstObject()->GetFirstCTrack()->GetCurve();
  ASSERT_EQ(curve->GetKeyCount(), 4);
  for (LONG i = 0; i < 4; ++i) EXPECT_TRUE(curve->GetKey(i)->GetGeData() == values[i]) << i;
}

TEST(SceneFile, KeyTimesTakeTheFirstExactForm) {
  struct Row {
    const char* name;
    LONG fps;
    BaseTime time;
    const char* written;
  } rows[] = {
      {"whole frame", 30, BaseTime(1, 30), R"("frame": 1)"},
      {"negative frame", 30, BaseTime(-1, 3), R"("frame": -10)"},
      {"frame at 24 fps", 24, BaseTime(1, 3), R"("frame": 8)"},
      {"whole milliseconds", 30, BaseTime(5, 4) + BaseTime(1, 1000), R"("time": 1.251)"},
      {"half frame in milliseconds", 30, BaseTime(1, 20), R"("time": 0.05)"},
      {"exact fraction", 30, BaseTime(7, 120), R"("time": [7, 120])"},
      {"seventh", 25, BaseTime(-1, 7), R"("time": [-1, 7])"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DocumentPtr doc = NewDocument(row.fps);
    AddKey(*AddTrack(*AddObject(*doc, "A"), 1, "T", CTRACK_CATEGORY_VALUE), row.time, 2.5);
    std::string text;
    DocumentPtr copy = RoundTrip(*doc, &text);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(text.find(row.written), std::string::npos) << text;
    EXPECT_TRUE(copy->GetFirstObject()->GetFirstCTrack()->GetCurve()->GetKey(0)->GetTime() ==
                row.time);
  }
}

TEST(SceneFile, SortsKeysAndTheLaterOfTwoAtOneTimeWins) {
  SceneReadResult read = ReadSceneText(OneKey(
      R"({"frame": 20, "value": 3.0, "interp": "step"},
         {"frame": 0, "value": 1.0, "interp": "spline", "right": [0.25, 0.5]},
         {"time": [1, 3], "value": 2.0, "interp": "linear", "left": [-0.0004, -1.0]},
         {"frame": 20, "value": 4.0, "interp": "linear"})"));
  ASSERT_NE(read.document, nullptr) << read.error;
  const CCurve* curve = read.document->GetFirstObject()->GetFirstCTrack()->GetCurve();
  ASSERT_EQ(curve->GetKeyCount(), 3);
  EXPECT_EQ(curve->GetKey(0)->GetValue(), 1.0);
  EXPECT_TRUE(curve->GetKey(0)->GetTimeRight() == BaseTime(1, 4));
  EXPECT_EQ(curve->GetKey(0)->GetValueRight(), 0.5);
  EXPECT_TRUE(curve->GetKey(0)->GetTimeLeft() == BaseTime());  // missing tangents are zero
  EXPECT_EQ(curve->GetKey(1)->GetInterpolation(), CINTERPOLATION_LINEAR);
  // Tangent times read as the host's seconds: whole milliseconds.
  EXPECT_TRUE(curve->GetKey(1)->GetTimeLeft() == BaseTime(0, 1));
  EXPECT_EQ(curve->GetKey(2)->GetValue(), 4.0);
  EXPECT_EQ(curve->GetKey(2)->GetInterpolation(), CINTERPOLATION_LINEAR);
}

TEST(SceneFile, TracksKeepFileOrderCategoryAndUnit) {
  SceneReadResult read = ReadSceneText(OneTrack(
      R"({"name": "Z", "category": 1, "unit": "percent"}, {"name": "A", "category": 3},
         {"name": "M", "category": 2, "keys": [{"frame": 1, "data": {"string": "x"}, "interp": "step"}]})"));
  ASSERT_NE(read.document, nullptr) << read.error;
  const CTrack* track = read.document->GetFirstObject()->GetFirstCTrack();
  const char* names[] = {"Z", "A", "M"};
  const LONG categories[] = {1, 3, 2};
  for (int i = 0; i < 3; ++i, track = track->GetNext()) {
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->GetName(), String(names[i]));
    EXPECT_EQ(track->GetTrackCategory(), categories[i]);
  }
  Real step = 0.0;
  EXPECT_EQ(read.document->GetFirstObject()->GetFirstCTrack()->GetUnit(&step), DESC_UNIT_PERCENT);
  EXPECT_DOUBLE_EQ(step, 0.01);
}

TEST(SceneFile, SelectionFollowsPathsOrFlags) {
  const std::string elements =
      R"("objects": [{"name": "Cube", "selected": true, "tags": [{"name": "Display", "selected": true}],
                      "children": [{"name": "Sphere"}]}],
         "materials": [{"name": "Steel", "selected": true}])";
  struct Row {
    const char* name;
    std::string selection;
    std::vector<std::string> selected;
  } rows[] = {
      {"paths in their order",
       R"(, "selection": ["Cube/Sphere", "@Steel", "Cube:Display"])",
       {"Sphere", "Display", "@Steel"}},
      {"flags in document order", "", {"Cube", "Display", "@Steel"}},
      {"empty selection beats flags", R"(, "selection": [])", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SceneReadResult read = ReadSceneText(Scene(elements + row.selection));
    ASSERT_NE(read.document, nullptr) << read.error;
    EXPECT_EQ(SelectionNames(*read.document), row.selected);
    DocumentPtr copy = RoundTrip(*read.document);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(SelectionNames(*copy), row.selected);
  }
}

TEST(SceneFile, RepeatedNamesKeepTheSelectedElement) {
  // Paths name the first "A", so the selected second one must travel as a flag.
  DocumentPtr doc = NewDocument(30);
  BaseObject* first = AddObject(*doc, "A");
  BaseObject* second = AddObject(*doc, "A", nullptr, first);
  AddTrack(*second, 1, "marker", CTRACK_CATEGORY_VALUE);
  doc->SetActiveObject(second, SELECTION_NEW);
  std::string text;
  DocumentPtr copy = RoundTrip(*doc, &text);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(text.find("\"selection\""), std::string::npos);
  AutoAlloc<AtomArray> atoms;
  copy->GetSelection(*atoms);
  ASSERT_EQ(atoms->GetCount(), 1);
  EXPECT_NE(static_cast<BaseObject*>(atoms->GetIndex(0))->GetFirstCTrack(), nullptr);
}

const std::string kLongText(16 << 20, 'x');
const std::string kLongName(200 << 10, 'n');

TEST(SceneFile, RejectsMalformedScenesNamingThePath) {
  struct Row {
    const char* name;
    std::string text;
    std::string error;
  } rows[] = {
      {"syntax", R"({"format": "thinfold-scene",)", "line 1, column 29"},
      {"not an object", "[1, 2]", "scene: expected an object, found array"},
      {"member twice", Scene(R"("fps": 24)"), "fps: member given twice"},
      {"unknown top-level member", Scene(R"("colour": 1)"), "colour: unknown member"},
      {"wrong format", R"({"format": "scene", "version": 1, "fps": 30})",
       "format: expected \"thinfold-scene\""},
      {"missing fps", R"({"format": "thinfold-scene", "version": 1})",
       "fps: missing (expected a whole number)"},
      {"fps below 1", R"({"format": "thinfold-scene", "version": 1, "fps": 0})",
       "fps: expected a whole number in 1..2147483647"},
      {"fractional fps", R"({"format": "thinfold-scene", "version": 1, "fps": 29.97})",
       "fps: expected a whole number in 1..2147483647, found number"},
      {"overflowing number", Scene(R"("objects": [{"name": "A", "tracks": [1e999]}])"),
       "line 1, column 96: number overflow parsing '1e999'"},
      {"nested member twice", OneKey(R"({"frame": 1, "value": 1, "value": 2, "interp": "step"})"),
       "objects[0].tracks[0].keys[0].value: member given twice"},
      {"unknown object member", Scene(R"("objects": [{"name": "A", "colour": 1}])"),
       "objects[0].colour: unknown member"},
      {"object without name", Scene(R"("objects": [{"children": []}])"),
       "objects[0].name: missing (expected a string)"},
      {"no such layer",
       Scene(R"("layers": [{"name": "L"}], "objects": [{"name": "A", "layer": 1}])"),
       "objects[0].layer: expected a whole number in 0..0"},
      {"layer without layers", Scene(R"("objects": [{"name": "A", "layer": 0}])"),
       "objects[0].layer: the scene has no layers"},
      {"colour out of range", Scene(R"("layers": [{"name": "L", "color": [0, 1.5, 0]}])"),
       "layers[0].color[1]: expected a number in 0..1"},
      {"frame as text", OneKey(R"({"frame": "1", "value": 1, "interp": "step"})"),
       "objects[0].tracks[0].keys[0].frame: expected a whole number"},
      {"frame and time", OneKey(R"({"frame": 1, "time": 1, "value": 1, "interp": "step"})"),
       "objects[0].tracks[0].keys[0].time: a key has frame or time, not both"},
      {"no time", OneKey(R"({"value": 1, "interp": "step"})"),
       "objects[0].tracks[0].keys[0].frame: missing (expected frame or time)"},
      {"zero denominator", OneKey(R"({"time": [1, 0], "value": 1, "interp": "step"})"),
       "objects[0].tracks[0].keys[0].time[1]: expected a whole number in 1.."},
      {"unknown interpolation", OneKey(R"({"frame": 1, "value": 1, "interp": "cubic"})"),
       "objects[0].tracks[0].keys[0].interp: expected spline, linear or step"},
      {"short tangent", OneKey(R"({"frame": 1, "value": 1, "interp": "spline", "left": [1]})"),
       "objects[0].tracks[0].keys[0].left: expected an array of 2 numbers, found 1 elements"},
      {"value key without value", OneKey(R"({"frame": 1, "interp": "step"})"),
       "objects[0].tracks[0].keys[0].value: missing (expected a number)"},
      {"data key without data",
       OneTrack(R"({"name": "D", "category": 2, "keys": [{"frame": 1, "interp": "step"}]})"),
       "objects[0].tracks[0].keys[0].data: missing"},
      {"unknown unit", OneTrack(R"({"name": "T", "category": 1, "unit": "inch"})"),
       "objects[0].tracks[0].unit: expected real, distance, degree or percent"},
      {"unknown entry type",
       OneTrack(R"({"name": "T", "category": 1, "data": {"5": {"text": "x"}}})"),
       "objects[0].tracks[0].data.5.text: unknown type"},
      {"entry id not decimal",
       OneTrack(R"({"name": "T", "category": 1, "data": {"05": {"long": 1}}})"),
       "objects[0].tracks[0].data.05: expected a decimal entry id"},
      {"long out of range",
       OneTrack(R"({"name": "T", "category": 1, "data": {"5": {"long": 3000000000}}})"),
       "objects[0].tracks[0].data.5.long: expected a whole number in -2147483648..2147483647"},
      {"two typed members",
       OneTrack(R"({"name": "T", "category": 1, "data": {"5": {"long": 1, "real": 1}}})"),
       "objects[0].tracks[0].data.5: expected an object with one member"},
      {"joint without offset", Scene(R"("objects": [{"name": "A", "joint": {"channels": []}}])"),
       "objects[0].joint.offset: missing (expected an array of 3 numbers)"},
      {"joint without channels",
       Scene(R"("objects": [{"name": "A", "joint": {"offset": [0, 0, 0]}}])"),
       "objects[0].joint.channels: missing (expected an array)"},
      {"unknown channel",
       Scene(
           R"("objects": [{"name": "A", "joint": {"offset": [0, 0, 0], "channels": ["Xspin"]}}])"),
       "objects[0].joint.channels[0]: expected a channel name"},
      {"seven channels",
       Scene(R"("objects": [{"name": "A", "joint": {"offset": [0, 0, 0], )"
             R"("channels": ["Xrotation", "Xrotation", "Xrotation", )"
             R"("Xrotation", "Xrotation", "Xrotation", "Xrotation"]}}])"),
       "objects[0].joint.channels: expected at most 6 channels, found 7"},
      {"short End Site",
       Scene(R"("objects": [{"name": "A", "joint": {"offset": [0, 0, 0], )"
             R"("channels": [], "end_site": [1, 2]}}])"),
       "objects[0].joint.end_site: expected an array of 3 numbers, found 2 elements"},
      {"unknown joint member",
       Scene(R"("objects": [{"name": "A", "joint": {"offset": [0, 0, 0], )"
             R"("channels": [], "parent": "B"}}])"),
       "objects[0].joint.parent: unknown member"},
      {"no such selection path", Scene(R"("objects": [{"name": "A"}], "selection": ["A/B"])"),
       "selection[0]: no object, tag or material has the path \"A/B\""},
      // What the file says is echoed printable and cut (PrintableText.h).
      {"long selection path",
       Scene(R"("objects": [{"name": "A"}], "selection": [")" + kLongText + "\"]"),
       "the path \"" + kLongText.substr(0, kMaxShownBytes) + "... (16777216 bytes)\""},
      {"long member name", Scene("\"" + kLongName + "\": 1"),
       kLongName.substr(0, kMaxShownBytes) + "... (204800 bytes): unknown member"},
      {"long member twice", Scene("\"" + kLongName + "\": 1, \"" + kLongName + "\": 2"),
       kLongName.substr(0, kMaxShownBytes) + "... (204800 bytes): member given twice"},
      {"control bytes in a name", Scene(R"("\u001b]0;owned\u0007": 1)"),
       "\\x1b]0;owned\\x07: unknown member"},
      {"long unfinished text", Scene("\"objects\": \"" + kLongText),
       "syntax error while parsing value - invalid string: missing closing quote; last read: '\"" +
           kLongText.substr(0, kMaxShownBytes - 2)},
      {"deep nesting", std::string(kMaxJsonDepth + 1, '['),
       "values nested deeper than " + std::to_string(kMaxJsonDepth) + " levels"},
  };
  const LLONG atomsBefore = standin::GetLiveAtomCount();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SceneReadResult read = ReadSceneText(row.text);
    EXPECT_EQ(read.document, nullptr);
    EXPECT_NE(read.error.find(row.error), std::string::npos) << read.error.substr(0, 2000);
    EXPECT_LT(read.error.size(), 3 * kMaxShownBytes) << read.error.substr(0, 2000);
  }
  // Half-built documents are freed on every failure.
  EXPECT_EQ(standin::GetLiveAtomCount(), atomsBefore);
}

// A file with several faults is refused with the first one reading meets, and with that alone:
// a member's own checks before what it holds, earlier members and elements before later ones,
// the header before the element lists, and these before the selection.
TEST(SceneFile, RefusesWithTheFirstFaultInReadingOrder) {
  const struct Row {
    const char* name;
    std::string text;
    const char* error;
  } rows[] = {
      {"unknown member before missing name", Scene(R"("objects": [{"colour": 1}])"),
       "objects[0].colour: unknown member (expected one of: name, layer, joint, selected, tracks, "
       "tags, children)"},
      {"frame before interpolation", OneKey(R"({"frame": "1", "value": 1, "interp": "cubic"})"),
       "objects[0].tracks[0].keys[0].frame: expected a whole number in "
       "-9223372036854775808..9223372036854775807, found string"},
      {"first key before second",
       OneKey(R"({"frame": 1, "value": 1, "interp": "cubic"}, )"
              R"({"frame": 2, "value": "x", "interp": "step"})"),
       "objects[0].tracks[0].keys[0].interp: expected spline, linear or step"},
      {"left tangent before right",
       OneKey(R"({"frame": 1, "value": 1, "interp": "spline", "left": [1, "x"], "right": [1]})"),
       "objects[0].tracks[0].keys[0].left[1]: expected a number, found string"},
      {"unit before keys", OneTrack(R"({"name": "T", "category": 1, "unit": "inch", "keys": 3})"),
       "objects[0].tracks[0].unit: expected real, distance, degree or percent"},
      {"entry id before its value",
       OneTrack(R"({"name": "T", "category": 1, "data": {"05": {"text": 1}}})"),
       "objects[0].tracks[0].data.05: expected a decimal entry id (a 32-bit whole number)"},
      {"nested entry before the next",
       OneTrack(R"({"name": "T", "category": 1, "data": {"5": {"container": )"
                R"({"6": {"real": "x"}, "7": {"long": 1.5}}}}})"),
       "objects[0].tracks[0].data.5.container.6.real: expected a number, found string"},
      {"joint offset before channels",
       Scene(R"("objects": [{"name": "A", "joint": {"offset": [0, 0], "channels": ["Xspin"]}}])"),
       "objects[0].joint.offset: expected an array of 3 numbers, found 2 elements"},
      {"layer before joint and tags",
       Scene(R"("objects": [{"name": "A", "layer": 0, "joint": {"offset": 1}, )"
             R"("tags": [{"name": "T", "tracks": [{"name": 5}]}]}])"),
       "objects[0].layer: the scene has no layers"},
      {"tags before children",
       Scene(R"("objects": [{"name": "A", "tags": [{"name": "T", "selected": "yes"}], )"
             R"("children": [{"name": 1}]}])"),
       "objects[0].tags[0].selected: expected true or false, found string"},
      {"layers before objects", Scene(R"("layers": [{"name": 1}], "objects": [{"name": 2}])"),
       "layers[0].name: expected a string, found number"},
      {"materials before selection",
       Scene(R"("materials": [{"name": "M", "selected": 1}], "selection": ["X"])"),
       "materials[0].selected: expected true or false, found number"},
      {"header before lists",
       R"({"format": "thinfold-scene", "version": 2, "fps": 0, "objects": [{}]})",
       "version: expected a whole number in 1..1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ReadSceneText(row.text).error, row.error);
  }
}

// A track of keys on the frames frameOf(0), frameOf(1), ... in that order in the file.
std::string KeysInOrder(int count, int (*frameOf)(int index)) {
  std::string keys;
  for (int i = 0; i < count; ++i)
    keys += (i ? ", " : "") + std::string(R"({"frame": )") + std::to_string(frameOf(i)) +
            R"(, "value": 1, "interp": "linear"})";
  return OneTrack(R"({"name": "T", "category": 1, "keys": [)" + keys + "]}");
}

std::string ObjectsWith(const char* list, int count, const std::string& element) {
  std::string elements;
  for (int i = 0; i < count; ++i) elements += (i ? ", " : "") + element;
  return Scene(R"("objects": [{"name": "A", ")" + std::string(list) + R"(": [)" + elements + "]}]");
}

// The keys every curve of the document moved to keep its keys in time order.
LLONG MovedKeys(const BaseObject* object) {
  LLONG moved = 0;
  for (; object; object = object->GetNext()) {
    for (CTrack* track = object->GetFirstCTrack(); track; track = track->GetNext())
      moved += track->GetCurve()->GetMovedKeyCount();
    moved += MovedKeys(object->GetDown());
  }
  return moved;
}

// Scenes at sizes where work quadratic in their elements would show are read, and copied, with
// a few host operations per element: keys moved within curves and list places walked.
TEST(SceneFile, LargeScenesAreReadAndCopiedWithWorkLinearInTheirSize) {
  constexpr int kKeys = 100000;
  const struct Row {
    const char* name;
    std::string text;
    int elements;
  } rows[] = {
      {"1e5 keys in descending time", KeysInOrder(kKeys, [](int i) { return kKeys - 1 - i; }),
       kKeys},
      {"1e5 keys in shuffled order", KeysInOrder(kKeys, [](int i) { return i * 7919 % kKeys; }),
       kKeys},
      {"3e4 tracks on one object", ObjectsWith("tracks", 30000, R"({"name": "T", "category": 1})"),
       30000},
      {"1e4 children of one object", ObjectsWith("children", 10000, R"({"name": "C"})"), 10000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const LLONG stepsBefore = standin::GetListStepCount();
    const SceneReadResult read = ReadSceneText(row.text);
    ASSERT_NE(read.document, nullptr) << read.error;
    DocumentPtr copy(static_cast<BaseDocument*>(read.document->GetClone()));
    ASSERT_NE(copy, nullptr);
    const LLONG work = standin::GetListStepCount() - stepsBefore +
                       MovedKeys(read.document->GetFirstObject()) +
                       MovedKeys(copy->GetFirstObject());
    EXPECT_LE(work, 4 * row.elements);
  }
}

TEST(SceneFile, RejectsObjectsNestedTooDeep) {
  std::string objects = R"({"name": "leaf"})";
  for (int depth = 0; depth < 300; ++depth)
    objects = R"({"name": "n", "children": [)" + objects + "]}";
  const SceneReadResult read = ReadSceneText(Scene(R"("objects": [)" + objects + "]"));
  EXPECT_EQ(read.document, nullptr);
  EXPECT_NE(read.error.find("nested deeper than 256"), std::string::npos) << read.error;
}

// Texts and numbers that do not fit the line width stay whole on their own line, however deep.
TEST(SceneFile, WritesLongNamesAndDeepNestingBack) {
  const std::string longName(120, 'x');
  std::string chain = R"({"name": "leaf"})";
  for (int depth = 0; depth < 60; ++depth) chain = R"({"name": "n", "children": [)" + chain + "]}";
  struct Row {
    const char* name;
    std::string scene;
    std::string wholeName;
  } rows[] = {
      {"long object name",
       Scene(R"("objects": [{"name": ")" + longName + R"(", "children": [{"name": "c"}]}])"),
       longName},
      {"long track name", OneTrack(R"({"name": ")" + longName + R"(", "category": 1})"), longName},
      {"long selection path",
       Scene(R"("objects": [{"name": ")" + longName + R"("}], "selection": [")" + longName +
             R"("])"),
       longName},
      {"objects nested 60 deep", Scene(R"("objects": [)" + chain + "]"), "leaf"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SceneReadResult read = ReadSceneText(row.scene);
    ASSERT_NE(read.document, nullptr) << read.error;
    std::string text;
    RoundTrip(*read.document, &text);
    EXPECT_NE(text.find('"' + row.wholeName + '"'), std::string::npos);
  }
}

TEST(SceneFile, UnwritableDocumentLeavesTheFileAlone) {
  const std::filesystem::path folder = FreshTestFolder("scene");
  const std::string path = (folder / "out.json").string();
  std::ofstream(path) << "old";
  DocumentPtr doc = NewDocument(30);
  AddKey(*AddTrack(*AddObject(*doc, "A"), 1, "T", CTRACK_CATEGORY_VALUE), BaseTime(0, 1), NAN);
  const SceneWriteResult written = WriteSceneFile(*doc, path);
  EXPECT_NE(written.error.find("objects[0].tracks[0].keys[0].value: a number that is not finite"),
            std::string::npos)
      << written.error;
  EXPECT_EQ(FileText(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  std::filesystem::remove_all(folder);
}

TEST(SceneFile, WritesFilesAtomicallyAndReadsThemBack) {
  const std::filesystem::path folder = FreshTestFolder("scene");
  const std::string path = (folder / "demo.json").string();
  SceneReadResult demo = ReadSceneFile(kDemoPath);
  ASSERT_NE(demo.document, nullptr);
  ASSERT_EQ(WriteSceneFile(*demo.document, path).error, "");
  EXPECT_EQ(FileText(path), FileText(kDemoPath));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  const SceneReadResult missing = ReadSceneFile((folder / "nope.json").string());
  EXPECT_NE(missing.error.find("nope.json: cannot open"), std::string::npos) << missing.error;
  std::filesystem::remove_all(folder);
}

}  // namespace
