#pragma once
// ORV_MGEDIT over its logic (sheets/MapImageRoute): the scanned sheet in a scrolling view with
// the route and the reference route drawn over it, the sheet panel "地形図選択", the point box
// with its up/down control and read-outs, the elevation frame "標高値", two status panels and
// "ヘルプ". Commands come from the menu bar and the pop-ups through one dispatch. The read-outs
// keep their width: a long text is cut and shown whole as the tool tip.
#include "sheets/MapImageRoute.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;
class QPushButton;
class QFrame;

namespace orv {

class ElidedLabel;
class MenuAdapter;
class MapImageView;

class MapImageWindow : public QDialog {
    Q_OBJECT
public:
    MapImageWindow(AppState& state, Dialogs& dialogs, QWidget* parent = nullptr);
    ~MapImageWindow() override;

    MapImageRoute& logic() { return *logic_; }
    void dispatch(const std::string& toolId);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    ImageLoad loadImage(const std::string& path, ImageSize& size);
    void refresh();
    void applyScroll();

    AppState& state_;
    std::unique_ptr<MapImageRoute> logic_;
    std::unique_ptr<MenuAdapter> menus_;
    QImage image_;
    QScrollArea* scroll_ = nullptr;
    MapImageView* view_ = nullptr;
    QFrame* sheetPanel_ = nullptr;
    std::array<QPushButton*, 9> sheetButtons_{};
    QSpinBox* pointBox_ = nullptr;
    ElidedLabel* latitude_ = nullptr;
    ElidedLabel* longitude_ = nullptr;
    QFrame* elevationFrame_ = nullptr;
    QLineEdit* elevation_ = nullptr;
    std::array<ElidedLabel*, 2> status_{};
    int focusRequestsSeen_ = 0;
    bool refreshing_ = false;
};

// Shows the window modally; true when it closed with the traced points to be made a route.
bool runMapImageWindow(AppState& state, Dialogs& dialogs, QWidget* parent);

}  // namespace orv
