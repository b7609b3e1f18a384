#include "map/RidgeValleyLabels.h"
#include "map/RidgeValleyNameFile.h"
#include "map/RidgeValleyNaming.h"

#include "support/MapWorld.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <vector>

namespace orv {
namespace {

constexpr Colour kLabelColour = makeColour(0, 90, 200);

std::string fileBytes(const std::filesystem::path& path) {
    std::string bytes;
    EXPECT_EQ(readBytes(path, bytes), FileError::None);
    return bytes;
}

// The box the pixels of a colour cover: x0, y0, x1, y1 (x0 = INT_MAX when none).
std::array<int, 4> boxOf(const DrawingSurface& picture, Colour colour) {
    std::array<int, 4> box{INT_MAX, INT_MAX, -1, -1};
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelAt(x, y) == colour) {
                box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x), std::max(box[3], y)};
            }
    return box;
}

TEST(RidgeValleyNameFile, LinesReadBackAsWrittenAndBrokenLinesReadAsNothing) {
    const RidgeValleyName name{"42.4603", "142.4103", 450, "幌尻岳", 1.3f};
    EXPECT_EQ(ridgeValleyNameLine(name), "42.4603,142.4103,450,幌尻岳,1.3");
    EXPECT_EQ(parseRidgeValleyNameLine(ridgeValleyNameLine(name)), name);
    EXPECT_EQ(parseRidgeValleyNameLine("42.4,142.4,449.6,沢, 2")->angle, 450);
    for (const char* broken : {"42.4,142.4,450,名称", "42.4,142.4,450,a,b,1.3", "42.4,142.4,x,名称,1.3",
                               "42.4,142.4,450,名称,", ",142.4,450,名称,1.3", "", "42.4,142.4,1e300,n,1"})
        EXPECT_FALSE(parseRidgeValleyNameLine(broken)) << broken;
}

struct RidgeValleyNameFileTest : ::testing::Test {
    test::TempDir folder;
    std::filesystem::path file = ridgeValleyNameFilePath(folder.path());
    RidgeValleyNameEntry entryNamed(const std::string& text) {
        for (const RidgeValleyNameEntry& entry : readRidgeValleyNames(file).entries)
            if (entry.listText() == text) return entry;
        ADD_FAILURE() << text;
        return {};
    }
};

TEST_F(RidgeValleyNameFileTest, AppendingCreatesTheFileAndKeepsWhatWasThere) {
    ASSERT_EQ(appendRidgeValleyName(file, {"42.46", "142.41", 0, "A沢", 1.0f}), FileError::None);
    folder.write(kRidgeValleyNameFileName, fileBytes(file) + "broken line");
    ASSERT_EQ(appendRidgeValleyName(file, {"42.47", "142.42", -300, "B尾根", 2.0f}), FileError::None);
    const RidgeValleyNames names = readRidgeValleyNames(file);
    ASSERT_EQ(names.entries.size(), 3u);
    EXPECT_EQ(names.entries[0].listText(), "A沢");
    EXPECT_EQ(names.entries[1].listText(), "broken line");
    EXPECT_FALSE(names.entries[1].name);
    EXPECT_EQ(names.entries[2].name->angle, -300);
    EXPECT_EQ(fileBytes(file).substr(fileBytes(file).size() - 2), "\r\n");
}

