#include "platform/Progress.h"

#include "core/Rounding.h"

#include <algorithm>
#include <utility>

namespace orv {

namespace {

// The strip in white with the text in navy from (2, 1).
void drawText(DrawingSurface& strip, const std::string& text) {
    strip.setDrawMode(DrawMode::Copy);
    strip.box(0, 0, kProgressWidth, kProgressHeight, colours::white, true);
    strip.setDrawMode(DrawMode::InvertedXor);
    strip.setForeColour(colours::navy);
    strip.setCurrentPosition(2, 1);
    strip.text(text);
}

// The bar over the text: inverted navy up to the value, the rest as it is; then shown.
void drawBar(DrawingSurface& strip, int value) {
    strip.setDrawMode(DrawMode::InvertedXor);
    strip.box(0, 0, value, kProgressHeight, colours::navy, true);
    strip.box(value, 0, kProgressWidth, kProgressHeight, colours::white, true);
    strip.setDrawMode(DrawMode::Copy);
    strip.show();
}

}  // namespace

void showProgress(DrawingSurface& strip, int value, const std::string& text) {
    drawText(strip, text);
    drawBar(strip, std::clamp(value, 0, kProgressWidth));
}

ProgressStrip::ProgressStrip(DrawingSurface& strip, std::string text)
    : strip_(strip), text_(std::move(text)) {}

void ProgressStrip::show(int value) {
    value = std::clamp(value, 0, kProgressWidth);
    if (drawn_ && value == value_) {
        strip_.show();
        return;
    }
    if (!textPicture_.isNull()) {
        // As drawText leaves the strip.
        strip_.setImage(textPicture_);
        strip_.setForeColour(colours::navy);
        strip_.setCurrentPosition(textEndX_, 1);
    } else {
        drawText(strip_, text_);
        // The white box covers a strip of this size entirely, so the picture with the text
        // does not depend on what was there before and can be kept.
        if (strip_.width() <= kProgressWidth + 1 && strip_.height() <= kProgressHeight + 1) {
            textPicture_ = strip_.image();
            textEndX_ = strip_.currentX();
        }
    }
    drawBar(strip_, value);
    drawn_ = true;
    value_ = value;
}

int progressValue(int done, int total) {
    if (total <= 0) return 0;
    return roundHalfEven(static_cast<double>(done) / total * kProgressWidth);
}

}  // namespace orv
