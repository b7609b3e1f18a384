#pragma once
// ORV_MAIN, the start menu window: the overview map of Japan, the block preview, the sheet
// caption, the mesh buttons, the "TRK" indicators, the progress strip, the command band and
// the "標高データの作成" button of the data band.
// It shows the StartMenu's model, forwards every user action to it, and gives the start
// sequences their windows: the plan start dialog, the mountain search, the GPS format choice,
// the deletion dialog and the route map with its end-of-map dialog.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "app/StartMenu.h"
#include "platform/qt/MenuAdapter.h"
#include "platform/qt/QtDialogs.h"

#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>

class QGridLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace orv {

class RouteMapWindow;
class SurfaceWidget;

class StartMenuWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs the window (and the route map it opens) asks through the desktop's dialogs.
    // A prepared overview picture (read while the program started) saves reading it again.
    StartMenuWindow(AppState& state, IniStore& settings, const std::filesystem::path& settingsFile,
                    Dialogs* dialogs = nullptr, QWidget* parent = nullptr,
                    std::optional<QImage> preparedOverview = std::nullopt);
    ~StartMenuWindow() override;

    StartMenu& logic() { return *logic_; }
    // Runs a menu command as if chosen from the menu.
    void dispatch(const std::string& toolId);

    // The route map while a plan is open (null otherwise).
    RouteMapWindow* routeMap() const;
    // The five mesh buttons: north, west, confirm, east, south.
    QPushButton* meshButton(size_t index) const { return index < meshButtons_.size() ? meshButtons_[index] : nullptr; }
    // The overview picture with what is drawn on it, and the route-position marker.
    const DrawingSurface& overviewPicture() const { return overview_; }
    QLabel* routeMarker() const { return routeMarker_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void installStartDialogs();
    void openRouteMap();
    void leaveRouteMap();
    // The window's layout from its sections.
    void buildLayout();
    QWidget* buildOverview(QWidget* central);
    QVBoxLayout* buildSidePanel(QWidget* central);
    QGridLayout* buildMeshButtons(QWidget* central);
    QPushButton* buildDataButton(QWidget* central);
    void refresh();
    void loadOverview(std::optional<QImage> prepared = std::nullopt);
    void refreshOverview();
    void updateOverviewLabels();

    QtDialogs qtDialogs_;
    Dialogs* dialogs_ = nullptr;  // the dialogs given, or null for the desktop's
    std::unique_ptr<StartMenu> logic_;
    std::unique_ptr<MenuAdapter> menus_;
    // The overview picture, and its rows beneath the destination while one is drawn (the one
    // copy of the picture is the surface itself).
    DrawingSurface overview_;
    struct SavedRows {
        int first = 0;
        QImage pixels;
    };
    std::optional<SavedRows> underDestination_;
    std::optional<OverviewDestination> drawnDestination_;
    QPointer<RouteMapWindow> routeMap_;
    // Where the menu stood when the route map took its place; it comes back there.
    QPoint placeBeforeMap_;

    QScrollArea* overviewArea_ = nullptr;
    SurfaceWidget* overviewWidget_ = nullptr;
    QLabel* routeMarker_ = nullptr;
    std::array<QLabel*, 5> latitudeLabels_{};
    std::array<QLabel*, 8> longitudeLabels_{};
    SurfaceWidget* preview_ = nullptr;
    SurfaceWidget* progress_ = nullptr;
    QLabel* sheetCaption_ = nullptr;
    QLabel* status_ = nullptr;
    std::array<QPushButton*, 5> meshButtons_{};
    QPushButton* dataButton_ = nullptr;  // "標高データの作成"
    std::array<QLabel*, 2> trkIndicators_{};
    bool applyingModel_ = false;
};

}  // namespace orv
