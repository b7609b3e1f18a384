#include "route/ui/RouteMapWindow.h"

#include "platform/qt/SurfaceWidget.h"
#include "platform/qt/WindowShortcuts.h"
#include "support/ConePlan.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

struct RouteMapWindowTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    void SetUp() override {
        setStartValues(*state);
        test::loadConePlan(*state);
        state->settings.backgroundMethod = BandColour;
    }

    static void mouse(QWidget* picture, QEvent::Type type, Qt::MouseButton button, int x, int y) {
        const QPointF at(x, y);
        QMouseEvent event(type, at, picture->mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                          Qt::NoModifier);
        QCoreApplication::sendEvent(picture, &event);
    }
    static void click(QWidget* picture, Qt::MouseButton button, int x, int y) {
        mouse(picture, QEvent::MouseMove, Qt::NoButton, x, y);
        mouse(picture, QEvent::MouseButtonPress, button, x, y);
        mouse(picture, QEvent::MouseButtonRelease, button, x, y);
    }
    static void key(QWidget* target, int code) {
        QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    static QGroupBox* panel(RouteMapWindow& window, const char* title) {
        for (auto* box : window.findChildren<QGroupBox*>())
            if (box->title() == QString::fromUtf8(title)) return box;
        return nullptr;
    }

    // A route of three clicked points, one way.
    void drawRoute(RouteMapWindow& window) {
        SurfaceWidget* picture = window.mapPicture();
        window.dispatch("ActMakeNewTRKdata");
        click(picture, Qt::LeftButton, 100, 100);
        click(picture, Qt::LeftButton, 200, 150);
        dialogs.answerMessage(Answer::Yes);
        click(picture, Qt::RightButton, 260, 150);
    }

    static QStringList statusTexts(RouteMapWindow& window) {
        QStringList texts;
        for (auto* label : window.statusBar()->findChildren<QLabel*>()) texts << label->text();
        return texts;
    }
};

TEST_F(RouteMapWindowTest, TitleMenuBarAndStatusPanels) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("円錐山  ルート平面図"));

    QStringList captions;
    for (QAction* action : window.menuBar()->actions()) captions << action->text();
    EXPECT_EQ(captions, (QStringList{"範囲拡大", "拡大縮小レベル変更", "描画", "尾根・谷名称", "データ表示",
                                     "新規ルート作成", "ルート編集と表示", "ｺｰｽﾀｲﾑ", "表示の設定",
                                     "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ", "ﾌｧｲﾙにｺﾋﾟｰ", "展望", "ﾙｰﾄ図終了"}));
    // Sub-bands are menus; their states follow the model.
    QAction* levels = window.menuBar()->actions().at(1);
    ASSERT_NE(levels->menu(), nullptr);
    EXPECT_FALSE(levels->isEnabled());  // level 1 cannot be left outward
    EXPECT_EQ(levels->menu()->actions().size(), 5);

    EXPECT_TRUE(statusTexts(window).contains("Level:1"));
    EXPECT_EQ(window.mapPicture()->toolTip(), QString::fromUtf8("右クリックでメニュー"));
    EXPECT_EQ(window.mapPicture()->pos(), QPoint(-50, -50));
}

