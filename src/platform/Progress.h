#pragma once
// The progress strip shown while loading and saving: a 200 × 20 picture with a navy bar whose
// text shows inverted under the bar.
#include "platform/DrawingSurface.h"

#include <QImage>

#include <string>

namespace orv {

inline constexpr int kProgressWidth = 200;
inline constexpr int kProgressHeight = 20;

// value: pixels of the bar, 0..200 (outside values are clamped).
void showProgress(DrawingSurface& strip, int value, const std::string& text);

// A strip shown again and again with one text and changing values, as showProgress shows it:
// the text is drawn once and kept, so each new value only costs its bar, and a value equal to
// the last one drawn only shows the strip again. The strip is left to this object while it is
// in use (its picture, font and pen are not changed by anyone else in between).
class ProgressStrip {
public:
    ProgressStrip(DrawingSurface& strip, std::string text);

    void show(int value);

private:
    DrawingSurface& strip_;
    std::string text_;
    bool drawn_ = false;
    int value_ = 0;
    QImage textPicture_;  // the strip with its text and no bar; null until kept
    int textEndX_ = 0;    // the current x the text leaves behind
};

// The bar value for `done` of `total` steps: round(done / total × 200).
int progressValue(int done, int total);

}  // namespace orv
