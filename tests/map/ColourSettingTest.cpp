// The colour dialog's workflow (activation, swatches, slider, 登録 / ｷｬﾝｾﾙ / 戻す / ヘルプ, the
// level text check) and its two pictures, the colour strip and the preview.
#include "map/ColourSetting.h"

#include "map/ColourPreview.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orv {
namespace {

Colour rgb(int r, int g, int b) { return makeColour(r, g, b); }

// A set that differs from the default in every colour, registered as set 2.
ColourSet userSet() {
    ColourSet set = kDefaultColourSet;
    for (ColourBand& band : set) {
        band.red = static_cast<int16_t>(255 - band.red);
        band.blue = 7;
    }
    return set;
}

// Profile with all 240 samples at one height.
std::string flatProfile(int elevation) {
    std::string text;
    for (int x = 0; x < kProfileSamples; ++x)
        text += std::to_string(x) + " " + std::to_string(elevation) + "\r\n";
    return text;
}

struct ColourSettingTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    ColourSet working{};
    test::ScriptedDialogs dialogs;
    ColourSetting model{*state, working, dialogs};

    ColourSettingTest() {
        state->appFolder = dir.path();
        state->settings.colourTable[0] = kDefaultColourSet;
        state->settings.registeredSets = {1, 0, 0, 0, 0};
        state->settings.savedBackgroundLevel = 0.9f;
        state->contourTint = 0.8f;
    }

    void openFor(int set) {
        state->settings.colourSetIndex = static_cast<int16_t>(set);
        model.activate();
    }
};

TEST_F(ColourSettingTest, UnregisteredSetStartsFromTheDefaultColours) {
    state->settings.colourTable[3] = userSet();  // edited once but never registered
    state->backgroundLevel = 1.0f;
    openFor(3);
    EXPECT_EQ(model.message(), "指定色は現在未登録です。デフォルト色を参照して作成して下さい。");
    EXPECT_EQ(model.editedSet(), 3);
    EXPECT_EQ(model.baseSet(), 0);
    EXPECT_EQ(working, kDefaultColourSet);
    EXPECT_EQ(state->backgroundLevel, 0.9f);
    EXPECT_EQ(model.levelTextShown(), "0.9");
    EXPECT_EQ(model.sliderValue(), 90);
    EXPECT_EQ(model.swatchColour(1), rgb(20, 150, 20));
    EXPECT_EQ(model.swatchColour(6), rgb(116, 105, 82));
}

TEST_F(ColourSettingTest, RegisteredSetStartsFromItself) {
    state->settings.colourTable[2] = userSet();
    state->settings.registeredSets[2] = 1;
    state->settings.savedBackgroundLevel = 0.95f;
    openFor(2);
    EXPECT_EQ(model.message(), "");
    EXPECT_EQ(model.baseSet(), 2);
    EXPECT_EQ(working, userSet());
    EXPECT_EQ(model.levelTextShown(), "0.95");
    EXPECT_EQ(model.sliderValue(), 95);
}

TEST_F(ColourSettingTest, BandSwatchTakesThePickedColourAndHidesContours) {
    openFor(1);
    state->contoursShown = true;
    dialogs.answerColour(0x0A141E);  // red 30, green 20, blue 10
    model.pickBandColour(3);
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, "colour");
    EXPECT_EQ(dialogs.asked()[0].title, "基準色の作成");
    EXPECT_EQ(working[3], (ColourBand{10, 20, 30, 2000.0f}));  // the elevation stays
    EXPECT_EQ(model.swatchColour(3), rgb(30, 20, 10));
    EXPECT_FALSE(state->contoursShown);
    EXPECT_EQ(state->settings.colourTable[1], ColourSet{});  // nothing written back yet
}

TEST_F(ColourSettingTest, ContourSwatchShowsContoursAtTheSliderLevel) {
    state->settings.savedBackgroundLevel = 0.93f;
    openFor(0);
    state->backgroundLevel = 1.0f;
    dialogs.answerColour(rgb(1, 2, 3));
    model.pickContourColour();
    EXPECT_EQ(dialogs.asked().at(0).title, "等高線色の作成");
    EXPECT_EQ(working[6], (ColourBand{3, 2, 1, 0.0f}));
    EXPECT_TRUE(state->contoursShown);
    EXPECT_EQ(state->backgroundLevel, 93.0f / 100.0f);
    EXPECT_EQ(model.levelTextShown(), "0.93");
}

