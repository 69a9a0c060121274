// BVH import: hierarchy, channel tracks, units, frame rate, and line-numbered errors.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "BvhReader.h"
#include "BvhSkeleton.h"
#include "PrintableText.h"
#include "c4d.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::string Skeleton(const std::string& frameTime, const std::string& frames) {
  return "HIERARCHY\n"
         "ROOT Hips\n"
         "{\n"
         "  OFFSET 0 90 0\n"
         "  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
         "  JOINT Chest\n"
         "  {\n"
         "    OFFSET 0 10 0\n"
         "    CHANNELS 3 Zrotation Xrotation Yrotation\n"
         "    End Site\n"
         "    {\n"
         "      OFFSET 0 5 0\n"
         "    }\n"
         "  }\n"
         "  JOINT LeftLeg\n"
         "  {\n"
         "    OFFSET 5 -5 0\n"
         "    CHANNELS 1 Xrotation\n"
         "    End Site\n"
         "    {\n"
         "      OFFSET 0 -40 0\n"
         "    }\n"
         "  }\n"
         "}\n"
         "MOTION\n"
         "Frames: 3\n"
         "Frame Time: " +
         frameTime + "\n" + frames;
}

// Line 28 is the first frame; Frame Time is on line 27.
const std::string kFrames =
    "1 2 3 90 0 -45 10 20 30 5\n"
    "1.5 2 3 180 0 0 10 20 30 6\n"
    "2 2 3 -90 0 0 10 20 30 7\n";

std::vector<std::string> TrackNames(const BaseList2D& element) {
  std::vector<std::string> names;
  for (const CTrack* track = element.GetFirstCTrack(); track; track = track->GetNext())
    names.push_back(track->GetName().ToUtf8());
  return names;
}

TEST(BvhReader, BuildsJointsTracksAndKeys) {
  const SceneReadResult read = ReadBvhText(Skeleton("0.0333333", kFrames));
  ASSERT_NE(read.document, nullptr) << read.error;
  const BaseDocument& doc = *read.document;
  EXPECT_EQ(doc.GetFps(), 30);
  const BaseObject* hips = doc.GetFirstObject();
  ASSERT_NE(hips, nullptr);
  EXPECT_EQ(hips->GetName(), String("Hips"));
  EXPECT_EQ(hips->GetNext(), nullptr);
  ASSERT_NE(hips->GetDown(), nullptr);
  EXPECT_EQ(hips->GetDown()->GetName(), String("Chest"));
  ASSERT_NE(hips->GetDown()->GetNext(), nullptr);
  EXPECT_EQ(hips->GetDown()->GetNext()->GetName(), String("LeftLeg"));
  EXPECT_EQ(hips->GetDown()->GetDown(), nullptr);  // end sites are not joints
  EXPECT_EQ(TrackNames(*hips), (std::vector<std::string>{"Xposition", "Yposition", "Zposition",
                                                         "Zrotation", "Xrotation", "Yrotation"}));
  EXPECT_EQ(TrackNames(*hips->GetDown()->GetNext()), std::vector<std::string>{"Xrotation"});
  for (const CTrack* track = hips->GetFirstCTrack(); track; track = track->GetNext()) {
    SCOPED_TRACE(track->GetName().ToUtf8());
    const bool isRotation = track->GetName().ToUtf8().find("rotation") != std::string::npos;
    EXPECT_EQ(track->GetTrackCategory(), CTRACK_CATEGORY_VALUE);
    EXPECT_EQ(track->GetUnit(nullptr), isRotation ? DESC_UNIT_DEGREE : DESC_UNIT_METER);
    const CCurve* curve = const_cast<CTrack*>(track)->GetCurve();
    ASSERT_EQ(curve->GetKeyCount(), 3);
    for (LONG frame = 0; frame < 3; ++frame) {
      EXPECT_TRUE(curve->GetKey(frame)->GetTime() == BaseTime(frame, 30));
      EXPECT_EQ(curve->GetKey(frame)->GetInterpolation(), CINTERPOLATION_LINEAR);
    }
  }
  const CCurve* xposition = hips->GetFirstCTrack()->GetCurve();
  EXPECT_EQ(xposition->GetKey(1)->GetValue(), 1.5);
  const CCurve* zrotation = hips->GetFirstCTrack()->GetNext()->GetNext()->GetNext()->GetCurve();
  EXPECT_DOUBLE_EQ(zrotation->GetKey(0)->GetValue(), kPi / 2);
  EXPECT_DOUBLE_EQ(zrotation->GetKey(1)->GetValue(), kPi);
  EXPECT_DOUBLE_EQ(zrotation->GetKey(2)->GetValue(), 3 * kPi / 2);  // -90 unwrapped after 180
  const CCurve* leg = hips->GetDown()->GetNext()->GetFirstCTrack()->GetCurve();
  EXPECT_DOUBLE_EQ(leg->GetKey(2)->GetValue(), 7 * kPi / 180);
}

