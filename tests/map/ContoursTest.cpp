// Contour lines: the pixel rule with its interval classes, the colours, the progress strip,
// and the interval commands with the "任意" question.
#include "map/Contours.h"

#include "core/Rounding.h"
#include "platform/Progress.h"
#include "support/MapWorld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orv {
namespace {

using test::MapWorld;

constexpr Colour kPaper = colours::white;
const Colour kThin = makeColour(148, 144, 135);  // the default contour colour, paled by 0.8
const Colour kIndex = makeColour(116, 105, 82);

std::string tool(int n) { return "ActCNTPdata" + std::to_string(n); }

std::vector<int> checkedTools(const MenuModel& menus) {
    std::vector<int> checked;
    for (int n = 1; n <= 9; ++n)
        if (menus.isChecked(ToolId{tool(n)})) checked.push_back(n);
    return checked;
}

// The pixels of a picture that are not paper, with their colours.
struct Mark {
    int x, y;
    Colour colour;
    bool operator==(const Mark&) const = default;
};
std::vector<Mark> marks(const DrawingSurface& s) {
    std::vector<Mark> out;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixelAt(x, y) != kPaper) out.push_back({x, y, s.pixelAt(x, y)});
    return out;
}

// A level filled with one height and one cell of another: the cell differs from its west and
// north neighbours (both setting the pixel up and left of it) and from its east and south
// neighbours (setting the pixels up and left of those).
struct PairCase {
    const char* what;
    float around;
    float cell;
    int interval;
    std::optional<Colour> expected;
};

TEST(ContourPixels, ClassesOfTheTwoNeighbours) {
    const std::vector<PairCase> cases{
        {"399.9 / 400.0: thin only", 399.9f, 400.0f, 100, kThin},
        {"450 / 510: the index contour overwrites the thin one", 450.0f, 510.0f, 100, kIndex},
        {"499.9 / 500: thin and index", 499.9f, 500.0f, 100, kIndex},
        {"120 / 380: two contours between, one pixel", 120.0f, 380.0f, 100, kThin},
        {"50 / 150: class 0 on one side, nothing", 50.0f, 150.0f, 100, std::nullopt},
        {"99.9 / 100: the first contour itself is never drawn", 99.9f, 100.0f, 100, std::nullopt},
        {"no data next to a mountain: nothing", -999.9f, 450.0f, 100, std::nullopt},
        {"a mountain next to no data: nothing", 450.0f, -999.9f, 100, std::nullopt},
        {"sea next to land: nothing", -5.0f, 800.0f, 100, std::nullopt},
        {"same class: nothing", 1010.0f, 1090.0f, 100, std::nullopt},
        {"interval 10, 1249.99 / 1250: index at 50 m", 1249.99f, 1250.0f, 10, kIndex},
        {"interval 10, 1239.99 / 1240: thin", 1239.99f, 1240.0f, 10, kThin},
    };
    for (const auto& c : cases) {
        MapWorld w;
        w.fillLevel(1, c.around);
        w.state->elevationGrid.set(200, 300, 1, c.cell);  // row 200, column 300
        w.state->contourInterval = static_cast<int16_t>(c.interval);
        drawContours(w.ctx);
        std::vector<Mark> expected;
        if (c.expected)
            expected = {{299, 199, *c.expected}, {300, 199, *c.expected}, {299, 200, *c.expected}};
        EXPECT_EQ(marks(w.pictures.buffer), expected) << c.what;
    }
}

TEST(ContourPixels, LastRowAndColumnNeverGetAPixel) {
    MapWorld w;
    w.fillLevel(1, 150.0f);
    for (int i = 0; i <= 600; ++i) {
        w.state->elevationGrid.set(i, 600, 1, 450.0f);  // column 600 is never a cell of a pair
        w.state->elevationGrid.set(600, i, 1, 450.0f);  // nor is row 600
    }
    w.state->elevationGrid.set(599, 599, 1, 450.0f);
    w.state->contourInterval = 100;
    drawContours(w.ctx);
    EXPECT_EQ(marks(w.pictures.buffer), (std::vector<Mark>{{598, 598, kThin}}));
}

