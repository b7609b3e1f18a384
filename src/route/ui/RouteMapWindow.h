#pragma once
// ORV_TVIEW, the route map window: the 600 × 600 map picture seen through a 500 × 500 frame
// with its own scroll bars, the graticule labels over the picture, the progress strip, the
// "ヘルプ" button, four status panels and the menus of the main band (menu bar and right-click
// pop-up). It shows the RouteMap's state and forwards every user action to it.
#include "platform/qt/MenuAdapter.h"
#include "platform/qt/QtDialogs.h"
#include "route/RouteMap.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QScrollBar;

namespace orv {

class SurfaceWidget;

class RouteMapWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs the window asks the user through the desktop's dialogs.
    explicit RouteMapWindow(AppState& state, Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~RouteMapWindow() override;

    RouteMap& logic() { return *logic_; }

    // Shows the window, then runs the creation sequence (which draws the first background).
    void open();

    // Runs a menu command as if chosen from the menu.
    void dispatch(const std::string& toolId);

    // Called when the user leaves the map ("ﾙｰﾄ図終了" or the window's close button); the
    // handler closes the window. Without one the window simply closes.
    void setExitHandler(std::function<void()> handler) { exitHandler_ = std::move(handler); }

    // The widgets the map is seen through (for tests and the owner).
    SurfaceWidget* mapPicture() const { return mapPicture_; }
    QScrollBar* horizontalScroll() const { return hScroll_; }
    QScrollBar* verticalScroll() const { return vScroll_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void refresh();
    void leave();

    QtDialogs qtDialogs_;
    std::unique_ptr<RouteMap> logic_;
    std::unique_ptr<MenuAdapter> menus_;

    QWidget* mapFrame_ = nullptr;
    SurfaceWidget* mapPicture_ = nullptr;
    QScrollBar* hScroll_ = nullptr;
    QScrollBar* vScroll_ = nullptr;
    std::array<QLabel*, 7> latitudeLabels_{};
    std::array<QLabel*, 7> longitudeLabels_{};
    SurfaceWidget* progress_ = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
    bool applyingModel_ = false;
    bool leaving_ = false;
    std::function<void()> exitHandler_;
};

}  // namespace orv