// The menu bar fits, contours do not change the window's size, and on any window size the map
// frame and its scroll bars stay together in the top-left corner.
TEST_F(RouteMapWindowTest, LayoutHoldsTogetherAtEverySize) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    QCoreApplication::processEvents();
    EXPECT_GE(window.width(), window.menuBar()->sizeHint().width());
    const QSize before = window.size();

    dialogs.answerInput("100");
    window.dispatch("ActCNTPdata9");
    ASSERT_TRUE(state->contoursShown);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), before);

    auto* frame = window.mapPicture()->parentWidget();
    // The map's own scroll bars, beside the map frame (lists in the side panels have theirs).
    const QList<QScrollBar*> bars = frame->parentWidget()->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly);
    const auto together = [&] {
        const QRect map(frame->mapTo(&window, QPoint(0, 0)), frame->size());
        for (QScrollBar* bar : bars) {
            const QRect r(bar->mapTo(&window, QPoint(0, 0)), bar->size());
            if (bar->orientation() == Qt::Vertical) {
                EXPECT_EQ(r.left(), map.right() + 1);
                EXPECT_EQ(r.top(), map.top());
                EXPECT_EQ(r.height(), map.height());
            } else {
                EXPECT_EQ(r.top(), map.bottom() + 1);
                EXPECT_EQ(r.left(), map.left());
                EXPECT_EQ(r.width(), map.width());
            }
        }
    };
    ASSERT_EQ(bars.size(), 2);
    together();
    EXPECT_EQ(frame->size(), QSize(500, 500));

    // The frame grows with the window up to the whole picture; the scroll ranges and pages
    // follow, and the bars give up once the whole side is shown. Back at the first size the
    // view is the first one.
    const MapState& map = window.logic().map();
    struct Case {
        QSize grow;
        QSize frame;
        int hMax, vMax, hPage;
    };
    for (const Case& c : {Case{{60, 30}, {560, 530}, 39, 69, 56}, Case{{1000, 1000}, {600, 600}, 0, 0, 60},
                          Case{{0, 0}, {500, 500}, 99, 99, 50}}) {
        window.resize(before + c.grow);
        QCoreApplication::processEvents();
        together();
        EXPECT_EQ(frame->size(), c.frame) << c.grow.width();
        EXPECT_EQ(QSize(map.frameWidth, map.frameHeight), c.frame);
        EXPECT_EQ(window.horizontalScroll()->maximum(), c.hMax);
        EXPECT_EQ(window.verticalScroll()->maximum(), c.vMax);
        EXPECT_EQ(window.horizontalScroll()->pageStep(), c.hPage);
        EXPECT_EQ(window.horizontalScroll()->isEnabled(), c.hMax > 0);
        EXPECT_LE(map.hScroll, c.hMax);
        EXPECT_EQ(window.mapPicture()->pos(), QPoint(-map.hScroll, -map.vScroll));
        // The read-outs stay beside the map.
        EXPECT_GT(window.readout(0)->mapTo(&window, QPoint(0, 0)).x(), frame->mapTo(&window, QPoint(0, 0)).x() + c.frame.width());
    }
    // The smallest window keeps a map of the smallest frame.
    window.resize(window.minimumSize());
    QCoreApplication::processEvents();
    EXPECT_GE(frame->width(), kMinMapFrame);
    EXPECT_GE(frame->height(), kMinMapFrame);
    together();
}

// Over the map the wheel scrolls, Ctrl+wheel zooms about the pointer, the middle button pans;
// F1 and Ctrl+Q reach the map's help and its end.
TEST_F(RouteMapWindowTest, WheelMiddleButtonAndShortcuts) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    const MapState& map = window.logic().map();
    const auto wheel = [&](int x, int y, QPoint angle, Qt::KeyboardModifiers keys) {
        const QPointF at(x, y);
        QWheelEvent event(at, window.mapPicture()->mapToGlobal(at), QPoint(), angle, Qt::NoButton, keys,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window.mapPicture(), &event);
    };
    wheel(300, 300, {0, -120}, Qt::NoModifier);
    EXPECT_EQ(map.vScroll, 80);
    EXPECT_EQ(window.verticalScroll()->value(), 80);
    wheel(300, 300, {0, 120}, Qt::ShiftModifier);
    EXPECT_EQ(map.hScroll, 20);
    EXPECT_EQ(window.mapPicture()->pos(), QPoint(-20, -80));

    // Middle drag: the pixel grabbed stays under the pointer.
    mouse(window.mapPicture(), QEvent::MouseButtonPress, Qt::MiddleButton, 200, 200);
    mouse(window.mapPicture(), QEvent::MouseMove, Qt::MiddleButton, 230, 190);
    EXPECT_EQ(map.hScroll, 0);   // 20 − 30, at the edge
    EXPECT_EQ(map.vScroll, 90);
    mouse(window.mapPicture(), QEvent::MouseButtonRelease, Qt::MiddleButton, 230, 190);
    EXPECT_FALSE(map.panning);

    wheel(320, 280, {0, 120}, Qt::ControlModifier);
    EXPECT_EQ(state->currentLevel, 2);
    EXPECT_TRUE(statusTexts(window).contains("Level:2"));
    wheel(320, 280, {0, -120}, Qt::ControlModifier);
    EXPECT_EQ(state->currentLevel, 1);

    QShortcut* help = windowShortcut(&window, QKeySequence(Qt::Key_F1));
    QShortcut* quit = windowShortcut(&window, QKeySequence(Qt::CTRL | Qt::Key_Q));
    ASSERT_NE(help, nullptr);
    ASSERT_NE(quit, nullptr);
    emit help->activated();
    ASSERT_FALSE(dialogs.asked().empty());
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE4.hlp");
    int left = 0;
    window.setExitHandler([&] { ++left; });
    emit quit->activated();
    EXPECT_EQ(left, 1);
}