// What a BVH writer needs besides the motion: offsets, channels in file order, End Sites.
TEST(BvhReader, KeepsEachJointsSkeleton) {
  const SceneReadResult read = ReadBvhText(Skeleton("0.0333333", kFrames));
  ASSERT_NE(read.document, nullptr) << read.error;
  const BaseObject* hips = read.document->GetFirstObject();
  const struct Row {
    const BaseObject* object;
    JointSkeleton skeleton;
  } rows[] = {
      {hips,
       {Vector(0, 90, 0),
        {"Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"},
        std::nullopt}},
      {hips->GetDown(),
       {Vector(0, 10, 0), {"Zrotation", "Xrotation", "Yrotation"}, Vector(0, 5, 0)}},
      {hips->GetDown()->GetNext(), {Vector(5, -5, 0), {"Xrotation"}, Vector(0, -40, 0)}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.object->GetName().ToUtf8());
    const std::optional<JointSkeleton> skeleton = GetJointSkeleton(*row.object);
    ASSERT_TRUE(skeleton);
    EXPECT_EQ(skeleton->offset, row.skeleton.offset);
    EXPECT_EQ(skeleton->channels, row.skeleton.channels);
    EXPECT_EQ(skeleton->endSite, row.skeleton.endSite);
  }
}

// A one-joint capture: a position and three rotations per frame, in degrees.
std::string Capture(const std::vector<std::array<double, 4>>& frames) {
  std::ostringstream text;
  text.precision(17);
  text << "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\n"
       << "CHANNELS 4 Xposition Zrotation Xrotation Yrotation\n}\nMOTION\nFrames: " << frames.size()
       << "\nFrame Time: 0.04\n";
  for (const auto& frame : frames)
    text << frame[0] << " " << frame[1] << " " << frame[2] << " " << frame[3] << "\n";
  return text.str();
}

// The frames' values as the document's curves hold them, rotations in degrees.
std::vector<std::array<double, 4>> CurveValues(const BaseDocument& doc) {
  std::vector<std::array<double, 4>> frames;
  const CTrack* track = doc.GetFirstObject()->GetFirstCTrack();
  for (int column = 0; column < 4; ++column, track = track->GetNext()) {
    const CCurve* curve = const_cast<CTrack*>(track)->GetCurve();
    frames.resize(static_cast<std::size_t>(curve->GetKeyCount()));
    for (LONG i = 0; i < curve->GetKeyCount(); ++i)
      frames[i][column] = curve->GetKey(i)->GetValue() / (column == 0 ? 1.0 : kPi / 180);
  }
  return frames;
}

using Matrix = std::array<std::array<double, 3>, 3>;

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix product{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) product[i][j] += a[i][k] * b[k][j];
  return product;
}

// The joint's rotation, Z then X then Y as its channels come, from degrees.
Matrix Rotation(const std::array<double, 4>& frame) {
  auto about = [](int axis, double degrees) {
    const double c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180);
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    Matrix m{};
    m[axis][axis] = 1;
    m[a][a] = c;
    m[a][b] = -s;
    m[b][a] = s;
    m[b][b] = c;
    return m;
  };
  return Multiply(Multiply(about(2, frame[1]), about(0, frame[2])), about(1, frame[3]));
}