TEST(ContourPixels, CurrentLevelAndColourSet) {
    MapWorld w;
    w.fillLevel(1, 450.0f);  // would give contours at level 1
    w.fillLevel(3, 150.0f);
    w.state->elevationGrid.set(10, 20, 3, 250.0f);
    w.state->currentLevel = 3;
    w.state->settings.colourSetIndex = 2;
    w.state->settings.colourTable[2][6] = ColourBand{0, 0, 255, 0.0f};  // red index contours
    w.state->contourInterval = 100;
    drawContours(w.ctx);
    const Colour thin = makeColour(204, 102, 102);  // (255 + 255) / 2 × 0.8, 255 / 2 × 0.8 = 102
    EXPECT_EQ(marks(w.pictures.buffer),
              (std::vector<Mark>{{19, 9, thin}, {20, 9, thin}, {19, 10, thin}}));
    EXPECT_EQ(thinContourColour(kDefaultColourSet, 0.8f), kThin);
    EXPECT_EQ(indexContourColour(kDefaultColourSet), kIndex);
}

TEST(ContourPixels, ProgressStripAndResult) {
    MapWorld w;
    w.fillLevel(1, 150.0f);
    w.state->elevationGrid.set(300, 300, 1, 650.0f);
    w.state->contourInterval = 100;
    w.map.statusPanels[0] = "背景色を調整します。";
    w.pictures.map.box(0, 0, 599, 599, colours::red, true);

    std::vector<QImage> strips;
    std::vector<bool> shownWhileDrawing;
    bool mapClearedWhileDrawing = true;
    w.pictures.progress.setShowHandler([&] {
        strips.push_back(w.pictures.progress.image().copy());
        shownWhileDrawing.push_back(w.map.progressVisible);
        mapClearedWhileDrawing = mapClearedWhileDrawing && w.pictures.map.pixelAt(5, 5) == kPaper;
    });
    drawContours(w.ctx);

    // One strip per row 1..599: value round((row − 1) / 2), rows 1..4 give 0, 0, 1, 2.
    ASSERT_EQ(strips.size(), 599u);
    const auto strip = [](int value) {
        DrawingSurface s(kProgressWidth, kProgressHeight);
        showProgress(s, value, "100 ｍ間隔等高線生成中");
        return s.image();
    };
    EXPECT_EQ(strips[0], strip(0));
    EXPECT_EQ(strips[1], strip(0));
    EXPECT_EQ(strips[2], strip(1));
    EXPECT_EQ(strips[3], strip(2));
    EXPECT_EQ(strips[400], strip(200));  // full from row 401
    EXPECT_EQ(strips[598], strip(200));
    std::map<int, QImage> byValue;
    for (size_t k = 0; k < strips.size(); ++k) {
        const int value = roundHalfEven(static_cast<double>(k) / 2.0);
        if (!byValue.count(value)) byValue[value] = strip(value);
        EXPECT_EQ(strips[k], byValue[value]) << "row " << k + 1;
    }
    EXPECT_EQ(std::count(shownWhileDrawing.begin(), shownWhileDrawing.end(), false), 0);
    EXPECT_TRUE(mapClearedWhileDrawing);

    EXPECT_FALSE(w.map.progressVisible);
    EXPECT_EQ(w.map.statusPanels[0], "");
    EXPECT_EQ(w.pictures.map.image(), w.pictures.buffer.image());
    EXPECT_EQ(w.pictures.buffer.pixelAt(299, 299), kIndex);
}

TEST(ContourPixels, NoIntervalNoContours) {
    MapWorld w;
    w.fillLevel(1, 150.0f);
    w.state->elevationGrid.set(300, 300, 1, 650.0f);
    w.pictures.map.box(0, 0, 599, 599, colours::red, true);
    int shows = 0;
    w.pictures.progress.setShowHandler([&] { ++shows; });
    drawContours(w.ctx);
    EXPECT_TRUE(marks(w.pictures.buffer).empty());
    EXPECT_EQ(w.pictures.map.pixelAt(5, 5), colours::red);
    EXPECT_EQ(shows, 0);
}