TEST_F(ColourSettingTest, CancelledPickChangesNothing) {
    openFor(0);
    state->contoursShown = true;
    dialogs.answerColour(std::nullopt);
    dialogs.answerColour(std::nullopt);
    model.pickBandColour(0);
    model.pickContourColour();
    EXPECT_EQ(working, kDefaultColourSet);
    EXPECT_TRUE(state->contoursShown);
    EXPECT_EQ(dialogs.asked().size(), 2u);
}

TEST_F(ColourSettingTest, SliderSetsTheLevelAndShowsContours) {
    openFor(0);
    model.moveSlider(96);
    EXPECT_TRUE(state->contoursShown);
    EXPECT_EQ(state->backgroundLevel, 0.96f);
    EXPECT_EQ(model.levelTextShown(), "0.96");
    model.moveSlider(120);  // beyond the range: its end
    EXPECT_EQ(model.sliderValue(), 100);
    EXPECT_EQ(state->backgroundLevel, 1.0f);
    EXPECT_EQ(model.levelTextShown(), "1");
}

TEST_F(ColourSettingTest, RegisterWritesTheSetAndMarksIt) {
    openFor(4);
    dialogs.answerColour(rgb(9, 9, 9));
    model.pickBandColour(5);
    model.editLevelText("0.92");
    EXPECT_TRUE(model.registerColours());
    EXPECT_TRUE(model.closed());
    EXPECT_EQ(state->settings.colourTable[4], working);
    EXPECT_EQ(state->settings.colourTable[4][2].elevation, 1000.0f);  // elevations come along
    EXPECT_EQ(state->settings.savedBackgroundLevel, 0.92f);
    EXPECT_NE(state->settings.registeredSets[4], 0);
    EXPECT_EQ(model.outcome(), DialogOutcome::Accepted);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ColourSettingTest, CancelWritesTheSetButDoesNotRegisterIt) {
    openFor(2);
    dialogs.answerColour(rgb(9, 9, 9));
    model.pickBandColour(0);
    model.moveSlider(97);
    EXPECT_TRUE(model.cancel());
    EXPECT_TRUE(model.closed());
    EXPECT_EQ(state->settings.colourTable[2], working);
    EXPECT_EQ(state->settings.savedBackgroundLevel, 0.97f);
    EXPECT_EQ(state->settings.registeredSets[2], 0);
    EXPECT_EQ(model.outcome(), DialogOutcome::Cancelled);
}

TEST_F(ColourSettingTest, ClosingByTheFrameIsACancelThatWritesNothing) {
    openFor(2);
    dialogs.answerColour(rgb(9, 9, 9));
    model.pickBandColour(0);
    model.dismiss();
    EXPECT_TRUE(model.closed());
    EXPECT_EQ(state->settings.colourTable[2], ColourSet{});
    EXPECT_EQ(model.outcome(), DialogOutcome::Cancelled);
}

TEST_F(ColourSettingTest, RestoreGoesBackToTheBaseSet) {
    state->settings.colourTable[1] = userSet();
    state->settings.registeredSets[1] = 1;
    openFor(1);
    dialogs.answerColour(rgb(9, 9, 9));
    dialogs.answerColour(rgb(8, 8, 8));
    model.pickBandColour(2);
    model.pickContourColour();
    model.restore();
    EXPECT_EQ(working, userSet());
    EXPECT_EQ(model.swatchColour(2), makeColour(userSet()[2].red, userSet()[2].green, 7));
}

TEST_F(ColourSettingTest, HelpShowsTheDialogsPage) {
    openFor(0);
    model.showHelp();
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].kind, "help");
    EXPECT_EQ(dialogs.asked()[0].text, "ORVANE14.hlp");
}

TEST_F(ColourSettingTest, LevelTextThatIsNoLevelIsRefused) {
    for (const char* text : {"", "abc", "0.9x", "0.89", "1.01", "-1", "+1", "1e0", "nan", "inf", "2"}) {
        SCOPED_TRACE(text);
        test::ScriptedDialogs asked;
        ColourSetting dialog(*state, working, asked);
        state->settings.colourSetIndex = 3;
        dialog.activate();
        dialog.editLevelText(text);
        asked.answerMessage(Answer::Ok);
        EXPECT_FALSE(dialog.registerColours());
        asked.answerMessage(Answer::Ok);
        EXPECT_FALSE(dialog.cancel());
        EXPECT_FALSE(dialog.closed());
        ASSERT_EQ(asked.messages().size(), 2u);
        EXPECT_EQ(asked.messages()[0].text, "背景レベルには0.9から1.0までの数値を入力して下さい。");
        EXPECT_EQ(asked.messages()[0].title, "表示色の設定");
        EXPECT_EQ(state->settings.colourTable[3], ColourSet{});
        EXPECT_EQ(state->settings.registeredSets[3], 0);
        EXPECT_EQ(state->settings.savedBackgroundLevel, 0.9f);
        EXPECT_FALSE(dialog.outcome().has_value());
    }
}

