// Documents and their elements: walks, tracks, layers, selection, deep clones and links that
// survive the atoms they point to.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include "c4d.h"
#include "c4d_standin.h"

namespace {

CTrack* AddTrack(BaseList2D* owner, LONG id, const char* name,
                 LONG category = CTRACK_CATEGORY_VALUE) {
  CTrack* track = CTrack::Alloc(owner, DescID(id));
  track->SetName(name);
  track->SetTrackCategory(category);
  owner->InsertTrackSorted(track);
  CCurve* curve = track->GetCurve();
  curve->AddKey(BaseTime(id, 30))->SetValue(curve, id);
  return track;
}

// Cube (tag Display, child Sphere), Cone; material Steel; layer Characters holding Cube.
struct Scene {
  BaseDocument* doc = BaseDocument::Alloc();
  BaseObject* cube = BaseObject::Alloc();
  BaseObject* sphere = BaseObject::Alloc();
  BaseObject* cone = BaseObject::Alloc();
  BaseTag* display = BaseTag::Alloc();
  BaseMaterial* steel = BaseMaterial::Alloc();
  LayerObject* layer = LayerObject::Alloc();

  Scene() {
    cube->SetName("Cube");
    sphere->SetName("Sphere");
    cone->SetName("Cone");
    display->SetName("Display");
    steel->SetName("Steel");
    doc->InsertObject(cube, nullptr, nullptr);
    doc->InsertObject(cone, nullptr, cube);
    sphere->InsertUnderLast(cube);
    cube->InsertTag(display);
    doc->InsertMaterial(steel);
    AddTrack(cube, 2, "Y");
    AddTrack(cube, 1, "X");
    AddTrack(display, 3, "Visible", CTRACK_CATEGORY_DATA);
    AddTrack(sphere, 4, "Z");
    AddTrack(steel, 5, "Brightness");
    LayerData data;
    data.color = Vector(1.0, 0.35, 0.1);
    layer->SetName("Characters");
    layer->SetLayerData(data);
    doc->GetLayerObjectRoot()->InsertLast(layer);
    cube->SetLayerObject(layer);
  }
};

void WalkTracks(BaseList2D* element, std::vector<std::string>& names) {
  for (CTrack* track = element->GetFirstCTrack(); track; track = track->GetNext())
    names.push_back(element->GetName().ToUtf8() + "." + track->GetName().ToUtf8());
}

void WalkObjects(BaseObject* object, std::vector<std::string>& names) {
  for (; object; object = object->GetNext()) {
    WalkTracks(object, names);
    for (BaseTag* tag = object->GetFirstTag(); tag; tag = tag->GetNext()) WalkTracks(tag, names);
    WalkObjects(object->GetDown(), names);
  }
}

// Every track of the document, as a plug-in walk meets them.
std::vector<std::string> WalkDocument(BaseDocument* doc) {
  std::vector<std::string> names;
  WalkObjects(doc->GetFirstObject(), names);
  for (BaseMaterial* m = doc->GetFirstMaterial(); m; m = m->GetNext()) WalkTracks(m, names);
  return names;
}

TEST(BaseDocument, WalkMeetsTracksSortedByParameter) {
  Scene scene;
  EXPECT_EQ(WalkDocument(scene.doc),
            (std::vector<std::string>{"Cube.X", "Cube.Y", "Display.Visible", "Sphere.Z",
                                      "Steel.Brightness"}));
  EXPECT_EQ(scene.sphere->GetDocument(), scene.doc);
  EXPECT_EQ(scene.display->GetObject(), scene.cube);
  EXPECT_EQ(scene.cube->GetFirstCTrack()->GetObject(), scene.cube);
  EXPECT_EQ(scene.cube->GetFirstCTrack()->GetCurve()->GetDocument(), scene.doc);
  BaseDocument::Free(scene.doc);
  EXPECT_EQ(scene.doc, nullptr);
}

TEST(BaseDocument, InstanceOfBaseKinds) {
  Scene scene;
  const struct {
    const char* name;
    C4DAtom* atom;
    LONG type;
    bool expected;
  } rows[] = {
      {"object", scene.cube, Obase, true},
      {"object as tag", scene.cube, Tbase, false},
      {"tag", scene.display, Tbase, true},
      {"tag own type", scene.display, Tdisplay, true},
      {"material", scene.steel, Mbase, true},
      {"material as object", scene.steel, Obase, false},
      {"document", scene.doc, ID_BASE_DOCUMENT, true},
      {"layer", scene.layer, Obase, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.atom->IsInstanceOf(row.type) != FALSE, row.expected);
  }
  BaseDocument::Free(scene.doc);
}

TEST(BaseDocument, LayerDataOnlyWithALayer) {
  Scene scene;
  const LayerData* data = scene.cube->GetLayerData(scene.doc);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->color, Vector(1.0, 0.35, 0.1));
  EXPECT_EQ(scene.cone->GetLayerData(scene.doc), nullptr);
  scene.doc->RemoveLayerObjectRoot();
  EXPECT_EQ(scene.doc->GetLayerObjectRoot(), nullptr);
  EXPECT_EQ(scene.cube->GetLayerData(scene.doc), nullptr);
  BaseDocument::Free(scene.doc);
}

