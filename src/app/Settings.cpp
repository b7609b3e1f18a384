#include "app/Settings.h"

#include "core/Characters.h"
#include "core/Colour.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "core/ShownText.h"
#include "terrain/TileSources.h"

#include <algorithm>
#include <cfloat>

namespace orv {

namespace {

// Sections and keys, in the order they are written.
constexpr std::array<std::string_view, kColourSets> kColourSetSections{
    "DefColor", "User 1", "User 2", "User 3", "User 4"};
constexpr std::array<std::string_view, kColourBands> kColourRowKeys{
    "Om 以下", "1000m  ", "2000m  ", "3000m  ", "4000m  ", "5000m  ", "等高線  "};

constexpr std::string_view kLineColourSection = "LineColor";
constexpr std::string_view kRidgeColourKey = "尾根筋";
constexpr std::string_view kValleyColourKey = "谷根筋";
constexpr std::string_view kTrackColourKey = "TRKライン";
constexpr std::string_view kReferenceColourKey = "参照ルートライン";

constexpr std::string_view kConfigSection = "Config";
constexpr std::string_view kDemUnusedKey = "数値地図使用可否";
constexpr std::string_view kDemMediaKey = "数値地図メディア";
constexpr std::string_view kBackgroundMethodKey = "背景描画方法";
constexpr std::string_view kColourSetIndexKey = "背景描画色モード";
constexpr std::string_view kBackgroundLevelKey = "等高線描画時色調整";
constexpr std::array<std::string_view, kColourSets> kRegisteredSetKeys{
    "基準色作成フラグ", "ユーザー色１フラグ", "ユーザー色２フラグ", "ユーザー色３フラグ",
    "ユーザー色４フラグ"};
constexpr std::string_view kRidgeWidthKey = "尾根筋線幅";
constexpr std::string_view kValleyWidthKey = "谷筋線幅";
constexpr std::string_view kCdromDriveKey = "CD-ROMﾄﾞﾗｲﾌﾞ";
constexpr std::string_view kMountainFileKey = "山名ﾌｧｲﾙﾊﾟｽ";
constexpr std::string_view kTileUrlKey = "標高ﾀｲﾙURL";

constexpr std::string_view kBasisSection = "BasisData";
constexpr std::string_view kClimbSpeedKey = "登り歩行速度";
constexpr std::string_view kDescentSpeedKey = "下り歩行速度";
constexpr std::string_view kFlatSpeedKey = "基準歩行速度";
constexpr std::string_view kShortRestKey = "小休止時間";
constexpr std::string_view kLongRestKey = "大休止時間";

// Defaults taken for a stored "0".
constexpr std::array<int16_t, 3> kRidgeColourDefault{192, 192, 192};   // blue, green, red
constexpr std::array<int16_t, 3> kValleyColourDefault{255, 0, 0};      // blue, green, red
constexpr std::array<int16_t, 3> kTrackColourDefault{255, 0, 0};       // red, green, blue
constexpr std::array<int16_t, 3> kReferenceColourDefault{128, 255, 255};  // red, green, blue
constexpr std::array<int16_t, kColourSets> kRegisteredSetDefaults{1, 0, 0, 0, 0};
constexpr float kBackgroundLevelDefault = 0.9f;
constexpr int16_t kRidgeWidthDefault = 3;
constexpr int16_t kValleyWidthDefault = 1;
constexpr float kClimbSpeedDefault = 300;
constexpr float kDescentSpeedDefault = 500;
constexpr float kFlatSpeedDefault = 4;
constexpr int16_t kShortRestDefault = 5;
constexpr int16_t kLongRestDefault = 60;

// Ranges the drawing code relies on.
constexpr int16_t kMinLineWidth = 1;
constexpr int16_t kMaxLineWidth = 5;
constexpr int16_t kLastBackgroundMethod = 3;
constexpr int16_t kLastColourSet = kColourSets - 1;

constexpr size_t kFieldWidth = 13;
constexpr size_t kElevationCharacters = 4;

// The stored text that stands for "not set".
constexpr std::string_view kNotSet = "0";

// Writes `text` into `field` from the 1-based `column` on, over whatever is there; characters
// that would fall past the field's end are dropped, so the field keeps its width.
void writeOver(std::string& field, size_t column, std::string_view text) {
    for (size_t i = 0; i < text.size() && column - 1 + i < field.size(); ++i)
        field[column - 1 + i] = text[i];
}

// Leading number of the characters in the 1-based columns first .. first + count - 1. A
// stray multi-byte character takes one column.
double columnNumber(std::string_view text, size_t first, size_t count) {
    return leadingNumber(characterSlice(text, first - 1, count));
}

int16_t colourPart(double v) { return std::clamp<int16_t>(roundToInt16(v), 0, 255); }

// A double that fits float32: beyond its range it is held at the largest float.
float toFloat32(double v) { return static_cast<float>(std::clamp<double>(v, -FLT_MAX, FLT_MAX)); }

// Reads the values of one section, each with its default for "0".
class SectionReader {
public:
    SectionReader(const IniStore& store, std::string_view section)
        : store_(store), section_(section) {}

