#include "map/ColourSetting.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "map/ColourPreview.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace orv {

namespace {

constexpr const char* kBandPickerTitle = "基準色の作成";
constexpr const char* kContourPickerTitle = "等高線色の作成";
constexpr float kMinLevel = 0.9f;
constexpr float kMaxLevel = 1.0f;

// Full-width digits and point as typed with a Japanese input method become ASCII; blanks
// (also the ideographic space) are dropped from both ends.
std::string normaliseNumberText(const std::string& text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // U+FF10..U+FF19 (０..９) are EF BC 90..99, U+FF0E (．) is EF BC 8E.
        if (byte == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBC) {
            const auto last = static_cast<unsigned char>(text[i + 2]);
            if (last >= 0x90 && last <= 0x99) {
                out += static_cast<char>('0' + (last - 0x90));
                i += 3;
                continue;
            }
            if (last == 0x8E) {
                out += '.';
                i += 3;
                continue;
            }
        }
        // U+3000 (ideographic space) is E3 80 80.
        if (text.compare(i, 3, "\xE3\x80\x80") == 0) {
            out += ' ';
            i += 3;
            continue;
        }
        out += text[i++];
    }
    const size_t first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const size_t last = out.find_last_not_of(" \t");
    return out.substr(first, last - first + 1);
}

ColourBand withColour(ColourBand band, Colour value) {
    band.red = static_cast<int16_t>(value % 256);
    band.green = static_cast<int16_t>((value / 256) % 256);
    band.blue = static_cast<int16_t>(std::min<Colour>(value / 65536, 255));
    return band;
}

}  // namespace

std::string levelText(float level) {
    std::string text = shortestText(level);
    if (text.starts_with('.')) return "0" + text;
    if (text.starts_with("-.")) return "-0" + text.substr(1);
    return text;
}

std::optional<float> parseLevelText(const std::string& text) {
    const std::string number = normaliseNumberText(text);
    if (number.empty() || number.front() == '+' || number.front() == '-') return std::nullopt;
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    const auto level = static_cast<float>(value);
    if (level < kMinLevel || level > kMaxLevel) return std::nullopt;
    return level;
}

ColourSetting::ColourSetting(AppState& state, ColourSet& working, Dialogs& dialogs)
    : state_(state),
      working_(working),
      dialogs_(dialogs),
      strip_(kStripWidth, kStripHeight),
      preview_(kPreviewWidth, kPreviewHeight),
      commands_({.run = [this](const ColourSettingCommand& command) { run(command); },
                 .available = {},
                 .takenWhileBusy = {},
                 .alsoBusy = {}}) {}

void ColourSetting::run(const ColourSettingCommand& command) {
    using Kind = ColourSettingCommand::Kind;
    switch (command.kind) {
        case Kind::PickColour: pickColour(command.band); break;
        case Kind::Register:
            if (writeBack()) {
                state_.settings.registeredSets[static_cast<size_t>(editedSet_)] = 1;
                outcome_ = DialogOutcome::Accepted;
            }
            break;
        case Kind::Cancel:
            if (writeBack()) outcome_ = DialogOutcome::Cancelled;
            break;
        case Kind::Restore:
            working_ = state_.settings.colourTable[static_cast<size_t>(baseSet_)];
            refresh();
            break;
        case Kind::Help: dialogs_.showHelp(kColourDialogHelp); break;
    }
}

void ColourSetting::activate() {
    SettingsValues& settings = state_.settings;
    editedSet_ = std::clamp<int>(settings.colourSetIndex, 0, kColourSets - 1);
    const bool registered = settings.registeredSets[static_cast<size_t>(editedSet_)] != 0;
    baseSet_ = registered ? editedSet_ : 0;
    message_ = registered ? "" : kUnregisteredSetMessage;
    outcome_.reset();

    state_.backgroundLevel = settings.savedBackgroundLevel;
    slider_ = std::clamp(roundHalfEven(static_cast<double>(state_.backgroundLevel) * 100.0),
                         kLevelSliderMin, kLevelSliderMax);
    working_ = settings.colourTable[static_cast<size_t>(baseSet_)];
    refresh();
}

void ColourSetting::pickBandColour(int band) {
    if (band < 0 || band >= kContourBand) return;
    commands_.submit({ColourSettingCommand::Kind::PickColour, band});
}

void ColourSetting::pickContourColour() {
    commands_.submit({ColourSettingCommand::Kind::PickColour, kContourBand});
}

void ColourSetting::pickColour(int band) {
    const bool contour = band == kContourBand;
    ColourBand& target = working_[static_cast<size_t>(band)];
    const std::optional<Colour> chosen =
        dialogs_.pickColour(swatchColour(band), contour ? kContourPickerTitle : kBandPickerTitle);
    if (!chosen) return;
    target = withColour(target, *chosen);
    state_.contoursShown = contour;
    if (contour) state_.backgroundLevel = static_cast<float>(slider_) / 100.0f;
    refresh();
}

void ColourSetting::moveSlider(int value) {
    slider_ = std::clamp(value, kLevelSliderMin, kLevelSliderMax);
    state_.contoursShown = true;
    state_.backgroundLevel = static_cast<float>(slider_) / 100.0f;
    refresh();
}

void ColourSetting::editLevelText(std::string text) { levelText_ = std::move(text); }

bool ColourSetting::writeBack() {
    const std::optional<float> level = parseLevelText(levelText_);
    if (!level) {
        dialogs_.message(kBadLevelMessage, kColourDialogTitle, Buttons::Ok, Icon::Warning);
        return false;
    }
    state_.settings.colourTable[static_cast<size_t>(editedSet_)] = working_;
    state_.settings.savedBackgroundLevel = *level;
    return true;
}

bool ColourSetting::registerColours() {
    commands_.submit({ColourSettingCommand::Kind::Register});
    return closed();
}

bool ColourSetting::cancel() {
    commands_.submit({ColourSettingCommand::Kind::Cancel});
    return closed();
}

void ColourSetting::dismiss() {
    if (!closed()) outcome_ = DialogOutcome::Cancelled;
}

void ColourSetting::restore() { commands_.submit({ColourSettingCommand::Kind::Restore}); }

void ColourSetting::showHelp() { commands_.submit({ColourSettingCommand::Kind::Help}); }

Colour ColourSetting::swatchColour(int band) const {
    if (band < 0 || band >= kColourBands) return colours::black;
    const ColourBand& b = working_[static_cast<size_t>(band)];
    return makeColour(b.red, b.green, b.blue);
}

void ColourSetting::refresh() {
    levelText_ = levelText(state_.backgroundLevel);
    drawColourStrip(strip_, stripBands(working_, state_.contoursShown, state_.backgroundLevel));
    // Without the sample profile the preview shows the colour strip alone.
    const Result<ColourProfile> profile = readColourProfile(state_.appFolder / kColourProfileFile);
    drawColourPreview(preview_, strip_, working_, state_.contourTint,
                      profile.ok() ? std::optional<ColourProfile>(*profile) : std::nullopt);
    strip_.show();
    preview_.show();
    if (changed) changed();
}

}  // namespace orv
