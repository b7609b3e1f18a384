#pragma once
// ORV_PANORAMA, the panorama window ("展望図"): the picture filling the window, a menu bar of
// the commands of PanoramaTools and a status line. The wheel zooms about the pointer, a drag
// moves the picture, a click on a peak describes it on the status line; +/− zoom, the arrow
// keys move the picture, F1 opens the help. A run shows the program's progress dialog with a
// cancel button. The window is a thin view of the Panorama logic.
#include "panorama/Panorama.h"
#include "platform/qt/MenuAdapter.h"
#include "platform/qt/QtDialogs.h"

#include <QMainWindow>
#include <QPoint>

#include <filesystem>
#include <memory>
#include <vector>

class QLabel;
class QProgressDialog;

namespace orv {
class RouteMapWindow;
}

namespace orv::panorama {

// The picture: shows the logic's picture 1:1 and forwards the mouse.
class PanoramaPictureWidget : public QWidget {
    Q_OBJECT
public:
    PanoramaPictureWidget(Panorama& logic, QWidget* parent);
    QSize sizeHint() const override { return {1000, 420}; }
    QSize minimumSizeHint() const override { return {240, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Panorama& logic_;
    QPointF pressed_;
    QPointF last_;
    bool dragging_ = false;
    bool held_ = false;
    int wheelAngle_ = 0;
};

class PanoramaWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs the window asks through the desktop's dialogs.
    PanoramaWindow(AppState& state, PanoramaSources sources, Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~PanoramaWindow() override;

    Panorama& logic() { return *logic_; }
    // Shows the window and sees the panorama with these settings.
    void showPanorama(const PanoramaSettings& settings);
    void dispatch(const std::string& toolId) { logic_->dispatch(toolId); }

    PanoramaPictureWidget* picture() const { return picture_; }
    QLabel* statusLabel() const { return status_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void refresh();
    bool showProgress(int done, int total, const std::string& text);

    AppState& state_;
    QtDialogs qtDialogs_;
    Dialogs* dialogs_ = nullptr;
    std::unique_ptr<Panorama> logic_;
    std::unique_ptr<MenuAdapter> menus_;
    PanoramaPictureWidget* picture_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressDialog* progress_ = nullptr;
    bool placed_ = false;
};

// Gives the route map its "展望" menu: the settings dialog, the panorama window (made on first
// use, beside the map, living as long as it), the choice of a peak and the progress of the
// visible-area commands. The peaks come from the plan's mountain table and `peakFiles`.
void connectSightCommands(RouteMapWindow& map, std::vector<std::filesystem::path> peakFiles);

}  // namespace orv::panorama