    int16_t int16(std::string_view key, int16_t fallback) const {
        const std::string text = store_.get(section_, key);
        return text == kNotSet ? fallback : roundToInt16(leadingNumber(text));
    }
    float float32(std::string_view key, float fallback) const {
        const std::string text = store_.get(section_, key);
        return text == kNotSet ? fallback : toFloat32(leadingNumber(text));
    }
    std::string text(std::string_view key) const {
        std::string value = store_.get(section_, key);
        return value == kNotSet ? std::string() : value;
    }
    std::array<int16_t, 3> lineColour(std::string_view key,
                                      const std::array<int16_t, 3>& fallback) const {
        return parseLineColour(store_.get(section_, key), fallback);
    }
    // A walking speed divides distances: one that is not above 0 takes its default.
    float speed(std::string_view key, float fallback) const {
        const float value = float32(key, fallback);
        return value > 0.0f ? value : fallback;
    }
    int16_t clamped(std::string_view key, int16_t fallback, int16_t lowest, int16_t highest) const {
        return std::clamp(int16(key, fallback), lowest, highest);
    }

private:
    const IniStore& store_;
    std::string_view section_;
};

// Writes the values of one section in their stored forms.
class SectionWriter {
public:
    SectionWriter(IniStore& store, std::string_view section) : store_(store), section_(section) {}