std::vector<std::string> SelectionNames(BaseDocument* doc, bool materials) {
  AutoAlloc<AtomArray> selection;
  if (materials)
    doc->GetActiveMaterials(*selection);
  else
    doc->GetSelection(*selection);
  std::vector<std::string> names;
  for (LONG i = 0; i < selection->GetCount(); ++i)
    names.push_back(static_cast<BaseList2D*>(selection->GetIndex(i))->GetName().ToUtf8());
  EXPECT_EQ(selection->GetIndex(selection->GetCount()), nullptr);
  return names;
}

TEST(BaseDocument, SelectionKeepsSelectionOrderAndDropsFreedElements) {
  Scene scene;
  scene.doc->SetActiveObject(scene.cone);
  scene.doc->SetActiveTag(scene.display, SELECTION_ADD);
  scene.doc->SetActiveObject(scene.sphere, SELECTION_ADD);
  scene.doc->SetActiveObject(scene.cone, SELECTION_ADD);
  scene.doc->SetActiveMaterial(scene.steel);
  EXPECT_EQ(SelectionNames(scene.doc, false),
            (std::vector<std::string>{"Cone", "Display", "Sphere"}));
  EXPECT_EQ(SelectionNames(scene.doc, true), (std::vector<std::string>{"Steel"}));
  scene.doc->SetActiveObject(scene.cone, SELECTION_SUB);
  BaseObject::Free(scene.sphere);
  EXPECT_EQ(SelectionNames(scene.doc, false), (std::vector<std::string>{"Display"}));
  BaseDocument::Free(scene.doc);
}

TEST(BaseDocument, CloneIsIndependentWithEqualWalk) {
  Scene scene;
  scene.doc->SetFps(25);
  scene.doc->SetActiveTag(scene.display);
  scene.doc->SetActiveObject(scene.cube, SELECTION_ADD);
  auto* copy = static_cast<BaseDocument*>(scene.doc->GetClone());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetFps(), 25);
  EXPECT_EQ(WalkDocument(copy), WalkDocument(scene.doc));
  EXPECT_EQ(SelectionNames(copy, false), (std::vector<std::string>{"Display", "Cube"}));
  BaseObject* cubeCopy = copy->GetFirstObject();
  EXPECT_NE(cubeCopy, scene.cube);
  EXPECT_NE(cubeCopy->GetAtomId(), scene.cube->GetAtomId());
  EXPECT_EQ(cubeCopy->GetDown()->GetDocument(), copy);
  LayerObject* layerCopy = cubeCopy->GetLayerObject(copy);
  ASSERT_NE(layerCopy, nullptr);
  EXPECT_EQ(layerCopy, copy->GetLayerObjectRoot()->GetFirst());
  EXPECT_EQ(cubeCopy->GetLayerData(copy)->color, Vector(1.0, 0.35, 0.1));
  // Changing the copy leaves the original alone.
  CCurve* curveCopy = cubeCopy->GetFirstCTrack()->GetCurve(CC_CURVE_CURVE, FALSE);
  curveCopy->FlushKeys();
  EXPECT_EQ(scene.cube->GetFirstCTrack()->GetCurve()->GetKeyCount(), 1);
  const LLONG liveBefore = standin::GetLiveAtomCount();
  BaseDocument::Free(copy);
  EXPECT_LT(standin::GetLiveAtomCount(), liveBefore);
  EXPECT_EQ(WalkDocument(scene.doc).size(), 5u);
  BaseDocument::Free(scene.doc);
}

