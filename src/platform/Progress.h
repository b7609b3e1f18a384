#pragma once
// The progress strip shown while loading and saving: a 200 × 20 picture with a navy bar whose
// text shows inverted under the bar.
#include "platform/DrawingSurface.h"

#include <string>

namespace orv {

inline constexpr int kProgressWidth = 200;
inline constexpr int kProgressHeight = 20;

// value: pixels of the bar, 0..200 (outside values are clamped).
void showProgress(DrawingSurface& strip, int value, const std::string& text);

// The bar value for `done` of `total` steps: round(done / total × 200).
int progressValue(int done, int total);

}  // namespace orv
