#include "map/RidgeValleySettings.h"

#include "core/Blanks.h"
#include "map/RidgeValleyLines.h"

#include <algorithm>
#include <charconv>

namespace orv {

namespace {

RidgeValleyStyle styleOf(int frame) {
    return frame == 1 ? RidgeValleyStyle::Valley : RidgeValleyStyle::Ridge;
}

int frameIndex(int frame) { return std::clamp(frame, 0, 1); }

// A whole number 1..5 from a width text box (blanks around it allowed).
std::optional<int> widthOf(const std::string& text) {
    const std::string_view digits = trimBlanks(text, kSpacesAndTabs);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc{} || end != digits.data() + digits.size() || digits.empty()) return std::nullopt;
    if (value < kMinTraceWidth || value > kMaxTraceWidth) return std::nullopt;
    return value;
}

}  // namespace

RidgeValleySettings::RidgeValleySettings(SettingsValues& settings, Dialogs& dialogs)
    : settings_(settings), dialogs_(dialogs) {
    for (int frame = 0; frame < 2; ++frame) {
        const LineStyleSetting& style = lineStyleOf(settings_, styleOf(frame));
        const auto i = static_cast<size_t>(frame);
        slider[i] = std::clamp<int>(style.width, kMinTraceWidth, kMaxTraceWidth);
        widthText[i] = std::to_string(slider[i]);
        swatch[i] = lineStyleColour(style);
    }
}

void RidgeValleySettings::moveSlider(int frame, int value) {
    const auto i = static_cast<size_t>(frameIndex(frame));
    slider[i] = std::clamp(value, kMinTraceWidth, kMaxTraceWidth);
    widthText[i] = std::to_string(slider[i]);
}

void RidgeValleySettings::setWidthText(int frame, std::string text) {
    widthText[static_cast<size_t>(frameIndex(frame))] = std::move(text);
}

void RidgeValleySettings::pickColour(int frame) {
    const auto i = static_cast<size_t>(frameIndex(frame));
    const std::optional<Colour> picked = dialogs_.pickColour(swatch[i], kRidgeValleyColourTitle);
    if (!picked) return;
    LineStyleSetting& style = lineStyleOf(settings_, styleOf(frameIndex(frame)));
    style.red = static_cast<int16_t>(redOf(*picked));
    style.green = static_cast<int16_t>(greenOf(*picked));
    style.blue = static_cast<int16_t>(blueOf(*picked));
    swatch[i] = *picked;
}

bool RidgeValleySettings::execute(int frame) {
    const std::optional<int> ridge = widthOf(widthText[0]);
    const std::optional<int> valley = widthOf(widthText[1]);
    if (!ridge || !valley) {
        dialogs_.message(kLineWidthRefusal, kRidgeValleySettingsTitle, Buttons::Ok, Icon::Warning);
        return false;
    }
    settings_.ridgeLine.width = static_cast<int16_t>(*ridge);
    settings_.valleyLine.width = static_cast<int16_t>(*valley);
    chosen_ = frameIndex(frame);
    return true;
}

void RidgeValleySettings::help() { dialogs_.showHelp(kRidgeValleyHelpFile); }

}  // namespace orv
