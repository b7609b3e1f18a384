#pragma once
// ORV_TVIEW, the route map window: the 600 × 600 map picture seen through a frame with its own
// scroll bars (500 × 500 in a window of the default size, growing with the window up to the
// whole picture), the graticule labels and the point marker over the picture, the
// five route read-outs, the route-point panel of the edit mode and the start-position panel of
// the reference start, the progress strip, the "ヘルプ" button, four status panels and the
// menus of the main band (menu bar and right-click pop-up). It shows the RouteMap's state and
// forwards every user action to it.
//
// While a point panel is in use the window takes the stepping keys before any of its controls
// (Up +1, Down −1, Page Up +10, Page Down −10), and in edit mode the Delete key deletes the
// current route point. Escape ends the zoom square of "範囲拡大" without zooming. Over the map
// the wheel scrolls (across with Shift), Ctrl+wheel changes the level about the pointer and
// the middle button pans. F1 opens the map's help, Ctrl+Q leaves the map as "ﾙｰﾄ図終了". The
// route-point panel offers its commands (band RootEditMenu) through its "ルート編集" button and
// a right click on the panel. The point panels' read-outs keep the panel's width: a long name
// is cut and shown whole as the tool tip.
#include "platform/qt/MenuAdapter.h"
#include "platform/qt/QtDialogs.h"
#include "route/RouteMap.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpacerItem;
class QSpinBox;
class QVBoxLayout;

namespace orv {

class ElidedLabel;
class MapArea;
class RidgeValleyNamePanels;
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

    // Opens a window of an area above the route map modally over `parent`, asking through
    // `dialogs`. The owner, which knows those windows, supplies them.
    using WindowOpener = std::function<void(AppState& state, Dialogs& dialogs, QWidget* parent)>;
    // "ｺｰｽﾀｲﾑ": the course-time window. Without one the command does nothing.
    void setCourseTimeWindow(WindowOpener open);
    // "地図画像からﾙｰﾄ作成": the map-image window; true when it closed with a route to make.
    // Without one the command does nothing.
    using RouteWindowOpener = std::function<bool(AppState& state, Dialogs& dialogs, QWidget* parent)>;
    void setMapImageWindow(RouteWindowOpener open);
    // "PCX形式でルート保存", "GPX形式でルート保存": writes the route's GPS file, asking through
    // `dialogs`. Without one the commands do nothing.
    using TrackExporter = std::function<void(TrackFileKind kind, AppState& state, Dialogs& dialogs)>;
    void setTrackExporter(TrackExporter exporter);

    // The widgets the map is seen through (for tests and the owner).
    QWidget* mapFrame() const { return mapFrame_; }
    SurfaceWidget* mapPicture() const { return mapPicture_; }
    // The drawing picture shown in the map picture's place while ridge and valley lines are traced.
    SurfaceWidget* drawingPicture() const { return drawingPicture_; }
    QScrollBar* horizontalScroll() const { return hScroll_; }
    QScrollBar* verticalScroll() const { return vScroll_; }
    QLabel* readout(size_t index) const { return index < readouts_.size() ? readouts_[index] : nullptr; }
    QLabel* pointMarker() const { return pointMarker_; }

    // The spot of the route the profile's mouse stands on: a small ring over the map picture
    // (never drawn into it), or none.
    void showRouteMarker(std::optional<PixelPoint> at);
    QLabel* routeMarker() const { return routeMarker_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PointPanelWidgets {
        QGroupBox* box = nullptr;
        QSpinBox* number = nullptr;
        std::array<ElidedLabel*, 6> labels{};
    };

    // The window's layout from its sections.
    void buildLayout();
    void addMapFrame(MapArea* area);
    void forwardMouse(SurfaceWidget* picture);
    QVBoxLayout* buildSidePanel(QWidget* central);
    void buildStatusPanels();
    QWidget* buildReadouts(QWidget* parent);
    // offersCommands: the panel has the "ルート編集" menu button and right-click menu.
    PointPanelWidgets buildPointPanel(QWidget* parent, const char* caption, const char* helpFile,
                                      bool offersCommands);
    void showPointPanel(PointPanelWidgets& widgets, const PointPanel& model);
    // Ridge and valley tracing and names: the drawing picture, the settings and naming dialogs,
    // the name panels beside the map.
    void addRidgeValleyWidgets(QWidget* central, QVBoxLayout* side);
    void takeSteppingKeys(bool take);
    void refresh();
    void leave();

    QtDialogs qtDialogs_;
    Dialogs* dialogs_ = nullptr;  // the injected dialogs, or qtDialogs_
    std::unique_ptr<RouteMap> logic_;
    std::unique_ptr<MenuAdapter> menus_;

    QWidget* mapFrame_ = nullptr;
    QSpacerItem* besideSidePanel_ = nullptr;
    SurfaceWidget* mapPicture_ = nullptr;
    SurfaceWidget* drawingPicture_ = nullptr;
    std::unique_ptr<RidgeValleyNamePanels> namePanels_;
    QScrollBar* hScroll_ = nullptr;
    QScrollBar* vScroll_ = nullptr;
    std::array<QLabel*, 7> latitudeLabels_{};
    std::array<QLabel*, 7> longitudeLabels_{};
    SurfaceWidget* progress_ = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
    QLabel* routeNote_ = nullptr;
    std::array<QLabel*, 5> readouts_{};
    PointPanelWidgets routePointPanel_;
    PointPanelWidgets referenceStartPanel_;
    QLabel* pointMarker_ = nullptr;
    QLabel* routeMarker_ = nullptr;
    bool takingKeys_ = false;
    bool applyingModel_ = false;
    bool leaving_ = false;
    std::function<void()> exitHandler_;
};

}  // namespace orv
