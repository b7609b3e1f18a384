// The settings store: the file format, the row codecs, loading with defaults and guards, and
// saving in table order.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "app/Settings.h"
#include "core/Colour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "orv-settings-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        // A test may have left the folder read-only.
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<AppState> newState() { return std::make_unique<AppState>(); }

struct Setting {
    const char* section;
    const char* key;
    const char* value;
};

// Every key in the order it is written, with the text an empty store leads to.
const std::vector<Setting> kDefaultFile = {
    {"DefColor", "Om 以下", "234180126-1  "},
    {"DefColor", "1000m  ", "20 15020 0   "},
    {"DefColor", "2000m  ", "0  2002001000"},
    {"DefColor", "3000m  ", "0  71 1352000"},
    {"DefColor", "4000m  ", "6  47 83 3000"},
    {"DefColor", "5000m  ", "0  94 1034000"},
    {"DefColor", "等高線  ", "82 1051160   "},
    {"User 1", "Om 以下", "0  0  0  0   "},
    {"User 1", "1000m  ", "0  0  0  0   "},
    {"User 1", "2000m  ", "0  0  0  0   "},
    {"User 1", "3000m  ", "0  0  0  0   "},
    {"User 1", "4000m  ", "0  0  0  0   "},
    {"User 1", "5000m  ", "0  0  0  0   "},
    {"User 1", "等高線  ", "0  0  0  0   "},
    {"User 2", "Om 以下", "0  0  0  0   "},
    {"User 2", "1000m  ", "0  0  0  0   "},
    {"User 2", "2000m  ", "0  0  0  0   "},
    {"User 2", "3000m  ", "0  0  0  0   "},
    {"User 2", "4000m  ", "0  0  0  0   "},
    {"User 2", "5000m  ", "0  0  0  0   "},
    {"User 2", "等高線  ", "0  0  0  0   "},
    {"User 3", "Om 以下", "0  0  0  0   "},
    {"User 3", "1000m  ", "0  0  0  0   "},
    {"User 3", "2000m  ", "0  0  0  0   "},
    {"User 3", "3000m  ", "0  0  0  0   "},
    {"User 3", "4000m  ", "0  0  0  0   "},
    {"User 3", "5000m  ", "0  0  0  0   "},
    {"User 3", "等高線  ", "0  0  0  0   "},
    {"User 4", "Om 以下", "0  0  0  0   "},
    {"User 4", "1000m  ", "0  0  0  0   "},
    {"User 4", "2000m  ", "0  0  0  0   "},
    {"User 4", "3000m  ", "0  0  0  0   "},
    {"User 4", "4000m  ", "0  0  0  0   "},
    {"User 4", "5000m  ", "0  0  0  0   "},
    {"User 4", "等高線  ", "0  0  0  0   "},
    {"LineColor", "尾根筋", "192192192    "},
    {"LineColor", "谷根筋", "2550  0      "},
    {"LineColor", "TRKライン", "2550  0      "},
    {"LineColor", "参照ルートライン", "128255255    "},
    {"Config", "数値地図使用可否", "0"},
    {"Config", "数値地図メディア", "0"},
    {"Config", "背景描画方法", "0"},
    {"Config", "背景描画色モード", "0"},
    {"Config", "等高線描画時色調整", ".9"},
    {"Config", "基準色作成フラグ", "1"},
    {"Config", "ユーザー色１フラグ", "0"},
    {"Config", "ユーザー色２フラグ", "0"},
    {"Config", "ユーザー色３フラグ", "0"},
    {"Config", "ユーザー色４フラグ", "0"},
    {"Config", "尾根筋線幅", "3"},
    {"Config", "谷筋線幅", "1"},
    {"Config", "CD-ROMﾄﾞﾗｲﾌﾞ", ""},
    {"Config", "山名ﾌｧｲﾙﾊﾟｽ", ""},
    {"Config", "標高ﾀｲﾙURL", ""},
    {"BasisData", "登り歩行速度", "300"},
    {"BasisData", "下り歩行速度", "500"},
    {"BasisData", "基準歩行速度", "4"},
    {"BasisData", "小休止時間", "5"},
    {"BasisData", "大休止時間", "60"},
};

