#pragma once
// Where windows open: a companion window beside the window it belongs to (the route profile beside the
// route map), so that it covers as little of that window as the screen allows; a window shown
// again where it stood before it was hidden.
#include <QMargins>
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

// The frame rectangle moved, and shrunk where it is larger than the screen (never below
// `minimum`), so that it lies wholly within `screen`; a frame already inside stays where it is.
QRect keptWithin(const QRect& frame, const QRect& screen, const QSize& minimum = {});

// Moves `window` beside `anchor` on the anchor's screen, by the frames both have. A window not
// shown yet is first given the size its layout asks for, and taken to get a frame like the
// anchor's; where the screen is too small for it, it is made smaller.
void placeBeside(QWidget& window, const QWidget& anchor);

// Moves (and where it must, shrinks) a shown top-level window so that its frame lies wholly on
// its screen's available geometry.
void keepOnScreen(QWidget& window);

// Where a shown top-level window stands (its client area on the screen). A window manager
// places a window that is shown again after hiding like a new one (openbox puts it in a free
// corner), unless the window asks for its place: showAgainAt asks for this one and shows it,
// kept on its screen.
QPoint placeOf(const QWidget& window);
void showAgainAt(QWidget& window, QPoint place);

}  // namespace orv
