#include "route/OverlayCommands.h"

#include "route/MarkIcons.h"
#include "route/Overlays.h"
#include "support/MapWorld.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {
namespace {

constexpr Colour kRouteColour = makeColour(10, 200, 30);
constexpr Colour kReferenceColour = makeColour(250, 120, 0);
constexpr Colour kLabelColour = makeColour(0, 160, 0);

// Scripted dialogs that also keep the colour and font each picker started from.
class PresetRecordingDialogs : public test::ScriptedDialogs {
public:
    std::vector<Colour> initialColours;
    std::vector<TextStyle> initialFonts;

    std::optional<Colour> pickColour(Colour initial, const std::string& title) override {
        initialColours.push_back(initial);
        return ScriptedDialogs::pickColour(initial, title);
    }
    std::optional<TextStyle> pickFont(const TextStyle& initial) override {
        initialFonts.push_back(initial);
        return ScriptedDialogs::pickFont(initial);
    }
};

struct OverlayCommands : ::testing::Test, test::MapWorld {
    PresetRecordingDialogs presets;
    MapContext commands{*state, map, pictures, menus, presets, {}, {}};

    OverlayCommands() : MapWorld(Plan::Cone) {
        state->settings.trackLineColour = kRouteColour;
        state->settings.referenceLineColour = kReferenceColour;
        state->textStyles[3].colour = kLabelColour;
    }

    // A route along y = 100 and a reference route along y = 400.
    void addBothRoutes() {
        addRoutePoint(100, 100);
        addRoutePoint(300, 100);
        addReferencePoint(100, 400);
        addReferencePoint(300, 400);
    }