// ---- the interval commands ---------------------------------------------------------------

class ContourInterval : public ::testing::Test {
protected:
    void SetUp() override {
        w.state->backgroundLevel = 1.0f;
        w.pictures.progress.setShowHandler([this] { ++progressShows; });
    }
    MapWorld w;
    int progressShows = 0;
};

TEST_F(ContourInterval, AFixedIntervalShowsTheContours) {
    chooseContourInterval(w.ctx, 5);
    EXPECT_EQ(checkedTools(w.menus), std::vector<int>{5});
    EXPECT_EQ(w.state->contourInterval, 100);
    EXPECT_TRUE(w.state->contoursShown);
    EXPECT_FLOAT_EQ(w.state->backgroundLevel, 0.9f);  // the saved level
    EXPECT_GT(progressShows, 0);                      // the contours were computed
    EXPECT_TRUE(w.dialogs.asked().empty());

    // Another interval moves the check mark.
    chooseContourInterval(w.ctx, 8);
    EXPECT_EQ(checkedTools(w.menus), std::vector<int>{8});
    EXPECT_EQ(w.state->contourInterval, 1000);
}

TEST_F(ContourInterval, TheCheckedIntervalDoesNothing) {
    chooseContourInterval(w.ctx, 2);
    const int redraws = w.overlayRedraws;
    w.state->backgroundLevel = 1.0f;
    chooseContourInterval(w.ctx, 2);
    EXPECT_EQ(w.overlayRedraws, redraws);
    EXPECT_FLOAT_EQ(w.state->backgroundLevel, 1.0f);
    EXPECT_EQ(checkedTools(w.menus), std::vector<int>{2});
}

TEST_F(ContourInterval, AnyIntervalIsAskedOnceAndShownInTheCaption) {
    w.dialogs.answerInput("30.5");
    chooseContourInterval(w.ctx, 9);
    ASSERT_EQ(w.dialogs.asked().size(), 1u);
    EXPECT_EQ(w.dialogs.asked()[0].kind, "input");
    EXPECT_EQ(w.dialogs.asked()[0].text, "等高線間隔を入力して下さい。単位はｍです。");
    EXPECT_EQ(w.dialogs.asked()[0].title, "等高線間隔");
    EXPECT_EQ(w.state->contourInterval, 30);  // 30.5 rounds to the even 30
    EXPECT_EQ(checkedTools(w.menus), std::vector<int>{9});
    EXPECT_EQ(w.menus.command(tool(9))->caption, "任意：30m");
    EXPECT_TRUE(w.state->contoursShown);

    // Chosen again while checked: no second question.
    chooseContourInterval(w.ctx, 9);
    EXPECT_EQ(w.dialogs.asked().size(), 1u);
}

TEST_F(ContourInterval, AcceptedAnswers) {
    struct Case {
        const char* answer;
        int interval;
    };
    const std::vector<Case> cases{
        {"30", 30},   {"31.5", 32},      {"0.6", 1},  {"1000", 1000},       {" 45 ", 45},
        {"３０", 30}, {"２００ｍ", 200}, {"25m", 25}, {"　７５．５　", 76},
        // Every whole number the 16-bit interval holds.
        {"1001", 1001}, {"32767", 32767}, {"32766.6", 32767},
    };
    for (const auto& c : cases) {
        MapWorld fresh;
        fresh.dialogs.answerInput(c.answer);
        chooseContourInterval(fresh.ctx, 9);
        EXPECT_EQ(fresh.state->contourInterval, c.interval) << c.answer;
        EXPECT_EQ(fresh.menus.command(tool(9))->caption,
                  "任意：" + std::to_string(c.interval) + "m")
            << c.answer;
        EXPECT_TRUE(fresh.dialogs.messages().empty()) << c.answer;
    }
}