TEST(BaseLink, ResolvesToNullOnceTheAtomIsFreed) {
  Scene scene;
  AutoAlloc<BaseLink> toSphere, toTrack, toDoc, toDetached;
  CTrack* sphereTrack = scene.sphere->GetFirstCTrack();
  toSphere->SetLink(scene.sphere);
  toTrack->SetLink(sphereTrack);
  toDoc->SetLink(scene.doc);
  EXPECT_EQ(toSphere->GetLink(scene.doc), scene.sphere);
  EXPECT_EQ(toSphere->GetLink(scene.doc, Obase), scene.sphere);
  EXPECT_EQ(toSphere->GetLink(scene.doc, Mbase), nullptr);
  EXPECT_EQ(toTrack->GetLink(scene.doc), sphereTrack);
  EXPECT_EQ(toDoc->GetLink(scene.doc), scene.doc);
  BaseDocument* other = BaseDocument::Alloc();
  EXPECT_EQ(toSphere->GetLink(other), nullptr);
  EXPECT_EQ(toSphere->ForceGetLink(), scene.sphere);

  BaseObject* detached = BaseObject::Alloc();
  toDetached->SetLink(detached);
  EXPECT_EQ(toDetached->GetLink(scene.doc), nullptr);
  EXPECT_EQ(toDetached->ForceGetLink(), detached);
  BaseObject::Free(detached);
  EXPECT_EQ(toDetached->ForceGetLink(), nullptr);

  // Freeing the parent frees the child and its tracks.
  BaseObject::Free(scene.cube);
  EXPECT_EQ(toSphere->ForceGetLink(), nullptr);
  EXPECT_EQ(toTrack->GetLink(scene.doc), nullptr);
  BaseDocument::Free(scene.doc);
  EXPECT_EQ(toDoc->ForceGetLink(), nullptr);
  BaseDocument::Free(other);
}

TEST(BaseLink, ResolvesOnWorkersWhileTheMainThreadAllocatesAndFrees) {
  Scene scene;
  AutoAlloc<BaseLink> toTrack;
  toTrack->SetLink(scene.sphere->GetFirstCTrack());
  int resolved = 0;
  std::thread worker([&] {
    for (int i = 0; i < 20000; ++i) resolved += toTrack->GetLink(scene.doc) != nullptr;
  });
  for (int i = 0; i < 2000; ++i) {
    BaseObject* temporary = BaseObject::Alloc();
    scene.doc->InsertObject(temporary, nullptr, nullptr);
    AddTrack(temporary, 1, "X");
    BaseObject::Free(temporary);
  }
  worker.join();
  EXPECT_EQ(resolved, 20000);
  BaseDocument::Free(scene.doc);
}

TEST(BaseLink, ActiveDocumentIsNullAfterItsFree) {
  BaseDocument* doc = BaseDocument::Alloc();
  SetActiveDocument(doc);
  EXPECT_EQ(GetActiveDocument(), doc);
  BaseDocument::Free(doc);
  EXPECT_EQ(GetActiveDocument(), nullptr);
}

