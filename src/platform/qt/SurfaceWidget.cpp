#include "platform/qt/SurfaceWidget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
    surface_.setShowHandler([this] {
        followSurfaceSize();
        repaint();
    });
}

SurfaceWidget::~SurfaceWidget() { surface_.setShowHandler({}); }

void SurfaceWidget::followSurfaceSize() {
    const QSize size(surface_.width(), surface_.height());
    if (minimumSize() != size || maximumSize() != size) setFixedSize(size);
}

QSize SurfaceWidget::sizeHint() const { return {surface_.width(), surface_.height()}; }

void SurfaceWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), surface_.image(), area);
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