// The file's lines for a list of settings: a section line whenever the section changes.
std::vector<std::string> fileLines(const std::vector<Setting>& settings) {
    std::vector<std::string> lines;
    std::string section;
    for (const Setting& s : settings) {
        if (lines.empty() || section != s.section) {
            section = s.section;
            lines.push_back("[" + section + "]");
        }
        lines.push_back(std::string(s.key) + "=" + s.value);
    }
    return lines;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find('\n', pos);
        lines.push_back(text.substr(pos, end - pos));
        if (end == std::string::npos) break;
        pos = end + 1;
    }
    return lines;
}

// Asserts the state holds every default of the table.
void expectDefaults(const AppState& state) {
    const SettingsValues& s = state.settings;
    EXPECT_EQ(s.colourTable[0], kDefaultColourSet);
    for (int set = 1; set < kColourSets; ++set)
        EXPECT_EQ(s.colourTable[set], ColourSet{}) << "set " << set;
    EXPECT_EQ(s.ridgeLine.blue, 192);
    EXPECT_EQ(s.ridgeLine.green, 192);
    EXPECT_EQ(s.ridgeLine.red, 192);
    EXPECT_EQ(s.ridgeLine.width, 3);
    EXPECT_EQ(s.valleyLine.blue, 255);
    EXPECT_EQ(s.valleyLine.green, 0);
    EXPECT_EQ(s.valleyLine.red, 0);
    EXPECT_EQ(s.valleyLine.width, 1);
    EXPECT_EQ(s.trackLineColour, makeColour(255, 0, 0));
    EXPECT_EQ(s.referenceLineColour, makeColour(128, 255, 255));
    EXPECT_EQ(state.demUnused, 0);
    EXPECT_EQ(state.demMedia, 0);
    EXPECT_EQ(s.backgroundMethod, 0);
    EXPECT_EQ(s.colourSetIndex, 0);
    EXPECT_EQ(s.savedBackgroundLevel, 0.9f);
    EXPECT_EQ(s.registeredSets, (std::array<int16_t, kColourSets>{1, 0, 0, 0, 0}));
    EXPECT_EQ(s.cdromDriveText, "");
    EXPECT_EQ(state.mountainFilePath, "");
    EXPECT_EQ(s.climbSpeed, 300.0f);
    EXPECT_EQ(s.descentSpeed, 500.0f);
    EXPECT_EQ(s.flatSpeed, 4.0f);
    EXPECT_EQ(s.shortRest, 5);
    EXPECT_EQ(s.longRest, 60);
}

// ---------------------------------------------------------------------------------------
// Row codecs

TEST(SettingsRows, ColourRowText) {
    struct Case {
        ColourBand band;
        const char* text;
    };
    const Case cases[] = {
        {{234, 180, 126, -1.0f}, "234180126-1  "},
        {{20, 150, 20, 0.0f}, "20 15020 0   "},
        {{255, 0, 0, 1500.0f}, "2550  0  1500"},
        {{0, 0, 0, 0.5f}, "0  0  0  .5  "},
        {{0, 0, 0, 12345.0f}, "0  0  0  1234"},  // elevation cut to four characters
        {{0, 0, 0, -1.25f}, "0  0  0  -1.2"},
        // A number longer than its columns runs on and the next number is written over it.
        {{-100, 5, 6, 7.0f}, "-105  6  7   "},
        {{1, 2, 1000, 9.0f}, "1  2  1009   "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string text = colourRowText(c.band);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(text.size(), 13u);
    }
}

TEST(SettingsRows, ParseColourRow) {
    struct Case {
        const char* text;
        ColourBand band;
    };
    const Case cases[] = {
        {"2550  0  1500", {255, 0, 0, 1500.0f}},
        {"20 15020 0   ", {20, 150, 20, 0.0f}},
        {"234180126-1  ", {234, 180, 126, -1.0f}},
        {"0", {0, 0, 0, 0.0f}},
        {"0  ", {0, 0, 0, 0.0f}},
        {"", {0, 0, 0, 0.0f}},
        {"12", {12, 0, 0, 0.0f}},                 // shorter text: empty columns read 0
        {"1  2  3  4.5", {1, 2, 3, 4.5f}},
        {"2.53.54.5", {2, 4, 4, 0.0f}},           // halves to even
        {"abcdefghijklm", {0, 0, 0, 0.0f}},
        {"１２３45 6  7", {0, 45, 6, 7.0f}},        // columns count characters, not bytes
        {"99999999999999", {255, 255, 255, 9999.0f}},
        {"-5 1e9", {0, 255, 0, 0.0f}},            // colour parts kept within 0..255
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseColourRow(c.text), c.band);
    }
}