TEST_F(RidgeValleyNameFileTest, DeletingANameDeletesEveryLabelOfItAndKeepsBrokenLines) {
    folder.write(kRidgeValleyNameFileName,
                 "42.1,142.1,0,A,1.3\r\nbroken,A\r\n42.2,142.2,0,B,1.3\r\n42.3,142.3,900,A,2\r\n");
    ASSERT_EQ(deleteRidgeValleyNames(file, entryNamed("A")), FileError::None);
    EXPECT_EQ(fileBytes(file), "broken,A\r\n42.2,142.2,0,B,1.3\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / kRidgeValleyNameTempName));
    // A broken line goes only when it is the entry chosen.
    ASSERT_EQ(deleteRidgeValleyNames(file, entryNamed("broken,A")), FileError::None);
    EXPECT_EQ(fileBytes(file), "42.2,142.2,0,B,1.3\r\n");
}

// The names file grows to what its reader takes and no further.
TEST_F(RidgeValleyNameFileTest, AnAppendBeyondWhatTheReaderTakesIsRefused) {
    const RidgeValleyName name{"42.46", "142.41", 0, "A沢", 1.0f};
    const size_t line = cp932LinesBytes({ridgeValleyNameLine(name)}).size();
    for (const size_t extra : {size_t{1}, size_t{0}}) {
        const std::string before = std::string(kMaxRidgeValleyNameFileBytes - line - 2 + extra, 'x') + "\r\n";
        folder.write(kRidgeValleyNameFileName, before);
        if (extra > 0) {
            EXPECT_EQ(appendRidgeValleyName(file, name), FileError::TooLarge);
            EXPECT_EQ(fileBytes(file), before);
            continue;
        }
        ASSERT_EQ(appendRidgeValleyName(file, name), FileError::None);
        const RidgeValleyNames names = readRidgeValleyNames(file);
        ASSERT_EQ(names.error, FileError::None);
        ASSERT_EQ(names.entries.size(), 2u);
        EXPECT_EQ(names.entries[1].name, name);
    }
}

TEST_F(RidgeValleyNameFileTest, ADeletionKilledBeforeTheRenameLeavesTheFileIntact) {
    const std::string before = "42.1,142.1,0,A,1.3\r\n42.2,142.2,0,B,1.3\r\n";
    folder.write(kRidgeValleyNameFileName, before);
    const auto killed = [](const std::filesystem::path&, const std::filesystem::path&) { return false; };
    EXPECT_EQ(deleteRidgeValleyNames(file, entryNamed("A"), killed), FileError::CannotWrite);
    EXPECT_EQ(fileBytes(file), before);
}

TEST(RidgeValleyLabels, TheFontTakesThePlaceNameFaceAndScaledSize) {
    TextStyle place;
    place.face = "IPAGothic";
    place.size = 9.0f;
    const RotatedTextSpec font = labelFont(place, 1.3f, 450);
    EXPECT_EQ(font.height, 12);  // round(11.7)
    EXPECT_EQ(font.escapement, 450);
    EXPECT_EQ(font.face, "IPAGothic");
}

TEST(RidgeValleyLabels, LabelsDrawnFromTheirRenderedPixelsMatchTheRotatedText) {
    auto state = makeAppState();
    state->textStyles[kLabelColourStyle].colour = kLabelColour;
    const LevelBounds view{0, 600, 0, 600};
    RidgeValleyNames names;
    names.entries.push_back({"", RidgeValleyName{secondsToDms(300), secondsToDms(200), 450, "北尾根", 1.3f}});
    names.entries.push_back({"", RidgeValleyName{secondsToDms(100), secondsToDms(400), -900, "沢", 2.0f}});
    names.entries.push_back({"", RidgeValleyName{secondsToDms(595), secondsToDms(5), 0, "Edge", 1.0f}});  // runs off the picture
    DrawingSurface cached(600, 600);
    drawLabels(*state, view, cached, names);
    drawLabels(*state, view, cached, names);  // the second time from the kept pixels

    DrawingSurface direct(600, 600);
    const TextStyle& font = state->textStyles[kLabelFontStyle];
    for (const RidgeValleyNameEntry& entry : names.entries) {
        const RidgeValleyName& n = *entry.name;
        const int x = dmsToSeconds(n.longitude);
        const int y = 600 - dmsToSeconds(n.latitude);
        direct.setForeColour(colours::white);
        for (const auto& [dx, dy] : std::array<std::array<int, 2>, 4>{{{1, 1}, {-1, 1}, {1, -1}, {-1, -1}}})
            drawLabel(direct, x + dx, y + dy, n.angle, n.text, n.magnification, font);
        direct.setForeColour(kLabelColour);
        drawLabel(direct, x, y, n.angle, n.text, n.magnification, font);
    }
    EXPECT_EQ(cached.image(), direct.image());
    EXPECT_NE(boxOf(cached, kLabelColour)[0], INT_MAX);
}

// Naming on a map without a window: the test block's level 1, names file in a folder.
struct RidgeValleyNamingTest : ::testing::Test, test::MapWorld {
    test::TempDir folder;
    RidgeValleyNaming naming{ctx};

    RidgeValleyNamingTest() {
        state->dataFolder = folder.path();
        state->textStyles[kLabelColourStyle].colour = kLabelColour;
        ctx.drawOverlays = [this] { drawLabelsOfFile(); };
        MenuCommand names;
        names.toolId = "ActRVNameViewSet";
        names.caption = "尾根・谷名称";
        names.checked = true;
        menus.addCommand("DispGMode", names);
    }
    void drawLabelsOfFile() { drawRidgeValleyNamesIfShown(); }
    void drawRidgeValleyNamesIfShown() {
        if (state->ridgeValleyNamesShown)
            drawRidgeValleyNames(*state, bounds(state->currentLevel), pictures.map);
    }
    void compose(const std::string& name, int degrees) {
        naming.openInput();
        naming.setName(name);
        naming.changeAngle(degrees);
        naming.beginPlacing();
    }
    std::string file() const { return fileBytes(ridgeValleyNameFilePath(folder.path())); }
};

TEST_F(RidgeValleyNamingTest, APlacedLabelIsStoredAndDrawnAtItsPlace) {
    naming.openInput();
    EXPECT_TRUE(naming.input.visible);
    EXPECT_EQ(naming.input.magnificationText, "1.3");
    naming.setName("北尾根");
    naming.changeAngle(45);
    EXPECT_EQ(naming.input.angleText, "45");
    EXPECT_NE(boxOf(naming.input.preview, kLabelColour)[0], INT_MAX);  // the preview shows it

    naming.beginPlacing();
    EXPECT_TRUE(naming.placing());
    EXPECT_EQ(map.statusPanels[0], "表示開始位置をマウスで指定（左クリック）して下さい");
    naming.place(300, 300);
    EXPECT_FALSE(naming.placing());
    EXPECT_EQ(map.statusPanels[0], "");
    EXPECT_TRUE(state->rvnFileExists);

    const RidgeValleyNames names = readRidgeValleyNames(ridgeValleyNameFilePath(folder.path()));
    ASSERT_EQ(names.entries.size(), 1u);
    const RidgeValleyName& label = *names.entries[0].name;
    EXPECT_EQ(label.angle, 450);
    EXPECT_EQ(label.text, "北尾根");
    EXPECT_FLOAT_EQ(label.magnification, 1.3f);
    const MapPixel p = positionToPixel(bounds(1), dmsToSeconds(label.latitude), dmsToSeconds(label.longitude));
    EXPECT_NEAR(p.x, 300, 1);
    EXPECT_NEAR(p.y, 300, 1);

    // Rising at 45°: the text runs up and to the right of its anchor.
    const auto box = boxOf(pictures.map, kLabelColour);
    EXPECT_GE(box[0], 295);
    EXPECT_LT(box[1], 285);
    EXPECT_LE(box[3], 312);
    EXPECT_GT(box[2] - box[0], 15);
}

TEST_F(RidgeValleyNamingTest, TextsThatWouldNotReadBackAreRefused) {
    dialogs.answerMessage(Answer::Ok);
    compose("A,B", 0);
    dialogs.answerMessage(Answer::Ok);
    compose("", 0);
    EXPECT_FALSE(naming.placing());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, "名称に「,」（半角カンマ）は使えません。別の文字に置き換えて下さい。");
    EXPECT_EQ(dialogs.messages()[1].text, "表示名称を入力して下さい。");
}

