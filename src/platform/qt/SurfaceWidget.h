#pragma once
// Shows a DrawingSurface: the widget has the surface's size, repaints what changed when the
// surface is shown (at once, unless the last repaint is less than a display frame ago: then at
// the end of that frame, all changes since in one repaint), and reports mouse moves, presses and
// releases in surface pixels. It never draws anything itself. On a screen of device pixel ratio
// 1.5 or more it has the surface keep a display image at twice the density and shows that, so
// lines and text are as sharp as the screen allows.
#include "platform/DrawingSurface.h"

#include <QElapsedTimer>
#include <QRect>
#include <QTimer>
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

    // The display scale for the widget's screen (2 from a device pixel ratio of 1.5, else 1),
    // given to the surface; a change repaints with what the surface has until its next drawing.
    void followScreenScale();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void repaintWithinFrame(const QRect& area);
    void repaintPending();

    DrawingSurface& surface_;
    QRect pending_;            // changed since the last repaint, not yet repainted
    QElapsedTimer lastPaint_;  // since the last repaint on a show
    QTimer frameEnd_;          // repaints what is pending once the frame is over
    MouseHandler onMove_;
    MouseHandler onPress_;
    MouseHandler onRelease_;
};

}  // namespace orv
