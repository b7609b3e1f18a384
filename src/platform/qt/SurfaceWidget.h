#pragma once
// Shows a DrawingSurface: the widget has the surface's size, repaints at once when the surface
// is shown, and reports mouse moves, presses and releases in surface pixels. It never draws
// anything itself.
#include "platform/DrawingSurface.h"

#include <QWidget>

#include <functional>

namespace orv {

enum class MouseButton { None, Left, Right, Middle };

class SurfaceWidget : public QWidget {
    Q_OBJECT

public:
    // button: the button pressed or released; for a move, the button held (None when none).
    using MouseHandler = std::function<void(MouseButton button, int x, int y)>;

    // The surface must outlive the widget, and one widget shows one surface (the widget is
    // the surface's show handler until it goes).
    explicit SurfaceWidget(DrawingSurface& surface, QWidget* parent = nullptr);
    ~SurfaceWidget() override;

    DrawingSurface& surface() { return surface_; }

    void setMouseMoveHandler(MouseHandler handler) { onMove_ = std::move(handler); }
    void setMousePressHandler(MouseHandler handler) { onPress_ = std::move(handler); }
    void setMouseReleaseHandler(MouseHandler handler) { onRelease_ = std::move(handler); }

    // Takes over the surface's size after it changed (also done whenever it is shown).
    void followSurfaceSize();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    DrawingSurface& surface_;
    MouseHandler onMove_;
    MouseHandler onPress_;
    MouseHandler onRelease_;
};

}  // namespace orv
