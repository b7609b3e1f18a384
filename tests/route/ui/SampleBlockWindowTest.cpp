// The route map window on the bundled sample block (幌尻岳): every background mode, contours and
// a range zoom, as a user would go through them. With ORVANE_SCREENSHOT_DIR set, each step
// also saves a picture of the window there.
#include "route/ui/RouteMapWindow.h"

#include "map/MapView.h"
#include "platform/qt/SurfaceWidget.h"
#include "route/RouteMap.h"
#include "state/ColourTable.h"
#include "support/SampleBlock.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace orv {
namespace {

void release(QWidget* picture, Qt::MouseButton button, int x, int y) {
    const QPointF at(x, y);
    for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, picture->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                          type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(picture, &event);
    }
}

void saveShot(QWidget& window, const std::string& name) {
    const char* folder = std::getenv("ORVANE_SCREENSHOT_DIR");
    if (folder == nullptr || *folder == '\0') return;
    window.grab().save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

// Distinct colours of the map picture, sampled every 7 pixels.
size_t colourCount(const DrawingSurface& picture) {
    std::set<Colour> seen;
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 600; x += 7) seen.insert(picture.pixelAt(x, y));
    return seen.size();
}

struct SampleBlockWindowTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    void SetUp() override {
        ASSERT_TRUE(test::loadSampleBlock(*state));
        state->settings.colourTable[0] = kDefaultColourSet;
        state->settings.registeredSets[0] = 1;
        state->planName = "幌尻岳";
    }
};

TEST_F(SampleBlockWindowTest, BackgroundModesContoursAndZoom) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    RouteMap& logic = window.logic();
    const DrawingSurface& map = logic.pictures().map;
    EXPECT_EQ(window.windowTitle().toStdString(), "幌尻岳  ルート平面図");

    // Shaded colour bands: the summit cell (record 77, field 97 of the centre mesh) is in the
    // 1000-2000 m band, and the relief gives many shades.
    EXPECT_GT(colourCount(map), 200u);
    saveShot(window, "1-shaded");

    window.dispatch("ActStpColMode");
    EXPECT_GT(colourCount(map), 50u);
    saveShot(window, "2-bands");

    window.dispatch("ActDegLineMode");
    EXPECT_LE(colourCount(map), 3u);  // white and the dotted black grid
    saveShot(window, "3-graticule");

    window.dispatch("ActNoBGMode");
    EXPECT_EQ(colourCount(map), 1u);
    saveShot(window, "4-none");

    window.dispatch("ActStpColSMode");
    window.dispatch("ActCNTPdata5");  // contours every 100 m
    EXPECT_TRUE(state->contoursShown);
    EXPECT_EQ(logic.state().contourInterval, 100);
    saveShot(window, "5-contours-100m");

    // Range zoom: the square shrunk twice at level 1 (h = 37.5, m = 8) jumps to level 4; at
    // h = 75 (m = 4) to level 3.
    window.dispatch("ActZupMode");
    logic.mouseRelease(MapButton::Right, 300, 300);
    logic.mouseMove(330, 280);
    logic.mouseRelease(MapButton::Left, 330, 280);
    EXPECT_EQ(state->currentLevel, 3);
    EXPECT_EQ(logic.map().statusPanels[1], "Level:3");
    EXPECT_GT(colourCount(map), 200u);
    saveShot(window, "6-level3-contours");

    window.dispatch("ActDelCnt");
    EXPECT_FALSE(state->contoursShown);
    saveShot(window, "7-level3");

    window.dispatch("ActVlv1");
    EXPECT_EQ(state->currentLevel, 1);
    EXPECT_TRUE(dialogs.asked().empty());

    // A route with the mouse from the valley west of the main ridge up to 幌尻岳's summit cell
    // (centre mesh record 77, field 97: picture pixel (297, 276)), one way. The click at x = 298
    // is 670.5″ east of the block's edge, kept as 670″: inside pixel 297.
    window.dispatch("ActMakeNewTRKdata");
    QWidget* picture = window.mapPicture();
    for (auto [x, y] : {std::pair{120, 420}, {180, 380}, {230, 330}, {265, 300}})
        release(picture, Qt::LeftButton, x, y);
    dialogs.answerMessage(Answer::Yes);
    release(picture, Qt::RightButton, 298, 276);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "作成したルートは片道として処理しますか");
    EXPECT_TRUE(state->routeLoaded);
    EXPECT_GT(state->routeCount, 100);
    EXPECT_FALSE(state->roundTrip);
    EXPECT_NEAR(state->route[static_cast<size_t>(state->routeCount)].elevation, 1939.0f, 0.05f);
    for (const auto& text : logic.map().readouts) EXPECT_FALSE(text.empty());
    window.dispatch("ActStpColMode");
    saveShot(window, "8-route");
}

}  // namespace
}  // namespace orv
