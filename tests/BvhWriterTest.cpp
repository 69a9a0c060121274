// BVH output: the hierarchy as read, one row per frame from the channels' curves, numbers that
// read back as they were, and the documents it refuses.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "BvhParser.h"
#include "BvhReader.h"
#include "BvhSkeleton.h"
#include "BvhWriter.h"
#include "c4d.h"

namespace {

// Numbers a capture may hold that a careless writer changes: many digits, tiny and huge
// magnitudes, negative zero, angles beyond a turn; rotations go through radians and back.
const std::string kCapture =
    "HIERARCHY\n"
    "ROOT Hips\n{\n OFFSET 0.1 -0.000001 95.123456789\n"
    " CHANNELS 4 Xposition Yposition zROTATION Xrotation\n"
    " JOINT Leg\n {\n  OFFSET 5 -5 0\n  CHANNELS 1 Xrotation\n"
    "  End Site\n  {\n   OFFSET 0 -40.25 1e-7\n  }\n }\n"
    " JOINT Tail\n {\n  OFFSET 0 0 -3\n  CHANNELS 0\n }\n}\n"
    "MOTION\nFrames: 3\nFrame Time: 0.0333333\n"
    "1.5 -0.0000 33.333333 179.99999 0.1\n"
    "-2.25e-5 12345.6789 -179.9999999 -0.0001 720.5\n"
    "0.30000000000000004 1e-300 -127.96 127.91 -33.3\n";

// The motion as ParseBvh reads it, with the skeleton.
BvhMotion Parsed(const std::string& text) {
  BvhParseResult parsed = ParseBvh(text);
  EXPECT_EQ(parsed.error, "") << text;
  return std::move(parsed.motion);
}

std::string Written(const BaseDocument& doc) {
  const SceneWriteResult written = WriteBvhText(doc);
  EXPECT_EQ(written.error, "");
  return written.text;
}

TEST(BvhWriter, ReadAndWrittenGivesTheSameNumbersAndHierarchy) {
  const SceneReadResult read = ReadBvhText(kCapture, {.rawAngles = true});
  ASSERT_NE(read.document, nullptr) << read.error;
  const std::string text = Written(*read.document);
  const BvhMotion before = Parsed(kCapture), after = Parsed(text);
  EXPECT_EQ(after.values, before.values) << text;
  EXPECT_EQ(after.frameCount, before.frameCount);
  ASSERT_EQ(after.joints.size(), before.joints.size());
  for (std::size_t i = 0; i < before.joints.size(); ++i) {
    SCOPED_TRACE(before.joints[i].name);
    EXPECT_EQ(after.joints[i].name, before.joints[i].name);
    EXPECT_EQ(after.joints[i].parent, before.joints[i].parent);
    EXPECT_EQ(after.joints[i].offset, before.joints[i].offset);
    EXPECT_EQ(after.joints[i].hasEndSite, before.joints[i].hasEndSite);
    EXPECT_EQ(after.joints[i].endSite, before.joints[i].endSite);
    ASSERT_EQ(after.joints[i].channels.size(), before.joints[i].channels.size());
    for (std::size_t c = 0; c < before.joints[i].channels.size(); ++c)
      EXPECT_EQ(after.joints[i].channels[c].name, before.joints[i].channels[c].name);
  }
  // The frame rate survives, and a second pass changes no byte.
  const SceneReadResult again = ReadBvhText(text, {.rawAngles = true});
  ASSERT_NE(again.document, nullptr) << again.error;
  EXPECT_EQ(again.document->GetFps(), 30);
  EXPECT_EQ(Written(*again.document), text);
}

// A joint whose rotation track keeps keys at frames 2 and 6 only, and a position track keyed at
// frames 4 and 8: rows run from frame 2 to frame 8, each value the curve's at that frame.
TEST(BvhWriter, RowsFollowTheCurvesFromTheFirstToTheLastKey) {
  DocumentPtr doc(BaseDocument::Alloc());
  doc->SetFps(10);
  BaseObject* joint = BaseObject::Alloc();
  doc->InsertObject(joint, nullptr, nullptr);
  joint->SetName("Root");
  SetJointSkeleton(*joint, {Vector(), {"Xrotation", "Yposition"}, std::nullopt});
  const struct Track {
    const char* name;
    LONG firstFrame, lastFrame;
    double firstValue, lastValue;
  } tracks[] = {{"Xrotation", 2, 6, 0.0, 40.0 * kRadiansPerDegree}, {"Yposition", 4, 8, 1.0, 3.0}};
  for (LONG id = 0; id < 2; ++id) {
    CTrack* track = CTrack::Alloc(joint, DescID(1000 + id));
    joint->InsertTrackSorted(track);
    track->SetName(tracks[id].name);
    for (const auto& [frame, value] : {std::pair{tracks[id].firstFrame, tracks[id].firstValue},
                                       std::pair{tracks[id].lastFrame, tracks[id].lastValue}}) {
      CKey* key = CKey::Alloc();
      key->SetTime(nullptr, BaseTime(frame, 10));
      key->SetValue(nullptr, value);
      key->SetInterpolation(nullptr, CINTERPOLATION_LINEAR);
      track->GetCurve()->InsertKey(key);
    }
  }
  const BvhMotion motion = Parsed(Written(*doc));
  EXPECT_EQ(motion.frameCount, 7);
  const std::vector<double> rows = {0, 1, 10, 1, 20, 1, 30, 1.5, 40, 2, 40, 2.5, 40, 3};
  ASSERT_EQ(motion.values.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_NEAR(motion.values[i], rows[i], 1e-12) << i;
}

TEST(BvhWriter, RefusesDocumentsThatAreNoSkeletonNamingTheObject) {
  struct Row {
    const char* name;
    std::function<void(BaseObject& hips)> change;
    const char* error;
  } rows[] = {
      {"an object without a skeleton",
       [](BaseObject& hips) { hips.GetDown()->GetNext()->GetDataInstance()->FlushAll(); },
       "Hips/Tail: not a BVH joint"},
      {"a name of two words", [](BaseObject& hips) { hips.GetDown()->SetName("Two words"); },
       "Hips/Two words: a BVH joint's name must be one word"},
      {"a channel without its track",
       [](BaseObject& hips) {
         CTrack* rotation = hips.GetFirstCTrack()->GetNext()->GetNext()->GetNext();
         CTrack::Free(rotation);
       },
       "Hips: no track Xrotation for the joint's channel"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SceneReadResult read = ReadBvhText(kCapture);
    ASSERT_NE(read.document, nullptr) << read.error;
    row.change(*read.document->GetFirstObject());
    const std::string error = CheckWritableAsBvh(*read.document).error;
    EXPECT_NE(error.find(row.error), std::string::npos) << error;
    const SceneWriteResult written = WriteBvhText(*read.document);
    EXPECT_EQ(written.text, "");
    EXPECT_NE(written.error.find(row.error), std::string::npos) << written.error;
  }
}

}  // namespace