TEST(SettingsRows, LineColours) {
    EXPECT_EQ(lineColourText(192, 192, 192), "192192192    ");
    EXPECT_EQ(lineColourText(255, 0, 0), "2550  0      ");
    EXPECT_EQ(lineColourText(1, 22, 133), "1  22 133    ");

    const std::array<int16_t, 3> fallback{7, 8, 9};
    struct Case {
        const char* text;
        std::array<int16_t, 3> values;
    };
    const Case cases[] = {
        {"0", {7, 8, 9}},
        {"192192192    ", {192, 192, 192}},
        {"2550  0", {255, 0, 0}},
        {"", {0, 0, 0}},
        {"x  12 999", {0, 12, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseLineColour(c.text, fallback), c.values);
    }
}

// ---------------------------------------------------------------------------------------
// Loading and saving

TEST(Settings, EmptyStoreLoadsDefaultsAndSavesEveryKeyInOrder) {
    auto state = newState();
    state->settings.colourTable[0][3] = ColourBand{1, 2, 3, 4.0f};  // table 0 is always rebuilt
    IniStore empty;
    loadSettings(*state, empty);
    expectDefaults(*state);

    IniStore saved;
    saveSettings(*state, saved);
    const std::vector<std::string> expected = fileLines(kDefaultFile);
    const std::vector<std::string> lines = splitLines(saved.text());
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
}

TEST(Settings, LoadsStoredNumbersWithDefaultsAndGuards) {
    using Getter = std::function<double(const AppState&)>;
    const Getter climb = [](const AppState& s) { return s.settings.climbSpeed; };
    const Getter descent = [](const AppState& s) { return s.settings.descentSpeed; };
    const Getter flat = [](const AppState& s) { return s.settings.flatSpeed; };
    const Getter shortRest = [](const AppState& s) { return s.settings.shortRest; };
    const Getter longRest = [](const AppState& s) { return s.settings.longRest; };
    const Getter level = [](const AppState& s) { return s.settings.savedBackgroundLevel; };
    const Getter setIndex = [](const AppState& s) { return s.settings.colourSetIndex; };
    const Getter method = [](const AppState& s) { return s.settings.backgroundMethod; };
    const Getter ridgeWidth = [](const AppState& s) { return s.settings.ridgeLine.width; };
    const Getter valleyWidth = [](const AppState& s) { return s.settings.valleyLine.width; };
    const Getter set0 = [](const AppState& s) { return s.settings.registeredSets[0]; };
    const Getter set3 = [](const AppState& s) { return s.settings.registeredSets[3]; };
    const Getter demUnused = [](const AppState& s) { return s.demUnused; };
    const Getter demMedia = [](const AppState& s) { return s.demMedia; };

    struct Case {
        const char* section;
        const char* key;
        const char* stored;
        const Getter* field;
        double expected;
    };
    const Case cases[] = {
        {"BasisData", "登り歩行速度", "0", &climb, 300},  // "0" means not set
        {"BasisData", "登り歩行速度", "250.5", &climb, 250.5},
        {"BasisData", "登り歩行速度", "-20", &climb, 300},   // not a usable divisor
        {"BasisData", "下り歩行速度", "abc", &descent, 500},  // reads 0: not a usable divisor
        {"BasisData", "基準歩行速度", "3.5km", &flat, 3.5},
        {"BasisData", "小休止時間", "abc", &shortRest, 0},   // not a number reads 0
        {"BasisData", "小休止時間", "7.5", &shortRest, 8},
        {"BasisData", "小休止時間", "6.5", &shortRest, 6},
        {"BasisData", "大休止時間", "99999", &longRest, 32767},
        {"BasisData", "大休止時間", " 45", &longRest, 45},
        {"Config", "等高線描画時色調整", "0", &level, 0.9f},
        {"Config", "等高線描画時色調整", ".75", &level, 0.75},
        {"Config", "等高線描画時色調整", "x.9", &level, 0},
        {"Config", "等高線描画時色調整", "1e300", &level, FLT_MAX},
        {"Config", "背景描画色モード", "3", &setIndex, 3},
        {"Config", "背景描画色モード", "7", &setIndex, 4},
        {"Config", "背景描画色モード", "-2", &setIndex, 0},
        {"Config", "背景描画方法", "2", &method, 2},
        {"Config", "背景描画方法", "9", &method, 3},
        {"Config", "尾根筋線幅", "0", &ridgeWidth, 3},
        {"Config", "尾根筋線幅", "4", &ridgeWidth, 4},
        {"Config", "尾根筋線幅", "9", &ridgeWidth, 5},
        {"Config", "尾根筋線幅", "-1", &ridgeWidth, 1},
        {"Config", "谷筋線幅", "abc", &valleyWidth, 1},
        {"Config", "基準色作成フラグ", "0", &set0, 1},
        {"Config", "基準色作成フラグ", "-1", &set0, -1},
        {"Config", "ユーザー色３フラグ", "1", &set3, 1},
        {"Config", "数値地図使用可否", "1", &demUnused, 1},
        {"Config", "数値地図メディア", "1", &demMedia, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = \"" + c.stored + "\"");
        IniStore store;
        store.set(c.section, c.key, c.stored);
        auto state = newState();
        loadSettings(*state, store);
        EXPECT_DOUBLE_EQ((*c.field)(*state), c.expected);
    }
}

TEST(Settings, LoadsRowsColoursAndTexts) {
    IniStore store;
    store.set("User 2", "1000m  ", "2550  0  1500");
    store.set("User 4", "等高線  ", "0");
    store.set("DefColor", "Om 以下", "1  1  1  1   ");  // ignored: table 0 is built in
    store.set("LineColor", "谷根筋", "1  2  3");         // blue, green, red
    store.set("LineColor", "TRKライン", "0  0  255");    // red, green, blue
    store.set("LineColor", "参照ルートライン", "10 20 30 ");
    store.set("Config", "山名ﾌｧｲﾙﾊﾟｽ", "/home/a b/山名.ndb  ");
    store.set("Config", "CD-ROMﾄﾞﾗｲﾌﾞ", "0");

    auto state = newState();
    state->settings.colourTable[4][6] = ColourBand{9, 9, 9, 9.0f};
    loadSettings(*state, store);
    const SettingsValues& s = state->settings;

    EXPECT_EQ(s.colourTable[2][1], (ColourBand{255, 0, 0, 1500.0f}));
    EXPECT_EQ(s.colourTable[4][6], ColourBand{});
    EXPECT_EQ(s.colourTable[0], kDefaultColourSet);
    EXPECT_EQ(s.valleyLine.blue, 1);
    EXPECT_EQ(s.valleyLine.green, 2);
    EXPECT_EQ(s.valleyLine.red, 3);
    EXPECT_EQ(s.ridgeLine.blue, 192);  // missing key: default
    EXPECT_EQ(s.trackLineColour, colours::blue);
    EXPECT_EQ(s.referenceLineColour, makeColour(10, 20, 30));
    EXPECT_EQ(state->mountainFilePath, "/home/a b/山名.ndb  ");
    EXPECT_EQ(s.cdromDriveText, "");
}

// The tile URL setting: a usable value comes back as stored, "0" and an empty text mean the
// survey's tiles, and a value without {z} {x} {y} is dropped with a message that quotes it.
TEST(Settings, TileUrlSettingRoundTripAndUnusableValue) {
    const std::string own = "https://tiles.example/dem/{z}/{x}/{y}.txt 13";
    const struct {
        const char* stored;
        std::string loaded;
        bool told;
    } cases[] = {
        {"https://tiles.example/dem/{z}/{x}/{y}.txt 13", own, false},
        {"0", "", false},
        {"", "", false},
        {"https://tiles.example/dem/14/1/2.txt", "", true},
        {"13", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        IniStore store;
        store.set("Config", "標高ﾀｲﾙURL", c.stored);
        auto state = newState();
        const std::vector<std::string> notes = loadSettings(*state, store);
        EXPECT_EQ(state->settings.tileUrlSetting, c.loaded);
        if (c.told) {
            ASSERT_EQ(notes.size(), 1u);
            EXPECT_EQ(notes[0], std::string("設定の標高タイルのURL「") + c.stored +
                                    "」には {z} {x} {y} がありません。\r\n国土地理院の標高タイルのURLを使います。");
        } else {
            EXPECT_TRUE(notes.empty());
        }
        IniStore saved;
        saveSettings(*state, saved);
        EXPECT_EQ(saved.get("Config", "標高ﾀｲﾙURL"), c.loaded);
    }
}

TEST(Settings, EveryFieldSurvivesSaveAndLoadThroughTheFile) {
    TempFolder folder;
    const fs::path path = folder.path() / "Orvane2" / "Orvane2.ini";

    auto before = newState();
    SettingsValues& s = before->settings;
    for (int set = 0; set < kColourSets; ++set) {
        for (int row = 0; row < kColourBands; ++row) {
            // Elevations that fit the four characters of their columns.
            const float elevation = row == 0 ? -1.5f : static_cast<float>(row * 500 - 1);
            s.colourTable[set][row] = ColourBand{static_cast<int16_t>(set * 40 + row),
                                                 static_cast<int16_t>(255 - row),
                                                 static_cast<int16_t>(row * 7), elevation};
        }
    }
    s.registeredSets = {-1, 1, 0, -1, 1};
    s.ridgeLine = {10, 20, 30, 5};
    s.valleyLine = {40, 50, 60, 2};
    s.trackLineColour = makeColour(1, 2, 3);
    s.referenceLineColour = makeColour(250, 128, 7);
    s.backgroundMethod = 3;
    s.colourSetIndex = 2;
    s.savedBackgroundLevel = 0.35f;
    s.cdromDriveText = "/media/cdrom0 ";
    s.climbSpeed = 412.5f;
    s.descentSpeed = 650;
    s.flatSpeed = 3.2f;
    s.shortRest = 10;
    s.longRest = 45;
    before->demUnused = 1;
    before->demMedia = 1;
    before->mountainFilePath = "/data/山名 一覧.ndb";
    s.tileUrlSetting = "https://a/{z}/{x}/{y}.png 15 https://b/{z}/{x}/{y}.txt 14";

    IniStore written;
    saveSettings(*before, written);
    ASSERT_TRUE(writeSettingsFile(path, written).ok());

    const Result<IniStore> reread = readSettingsFile(path);
    ASSERT_TRUE(reread.ok());
    const IniStore& read = *reread;
    auto after = newState();
    loadSettings(*after, read);
    const SettingsValues& t = after->settings;

    // Table 0 is written as it stands but always loaded from the built-in set.
    EXPECT_EQ(read.get("DefColor", "Om 以下"), colourRowText(s.colourTable[0][0]));
    EXPECT_EQ(t.colourTable[0], kDefaultColourSet);
    for (int set = 1; set < kColourSets; ++set)
        EXPECT_EQ(t.colourTable[set], s.colourTable[set]) << "set " << set;
    EXPECT_EQ(t.registeredSets, s.registeredSets);
    EXPECT_EQ(t.ridgeLine.blue, 10);
    EXPECT_EQ(t.ridgeLine.green, 20);
    EXPECT_EQ(t.ridgeLine.red, 30);
    EXPECT_EQ(t.ridgeLine.width, 5);
    EXPECT_EQ(t.valleyLine.blue, 40);
    EXPECT_EQ(t.valleyLine.green, 50);
    EXPECT_EQ(t.valleyLine.red, 60);
    EXPECT_EQ(t.valleyLine.width, 2);
    EXPECT_EQ(t.trackLineColour, s.trackLineColour);
    EXPECT_EQ(t.referenceLineColour, s.referenceLineColour);
    EXPECT_EQ(t.backgroundMethod, 3);
    EXPECT_EQ(t.colourSetIndex, 2);
    EXPECT_EQ(t.savedBackgroundLevel, 0.35f);
    EXPECT_EQ(t.cdromDriveText, "/media/cdrom0 ");
    EXPECT_EQ(t.climbSpeed, 412.5f);
    EXPECT_EQ(t.descentSpeed, 650.0f);
    EXPECT_EQ(t.flatSpeed, 3.2f);
    EXPECT_EQ(t.shortRest, 10);
    EXPECT_EQ(t.longRest, 45);
    EXPECT_EQ(after->demUnused, 1);
    EXPECT_EQ(after->demMedia, 1);
    EXPECT_EQ(after->mountainFilePath, "/data/山名 一覧.ndb");
    EXPECT_EQ(t.tileUrlSetting, s.tileUrlSetting);

    // Saving the loaded state over the loaded store keeps every key in its place.
    IniStore again = read;
    saveSettings(*after, again);
    EXPECT_EQ(splitLines(again.text()).size(), fileLines(kDefaultFile).size());
}

TEST(Settings, UnusableFilesGiveDefaults) {
    TempFolder folder;
    const fs::path path = folder.path() / "Orvane2.ini";
    const std::string valid = "[BasisData]\n登り歩行速度=100\n";

    // A missing file is no file yet; the others are refused as not ours. Either way the
    // program goes on with an empty store.
    struct Case {
        const char* name;
        std::function<void()> make;
        ProblemKind problem;
    };
    const Case cases[] = {
        {"missing", [] {}, ProblemKind::NotFound},
        {"binary", [&] { writeFile(path, valid + std::string("\0\x01\x02", 3)); },
         ProblemKind::WrongEncoding},
        {"not UTF-8", [&] { writeFile(path, valid + "\xFF\xFE=1\n"); }, ProblemKind::WrongEncoding},
        {"Shift_JIS", [&] { writeFile(path, valid + "[Config]\r\n\x8E\x52\x96\xBC=1\r\n"); },
         ProblemKind::WrongEncoding},
        {"truncated UTF-8", [&] { writeFile(path, valid + "k=\xE5\xB1"); }, ProblemKind::WrongEncoding},
        {"huge", [&] {
             std::string big = valid;
             while (big.size() <= kMaxSettingsFileBytes) big += "k=v\n";
             writeFile(path, big);
         },
         ProblemKind::TooLarge},
        {"a folder", [&] { fs::create_directory(path); }, ProblemKind::NotAFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::error_code ec;
        fs::remove_all(path, ec);
        c.make();
        const Result<IniStore> read = readSettingsFile(path);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.problem().kind, c.problem);
        const IniStore store;
        auto state = newState();
        loadSettings(*state, store);
        expectDefaults(*state);
    }
}

// ---------------------------------------------------------------------------------------
// The settings file

TEST(IniStore, KeysAndValuesComeBackExactly) {
    const Setting entries[] = {
        {"Config", "等高線  ", "value with trailing blanks  "},
        {"Config", " leading", "a=b=c"},
        {"Config", "empty", ""},
        {"Config", "starts", "=x"},
        {"User 1", "Om 以下", "  1  2  3    "},
        {"Config", "last", " "},
    };
    IniStore store;
    for (const Setting& e : entries) store.set(e.section, e.key, e.value);

    TempFolder folder;
    const fs::path path = folder.path() / "a" / "b" / "Orvane2.ini";  // folders are created
    ASSERT_TRUE(writeSettingsFile(path, store).ok());
    EXPECT_EQ(fileText(path), store.text());

    const Result<IniStore> reread = readSettingsFile(path);
    ASSERT_TRUE(reread.ok());
    const IniStore& read = *reread;
    for (const Setting& e : entries) {
        SCOPED_TRACE(e.key);
        EXPECT_TRUE(read.contains(e.section, e.key));
        EXPECT_EQ(read.get(e.section, e.key), e.value);
    }
    EXPECT_EQ(read.text(), store.text());
    EXPECT_EQ(read.get("Config", "missing"), "0");
    EXPECT_EQ(read.get("Nowhere", "empty"), "0");
    EXPECT_FALSE(read.contains("Config", "missing"));
}

TEST(IniStore, KeepsFirstInsertionOrderAndReplacesLineBreaks) {
    IniStore store;
    store.set("B", "x", "1");
    store.set("A", "y", "2");
    store.set("B", "z", "3");
    store.set("B", "x", "4");  // keeps its place
    store.set("A", "line\nbreak", "one\r\ntwo\rthree");
    EXPECT_EQ(store.text(), "[B]\nx=4\nz=3\n[A]\ny=2\nline break=one  two three\n");
    EXPECT_EQ(store.get("A", "line break"), "one  two three");
}

TEST(IniStore, ParsingSkipsJunkAndToleratesCrLf) {
    const std::string bytes =
        "\xEF\xBB\xBF"
        "junk before any section\n"
        "k=no section yet\n"
        "[S]\r\n"
        "a=1\r\n"
        "a line without the sign\n"
        "\n"
        "[T]\n"
        "b= 2 \n"
        "[S]\n"
        "c=3\n"
        "a=9";
    const Result<IniStore> store = parseSettingsText(bytes);
    ASSERT_TRUE(store.ok());
    EXPECT_EQ(store->text(), "[S]\na=9\nc=3\n[T]\nb= 2 \n");
    EXPECT_FALSE(store->contains("S", "k"));
}

TEST(IniStore, DefaultPathFollowsXdgRules) {
    struct Case {
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        fs::path expected;
    };
    const Case cases[] = {
        {"/cfg", "/home/u", "/cfg/Orvane2/Orvane2.ini"},
        {std::nullopt, "/home/u", "/home/u/.config/Orvane2/Orvane2.ini"},
        {"", "/home/u", "/home/u/.config/Orvane2/Orvane2.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/Orvane2/Orvane2.ini"},
    };
    const auto current = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    };
    const std::optional<std::string> savedXdg = current("XDG_CONFIG_HOME");
    const std::optional<std::string> savedHome = current("HOME");
    const auto put = [](const char* name, const std::optional<std::string>& value) {
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    };
    for (const Case& c : cases) {
        put("XDG_CONFIG_HOME", c.xdg);
        put("HOME", c.home);
        EXPECT_EQ(defaultSettingsPath(), c.expected) << c.xdg.value_or("(unset)");
    }
    put("XDG_CONFIG_HOME", savedXdg);
    put("HOME", savedHome);
}

// A failed save leaves the old file as it was and no temporary file behind.
class IniStoreSaveFailure : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = folder_.path() / "Orvane2.ini";
        old_.set("Config", "old", "1");
        ASSERT_TRUE(writeSettingsFile(path_, old_).ok());
        newer_.set("Config", "new", std::string(64 * 1024, 'x'));
    }
    void expectOldFileIntact() {
        EXPECT_EQ(fileText(path_), old_.text());
        EXPECT_EQ(folderEntries(folder_.path()), std::vector<std::string>{"Orvane2.ini"});
    }
    TempFolder folder_;
    fs::path path_;
    IniStore old_;
    IniStore newer_;
};

