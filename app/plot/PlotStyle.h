// The look of a plot: colours (RGB 0 to 1), line widths and marker sizes in pixels.
#ifndef THINFOLD_PLOT_STYLE_H
#define THINFOLD_PLOT_STYLE_H

#include "c4d.h"

namespace plot_style {

inline const Vector kBackground(1.0, 1.0, 1.0);
inline const Vector kGrid(0.9, 0.9, 0.9);
inline const Vector kAxis(0.45, 0.45, 0.45);
inline const Vector kText(0.13, 0.13, 0.13);
// The original curve and its keys, and the tolerance band around it, share one hue; the
// reduced curve stands out against it.
inline const Vector kOriginal(0.12, 0.47, 0.71);
inline const Vector kReduced(0.90, 0.38, 0.0);
constexpr double kBandOpacity = 0.16;

constexpr double kOriginalWidth = 1.5;
constexpr double kReducedWidth = 2.0;
constexpr double kOriginalKeyRadius = 2.5;
// A reduced key is a disc in a white ring, so that it shows on top of both curves.
constexpr double kReducedKeyRadius = 3.5;
constexpr double kReducedKeyRingRadius = 5.0;

}  // namespace plot_style

#endif
