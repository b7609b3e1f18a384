#include "platform/qt/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>

namespace orv {

QPoint placementBeside(const QRect& anchor, const QSize& size, const QRect& screen) {
    // Beside the anchor, its top (or left) edge lined up with the anchor's, within the screen.
    const int alignedTop = std::clamp(anchor.top(), screen.top(),
                                      std::max(screen.top(), screen.bottom() + 1 - size.height()));
    const int alignedLeft = std::clamp(anchor.left(), screen.left(),
                                       std::max(screen.left(), screen.right() + 1 - size.width()));
    const std::array candidates{
        QPoint(anchor.right() + 1, alignedTop),                 // right
        QPoint(anchor.left() - size.width(), alignedTop),       // left
        QPoint(alignedLeft, anchor.bottom() + 1),               // below
        QPoint(alignedLeft, anchor.top() - size.height()),      // above
    };
    for (const QPoint& corner : candidates)
        if (screen.contains(QRect(corner, size))) return corner;
    return {std::max(screen.left(), screen.right() + 1 - size.width()),
            std::max(screen.top(), screen.bottom() + 1 - size.height())};
}

void placeBeside(QWidget& window, const QWidget& anchor) {
    const QScreen* screen = anchor.screen();
    if (screen == nullptr) return;
    // move() places a window's frame, so the frames are what is compared.
    window.move(placementBeside(anchor.frameGeometry(), window.frameGeometry().size(),
                                screen->availableGeometry()));
}

QPoint placeOf(const QWidget& window) { return window.geometry().topLeft(); }

void showAgainAt(QWidget& window, QPoint place) {
    // The client position set on the native window becomes a position the window asks for;
    // the frame position would be taken for the client's while the frame is not known.
    if (QWindow* handle = window.windowHandle()) handle->setPosition(place);
    window.show();
}

}  // namespace orv