TEST(CTrack, UnitsCategoriesAndCurveCreation) {
  BaseObject* object = BaseObject::Alloc();
  CTrack* track = CTrack::Alloc(object, DescID(10, 20));
  EXPECT_EQ(track->GetCurve(CC_CURVE_CURVE, FALSE), nullptr);
  const struct {
    const char* name;
    LONG unit;
    double step;
  } rows[] = {{"real", DESC_UNIT_REAL, 1.0},
              {"distance", DESC_UNIT_METER, 1.0},
              {"degree", DESC_UNIT_DEGREE, std::numbers::pi / 180.0},
              {"percent", DESC_UNIT_PERCENT, 0.01}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    track->SetUnit(row.unit);
    double step = 0.0;
    EXPECT_EQ(track->GetUnit(&step), row.unit);
    EXPECT_DOUBLE_EQ(step, row.step);
  }
  EXPECT_EQ(track->GetUnit(nullptr), DESC_UNIT_PERCENT);
  CCurve* curve = track->GetCurve();
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(track->GetCurve(CC_CURVE_CURVE, FALSE), curve);
  EXPECT_EQ(track->GetCurve(2), nullptr);
  curve->AddKey(BaseTime(1.0))->SetValue(curve, 4.0);
  track->SetTrackCategory(CTRACK_CATEGORY_DATA);
  track->SetName("Scale");

  CTrack* copy = CTrack::Alloc(object, DescID(1));
  ASSERT_TRUE(track->CopyTo(copy));
  EXPECT_TRUE(copy->GetDescriptionID() == DescID(10, 20));
  EXPECT_EQ(copy->GetTrackCategory(), CTRACK_CATEGORY_DATA);
  EXPECT_EQ(copy->GetName(), String("Scale"));
  EXPECT_EQ(copy->GetCurve()->GetKey(0)->GetValue(), 4.0);
  EXPECT_NE(copy->GetCurve(), curve);
  EXPECT_FALSE(track->CopyTo(object));
  CTrack::Free(copy);
  CTrack::Free(track);
  EXPECT_EQ(track, nullptr);
  BaseObject::Free(object);
}

TEST(CTrack, InsertTrackSortedPutsEqualIdsLast) {
  BaseObject* object = BaseObject::Alloc();
  const LONG ids[] = {5, 1, 5, 3};
  for (int i = 0; i < 4; ++i) {
    CTrack* track = CTrack::Alloc(object, DescID(ids[i]));
    track->SetName(LongToString(i));
    object->InsertTrackSorted(track);
  }
  std::vector<std::string> order;
  for (CTrack* t = object->GetFirstCTrack(); t; t = t->GetNext())
    order.push_back(t->GetName().ToUtf8());
  EXPECT_EQ(order, (std::vector<std::string>{"1", "3", "0", "2"}));
  CTrack* middle = object->GetFirstCTrack()->GetNext();
  CTrack::Free(middle);
  EXPECT_EQ(object->GetFirstCTrack()->GetNext()->GetName(), String("0"));
  EXPECT_EQ(object->GetFirstCTrack()->GetNext()->GetPred(), object->GetFirstCTrack());
  BaseObject::Free(object);
}

TEST(BaseDocument, FreeingReleasesEveryAtom) {
  const LLONG liveBefore = standin::GetLiveAtomCount();
  {
    Scene scene;
    C4DAtom* copy = scene.doc->GetClone();
    auto* copyDoc = static_cast<BaseDocument*>(copy);
    BaseDocument::Free(copyDoc);
    BaseDocument::Free(scene.doc);
  }
  EXPECT_EQ(standin::GetLiveAtomCount(), liveBefore);
}

TEST(BaseObject, RefusesToBecomeItsOwnDescendant) {
  Scene scene;
  scene.cube->InsertUnderLast(scene.sphere);
  EXPECT_EQ(scene.cube->GetUp(), nullptr);
  EXPECT_EQ(scene.sphere->GetUp(), scene.cube);
  scene.doc->InsertObject(scene.cube, scene.sphere, nullptr);
  EXPECT_EQ(scene.doc->GetFirstObject(), scene.cube);
  BaseDocument::Free(scene.doc);
}

}  // namespace