// Unwrapping moves each angle by whole turns to within half a turn of the angle before: the
// curves are continuous, every pose is the file's, and a capture without flips is untouched.
TEST(BvhReader, UnwrapsEulerFlipsKeepingEveryPose) {
  using Frames = std::vector<std::array<double, 4>>;
  const struct Row {
    const char* name;
    Frames file;
    Frames unwrapped;
  } rows[] = {
      {"through +180 and back",
       {{190, 170, 0, 0}, {-170, -175, 0, 0}, {5, -160, 0, 0}, {0, 175, 0, 0}},
       {{190, 170, 0, 0}, {-170, 185, 0, 0}, {5, 200, 0, 0}, {0, 175, 0, 0}}},
      {"every channel, both ways",
       {{0, -170, 179, 10}, {0, 175, -179, 350}, {0, -175, 181, -10}, {0, 175, -181, 10}},
       {{0, -170, 179, 10}, {0, -185, 181, -10}, {0, -175, 181, -10}, {0, -185, 179, 10}}},
      {"half a turn apart stays",
       {{0, 90, 0, 0}, {0, -90, 0, 0}, {0, 90, 0, 0}},
       {{0, 90, 0, 0}, {0, -90, 0, 0}, {0, 90, 0, 0}}},
      {"turns add up",
       {{0, 0, 0, 0}, {0, 120, 0, 0}, {0, -120, 0, 0}, {0, 0, 0, 0}, {0, 120, 0, 0}},
       {{0, 0, 0, 0}, {0, 120, 0, 0}, {0, 240, 0, 0}, {0, 360, 0, 0}, {0, 480, 0, 0}}},
      {"a jump of several turns",
       {{0, 10, 0, 0}, {0, 1090.5, -0.0, 0}},
       {{0, 10, 0, 0}, {0, 10.5, -0.0, 0}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SceneReadResult unwrapped = ReadBvhText(Capture(row.file));
    const SceneReadResult raw = ReadBvhText(Capture(row.file), {.rawAngles = true});
    ASSERT_NE(unwrapped.document, nullptr) << unwrapped.error;
    ASSERT_NE(raw.document, nullptr) << raw.error;
    const Frames values = CurveValues(*unwrapped.document);
    ASSERT_EQ(values.size(), row.file.size());
    for (std::size_t f = 0; f < values.size(); ++f) {
      SCOPED_TRACE("frame " + std::to_string(f));
      for (int c = 0; c < 4; ++c) EXPECT_NEAR(values[f][c], row.unwrapped[f][c], 1e-9) << c;
      for (int c = 1; f > 0 && c < 4; ++c)
        EXPECT_LE(std::fabs(values[f][c] - values[f - 1][c]), 180);
      const Matrix before = Rotation(row.file[f]), after = Rotation(values[f]);
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(after[i][j], before[i][j], 1e-12);
    }
    // Raw angles are the file's, and so are unwrapped ones that need no turn, bit for bit.
    const Frames rawValues = CurveValues(*raw.document);
    for (std::size_t f = 0; f < values.size(); ++f)
      for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(rawValues[f][c] * (kPi / 180), row.file[f][c] * (kPi / 180));
        if (row.unwrapped[f][c] == row.file[f][c]) {
          EXPECT_EQ(std::signbit(values[f][c]), std::signbit(row.file[f][c]));
        }
      }
  }
}

// A range keeps its frames renumbered from 0, unwrapping from the first one kept; a range beyond
// the capture is the option's fault (badOption), not the file's.
TEST(BvhReader, FrameRangesKeepTheirFramesRenumbered) {
  using Frames = std::vector<std::array<double, 4>>;
  // A T-pose first, then a flip between the last two frames.
  const Frames file = {{0, 0, 0, 0}, {1, 175, 0, 0}, {2, 170, 0, 0}, {3, -175, 0, 0}};
  const struct Row {
    const char* range;
    Frames kept;  // empty: an error naming the range and the capture's frames
  } rows[] = {
      {":", {{0, 0, 0, 0}, {1, 175, 0, 0}, {2, 170, 0, 0}, {3, 185, 0, 0}}},
      {"1:", {{1, 175, 0, 0}, {2, 170, 0, 0}, {3, 185, 0, 0}}},
      {":0", {{0, 0, 0, 0}}},
      {"3:3", {{3, -175, 0, 0}}},
      {"0:3", {{0, 0, 0, 0}, {1, 175, 0, 0}, {2, 170, 0, 0}, {3, 185, 0, 0}}},
      {"1:2", {{1, 175, 0, 0}, {2, 170, 0, 0}}},
      {"4:", {}},
      {":4", {}},
      {"2:7", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.range);
    BvhImport import;
    const FrameRangeResult parsed = ParseFrameRange(row.range);
    ASSERT_EQ(parsed.error, "");
    import.frames = parsed.range;
    const SceneReadResult read = ReadBvhText(Capture(file), import);
    if (row.kept.empty()) {
      EXPECT_EQ(read.document, nullptr);
      EXPECT_TRUE(read.badOption);
      EXPECT_EQ(read.error,
                std::string("--frames ") + row.range + ": the capture has 4 frames, 0 to 3");
      continue;
    }
    ASSERT_NE(read.document, nullptr) << read.error;
    EXPECT_EQ(CurveValues(*read.document), row.kept);
    const CCurve* curve = read.document->GetFirstObject()->GetFirstCTrack()->GetCurve();
    for (LONG i = 0; i < curve->GetKeyCount(); ++i)
      EXPECT_TRUE(curve->GetKey(i)->GetTime() == BaseTime(i, 25)) << i;
  }
}

TEST(BvhReader, FrameRangeTextIsFirstColonLast) {
  const struct Row {
    const char* text;
    std::optional<LONG> first, last;
    const char* error;  // null: read
  } rows[] = {
      {"5:9", 5, 9, nullptr},
      {"5:", 5, std::nullopt, nullptr},
      {":9", std::nullopt, 9, nullptr},
      {":", std::nullopt, std::nullopt, nullptr},
      {"7:7", 7, 7, nullptr},
      {"9:5", {}, {}, "expected FIRST at most LAST"},
      {"5", {}, {}, "expected FIRST:LAST"},
      {"-1:5", {}, {}, "expected FIRST:LAST"},
      {"1:2:3", {}, {}, "expected FIRST:LAST"},
      {"a:b", {}, {}, "expected FIRST:LAST"},
      {" 1:2", {}, {}, "expected FIRST:LAST"},
      {"1.5:2", {}, {}, "expected FIRST:LAST"},
      {"99999999999:", {}, {}, "expected FIRST:LAST"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const FrameRangeResult parsed = ParseFrameRange(row.text);
    EXPECT_EQ(parsed.error.empty(), row.error == nullptr);
    if (row.error) {
      EXPECT_NE(parsed.error.find(row.error), std::string::npos) << parsed.error;
      continue;
    }
    EXPECT_EQ(parsed.range.first, row.first);
    EXPECT_EQ(parsed.range.last, row.last);
  }
}

TEST(BvhReader, FrameRateComesFromFrameTimeOrOverride) {
  struct Row {
    const char* name;
    const char* frameTime;
    LONG fpsOverride;
    LONG fps;           // 0: an error naming the Frame Time line
    const char* error;  // what it says is wrong with the rate
  } rows[] = {
      {"120 written short", "0.0083333", 0, 120, ""},
      {"30", "0.033333", 0, 30, ""},
      {"25 exactly", "0.04", 0, 25, ""},
      {"24", "0.0416667", 0, 24, ""},
      {"within half a percent", "0.0333", 0, 30, ""},
      {"100", "0.01", 0, 100, ""},
      {"81.5 is no whole rate", "0.01227", 0, 0, "81.5 frames per second, which is not within"},
      {"1.5 is no whole rate", "0.6666667", 0, 0, "1.5 frames per second, which is not within"},
      {"below one frame a second", "3", 0, 0, "0.3333 frames per second, below 1"},
      {"far below", "1e300", 0, 0, "1e-300 frames per second, below 1"},
      {"above the largest rate", "4.656e-10", 0, 0,
       "2.148e+09 frames per second, more than the largest rate of 2147483647"},
      {"far above", "1e-300", 0, 0, "1e+300 frames per second, more than the largest rate"},
      {"override wins over a bad rate", "0.01227", 60, 60, ""},
      {"override wins over a good rate", "0.0333333", 24, 24, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SceneReadResult read =
        ReadBvhText(Skeleton(row.frameTime, kFrames), {.fps = row.fpsOverride});
    if (row.fps == 0) {
      EXPECT_EQ(read.document, nullptr);
      EXPECT_NE(read.error.find("line 27: Frame Time"), std::string::npos) << read.error;
      EXPECT_NE(read.error.find(row.error), std::string::npos) << read.error;
      continue;
    }
    ASSERT_NE(read.document, nullptr) << read.error;
    EXPECT_EQ(read.document->GetFps(), row.fps);
    const CKey* last = read.document->GetFirstObject()->GetFirstCTrack()->GetCurve()->GetKey(2);
    EXPECT_TRUE(last->GetTime() == BaseTime(2, row.fps));
  }
}

TEST(BvhReader, RejectsMalformedFilesNamingTheLine) {
  const std::string good = Skeleton("0.0333333", kFrames);
  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  struct Row {
    const char* name;
    std::string text;
    const char* error;
  } rows[] = {
      {"empty", "", "end of file: expected 'HIERARCHY'"},
      {"no root", "HIERARCHY\nMOTION\n", "line 2: expected ROOT, found 'MOTION'"},
      {"unknown channel", replaced("1 Xrotation", "1 Xrot"), "line 18: expected a channel name"},
      {"too many channels", replaced("CHANNELS 1", "CHANNELS 7"),
       "line 18: expected a channel count"},
      {"missing brace", replaced("  JOINT Chest\n  {", "  JOINT Chest\n"),
       "line 8: expected '{', found 'OFFSET'"},
      {"end site without offset", replaced("OFFSET 0 5 0", ""),
       "line 13: expected 'OFFSET', found '}'"},
      {"stray word", replaced("  JOINT LeftLeg", "  BONE LeftLeg"), "line 15: expected JOINT"},
      {"bad offset", replaced("OFFSET 5 -5 0", "OFFSET 5 x 0"),
       "line 17: expected an offset number"},
      {"missing values", replaced("1.5 2 3 180 0 0 10 20 30 6", "1.5 2 3 180 0 0 10 20 30"),
       "line 29: expected 10 channel values, found 9"},
      {"not a number", replaced("2 2 3 -90", "2 2 3 abc"),
       "line 30: expected a channel value, found 'abc'"},
      {"infinite value", replaced("2 2 3 -90", "2 2 3 inf"), "line 30: expected a channel value"},
      {"fewer frames", replaced("Frames: 3", "Frames: 4"),
       "end of file: expected 4 frames, read 3"},
      {"more frames", replaced("Frames: 3", "Frames: 2"),
       "line 30: expected no more than 2 frames"},
      {"negative frame count", replaced("Frames: 3", "Frames: -3"),
       "line 26: expected a frame count"},
      {"zero frame time", replaced("0.0333333", "0"), "line 27: expected a frame time above 0"},
      {"long word", replaced("2 2 3 -90", "2 2 3 " + std::string(1 << 20, '9') + "x"),
       "line 30: expected a channel value, found '99999"},
      {"control bytes", replaced("1 Xrotation", "1 X\x1b[2J"),
       "line 18: expected a channel name (Xposition ... Zrotation), found 'X\\x1b[2J'"},
      {"two End Sites",
       replaced("OFFSET 0 5 0\n    }\n", "OFFSET 0 5 0\n    }\n    End Site { OFFSET 0 1 0 }\n"),
       "line 14: expected one End Site per joint, found 'End'"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SceneReadResult read = ReadBvhText(row.text);
    EXPECT_EQ(read.document, nullptr);
    EXPECT_NE(read.error.find(row.error), std::string::npos) << read.error.substr(0, 2000);
    EXPECT_LT(read.error.size(), 2 * kMaxShownBytes) << read.error.substr(0, 2000);
  }
}

// Text forms that editors and other programs write read as the plain file does.
TEST(BvhReader, ReadsTheTextFormsEditorsWrite) {
  const std::string plain = Skeleton("0.0333333", kFrames);
  std::string windows;
  for (const char c : plain) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const struct Row {
    const char* name;
    std::string text;
  } rows[] = {
      {"byte-order mark", "\xEF\xBB\xBF" + plain},
      {"Windows line ends", windows},
      {"byte-order mark and Windows line ends", "\xEF\xBB\xBF" + windows},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const SceneReadResult read = ReadBvhText(row.text);
    ASSERT_NE(read.document, nullptr) << read.error;
    const BaseObject* hips = read.document->GetFirstObject();
    EXPECT_EQ(hips->GetName(), String("Hips"));
    EXPECT_EQ(read.document->GetFps(), 30);
    EXPECT_EQ(TrackNames(*hips).size(), 6u);
    EXPECT_EQ(hips->GetFirstCTrack()->GetCurve()->GetKey(1)->GetValue(), 1.5);
  }
}

TEST(BvhReader, RejectsJointsNestedTooDeep) {
  std::string text = "HIERARCHY\nROOT j\n{\nOFFSET 0 0 0\n";
  for (int depth = 0; depth < 300; ++depth) text += "JOINT j\n{\nOFFSET 0 0 0\n";
  const SceneReadResult read = ReadBvhText(text);
  EXPECT_EQ(read.document, nullptr);
  EXPECT_NE(read.error.find("joints nested deeper than 256"), std::string::npos) << read.error;
}

TEST(BvhReader, ReadsTheWalkExample) {
  const SceneReadResult read = ReadBvhFile(std::string(THINFOLD_ROOT) + "/examples/walk.bvh");
  ASSERT_NE(read.document, nullptr) << read.error;
  EXPECT_EQ(read.document->GetFps(), 120);
  int joints = 0, tracks = 0;
  std::vector<const BaseObject*> stack = {read.document->GetFirstObject()};
  while (!stack.empty()) {
    const BaseObject* object = stack.back();
    stack.pop_back();
    if (!object) continue;
    ++joints;
    for (CTrack* track = object->GetFirstCTrack(); track; track = track->GetNext(), ++tracks)
      EXPECT_EQ(track->GetCurve()->GetKeyCount(), 1440);
    stack.push_back(object->GetNext());
    stack.push_back(object->GetDown());
  }
  EXPECT_EQ(joints, 23);
  EXPECT_EQ(tracks, 6 + 22 * 3);
}

// channelCount joints of one rotation channel each, frameCount frames.
std::string Capture(int channelCount, int frameCount) {
  std::string text = "HIERARCHY\n";
  for (int joint = 0; joint < channelCount; ++joint)
    text += "ROOT J" + std::to_string(joint) +
            "\n{\nOFFSET 0 0 0\nCHANNELS 1 Xrotation\nEnd Site\n{\nOFFSET 0 1 0\n}\n}\n";
  text += "MOTION\nFrames: " + std::to_string(frameCount) + "\nFrame Time: 0.0333333\n";
  for (int frame = 0; frame < frameCount; ++frame) {
    for (int joint = 0; joint < channelCount; ++joint)
      text += std::to_string((frame * 7 + joint) % 90) + (joint + 1 < channelCount ? " " : "\n");
  }
  return text;
}

// A capture is held in few bytes per key, and so is a copy of it: keys keep no storage for the
// tangents, data, names and links they do not have, and curves that are only held keep no
// records for evaluation. Counted on the heap itself, where glibc reports it.
TEST(BvhReader, HoldsACaptureAndItsCopyInFewBytesPerKey) {
#ifdef __GLIBC__
  constexpr int kChannels = 100, kFrames = 1000;
  constexpr double kKeys = kChannels * kFrames;
  const std::string text = Capture(kChannels, kFrames);
  const auto heap = [] { return static_cast<double>(mallinfo2().uordblks); };
  const double start = heap();
  const SceneReadResult read = ReadBvhText(text);
  ASSERT_NE(read.document, nullptr) << read.error;
  const double loaded = heap();
  DocumentPtr copy(static_cast<BaseDocument*>(read.document->GetClone()));
  ASSERT_NE(copy, nullptr);
  const double copied = heap();
  EXPECT_LE((loaded - start) / kKeys, 100.0);
  EXPECT_LE((copied - loaded) / kKeys, 100.0);
#else
  GTEST_SKIP() << "the heap is counted with glibc's mallinfo2";
#endif
}

TEST(BvhReader, MissingFileIsNamed) {
  const SceneReadResult read = ReadBvhFile("/no/such/walk.bvh");
  EXPECT_EQ(read.document, nullptr);
  EXPECT_EQ(read.error, "/no/such/walk.bvh: cannot open: No such file or directory");
}

}  // namespace
