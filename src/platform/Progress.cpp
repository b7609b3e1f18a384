#include "platform/Progress.h"

#include "core/Rounding.h"

#include <algorithm>

namespace orv {

void showProgress(DrawingSurface& strip, int value, const std::string& text) {
    value = std::clamp(value, 0, kProgressWidth);
    strip.setDrawMode(DrawMode::Copy);
    strip.box(0, 0, kProgressWidth, kProgressHeight, colours::white, true);
    strip.setDrawMode(DrawMode::InvertedXor);
    strip.setForeColour(colours::navy);
    strip.setCurrentPosition(2, 1);
    strip.text(text);
    strip.box(0, 0, value, kProgressHeight, colours::navy, true);
    strip.box(value, 0, kProgressWidth, kProgressHeight, colours::white, true);
    strip.setDrawMode(DrawMode::Copy);
    strip.show();
}

int progressValue(int done, int total) {
    if (total <= 0) return 0;
    return roundHalfEven(static_cast<double>(done) / total * kProgressWidth);
}

}  // namespace orv
