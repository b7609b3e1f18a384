// The widget that shows a drawing surface: its size, its repaint on show, its mouse reports.
#include "platform/DrawingSurface.h"
#include "platform/qt/SurfaceWidget.h"

#include <QCoreApplication>
#include <QImage>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>

#include <gtest/gtest.h>

#include <vector>

namespace orv {
namespace {

struct Click {
    MouseButton button;
    int x;
    int y;
    bool operator==(const Click&) const = default;
};

void send(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

TEST(SurfaceWidget, TakesTheSurfaceSizeAndFollowsItWhenShown) {
    DrawingSurface surface(200, 20);
    {
        SurfaceWidget widget(surface);
        EXPECT_EQ(widget.size(), QSize(200, 20));
        surface.resize(600, 600);
        surface.show();
        EXPECT_EQ(widget.size(), QSize(600, 600));
        EXPECT_EQ(widget.sizeHint(), QSize(600, 600));
    }
    surface.show();  // the widget is gone: nothing is called
}

// Records the areas the widget repaints.
struct PaintLog : QObject {
    std::vector<QRect> areas;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) areas.push_back(static_cast<QPaintEvent*>(event)->rect());
        return false;
    }
};

TEST(SurfaceWidget, RepaintsOnlyWhatChangedAtMostOncePerFrame) {
    DrawingSurface surface(100, 80);
    SurfaceWidget widget(surface);
    widget.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 100) QCoreApplication::processEvents();
    PaintLog log;
    widget.installEventFilter(&log);

    QElapsedTimer clock;
    clock.start();
    surface.show(PixelRect{0, 10, 100, 5});  // at once: the rows that changed
    ASSERT_EQ(log.areas.size(), 1u);
    EXPECT_EQ(log.areas[0], QRect(0, 10, 100, 5));

    surface.show(PixelRect{0, 15, 100, 5});  // within the same frame: held back
    surface.show(PixelRect{0, 20, 100, 5});
    // A machine too busy to make both calls within a frame may paint them at once.
    const bool sameFrame = clock.elapsed() < 10;
    if (sameFrame) {
        EXPECT_EQ(log.areas.size(), 1u);
    }
    while (clock.elapsed() < 200) QCoreApplication::processEvents();
    if (sameFrame) {
        ASSERT_EQ(log.areas.size(), 2u);  // both in one repaint at the end of the frame
        EXPECT_EQ(log.areas[1], QRect(0, 15, 100, 10));
    }
    QRegion painted;
    for (const QRect& area : log.areas) painted += area;
    EXPECT_EQ(painted, QRegion(0, 10, 100, 15));  // what changed, nothing else
}

TEST(SurfaceWidget, ReportsMouseEventsInSurfacePixels) {
    DrawingSurface surface(100, 80);
    SurfaceWidget widget(surface);
    std::vector<Click> moves;
    std::vector<Click> presses;
    std::vector<Click> releases;
    widget.setMouseMoveHandler([&](MouseButton b, int x, int y) { moves.push_back({b, x, y}); });
    widget.setMousePressHandler([&](MouseButton b, int x, int y) { presses.push_back({b, x, y}); });
    widget.setMouseReleaseHandler([&](MouseButton b, int x, int y) {
        releases.push_back({b, x, y});
    });

    send(widget, QEvent::MouseMove, {10.7, 3.2}, Qt::NoButton, Qt::NoButton);
    send(widget, QEvent::MouseButtonPress, {20.0, 30.0}, Qt::LeftButton, Qt::LeftButton);
    send(widget, QEvent::MouseMove, {25.0, 31.0}, Qt::NoButton, Qt::LeftButton);
    send(widget, QEvent::MouseButtonRelease, {26.0, 32.0}, Qt::LeftButton, Qt::NoButton);
    send(widget, QEvent::MouseButtonPress, {40.0, 41.0}, Qt::RightButton, Qt::RightButton);
    send(widget, QEvent::MouseButtonRelease, {40.0, 41.0}, Qt::RightButton, Qt::NoButton);

    EXPECT_EQ(moves, (std::vector<Click>{{MouseButton::None, 10, 3}, {MouseButton::Left, 25, 31}}));
    EXPECT_EQ(presses,
              (std::vector<Click>{{MouseButton::Left, 20, 30}, {MouseButton::Right, 40, 41}}));
    EXPECT_EQ(releases,
              (std::vector<Click>{{MouseButton::Left, 26, 32}, {MouseButton::Right, 40, 41}}));
}

// What the widget paints on a device of pixel ratio 2, in device pixels.
QImage paintedAtRatioTwo(SurfaceWidget& widget) {
    QImage device(widget.width() * 2, widget.height() * 2, QImage::Format_RGB32);
    device.setDevicePixelRatio(2.0);
    device.fill(Qt::black);
    widget.render(&device);
    device.setDevicePixelRatio(1.0);
    return device;
}

TEST(SurfaceWidget, PaintsTheDisplayImageAtTheScreensDensity) {
    DrawingSurface surface(40, 30);
    {
        SurfaceWidget widget(surface);
        EXPECT_EQ(surface.displayScale(), widget.devicePixelRatioF() >= 1.5 ? 2 : 1);
        surface.setDisplayScale(2);  // as on a screen of pixel ratio 2
        surface.line(0, 0, 39, 13, colours::red);
        surface.setCurrentPosition(2, 12);
        surface.text("尾根");
        QImage shown = surface.displayImage().copy();
        shown.setDevicePixelRatio(1.0);
        EXPECT_EQ(paintedAtRatioTwo(widget), shown);  // device pixel for device pixel

        surface.setDisplayScale(1);  // as on a screen of pixel ratio 1: each pixel a 2 × 2 block
        const QImage blocks = surface.image().scaled(80, 60, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_EQ(paintedAtRatioTwo(widget), blocks);
        surface.setDisplayScale(2);
    }
    EXPECT_EQ(surface.displayScale(), 1);  // the widget gone, the surface keeps no display image
}

}  // namespace
}  // namespace orv
