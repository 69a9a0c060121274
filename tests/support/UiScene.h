// Documents for the interface tests: a small scene whose tracks and layer are known, and a scene
// whose run takes long enough to be stopped or edited while it goes on.
#ifndef UI_SCENE_H
#define UI_SCENE_H

#include <string>
#include <vector>

#include "ModelDocument.h"
#include "c4d.h"

constexpr LONG kUiFps = 30;
// The layer of "Cube" and its colour (RGB 0..1 and the same in 8 bits).
constexpr double kLayerRed = 1.0, kLayerGreen = 0.35, kLayerBlue = 0.1;
constexpr UCHAR kLayerPixel[3] = {255, 89, 26};

// Five tracks, in gathering order: "Cube.X" (value, precision 0.25), "Cube.Y" (value),
// "Cube.Display.Mode" (data), "Plain.W" (value, method 1), "Steel.Shine" (value). Cube is on
// the layer "Characters"; Plain is on no layer. Value tracks carry smooth linear keys on every
// frame, which reduce; the data track repeats each value four times. Cube and Steel are
// selected.
ModelDoc MakeUiScene(int keyCount = 90);
std::vector<std::string> UiSceneTrackNames();

// trackCount value tracks of noisy keys that spline fitting at quality 2 works on for a while.
ModelDoc MakeSlowScene(int trackCount, int keyCount);

// The index-th track of doc in gathering order, or null.
CTrack* UiTrack(BaseDocument* doc, int index);

#endif