TEST_F(ContourInterval, CancelledOrRefusedAnswersLeaveEverythingAsItWas) {
    struct Case {
        const char* answer;
        bool refused;  // a non-empty answer gets a message; a cancel none
    };
    const std::vector<Case> cases{
        {"", false},     {"   ", false}, {"0", true},     {"0.4", true},
        {"-5", true},    {"abc", true},  {"12abc", true}, {"32768", true},
        {"32767.5", true}, {"40000", true}, {"99999999999", true}, {"1e3", true},  {".", true},
        {"-0.4", true},
    };
    for (const auto& c : cases) {
        MapWorld fresh;
        chooseContourInterval(fresh.ctx, 3);
        const int redraws = fresh.overlayRedraws;
        fresh.state->contoursShown = false;  // as after a cleared picture
        fresh.dialogs.answerInput(c.answer);
        chooseContourInterval(fresh.ctx, 9);

        EXPECT_EQ(checkedTools(fresh.menus), std::vector<int>{3}) << c.answer;
        EXPECT_EQ(fresh.state->contourInterval, 40) << c.answer;
        EXPECT_EQ(fresh.menus.command(tool(9))->caption, test::kAnyToolCaption) << c.answer;
        EXPECT_FALSE(fresh.state->contoursShown) << c.answer;
        EXPECT_EQ(fresh.overlayRedraws, redraws) << c.answer;
        const auto messages = fresh.dialogs.messages();
        if (c.refused) {
            ASSERT_EQ(messages.size(), 1u) << c.answer;
            EXPECT_EQ(messages[0].text, "等高線間隔は1～32767mの範囲で入力して下さい。");
            EXPECT_EQ(messages[0].title, "等高線間隔");
            EXPECT_EQ(messages[0].buttons, Buttons::Ok);
        } else {
            EXPECT_TRUE(messages.empty()) << c.answer;
        }
    }
}

TEST_F(ContourInterval, ClearingKeepsTheIntervalForTheNextShow) {
    w.dialogs.answerInput("30");
    chooseContourInterval(w.ctx, 9);
    const int redraws = w.overlayRedraws;

    clearContours(w.ctx);
    EXPECT_TRUE(checkedTools(w.menus).empty());
    EXPECT_EQ(w.menus.command(tool(9))->caption, test::kAnyToolCaption);
    EXPECT_FALSE(w.state->contoursShown);
    EXPECT_EQ(w.state->contourInterval, 30);
    EXPECT_EQ(w.overlayRedraws, redraws + 2);  // the redraw's own, then once more

    // "等高線" shows them again with the last interval, asking nothing.
    progressShows = 0;
    showContoursOrAskInterval(w.ctx);
    EXPECT_TRUE(w.state->contoursShown);
    EXPECT_GT(progressShows, 0);
    EXPECT_EQ(w.dialogs.asked().size(), 1u);

    // After clearing, "任意" can be asked again.
    clearContours(w.ctx);
    w.dialogs.answerInput("60");
    chooseContourInterval(w.ctx, 9);
    EXPECT_EQ(w.state->contourInterval, 60);
    EXPECT_EQ(w.menus.command(tool(9))->caption, "任意：60m");
}

TEST_F(ContourInterval, ShowingBeforeAnyIntervalAsksForOne) {
    w.dialogs.answerInput("");
    showContoursOrAskInterval(w.ctx);
    ASSERT_EQ(w.dialogs.asked().size(), 1u);
    EXPECT_EQ(w.dialogs.asked()[0].text, "等高線間隔を入力して下さい。単位はｍです。");
    EXPECT_FALSE(w.state->contoursShown);
    EXPECT_EQ(w.overlayRedraws, 0);

    w.dialogs.answerInput("50");
    showContoursOrAskInterval(w.ctx);
    EXPECT_EQ(w.state->contourInterval, 50);
    EXPECT_EQ(checkedTools(w.menus), std::vector<int>{9});
    EXPECT_TRUE(w.state->contoursShown);
}

}  // namespace
}  // namespace orv
