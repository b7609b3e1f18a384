#include "platform/qt/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QTimer>
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

QRect keptWithin(const QRect& frame, const QRect& screen, const QSize& minimum) {
    if (screen.isEmpty()) return frame;
    const QSize size = frame.size().boundedTo(screen.size()).expandedTo(minimum);
    const int left = std::clamp(frame.left(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    const int top = std::clamp(frame.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    return {QPoint(left, top), size};
}

QRect restoredFrame(const QRect& saved, const QList<QRect>& screens, const QMargins& margins,
                    const QSize& minimum) {
    const QRect frame = saved.marginsAdded(margins);
    if (screens.isEmpty()) return frame;
    QRect best = screens.front();
    qint64 bestArea = 0;
    for (const QRect& screen : screens) {
        const QRect common = screen.intersected(frame);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return keptWithin(frame, best, minimum.grownBy(margins));
}

namespace {

// The window frame around a widget's client area; nothing while the window manager has not
// framed it.
QMargins frameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// Gives the window the client size whose frame is `frame`, where it differs.
void resizeToFrame(QWidget& window, const QSize& frame, const QMargins& margins) {
    const QSize client = frame.shrunkBy(margins);
    if (client != window.size()) window.resize(client);
}

}  // namespace

void placeBeside(QWidget& window, const QWidget& anchor) {
    const QScreen* screen = anchor.screen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    // A window never shown has the size of no layout yet and no frame: it gets the size it
    // asks for, and a frame like the anchor's is counted on.
    if (!window.isVisible() && !window.testAttribute(Qt::WA_Resized)) window.adjustSize();
    const QMargins own = frameMargins(window);
    const QMargins margins = own.isNull() ? frameMargins(anchor) : own;
    const QRect frame = keptWithin(QRect(QPoint(), window.size().grownBy(margins)), available,
                                   window.minimumSize().grownBy(margins));
    resizeToFrame(window, frame.size(), margins);
    // move() places a window's frame, so the frames are what is compared.
    window.move(placementBeside(anchor.frameGeometry(), frame.size(), available));
}

void keepOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr || !window.isVisible()) return;
    const QMargins margins = frameMargins(window);
    const QRect frame = window.frameGeometry();
    const QRect kept = keptWithin(frame, screen->availableGeometry(), window.minimumSize().grownBy(margins));
    if (kept == frame) return;
    resizeToFrame(window, kept.size(), margins);
    window.move(kept.topLeft());
}

namespace {

// Watches one window for rememberPlace.
class PlaceKeeper : public QObject {
public:
    PlaceKeeper(QWidget& window, WindowFrames& frames)
        : QObject(&window), window_(window), frames_(frames), name_(window.objectName().toStdString()) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_) return false;
        switch (event->type()) {
            case QEvent::Show:
                if (!shown_) {
                    restore();
                    // Once the window manager has framed it, the real frame is kept on the
                    // screen too, whether the window came back or opens for the first time.
                    QTimer::singleShot(0, &window_, [window = QPointer<QWidget>(&window_)] {
                        if (window) keepOnScreen(*window);
                    });
                }
                shown_ = true;
                note();
                break;
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Hide:
                if (shown_) note();
                break;
            default: break;
        }
        return false;
    }

private:
    void restore() {
        const auto saved = frames_.find(name_);
        // A window opened maximised or full screen keeps that state.
        if (saved == frames_.end() || (window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            return;
        const WindowFrame& f = saved->second;
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens()) screens.push_back(screen->availableGeometry());
        if (const QScreen* primary = QGuiApplication::primaryScreen()) {
            screens.removeOne(primary->availableGeometry());
            screens.prepend(primary->availableGeometry());
        }
        const QMargins margins = frameMargins(window_);
        const QRect frame = restoredFrame(QRect(f.left, f.top, f.width, f.height), screens, margins,
                                          window_.minimumSize());
        window_.setGeometry(frame.marginsRemoved(margins));
    }

    void note() {
        if (window_.isMinimized() || name_.empty()) return;
        const QRect place = window_.isMaximized() || window_.isFullScreen() ? window_.normalGeometry()
                                                                             : window_.geometry();
        if (place.isEmpty()) return;
        frames_.insert_or_assign(name_, WindowFrame{place.left(), place.top(), place.width(), place.height()});
    }

    QWidget& window_;
    WindowFrames& frames_;
    std::string name_;
    bool shown_ = false;
};

}  // namespace

void rememberPlace(QWidget& window, WindowFrames& frames) { new PlaceKeeper(window, frames); }

QPoint placeOf(const QWidget& window) { return window.geometry().topLeft(); }

void showAgainAt(QWidget& window, QPoint place) {
    // The client position set on the native window becomes a position the window asks for;
    // the frame position would be taken for the client's while the frame is not known.
    if (QWindow* handle = window.windowHandle()) handle->setPosition(place);
    window.show();
    keepOnScreen(window);
}

}  // namespace orv