TEST_F(RouteMapWindowTest, CommandsThroughTheWindowAndTheMenu) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    window.dispatch("ActDegLineMode");
    EXPECT_EQ(state->settings.backgroundMethod, GraticuleOnly);
    // The graticule labels stand over the picture at their picture positions.
    int visibleLabels = 0;
    for (auto* label : window.mapPicture()->findChildren<QLabel*>())
        if (label->isVisible()) ++visibleLabels;
    EXPECT_EQ(visibleLabels, 10);

    // Choosing the menu entry runs the same command.
    QAction* range = window.menuBar()->actions().at(0);
    range->trigger();
    EXPECT_TRUE(window.logic().map().selecting);
    EXPECT_TRUE(window.mapPicture()->toolTip().isEmpty());

    for (auto* button : window.findChildren<QPushButton*>())
        if (button->text() == QString::fromUtf8("ヘルプ")) button->click();
    ASSERT_FALSE(dialogs.asked().empty());
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE4.hlp");
}

TEST_F(RouteMapWindowTest, ScrollBarsMoveThePictureAndTheLabels) {
    state->settings.backgroundMethod = GraticuleOnly;
    RouteMapWindow window(*state, &dialogs);
    window.open();
    QScrollBar* across = window.horizontalScroll();
    EXPECT_EQ(across->minimum(), 0);
    EXPECT_EQ(across->maximum(), 99);
    EXPECT_EQ(across->singleStep(), 10);
    EXPECT_EQ(across->pageStep(), 50);
    EXPECT_EQ(across->value(), 50);

    across->setValue(60);
    window.verticalScroll()->setValue(20);
    EXPECT_EQ(window.mapPicture()->pos(), QPoint(-60, -20));
    EXPECT_EQ(window.logic().map().hScroll, 60);
    EXPECT_EQ(window.logic().map().vScroll, 20);
    // The latitude labels keep to the visible left edge.
    const QString label1 = QString::fromStdString(window.logic().map().latitudeLabels[1].text);
    bool found = false;
    for (auto* label : window.mapPicture()->findChildren<QLabel*>()) {
        if (label->text() != label1) continue;
        found = true;
        EXPECT_EQ(label->pos(), QPoint(62, 500));
    }
    EXPECT_TRUE(found);
}

TEST_F(RouteMapWindowTest, RouteDrawnWithTheMouseIsMeasuredAndEdited) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    SurfaceWidget* picture = window.mapPicture();
    drawRoute(window);
    ASSERT_TRUE(state->routeLoaded);
    EXPECT_EQ(state->rawRoute[0].number, 3);

    // The read-outs stand under their captions.
    QStringList texts;
    for (auto* label : window.findChildren<QLabel*>()) texts << label->text();
    for (const char* caption : {"地図上距離", "総歩行距離", "標高差", "往路歩行時間", "帰路歩行時間"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(caption))) << caption;
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_FALSE(window.readout(i)->text().isEmpty()) << i;
        EXPECT_EQ(window.readout(i)->text().toStdString(), window.logic().map().readouts[i]);
    }
    EXPECT_TRUE(window.readout(0)->text().endsWith(QString::fromUtf8(" ｍ")));

    // Edit mode: the panel, the marker over the first point, and the keys taken from any control.
    QGroupBox* points = panel(window, "ルートポイント処理");
    ASSERT_NE(points, nullptr);
    EXPECT_TRUE(points->isHidden());
    window.dispatch("ActEditRootData");
    EXPECT_FALSE(points->isHidden());
    EXPECT_FALSE(window.pointMarker()->isHidden());
    const RoutePoint& first = state->route[1];
    EXPECT_EQ(window.pointMarker()->pos(), QPoint(first.pixelX, first.pixelY - 34));
    auto* number = points->findChild<QSpinBox*>();
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->maximum(), state->routeCount);
    key(window.horizontalScroll(), Qt::Key_PageUp);
    EXPECT_EQ(number->value(), 11);
    key(picture, Qt::Key_Down);
    EXPECT_EQ(number->value(), 10);
    number->setValue(3);
    EXPECT_EQ(window.logic().creation().routePointPanel.value, 3);

    const int16_t count = state->routeCount;
    key(number, Qt::Key_Delete);
    EXPECT_EQ(state->routeCount, count - 1);

    for (auto* button : points->findChildren<QPushButton*>())
        if (button->text() == QString::fromUtf8("ヘルプ")) button->click();
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE7.hlp");

    window.dispatch("ActExitRootEdit");
    EXPECT_TRUE(points->isHidden());
    EXPECT_TRUE(window.pointMarker()->isHidden());
}

