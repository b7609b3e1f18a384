#pragma once
// Where a companion window opens beside the window it belongs to (the route profile beside the
// route map), so that it covers as little of that window as the screen allows.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace orv {

// The top-left corner for a window of `size` beside `anchor` on `screen`: to the right of the
// anchor, else to its left, else below it, else above it; where none of these fits whole, the
// corner of the screen's bottom right (the window kept inside the screen). Rectangles are frame
// rectangles in screen coordinates.
QPoint placementBeside(const QRect& anchor, const QSize& size, const QRect& screen);

// Moves `window` beside `anchor` on the anchor's screen, by the frames both have.
void placeBeside(QWidget& window, const QWidget& anchor);

}  // namespace orv
