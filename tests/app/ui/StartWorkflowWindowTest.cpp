// The start menu window through a plan: the overview and preview drawn, the mesh buttons, the
// route map opened in its place and the start menu back when the map is left. The modal
// dialogs are scripted; the route map window is the real one.
#include "app/ui/StartMenuWindow.h"

#include "app/EndOfMap.h"
#include "platform/qt/SurfaceWidget.h"
#include "route/ui/RouteMapWindow.h"
#include "state/ColourTable.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace orv {
namespace {

namespace fs = std::filesystem;

const std::string kAssets = ORVANE_ASSETS;

struct StartWorkflowWindowTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    IniStore settings;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<StartMenuWindow> window;
    int endOfMapShown = 0;

    void SetUp() override {
        state->appFolder = kAssets;
        state->dataFolder = dir / "Data";
        fs::create_directories(state->dataFolder);
        state->demMedia = 1;
        state->settings.colourTable[0] = kDefaultColourSet;
        state->settings.registeredSets[0] = 1;
        window = std::make_unique<StartMenuWindow>(*state, settings, dir / "Orvane2.ini", &dialogs);
        StartDialogs& windows = window->logic().startDialogs();
        windows.planStart = [](PlanStart& dialog) {
            dialog.editName("幌尻岳0801");
            EXPECT_TRUE(dialog.execute());
        };
        windows.mountainSearch = [this](const OverviewRange&, const std::function<void()>& clear) {
            clear();
            // 幌尻岳 in the mountain-name file the plan start proposed.
            for (int i = 1; i <= state->mountainCount; ++i)
                if (state->mountainTable[static_cast<size_t>(i)].name == "幌尻岳") {
                    state->mountainConfirmed = true;
                    return std::optional<int>(i);
                }
            return std::optional<int>();
        };
        windows.trackFormat = [] { return std::optional<GpsFormatChoice>(GpsFormatChoice{kGpsFormatPcx, false}); };
        windows.endOfMap = [this] {
            ++endOfMapShown;
            EndOfMap end(*state, dialogs);
            EXPECT_TRUE(end.yes());  // no route: "ルート図を終了します。"
            return end.outcome().value();
        };
        window->show();
    }

    QLabel* labelWithText(const QString& text) const {
        for (auto* label : window->findChildren<QLabel*>())
            if (label->text() == text) return label;
        return nullptr;
    }
};

TEST_F(StartWorkflowWindowTest, PlanOpensTheRouteMapInPlaceOfTheStartMenuAndComesBack) {
    window->dispatch("ActMakeRootMode");
    EXPECT_EQ(window->windowTitle(), "地域選択  幌尻岳0801");
    EXPECT_NE(labelWithText("行き先の山名を含む地域範囲を設定します。"), nullptr);
    EXPECT_NE(labelWithText("6442  夕張岳"), nullptr);
    for (size_t i = 0; i < 5; ++i) EXPECT_TRUE(window->meshButton(i)->isEnabled());
    // The destination drawn on the overview picture at (1174, 393).
    EXPECT_EQ(window->overviewPicture().pixelAt(1174, 394), colours::red);

    // South into 浦河 and back north.
    window->meshButton(4)->click();
    EXPECT_NE(labelWithText("6342  浦河"), nullptr);
    window->meshButton(0)->click();
    EXPECT_NE(labelWithText("6442  夕張岳"), nullptr);

    // Confirm: the block is loaded and the route map replaces the start menu.
    dialogs.answerMessage(Answer::Ok);
    dialogs.answerFolder(kAssets + "/sample/dem");
    window->meshButton(2)->click();
    EXPECT_FALSE(window->isVisible());
    QPointer<RouteMapWindow> map = window->routeMap();
    ASSERT_FALSE(map.isNull());
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(map->windowTitle(), "幌尻岳0801  ルート平面図");

    // Leaving the map: the end-of-map dialog, then the start menu is back at idle.
    map->dispatch("ActTViewExit");
    EXPECT_EQ(endOfMapShown, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->routeMap(), nullptr);
    EXPECT_EQ(window->windowTitle(), "地域選択");
    for (size_t i = 0; i < 5; ++i) EXPECT_FALSE(window->meshButton(i)->isEnabled());
    EXPECT_NE(window->overviewPicture().pixelAt(1174, 394), colours::red);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(map.isNull());
}

TEST_F(StartWorkflowWindowTest, GpsRecordShowsTheRouteMarkerOnTheOverview) {
    dialogs.answerFile(std::string(ORVANE_FIXTURES) + "/workflow/horoshiri.TRK");
    window->dispatch("ActRootLogGetMode");
    EXPECT_EQ(window->windowTitle(), "地域選択  幌尻岳0801");
    QLabel* marker = window->routeMarker();
    ASSERT_NE(marker, nullptr);
    EXPECT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->geometry().center(), QPoint(1172, 395));
    EXPECT_TRUE(window->meshButton(2)->isEnabled());

    // Cancelling at the loader's question returns to idle: no marker, no plan.
    dialogs.answerMessage(Answer::Cancel);
    window->meshButton(2)->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->routeMap(), nullptr);
    EXPECT_FALSE(marker->isVisible());
    EXPECT_EQ(window->windowTitle(), "地域選択");
}

}  // namespace
}  // namespace orv
