#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CTrackList.h"
#include "ModelDocument.h"

namespace {

using Names = std::vector<std::string>;
using TrackArray = std::unique_ptr<GeDynamicArray<CTrack*>>;

// Cube (tracks a, b and a category-3 track) with tag Tag and child Child, a second top-level
// object Sphere, and a material Steel. Every element is animated.
struct Scene {
  ModelDoc doc = MakeDocument();
  BaseObject* cube = AddObject(doc.get(), "Cube");
  BaseTag* tag = AddTag(cube, "Tag");
  BaseObject* child = AddObject(doc.get(), "Child", cube);
  BaseObject* sphere = AddObject(doc.get(), "Sphere");
  BaseMaterial* steel = AddMaterial(doc.get(), "Steel");

  Scene() {
    AddTrack(cube, "a", CTRACK_CATEGORY_VALUE, 1);
    AddTrack(cube, "plugin", CTRACK_CATEGORY_PLUGIN, 2);
    AddTrack(cube, "b", CTRACK_CATEGORY_DATA, 3);
    AddTrack(tag, "t", CTRACK_CATEGORY_VALUE);
    AddTrack(child, "c", CTRACK_CATEGORY_VALUE);
    AddTrack(sphere, "s", CTRACK_CATEGORY_DATA);
    AddTrack(steel, "m", CTRACK_CATEGORY_VALUE);
  }
};

}  // namespace

TEST(CTrackList, GathersObjectTagChildThenMaterials) {
  Scene scene;
  TrackArray tracks(PickCTracksFromTimeline(scene.doc.get()));
  ASSERT_NE(tracks, nullptr);
  EXPECT_EQ(TrackNames(tracks.get()),
            (Names{"Cube.a", "Cube.b", "Tag.t", "Child.c", "Sphere.s", "Steel.m"}));
}

TEST(CTrackList, EmptyAndNullDocuments) {
  ModelDoc empty = MakeDocument();
  TrackArray tracks(PickCTracksFromTimeline(empty.get()));
  ASSERT_NE(tracks, nullptr);
  EXPECT_EQ(tracks->GetCount(), 0);
  TrackArray selected(PickSelectedCTracksFromTimeline(empty.get()));
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->GetCount(), 0);
  EXPECT_EQ(PickCTracksFromTimeline(nullptr), nullptr);
  EXPECT_EQ(PickSelectedCTracksFromTimeline(nullptr), nullptr);
}

TEST(CTrackList, SelectionTakesOnlyTheElementsOwnTracks) {
  struct Row {
    const char* name;
    void (*select)(Scene&);
    Names expected;
  };
  const Row rows[] = {
      {"tag alone", [](Scene& s) { s.doc->SetActiveTag(s.tag); }, {"Tag.t"}},
      {"object alone", [](Scene& s) { s.doc->SetActiveObject(s.cube); }, {"Cube.a", "Cube.b"}},
      {"selection order, material last",
       [](Scene& s) {
         s.doc->SetActiveMaterial(s.steel);
         s.doc->SetActiveObject(s.sphere);
         s.doc->SetActiveTag(s.tag, SELECTION_ADD);
       },
       {"Sphere.s", "Tag.t", "Steel.m"}},
      {"child without parent", [](Scene& s) { s.doc->SetActiveObject(s.child); }, {"Child.c"}},
      {"nothing selected", [](Scene&) {}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Scene scene;
    row.select(scene);
    TrackArray tracks(PickSelectedCTracksFromTimeline(scene.doc.get()));
    ASSERT_NE(tracks, nullptr);
    EXPECT_EQ(TrackNames(tracks.get()), row.expected);
  }
}

TEST(CTrackList, SelectionWithoutLayerRootPrintsNoList) {
  Scene scene;
  scene.doc->SetActiveObject(scene.cube);
  scene.doc->RemoveLayerObjectRoot();
  LineCapture console(LineCapture::CONSOLE);
  EXPECT_EQ(PickSelectedCTracksFromTimeline(scene.doc.get()), nullptr);
  EXPECT_EQ(console.Lines(), (Names{"no list"}));
  // Gathering everything does not need the layer root.
  TrackArray all(PickCTracksFromTimeline(scene.doc.get()));
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(all->GetCount(), 6);
}
