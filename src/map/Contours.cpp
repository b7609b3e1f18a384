#include "map/Contours.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "map/Background.h"
#include "map/RouteMapTools.h"
#include "platform/Progress.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace orv {

namespace {

constexpr int kIntervalTools = 9;
constexpr int kAnyIntervalTool = 9;
constexpr int kContourBand = 6;

// The fixed intervals of tools 1..8 (slot 0 unused; tool 9 asks).
constexpr std::array<int, kIntervalTools> kToolIntervals{0, 10, 20, 40, 50, 100, 200, 500, 1000};

// Tool 9's caption as the menu shows it before an interval is entered: eight ideographic
// spaces line it up under "等高線間隔　".
const std::string kAnyCaption = "　　　　　　　　任意";
const std::string kAnyCaptionPrefix = "任意：";
const std::string kAskPrompt = "等高線間隔を入力して下さい。単位はｍです。";
const std::string kAskTitle = "等高線間隔";
const std::string kRefusedText = "等高線間隔は1～32767mの範囲で入力して下さい。";
const std::string kProgressSuffix = " ｍ間隔等高線生成中";

// The command of contour tool 1..9.
ToolId toolId(int tool) { return mapTool::kContourIntervals[static_cast<size_t>(tool - 1)]; }

// Replaces the full-width forms an input method gives for digits, point, signs and blanks.
std::string halfWidth(std::string_view text) {
    static constexpr std::array<std::pair<std::string_view, char>, 6> kForms{{
        {"．", '.'},
        {"－", '-'},
        {"−", '-'},
        {"＋", '+'},
        {"　", ' '},
        {"ｍ", 'm'},
    }};
    static constexpr std::string_view kDigitZero = "０";  // ０..９ differ in their last byte
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (text.size() - i >= kDigitZero.size() && text.substr(i, 2) == kDigitZero.substr(0, 2)) {
            const auto last = static_cast<unsigned char>(text[i + 2]);
            const auto zero = static_cast<unsigned char>(kDigitZero[2]);
            if (last >= zero && last <= zero + 9) {
                out += static_cast<char>('0' + (last - zero));
                i += kDigitZero.size();
                continue;
            }
        }
        for (const auto& [form, plain] : kForms) {
            if (text.substr(i, form.size()) == form) {
                out += plain;
                i += form.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A whole text that is one plain decimal number: sign, digits, point, digits.
bool isPlainNumber(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    int digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    return digits > 0 && i == s.size();
}

enum class Entry { Cancelled, Refused, Accepted };

struct IntervalAnswer {
    Entry entry = Entry::Cancelled;
    int interval = 0;
};

// Reads the "任意" answer: a number of metres (full-width forms and a trailing "m" accepted),
// rounded to whole metres with halves to even, 1..kMaxContourInterval. An empty answer is a
// cancel; anything else is refused.
IntervalAnswer readInterval(std::string_view answer) {
    const std::string plain = halfWidth(answer);
    std::string_view text = trimmed(plain);
    if (text.empty()) return {};
    if (text.back() == 'm' || text.back() == 'M') text = trimmed(text.substr(0, text.size() - 1));
    if (!isPlainNumber(text)) return {Entry::Refused, 0};
    const int32_t metres = roundHalfEven(leadingNumber(text));
    if (metres < 1 || metres > kMaxContourInterval) return {Entry::Refused, 0};
    return {Entry::Accepted, metres};
}

// Asks for the "任意" interval; nothing when the user cancels or the answer is refused.
std::optional<int> askInterval(Dialogs& dialogs) {
    const IntervalAnswer answer = readInterval(dialogs.input(kAskPrompt, kAskTitle, ""));
    switch (answer.entry) {
    case Entry::Accepted: return answer.interval;
    case Entry::Refused:
        dialogs.message(kRefusedText, kAskTitle, Buttons::Ok, Icon::Warning);
        break;
    case Entry::Cancelled: break;
    }
    return std::nullopt;
}

void uncheckIntervalTools(MenuModel& menus) {
    for (int tool = 1; tool <= kIntervalTools; ++tool) menus.setChecked(toolId(tool), false);
}

}  // namespace

Colour thinContourColour(const ColourSet& set, float tint) {
    const ColourBand& band = set[kContourBand];
    return makeColour(paleComponent(band.red, tint), paleComponent(band.green, tint),
                      paleComponent(band.blue, tint));
}

Colour indexContourColour(const ColourSet& set) {
    const ColourBand& band = set[kContourBand];
    return makeColour(band.red, band.green, band.blue);
}

void drawContours(MapContext& ctx) {
    const int interval = ctx.state.contourInterval;
    if (interval <= 0) return;
    AppState& state = ctx.state;
    MapPictures& pictures = ctx.pictures;
    DrawingSurface& buffer = pictures.buffer;

    const ColourSet& set = state.settings.colourTable[static_cast<size_t>(
        std::clamp<int>(state.settings.colourSetIndex, 0, kColourSets - 1))];
    const Colour thin = thinContourColour(set, state.contourTint);
    const Colour index = indexContourColour(set);

    // 1. The visible picture waits for the result; the strip shows the progress.
    pictures.map.clear();
    buffer.setDrawWidth(1);
    ctx.map.progressVisible = true;
    ctx.map.notify();

    // 2.-3. The strip before every row, then the row's pixels.
    ProgressStrip strip(pictures.progress, integerText(interval) + kProgressSuffix);
    const auto progress = [&strip](int row) { strip.show(roundHalfEven((row - 1) / 2.0)); };
    paintContourRows(state.elevationGrid, currentLevelIndex(state), interval, thin, index, buffer,
                     progress);

    // 4. Show the result.
    pictures.map.setImage(buffer.image());
    pictures.map.show();
    ctx.map.progressVisible = false;
    ctx.map.statusPanels[0].clear();
    ctx.map.notify();
}

void chooseContourInterval(MapContext& ctx, int tool) {
    if (tool < 1 || tool > kIntervalTools) return;
    if (ctx.menus.isChecked(toolId(tool))) return;

    // The interval is settled first, so a cancelled or refused answer leaves the tools and
    // the picture exactly as they were.
    int interval = kToolIntervals[static_cast<size_t>(tool) % kToolIntervals.size()];
    if (tool == kAnyIntervalTool) {
        const std::optional<int> asked = askInterval(ctx.dialogs);
        if (!asked) return;
        interval = *asked;
    }

    uncheckIntervalTools(ctx.menus);
    ctx.state.contourInterval = static_cast<int16_t>(interval);
    ctx.menus.setChecked(toolId(tool), true);
    if (tool == kAnyIntervalTool)
        ctx.menus.setCaption(toolId(tool), kAnyCaptionPrefix + integerText(interval) + "m");
    showContours(ctx);
}

void clearContours(MapContext& ctx) {
    uncheckIntervalTools(ctx.menus);
    ctx.menus.setCaption(toolId(kAnyIntervalTool), kAnyCaption);
    ctx.state.contoursShown = false;
    redrawMap(ctx);
    if (ctx.drawOverlays) ctx.drawOverlays();
}

void showContoursOrAskInterval(MapContext& ctx) {
    if (ctx.state.contourInterval <= 0) {
        chooseContourInterval(ctx, kAnyIntervalTool);
        return;
    }
    showContours(ctx);
}

}  // namespace orv