// Escape typed anywhere in the window ends the zoom square without zooming.
TEST_F(RouteMapWindowTest, EscapeEndsTheZoomSquare) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    const QImage before = window.logic().pictures().map.image().copy();
    const QString guide = QString::fromUtf8("マウスで範囲を選択して下さい。左クリックで確定　右クリックで倍率調整");
    window.dispatch("ActZupMode");
    mouse(window.mapPicture(), QEvent::MouseMove, Qt::NoButton, 250, 250);
    ASSERT_TRUE(window.logic().map().selecting);
    EXPECT_TRUE(statusTexts(window).contains(guide));

    for (QWidget* target : {static_cast<QWidget*>(window.mapPicture()),
                            static_cast<QWidget*>(window.horizontalScroll())}) {
        key(target, Qt::Key_Escape);
        EXPECT_FALSE(window.logic().map().selecting);
        EXPECT_EQ(window.logic().pictures().map.image(), before);
        EXPECT_FALSE(statusTexts(window).contains(guide));
        EXPECT_EQ(window.mapPicture()->toolTip(), QString::fromUtf8("右クリックでメニュー"));
        window.dispatch("ActZupMode");
    }
    EXPECT_EQ(state->currentLevel, 1);
}

// A long name of a route point is cut at the panel's edge and shown whole as the tool tip: the
// panel, the window and the map keep their places.
TEST_F(RouteMapWindowTest, ALongPointNameKeepsThePanelsWidth) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    drawRoute(window);
    ASSERT_TRUE(state->routeLoaded);
    window.dispatch("ActEditRootData");
    QCoreApplication::processEvents();
    QGroupBox* points = panel(window, "ルートポイント処理");
    ASSERT_NE(points, nullptr);
    const int panelWidth = points->width();
    const int windowWidth = window.width();
    const QPoint mapAt = window.mapFrame()->mapTo(&window, QPoint(0, 0));

    const std::string longName = "南アルプス北岳肩の小屋から両俣小屋へ下る分岐点の道標の先の広い河原の渡渉点";
    state->route[2].placeName = longName;
    points->findChild<QSpinBox*>()->setValue(2);
    QCoreApplication::processEvents();

    const QString full = QString::fromUtf8("地名： ") + QString::fromStdString(longName);
    QLabel* shown = nullptr;
    for (auto* label : points->findChildren<QLabel*>())
        if (label->toolTip() == full) shown = label;
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->text().endsWith(QChar(0x2026))) << shown->text().toStdString();
    EXPECT_EQ(points->width(), panelWidth);
    EXPECT_EQ(window.width(), windowWidth);
    EXPECT_EQ(window.mapFrame()->mapTo(&window, QPoint(0, 0)), mapAt);

    // A short name shows whole, without a tool tip.
    state->route[3].placeName = "肩の小屋";
    points->findChild<QSpinBox*>()->setValue(3);
    QCoreApplication::processEvents();
    bool shortShown = false;
    for (auto* label : points->findChildren<QLabel*>()) {
        if (label->text() != QString::fromUtf8("地名： 肩の小屋")) continue;
        shortShown = true;
        EXPECT_TRUE(label->toolTip().isEmpty());
    }
    EXPECT_TRUE(shortShown);
}

TEST_F(RouteMapWindowTest, LeavingTheMap) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    int left = 0;
    window.setExitHandler([&] {
        ++left;
        window.close();
    });
    window.dispatch("ActTViewExit");
    EXPECT_EQ(left, 1);
    EXPECT_FALSE(window.isVisible());

    // The close button leaves the same way, right after the click has been handled.
    window.show();
    window.close();
    QCoreApplication::processEvents();
    EXPECT_EQ(left, 2);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(RouteMapWindowTest, TracingShowsTheDrawingPictureAndNamePanelsTakeThePointPanelsPlace) {
    RouteMapWindow window(*state, &dialogs);
    window.open();
    window.logic().ridgeValleyTracing().setSettingsDialog([](RidgeValleySettings& s) { s.execute(1); });
    window.dispatch("ActMakeOneSuji");
    EXPECT_TRUE(window.drawingPicture()->isVisible());
    EXPECT_FALSE(window.mapPicture()->isVisible());
    click(window.drawingPicture(), Qt::LeftButton, 100, 100);
    click(window.drawingPicture(), Qt::LeftButton, 200, 100);
    EXPECT_EQ(state->ridgeValleyCount, 2);
    EXPECT_EQ(state->ridgeValleyPoints[0].kind, 2);
    window.dispatch("ActExitRVLine");
    EXPECT_FALSE(window.drawingPicture()->isVisible());
    EXPECT_TRUE(window.mapPicture()->isVisible());

    window.dispatch("ActRVNInput");
    ASSERT_NE(panel(window, "尾根・谷名称設定"), nullptr);
    EXPECT_TRUE(panel(window, "尾根・谷名称設定")->isVisible());
    window.dispatch("ActRVNDDel");
    EXPECT_FALSE(panel(window, "尾根・谷名称設定")->isVisible());
    EXPECT_TRUE(panel(window, "尾根・谷名称登録リスト")->isVisible());
}

}  // namespace
}  // namespace orv
