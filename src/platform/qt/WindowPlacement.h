#pragma once
// Where windows open: a companion window beside the window it belongs to (the route profile beside the
// route map), so that it covers as little of that window as the screen allows; a window shown
// again where it stood before it was hidden.
#include "platform/DesktopPlaces.h"

#include <QList>
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

// Where a window whose client area stood at `saved` opens again, as a frame rectangle (the
// client area grown by `margins`): on the screen (of `screens`, their available geometries)
// that holds most of it, else on the first (the primary screen), moved and where it must
// shrunk (never below `minimum`, a client size) to lie wholly on that screen. A place on a
// screen that is gone so comes back on one that is there.
QRect restoredFrame(const QRect& saved, const QList<QRect>& screens, const QMargins& margins = {},
                    const QSize& minimum = {});

// Keeps `window`'s place in `frames` under the window's object name: when it is first shown it
// opens where it was last (restoredFrame over the desktop's screens), before any other
// placement of the program, unless it opens maximised; once framed it is kept wholly on its
// screen (keepOnScreen), saved place or not. While it is shown every move and resize, and its
// hiding or closing, are noted (a maximised window's normal place). Call once, from the
// window's constructor; `frames` must outlive the window.
void rememberPlace(QWidget& window, WindowFrames& frames);

// Where a shown top-level window stands (its client area on the screen). A window manager
// places a window that is shown again after hiding like a new one (openbox puts it in a free
// corner), unless the window asks for its place: showAgainAt asks for this one and shows it,
// kept on its screen.
QPoint placeOf(const QWidget& window);
void showAgainAt(QWidget& window, QPoint place);

}  // namespace orv
