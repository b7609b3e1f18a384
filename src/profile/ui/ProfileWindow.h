#pragma once
// ORV_VVIEW, the route profile window: the four summary panels, the 784 × 364 profile picture
// with the live cursor column over it, the status line, the "ヘルプ" button and the menus (the
// menu bar's "主ﾒﾆｭｰ" and the right-click pop-up). It shows the Profile's state and forwards every
// user action to it.
//
// The route map creates the window hidden and shows it on demand; it lives as long as the route
// map. Each time it becomes the active window coming from another window (not from a dialog it
// opened itself) the profile is set up afresh.
#include "platform/qt/MenuAdapter.h"
#include "platform/qt/QtDialogs.h"
#include "profile/Profile.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QLabel;

namespace orv {

class SurfaceWidget;

class ProfileWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs the window asks the user through the desktop's dialogs.
    ProfileWindow(AppState& state, Dialogs* dialogs, QWidget* parent = nullptr);
    ~ProfileWindow() override;

    Profile& logic() { return *logic_; }
    Dialogs& dialogs() { return *dialogs_; }

    // Shows the window beside its owner without blocking it, and sets the profile up.
    void showProfile();
    void dispatch(const std::string& toolId) { logic_->dispatch(toolId); }

    SurfaceWidget* picture() const { return picture_; }
    QWidget* cursorLine() const { return cursor_; }
    QLabel* statusLine() const { return status_; }
    QLabel* summary(size_t index) const { return index < summaries_.size() ? summaries_[index] : nullptr; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void refresh();
    void moveCursor();

    QtDialogs qtDialogs_;
    Dialogs* dialogs_ = nullptr;
    std::unique_ptr<Profile> logic_;
    std::unique_ptr<MenuAdapter> menus_;
    std::array<QLabel*, 4> summaries_{};
    SurfaceWidget* picture_ = nullptr;
    QWidget* cursor_ = nullptr;
    QLabel* status_ = nullptr;
    // The window of this program that was active before this one is a dialog this window
    // opened (or one opened from such a dialog). Decided when that window gets the focus: by
    // the time this window is active again the dialog may be gone.
    bool fromOwnDialog_ = false;
    bool placed_ = false;  // put beside the route map at its first showing
};

}  // namespace orv
