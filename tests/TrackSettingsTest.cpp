#include <gtest/gtest.h>

#include "CTrackSubData.h"
#include "ModelDocument.h"

namespace {

// The sub-container must hold exactly the five entries with the host types that scenes keep.
void ExpectTypedEntries(CTrack* track) {
  const BaseContainer* sub = track->GetDataInstance()->GetContainerInstance(1031254);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->GetEntryCount(), 5);
  const GeData* active = sub->GetDataPointer(2000);
  const GeData* precision = sub->GetDataPointer(2001);
  const GeData* method = sub->GetDataPointer(2002);
  const GeData* quality = sub->GetDataPointer(2003);
  const GeData* hold = sub->GetDataPointer(2004);
  ASSERT_TRUE(active && precision && method && quality && hold);
  EXPECT_TRUE(active->IsBool());
  EXPECT_TRUE(hold->IsBool());
  EXPECT_EQ(precision->GetType(), DA_REAL);
  EXPECT_EQ(method->GetType(), DA_LONG);
  EXPECT_FALSE(method->IsBool());
  EXPECT_EQ(quality->GetType(), DA_LONG);
  EXPECT_FALSE(quality->IsBool());
}

}  // namespace

TEST(TrackSettings, DefaultsPerCategoryAreStoredOnFirstRead) {
  struct Row {
    const char* name;
    LONG category;
    Real precision;
  };
  const Row rows[] = {{"value", CTRACK_CATEGORY_VALUE, 0.5},
                      {"data", CTRACK_CATEGORY_DATA, 1.0},
                      {"other", CTRACK_CATEGORY_PLUGIN, 0.5}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ModelDoc doc = MakeDocument();
    CTrack* track = AddTrack(AddObject(doc.get(), "Cube"), "T", row.category);
    EXPECT_EQ(GetPrecisionDefault(track), row.precision);
    EXPECT_EQ(track->GetDataInstance()->GetContainerInstance(1031254), nullptr);
    const CTrackSubData data = GetCTrackSubData(track);
    EXPECT_TRUE(data.active);
    EXPECT_EQ(data.precision, row.precision);
    EXPECT_EQ(data.method, 0);
    EXPECT_EQ(data.quality, 0);
    EXPECT_TRUE(data.hold);
    ExpectTypedEntries(track);
    EXPECT_EQ(track->GetDataInstance()->GetContainerInstance(1031254)->GetReal(2001),
              row.precision);
  }
}

TEST(TrackSettings, WrittenValuesReadBackTyped) {
  ModelDoc doc = MakeDocument();
  CTrack* track = AddTrack(AddObject(doc.get(), "Cube"), "T", CTRACK_CATEGORY_DATA);
  const CTrackSubData written{FALSE, 2.25, 1, 2, FALSE};
  ASSERT_TRUE(SetCTrackSubData(track, written));
  const CTrackSubData read = GetCTrackSubData(track);
  EXPECT_FALSE(read.active);
  EXPECT_EQ(read.precision, 2.25);
  EXPECT_EQ(read.method, 1);
  EXPECT_EQ(read.quality, 2);
  EXPECT_FALSE(read.hold);
  ExpectTypedEntries(track);
  // The settings travel with a copy of the track.
  CTrack* clone = static_cast<CTrack*>(track->GetClone());
  EXPECT_EQ(GetCTrackSubData(clone).precision, 2.25);
  CTrack::Free(clone);
}

TEST(TrackSettings, MissingEntryReadsDefaultOthersKept) {
  ModelDoc doc = MakeDocument();
  CTrack* track = AddTrack(AddObject(doc.get(), "Cube"), "T", CTRACK_CATEGORY_DATA);
  SetCTrackSubData(track, CTrackSubData{FALSE, 3.0, 1, 2, FALSE});
  BaseContainer* sub = GetCTrackSubContainerInstance(track);
  ASSERT_NE(sub, nullptr);
  sub->RemoveData(2001);
  sub->RemoveData(2004);  // scenes saved before the hold setting existed
  const CTrackSubData read = GetCTrackSubData(track);
  EXPECT_EQ(read.precision, 1.0);
  EXPECT_TRUE(read.hold);
  EXPECT_FALSE(read.active);
  EXPECT_EQ(read.method, 1);
  EXPECT_EQ(read.quality, 2);
}

TEST(TrackSettings, ContainerInstanceIsTheTracksOwn) {
  ModelDoc doc = MakeDocument();
  CTrack* track = AddTrack(AddObject(doc.get(), "Cube"), "T");
  BaseContainer* sub = GetCTrackSubContainerInstance(track);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(GetCTrackSubContainerInstance(track), sub);
  sub->SetBool(2000, FALSE);  // as the tree view's check box writes it
  EXPECT_FALSE(GetCTrackSubData(track).active);
  // Other entries of the track's data container are left alone.
  track->GetDataInstance()->SetLong(5, 42);
  SetCTrackSubData(track, CTrackSubData{});
  EXPECT_EQ(track->GetDataInstance()->GetLong(5), 42);
}

TEST(TrackSettings, NullTrack) {
  EXPECT_EQ(GetCTrackSubContainerInstance(nullptr), nullptr);
  EXPECT_FALSE(SetCTrackSubData(nullptr, CTrackSubData{}));
  const CTrackSubData data = GetCTrackSubData(nullptr);
  EXPECT_TRUE(data.active);
  EXPECT_EQ(data.precision, 0.5);
  EXPECT_EQ(GetPrecisionDefault(nullptr), 0.5);
}