TEST_F(RidgeValleyNamingTest, ALabelOfLevelOneKeepsItsSizeAtLevelThree) {
    compose("東沢", 0);
    naming.place(300, 300);
    const auto level1 = boxOf(pictures.map, kLabelColour);

    // Level 3: the middle ninth of level 1, so the anchor moves to the picture's centre region.
    const LevelBounds b = bounds(1);
    const ArcSeconds dLat = (b.north - b.south) / 3;
    const ArcSeconds dLon = (b.east - b.west) / 3;
    setCorners(3, b.south + dLat, b.north - dLat, b.west + dLon, b.east - dLon);
    state->currentLevel = 3;
    pictures.map.clear();
    drawRidgeValleyNames(*state, bounds(3), pictures.map);
    const auto level3 = boxOf(pictures.map, kLabelColour);
    ASSERT_NE(level3[0], INT_MAX);
    EXPECT_EQ(level3[2] - level3[0], level1[2] - level1[0]);
    EXPECT_EQ(level3[3] - level3[1], level1[3] - level1[1]);
}

TEST_F(RidgeValleyNamingTest, HiddenNamesShowOnlyAtTheClick) {
    naming.toggleShown();
    EXPECT_FALSE(state->ridgeValleyNamesShown);
    EXPECT_FALSE(menus.isChecked("ActRVNameViewSet"));
    pictures.map.clear();
    pictures.buffer.clear();
    compose("西沢", 0);
    naming.place(300, 300);
    EXPECT_EQ(boxOf(pictures.map, kLabelColour)[0], INT_MAX);  // the redraw after the click
    naming.toggleShown();
    EXPECT_NE(boxOf(pictures.map, kLabelColour)[0], INT_MAX);
}

TEST_F(RidgeValleyNamingTest, TheListDeletesByNameAndNothingWithoutASelection) {
    for (const char* name : {"A", "B", "A"}) {
        compose(name, 0);
        naming.place(100, 100);
    }
    naming.openList();
    EXPECT_TRUE(naming.list.visible);
    EXPECT_FALSE(naming.input.visible);
    EXPECT_EQ(naming.list.entries, (std::vector<std::string>{"A", "B", "A"}));
    naming.deleteSelected();
    EXPECT_EQ(naming.list.entries.size(), 3u);

    naming.select(size_t{2});
    naming.deleteSelected();
    EXPECT_EQ(naming.list.entries, std::vector<std::string>{"B"});

    // A failed replacement keeps the file and says so.
    naming.setReplaceStep([](const std::filesystem::path&, const std::filesystem::path&) { return false; });
    dialogs.answerMessage(Answer::Ok);
    naming.select(size_t{0});
    naming.deleteSelected();
    EXPECT_EQ(naming.list.entries, std::vector<std::string>{"B"});
    EXPECT_EQ(dialogs.messages().back().text, "尾根・谷名称ファイル（Orvane.RVN）を書き込めませんでした。");
    naming.helpList();
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE11.hlp");
}

}  // namespace
}  // namespace orv