TEST_F(IniStoreSaveFailure, ReadOnlyFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    fs::permissions(folder_.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(writeSettingsFile(path_, newer_).ok());
    fs::permissions(folder_.path(), fs::perms::owner_all);
    expectOldFileIntact();
}

TEST_F(IniStoreSaveFailure, WriteStopsHalfWay) {
    // A file size limit makes the write fail part way, as a full disk would.
    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = oldLimit;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = writeSettingsFile(path_, newer_).ok();
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    expectOldFileIntact();
}

// Settings exactly as large as the reader takes are written and read back; a byte more, or
// bytes that are not UTF-8, are refused before anything is written.
TEST_F(IniStoreSaveFailure, WhatTheReaderWouldRefuseIsNotWritten) {
    struct Case {
        const char* what;
        std::string value;
        std::optional<ProblemKind> refused;
    };
    const std::string head = "[Config]\nnew=";
    const size_t fits = kMaxSettingsFileBytes - head.size() - 1;
    const Case cases[] = {
        {"at the limit", std::string(fits, 'x'), std::nullopt},
        {"one byte over", std::string(fits + 1, 'x'), ProblemKind::TooLarge},
        {"not UTF-8", "\x8E\x52", ProblemKind::WrongEncoding},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeSettingsFile(path_, old_).ok());
        IniStore store;
        store.set("Config", "new", c.value);
        const Status written = writeSettingsFile(path_, store);
        if (c.refused) {
            ASSERT_FALSE(written.ok());
            EXPECT_EQ(written.problem().kind, *c.refused);
            expectOldFileIntact();
            continue;
        }
        ASSERT_TRUE(written.ok());
        const Result<IniStore> reread = readSettingsFile(path_);
        ASSERT_TRUE(reread.ok());
        EXPECT_EQ(reread->get("Config", "new"), c.value);
    }
}

TEST_F(IniStoreSaveFailure, TargetIsAFolder) {
    const fs::path target = folder_.path() / "Orvane2.ini.d";
    fs::create_directory(target);
    EXPECT_FALSE(writeSettingsFile(target, newer_).ok());
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_TRUE(fs::is_empty(target));
    const std::vector<std::string> expected{"Orvane2.ini", "Orvane2.ini.d"};
    EXPECT_EQ(folderEntries(folder_.path()), expected);
}

}  // namespace
}  // namespace orv
