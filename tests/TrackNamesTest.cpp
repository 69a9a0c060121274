// The one name of each track: short where it is unique in the document, else the full path; and
// the tracks a name a user gives stands for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SceneReader.h"
#include "TrackNames.h"
#include "c4d.h"

namespace {

// Two objects named Arm (under Left and Right) with an Xrotation each, a tag track whose short
// name an object track shares, a material track, and a track name repeated on one object.
const char* const kScene = R"({"format": "thinfold-scene", "version": 1, "fps": 30, "objects": [
  {"name": "Left", "tracks": [{"name": "Xposition", "category": 1}],
   "children": [{"name": "Arm", "tracks": [{"name": "Xrotation", "category": 1}]},
                {"name": "Hand", "tracks": [{"name": "Yrotation", "category": 1}]}]},
  {"name": "Right", "children": [{"name": "Arm", "tracks": [{"name": "Xrotation", "category": 1}]}]},
  {"name": "Cube", "tracks": [{"name": "Display.Mode", "category": 2}, {"name": "Twice", "category": 1},
                              {"name": "Twice", "category": 1}],
   "tags": [{"name": "Display", "tracks": [{"name": "Mode", "category": 2}]}]}],
  "materials": [{"name": "Steel", "tracks": [{"name": "Color . R", "category": 1}]}]})";

TEST(TrackNames, ShortWhereUniqueElseTheFullPath) {
  const SceneReadResult read = ReadSceneText(kScene);
  ASSERT_NE(read.document, nullptr) << read.error;
  const TrackNames names(*read.document);
  const BaseObject* left = read.document->GetFirstObject();
  const BaseObject* right = left->GetNext();
  const BaseObject* cube = right->GetNext();
  const struct Row {
    const CTrack* track;
    const char* name;
    const char* fullPath;
  } rows[] = {
      {left->GetFirstCTrack(), "Left.Xposition", "Left.Xposition"},
      {left->GetDown()->GetFirstCTrack(), "Left/Arm.Xrotation", "Left/Arm.Xrotation"},
      {left->GetDown()->GetNext()->GetFirstCTrack(), "Hand.Yrotation", "Left/Hand.Yrotation"},
      {right->GetDown()->GetFirstCTrack(), "Right/Arm.Xrotation", "Right/Arm.Xrotation"},
      {cube->GetFirstCTrack(), "Cube.Display.Mode", "Cube.Display.Mode"},
      {cube->GetFirstTag()->GetFirstCTrack(), "Cube:Display.Mode", "Cube:Display.Mode"},
      {cube->GetFirstCTrack()->GetNext(), "Cube.Twice", "Cube.Twice"},
      {read.document->GetFirstMaterial()->GetFirstCTrack(), "Steel.Color . R", "@Steel.Color . R"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(names.NameOf(*row.track), row.name);
    EXPECT_EQ(names.FullPathOf(*row.track), row.fullPath);
    // Each name finds its track, and so does the full path.
    const std::vector<const CTrack*> byName = names.Find(row.name);
    ASSERT_FALSE(byName.empty());
    EXPECT_EQ(byName.front(), row.track);
    EXPECT_EQ(names.Find(row.fullPath), std::vector<const CTrack*>{row.track});
  }
  // A short name two tracks share stands for both; a repeated path for the first.
  EXPECT_EQ(names.Find("Arm.Xrotation").size(), 2u);
  EXPECT_EQ(names.Find("Cube.Twice"),
            std::vector<const CTrack*>{cube->GetFirstCTrack()->GetNext()});
  EXPECT_TRUE(names.Find("Arm").empty());
  EXPECT_EQ(names.NameOf(*cube->GetFirstCTrack()->GetNext()->GetNext()), "Cube.Twice");
}

}  // namespace