    void int16(std::string_view key, int16_t value) const {
        store_.set(section_, key, integerText(value));
    }
    void float32(std::string_view key, float value) const {
        store_.set(section_, key, shortestText(value));
    }
    void text(std::string_view key, std::string_view value) const {
        store_.set(section_, key, value);
    }
    void lineColour(std::string_view key, int first, int second, int third) const {
        store_.set(section_, key, lineColourText(first, second, third));
    }

private:
    IniStore& store_;
    std::string_view section_;
};

Colour colourFromRgb(const std::array<int16_t, 3>& rgb) {
    return makeColour(rgb[0], rgb[1], rgb[2]);
}

}  // namespace

std::string colourRowText(const ColourBand& band) {
    std::string field(kFieldWidth, ' ');
    writeOver(field, 1, integerText(band.blue));
    writeOver(field, 4, integerText(band.green));
    writeOver(field, 7, integerText(band.red));
    writeOver(field, 10, shortestText(band.elevation).substr(0, kElevationCharacters));
    return field;
}

ColourBand parseColourRow(std::string_view text) {
    if (text == kNotSet) return ColourBand{};
    ColourBand band;
    band.blue = colourPart(columnNumber(text, 1, 3));
    band.green = colourPart(columnNumber(text, 4, 3));
    band.red = colourPart(columnNumber(text, 7, 3));
    band.elevation = toFloat32(columnNumber(text, 10, 4));
    return band;
}

std::string lineColourText(int first, int second, int third) {
    std::string field(kFieldWidth, ' ');
    writeOver(field, 1, integerText(first));
    writeOver(field, 4, integerText(second));
    writeOver(field, 7, integerText(third));
    return field;
}

std::array<int16_t, 3> parseLineColour(std::string_view text,
                                       const std::array<int16_t, 3>& fallback) {
    if (text == kNotSet) return fallback;
    return {colourPart(columnNumber(text, 1, 3)), colourPart(columnNumber(text, 4, 3)),
            colourPart(columnNumber(text, 7, 3))};
}

std::string unusableTileUrlMessage(const std::string& stored) {
    return "設定の標高タイルのURL「" + shownFileText(stored) +
           "」には {z} {x} {y} がありません。\r\n国土地理院の標高タイルのURLを使います。";
}

std::vector<std::string> loadSettings(AppState& state, const IniStore& store) {
    SettingsValues& s = state.settings;
    std::vector<std::string> notes;

    s.colourTable[0] = kDefaultColourSet;
    for (size_t set = 1; set < kColourSets; ++set) {
        for (size_t row = 0; row < kColourBands; ++row) {
            const std::string text = store.get(kColourSetSections[set], kColourRowKeys[row]);
            s.colourTable[set][row] = parseColourRow(text);
        }
    }

    const SectionReader lines(store, kLineColourSection);
    const auto ridge = lines.lineColour(kRidgeColourKey, kRidgeColourDefault);
    s.ridgeLine.blue = ridge[0];
    s.ridgeLine.green = ridge[1];
    s.ridgeLine.red = ridge[2];
    const auto valley = lines.lineColour(kValleyColourKey, kValleyColourDefault);
    s.valleyLine.blue = valley[0];
    s.valleyLine.green = valley[1];
    s.valleyLine.red = valley[2];
    s.trackLineColour = colourFromRgb(lines.lineColour(kTrackColourKey, kTrackColourDefault));
    s.referenceLineColour =
        colourFromRgb(lines.lineColour(kReferenceColourKey, kReferenceColourDefault));

    const SectionReader config(store, kConfigSection);
    state.demUnused = config.int16(kDemUnusedKey, 0);
    state.demMedia = config.int16(kDemMediaKey, 0);
    s.backgroundMethod = config.clamped(kBackgroundMethodKey, 0, 0, kLastBackgroundMethod);
    s.colourSetIndex = config.clamped(kColourSetIndexKey, 0, 0, kLastColourSet);
    s.savedBackgroundLevel = config.float32(kBackgroundLevelKey, kBackgroundLevelDefault);
    for (size_t set = 0; set < kColourSets; ++set)
        s.registeredSets[set] = config.int16(kRegisteredSetKeys[set], kRegisteredSetDefaults[set]);
    s.ridgeLine.width =
        config.clamped(kRidgeWidthKey, kRidgeWidthDefault, kMinLineWidth, kMaxLineWidth);
    s.valleyLine.width =
        config.clamped(kValleyWidthKey, kValleyWidthDefault, kMinLineWidth, kMaxLineWidth);
    s.cdromDriveText = config.text(kCdromDriveKey);
    state.mountainFilePath = config.text(kMountainFileKey);
    s.tileUrlSetting = config.text(kTileUrlKey);
    if (!s.tileUrlSetting.empty() && !terrain::isUsableTileSetting(s.tileUrlSetting)) {
        notes.push_back(unusableTileUrlMessage(s.tileUrlSetting));
        s.tileUrlSetting.clear();
    }

    const SectionReader basis(store, kBasisSection);
    s.climbSpeed = basis.speed(kClimbSpeedKey, kClimbSpeedDefault);
    s.descentSpeed = basis.speed(kDescentSpeedKey, kDescentSpeedDefault);
    s.flatSpeed = basis.speed(kFlatSpeedKey, kFlatSpeedDefault);
    s.shortRest = basis.int16(kShortRestKey, kShortRestDefault);
    s.longRest = basis.int16(kLongRestKey, kLongRestDefault);
    return notes;
}

void saveSettings(const AppState& state, IniStore& store) {
    const SettingsValues& s = state.settings;

    for (size_t set = 0; set < kColourSets; ++set) {
        for (size_t row = 0; row < kColourBands; ++row) {
            store.set(kColourSetSections[set], kColourRowKeys[row],
                      colourRowText(s.colourTable[set][row]));
        }
    }

    const SectionWriter lines(store, kLineColourSection);
    lines.lineColour(kRidgeColourKey, s.ridgeLine.blue, s.ridgeLine.green, s.ridgeLine.red);
    lines.lineColour(kValleyColourKey, s.valleyLine.blue, s.valleyLine.green, s.valleyLine.red);
    const Colour track = s.trackLineColour;
    lines.lineColour(kTrackColourKey, redOf(track), greenOf(track), blueOf(track));
    const Colour reference = s.referenceLineColour;
    lines.lineColour(kReferenceColourKey, redOf(reference), greenOf(reference), blueOf(reference));

    const SectionWriter config(store, kConfigSection);
    config.int16(kDemUnusedKey, state.demUnused);
    config.int16(kDemMediaKey, state.demMedia);
    config.int16(kBackgroundMethodKey, s.backgroundMethod);
    config.int16(kColourSetIndexKey, s.colourSetIndex);
    config.float32(kBackgroundLevelKey, s.savedBackgroundLevel);
    for (size_t set = 0; set < kColourSets; ++set)
        config.int16(kRegisteredSetKeys[set], s.registeredSets[set]);
    config.int16(kRidgeWidthKey, s.ridgeLine.width);
    config.int16(kValleyWidthKey, s.valleyLine.width);
    config.text(kCdromDriveKey, s.cdromDriveText);
    config.text(kMountainFileKey, state.mountainFilePath);
    config.text(kTileUrlKey, s.tileUrlSetting);

    const SectionWriter basis(store, kBasisSection);
    basis.float32(kClimbSpeedKey, s.climbSpeed);
    basis.float32(kDescentSpeedKey, s.descentSpeed);
    basis.float32(kFlatSpeedKey, s.flatSpeed);
    basis.int16(kShortRestKey, s.shortRest);
    basis.int16(kLongRestKey, s.longRest);
}

}  // namespace orv