    // A stray pixel on the map: it disappears when the map is cleared.
    void scribble() { pictures.map.pixel(5, 5, colours::white); }
    bool cleared() const { return untouched(5, 5); }
    bool referenceShown() const { return at(200, 400) == kReferenceColour; }
};

TEST_F(OverlayCommands, ReferenceRouteOverADrawnRouteAppearsOnlyRightAfterItsCommand) {
    addBothRoutes();
    menus.setChecked("ActViewSepData", true);
    drawOverlays(commands);
    scribble();

    toggleReferenceRoute(commands);
    EXPECT_TRUE(menus.isChecked("ActViewRefTRK"));
    EXPECT_FALSE(menus.isChecked("ActViewSepData"));
    EXPECT_TRUE(cleared());
    EXPECT_TRUE(referenceShown());
    EXPECT_EQ(at(200, 100), kRouteColour);
    // Drawing the route disables the reference colour again.
    EXPECT_FALSE(menus.isEnabled("ActChgREFLColor"));

    // Any later redraw shows the route alone, though the command stays checked.
    redrawOverlays(commands);
    EXPECT_TRUE(menus.isChecked("ActViewRefTRK"));
    EXPECT_FALSE(referenceShown());

    toggleReferenceRoute(commands);
    EXPECT_FALSE(menus.isChecked("ActViewRefTRK"));
    EXPECT_FALSE(menus.isEnabled("ActChgREFLColor"));
    EXPECT_FALSE(referenceShown());
}

TEST_F(OverlayCommands, ReferenceRouteWithoutARouteStaysUntilItIsTheOnlyChoice) {
    addReferencePoint(100, 400);
    addReferencePoint(300, 400);
    menus.setChecked("ActViewRefTRK", true);
    drawOverlays(commands);
    scribble();

    toggleReferenceRoute(commands);  // checked and no route: nothing
    EXPECT_TRUE(menus.isChecked("ActViewRefTRK"));
    EXPECT_FALSE(cleared());

    menus.setChecked("ActViewRefTRK", false);
    menus.setEnabled("ActChgREFLColor", false);
    clearMapPicture(commands);
    toggleReferenceRoute(commands);
    EXPECT_TRUE(menus.isChecked("ActViewRefTRK"));
    EXPECT_TRUE(menus.isEnabled("ActChgREFLColor"));
    EXPECT_TRUE(referenceShown());
}

TEST_F(OverlayCommands, SectionPositionsToggleTakesTheReferenceRouteAway) {
    addBothRoutes();
    place(state->segments[0], 150, 250);
    place(state->segments[1], 250, 250);
    state->segmentCount = 1;

    menus.setChecked("ActViewRefTRK", true);
    toggleSectionPositions(commands);
    EXPECT_TRUE(menus.isChecked("ActViewSepData"));
    EXPECT_FALSE(menus.isChecked("ActViewRefTRK"));
    EXPECT_EQ(at(150, 250), colours::white);
    EXPECT_EQ(at(250, 250), colours::white);

    // Unchecking also unchecks a reference route checked meanwhile.
    menus.setChecked("ActViewRefTRK", true);
    menus.setEnabled("ActChgREFLColor", true);
    scribble();
    toggleSectionPositions(commands);
    EXPECT_FALSE(menus.isChecked("ActViewSepData"));
    EXPECT_FALSE(menus.isChecked("ActViewRefTRK"));
    EXPECT_FALSE(menus.isEnabled("ActChgREFLColor"));
    EXPECT_TRUE(cleared());
    EXPECT_TRUE(untouched(150, 250));
}

TEST_F(OverlayCommands, DisplayTogglesFlipTheirFlagAndCheckMarkAndRedraw) {
    RoutePoint& point = addRoutePoint(300, 300);
    point.placeName = "登山口";
    point.elevation = 1234.0f;
    point.timeText = "01:30:00";
    const auto labelShown = [this] { return leftmost(kLabelColour, 250, 300, 420, 340) >= 0; };

    struct Toggle {
        const char* toolId;
        std::function<void(MapContext&)> run;
        bool AppState::*flag;
    };
    const std::vector<Toggle> toggles{
        {"ActHDdispON", toggleElevationLabels, &AppState::elevationLabelsShown},
        {"ActSumTimeOut", toggleCumulativeTimes, &AppState::cumulativeTimesShown},
    };
    for (const Toggle& t : toggles) {
        SCOPED_TRACE(t.toolId);
        clearMapPicture(commands);
        scribble();
        t.run(commands);
        EXPECT_TRUE(menus.isChecked(ToolId{t.toolId}));
        EXPECT_TRUE((*state).*t.flag);
        EXPECT_TRUE(cleared());
        EXPECT_TRUE(labelShown());

        t.run(commands);
        EXPECT_FALSE(menus.isChecked(ToolId{t.toolId}));
        EXPECT_FALSE((*state).*t.flag);
        EXPECT_FALSE(labelShown());
    }

    scribble();
    toggleWaypointNames(commands);
    EXPECT_TRUE(map.showWaypointNames);
    EXPECT_TRUE(menus.isChecked("ActWPnameDisp"));
    EXPECT_TRUE(cleared());
    toggleWaypointNames(commands);
    EXPECT_FALSE(map.showWaypointNames);
    EXPECT_FALSE(menus.isChecked("ActWPnameDisp"));

    // "ルート表示" only shows whether the route is drawn.
    menus.setChecked("ActTRKView", true);
    scribble();
    toggleRouteView(commands);
    EXPECT_TRUE(menus.isChecked("ActTRKView"));
    EXPECT_FALSE(cleared());
}

TEST_F(OverlayCommands, MountainNameChoiceKeepsExactlyOneCheckMark) {
    addMountain("幌尻岳", 300, 300);
    addMountain("戸蔦別岳", 100, 200);
    state->selectedMountain = 1;
    state->mountainConfirmed = true;
    menus.setChecked("ActMtName", true);

    showAllMountains(commands);
    EXPECT_TRUE(menus.isChecked("ActALLMtNameOutput"));
    EXPECT_FALSE(menus.isChecked("ActMtName"));
    EXPECT_EQ(at(100, 201), colours::red);
    EXPECT_EQ(at(300, 301), colours::red);

    showDestinationOnly(commands);
    EXPECT_TRUE(menus.isChecked("ActMtName"));
    EXPECT_FALSE(menus.isChecked("ActALLMtNameOutput"));
    EXPECT_TRUE(untouched(100, 201));
    EXPECT_EQ(at(300, 301), colours::red);
}

TEST_F(OverlayCommands, MarkOnAPointWithAMarkIsSetOnlyAfterYes) {
    addRoutePoint(100, 100);
    addRoutePoint(300, 300).markKind = 2;
    scribble();

    presets.answerMessage(Answer::No);
    setMark(commands, 4, 2);
    EXPECT_EQ(state->route[2].markKind, 2);
    ASSERT_EQ(presets.messages().size(), 1u);
    const test::Asked asked = presets.messages()[0];
    EXPECT_EQ(asked.text, "既にこのポイントにデータが登録されています。書き換えますか？");
    EXPECT_EQ(asked.title, "登録問い合わせ");
    EXPECT_EQ(asked.buttons, Buttons::YesNo);
    EXPECT_EQ(asked.icon, Icon::Question);

    presets.answerMessage(Answer::Yes);
    setMark(commands, 4, 2);
    EXPECT_EQ(state->route[2].markKind, 4);

    // A point without a mark takes it at once; the map is drawn over, not cleared.
    setMark(commands, 1, 1);
    EXPECT_EQ(state->route[1].markKind, 1);
    EXPECT_EQ(presets.messages().size(), 2u);
    EXPECT_FALSE(cleared());
    EXPECT_EQ(at(98, 101), makeColour(255, 220, 0));  // the tent's lit doorway

    // Points outside the route and kinds without a mark change nothing.
    for (const auto& [kind, number] : {std::pair{3, 0}, {3, 3}, {3, -1}, {0, 1}, {7, 1}})
        setMark(commands, kind, number);
    EXPECT_EQ(state->route[1].markKind, 1);
    EXPECT_EQ(state->route[3].markKind, 0);
    EXPECT_EQ(presets.messages().size(), 2u);
    EXPECT_TRUE(presets.allAnswersUsed());
}

TEST_F(OverlayCommands, RouteColoursChangeOnlyWhenAColourIsChosen) {
    addRoutePoint(100, 100);
    addRoutePoint(300, 100);
    const Colour chosen = makeColour(1, 2, 3);

    for (bool reference : {false, true}) {
        SCOPED_TRACE(reference);
        Colour& setting = reference ? state->settings.referenceLineColour
                                    : state->settings.trackLineColour;
        const Colour before = setting;
        scribble();
        presets.answerColour(std::nullopt);
        changeRouteColour(commands, reference);
        EXPECT_EQ(setting, before);
        EXPECT_FALSE(cleared());

        presets.answerColour(chosen);
        changeRouteColour(commands, reference);
        EXPECT_EQ(setting, chosen);
        EXPECT_TRUE(cleared());
        EXPECT_EQ(presets.initialColours.back(), before);
    }
    EXPECT_EQ(at(200, 100), chosen);
    for (const test::Asked& asked : presets.asked()) {
        EXPECT_EQ(asked.kind, "colour");
        EXPECT_EQ(asked.title, "ルート表示色の変更");
    }
    EXPECT_TRUE(presets.allAnswersUsed());
}

TEST_F(OverlayCommands, FontsAreStoredInTheirTextStyle) {
    TextStyle chosen;
    chosen.face = "ＭＳ 明朝";
    chosen.size = 12.0f;
    chosen.bold = true;
    chosen.italic = true;
    chosen.underline = true;
    chosen.strikeThrough = true;
    chosen.colour = makeColour(200, 0, 200);

    for (int style : {0, 1, 9}) {
        SCOPED_TRACE(style);
        const TextStyle before = state->textStyles[static_cast<size_t>(style)];
        scribble();
        presets.answerFont(std::nullopt);
        changeFont(commands, style);
        EXPECT_EQ(state->textStyles[static_cast<size_t>(style)], before);
        EXPECT_FALSE(cleared());
        EXPECT_EQ(presets.initialFonts.back(), before);

        presets.answerFont(chosen);
        changeFont(commands, style);
        EXPECT_EQ(state->textStyles[static_cast<size_t>(style)], chosen);
        EXPECT_TRUE(cleared());
    }
    EXPECT_EQ(state->textStyles[2], initialTextStyles()[2]);

    const size_t asked = presets.asked().size();
    changeFont(commands, -1);
    changeFont(commands, 10);
    EXPECT_EQ(presets.asked().size(), asked);
    EXPECT_TRUE(presets.allAnswersUsed());
}

}  // namespace
}  // namespace orv