TEST_F(ColourSettingTest, LevelTextsThatAreLevels) {
    struct Case {
        const char* text;
        float level;
    };
    for (const Case& c : {Case{"1", 1.0f}, Case{".9", 0.9f}, Case{"0.95", 0.95f},
                          Case{" 0.92\t", 0.92f}, Case{"０．９４", 0.94f}, Case{"　1.0　", 1.0f}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseLevelText(c.text), c.level);
    }
}

// The strip: one row per 25 m, painted bottom up, without shading.
struct StripCase {
    const char* what;
    bool contours;
    float level;
    int row;  // strip row j, elevation 25·j − 1000
    Colour expected;
};

TEST(ColourStripTest, RowsTakeTheColourOfTheirHeight) {
    const StripCase cases[] = {
        {"deepest sea", false, 1.0f, 0, rgb(126, 180, 234)},
        {"-25 m is sea", false, 1.0f, 39, rgb(126, 180, 234)},
        {"0 m is band 1", false, 1.0f, 40, rgb(20, 150, 20)},
        {"500 m half way to band 2", false, 1.0f, 60, rgb(110, 175, 10)},
        {"1000 m is band 2", false, 1.0f, 80, rgb(200, 200, 0)},
        {"2000 m is band 3", false, 1.0f, 120, rgb(135, 71, 0)},
        {"4500 m keeps band 5", false, 1.0f, 220, rgb(103, 94, 0)},
        {"pale sea, halves to even", true, 1.0f, 10, rgb(190, 218, 244)},
        {"pale band 1", true, 1.0f, 40, rgb(138, 202, 138)},
        {"pale band 1 at level 0.9", true, 0.9f, 40, rgb(124, 182, 124)},
    };
    for (const StripCase& c : cases) {
        SCOPED_TRACE(c.what);
        DrawingSurface strip(kStripWidth, kStripHeight, colours::black);
        drawColourStrip(strip, stripBands(kDefaultColourSet, c.contours, c.level));
        const int y = 240 - c.row;
        EXPECT_EQ(strip.pixelAt(0, y), c.expected);
        EXPECT_EQ(strip.pixelAt(10, y), c.expected);
    }
}

TEST_F(ColourSettingTest, PreviewShowsSkyProfileAndContourLines) {
    dir.write("ORVDATA.SMP", flatProfile(2900));  // profile at y = floor(2100 / 21) = 100
    openFor(0);
    const DrawingSurface& strip = model.strip();
    DrawingSurface& preview = model.preview();
    EXPECT_EQ(preview.pixelAt(200, 50), rgb(192, 192, 255));  // sky
    EXPECT_EQ(preview.pixelAt(200, 100), colours::white);      // profile line
    EXPECT_EQ(preview.pixelAt(200, 103), strip.pixelAt(5, 103));  // ground: the strip's colour
    EXPECT_EQ(preview.pixelAt(300, 8), rgb(148, 144, 135));    // thin contour, tint 0.8
    EXPECT_EQ(preview.pixelAt(300, 120), rgb(116, 105, 82));   // index contour
    EXPECT_EQ(preview.pixelAt(300, 200), rgb(116, 105, 82));
    // A label "0" sits at (1, 200): some black pixels just below the index line.
    int black = 0;
    for (int y = 201; y < 215; ++y)
        for (int x = 1; x < 12; ++x)
            if (preview.pixelAt(x, y) == colours::black) ++black;
    EXPECT_GT(black, 0);
}

TEST_F(ColourSettingTest, PreviewWithoutAProfileShowsTheStripAlone) {
    for (const char* content : {static_cast<const char*>(nullptr), "1 2\r\nbroken\r\n"}) {
        if (content != nullptr) dir.write("ORVDATA.SMP", content);
        openFor(0);
        const DrawingSurface& strip = model.strip();
        DrawingSurface& preview = model.preview();
        EXPECT_EQ(preview.pixelAt(200, 50), strip.pixelAt(5, 50));
        EXPECT_EQ(preview.pixelAt(479, 239), strip.pixelAt(5, 239));
        EXPECT_EQ(preview.pixelAt(300, 40), rgb(116, 105, 82));
    }
    EXPECT_TRUE(dialogs.messages().empty());
}

}  // namespace
}  // namespace orv
