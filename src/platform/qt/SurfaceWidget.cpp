#include "platform/qt/SurfaceWidget.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRectF>
#include <QScreen>

#include <cmath>

namespace orv {

namespace {

MouseButton buttonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        case Qt::MiddleButton: return MouseButton::Middle;
        default: return MouseButton::None;
    }
}

MouseButton heldButton(Qt::MouseButtons buttons) {
    if (buttons & Qt::LeftButton) return MouseButton::Left;
    if (buttons & Qt::RightButton) return MouseButton::Right;
    if (buttons & Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::None;
}

void report(const SurfaceWidget::MouseHandler& handler, MouseButton button,
            const QMouseEvent* event) {
    if (!handler) return;
    const QPointF at = event->position();
    handler(button, static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
}

}  // namespace

SurfaceWidget::SurfaceWidget(DrawingSurface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    followSurfaceSize();
    followScreenScale();
    frameEnd_.setSingleShot(true);
    connect(&frameEnd_, &QTimer::timeout, this, [this] { repaintPending(); });
    surface_.setShowHandler([this] {
        followSurfaceSize();
        repaintWithinFrame(rect());
    });
    surface_.setAreaShowHandler([this](const PixelRect& changed) {
        followSurfaceSize();
        repaintWithinFrame(QRect(changed.x, changed.y, changed.width, changed.height) & rect());
    });
}

SurfaceWidget::~SurfaceWidget() {
    surface_.setShowHandler({});
    surface_.setAreaShowHandler({});
    surface_.setDisplayScale(1);
}

void SurfaceWidget::followScreenScale() {
    const int scale = devicePixelRatioF() >= 1.5 ? 2 : 1;
    if (scale == surface_.displayScale()) return;
    surface_.setDisplayScale(scale);
    update();
}

bool SurfaceWidget::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        case QEvent::DevicePixelRatioChange:
#endif
            followScreenScale();
            break;
        default: break;
    }
    return QWidget::event(event);
}

void SurfaceWidget::repaintWithinFrame(const QRect& area) {
    pending_ |= area;
    const QScreen* display = screen();
    const double hertz = display != nullptr && display->refreshRate() > 1.0 ? display->refreshRate() : 60.0;
    const auto frameMs = static_cast<qint64>(1000.0 / hertz);
    const qint64 since = lastPaint_.isValid() ? lastPaint_.elapsed() : frameMs;
    if (since >= frameMs)
        repaintPending();
    else if (!frameEnd_.isActive())
        frameEnd_.start(static_cast<int>(frameMs - since));
}

void SurfaceWidget::repaintPending() {
    frameEnd_.stop();
    const QRect area = pending_;
    pending_ = QRect();
    lastPaint_.start();
    if (!area.isEmpty()) repaint(area);
}

void SurfaceWidget::followSurfaceSize() {
    const QSize size(surface_.width(), surface_.height());
    if (minimumSize() != size || maximumSize() != size) setFixedSize(size);
}

QSize SurfaceWidget::sizeHint() const { return {surface_.width(), surface_.height()}; }

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // On a screen of device pixel ratio above 1 every pixel of what is shown covers one or more
    // device pixels: it is repeated, never smoothed into its neighbours, so lines keep their edges.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect area = event->rect();
    const QImage& shown = surface_.displayImage();
    const double scale = shown.devicePixelRatio();
    painter.drawImage(QRectF(area), shown,
                      QRectF(area.x() * scale, area.y() * scale, area.width() * scale, area.height() * scale));
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
    report(onMove_, heldButton(event->buttons()), event);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    report(onPress_, buttonOf(event->button()), event);
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event) {
    report(onRelease_, buttonOf(event->button()), event);
}

}  // namespace orv
