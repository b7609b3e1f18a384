#pragma once
// ORV_MAIN, the start menu window: the overview map of Japan, the block preview, the sheet
// caption, the mesh buttons, the "TRK" indicators, the progress strip and the command band.
// It shows the StartMenu's model and forwards every user action to it.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "app/StartMenu.h"
#include "platform/qt/MenuAdapter.h"
#include "platform/qt/QtDialogs.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <memory>

class QLabel;
class QPushButton;
class QScrollArea;

namespace orv {

class SurfaceWidget;

class StartMenuWindow : public QMainWindow {
    Q_OBJECT
public:
    StartMenuWindow(AppState& state, IniStore& settings, const std::filesystem::path& settingsFile,
                    Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~StartMenuWindow() override;

    StartMenu& logic() { return *logic_; }
    // Runs a menu command as if chosen from the menu.
    void dispatch(const std::string& toolId);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildLayout();
    void refresh();
    void updateOverviewLabels();

    QtDialogs qtDialogs_;
    std::unique_ptr<StartMenu> logic_;
    std::unique_ptr<MenuAdapter> menus_;
    DrawingSurface overview_;

    QScrollArea* overviewArea_ = nullptr;
    std::array<QLabel*, 5> latitudeLabels_{};
    std::array<QLabel*, 8> longitudeLabels_{};
    SurfaceWidget* preview_ = nullptr;
    SurfaceWidget* progress_ = nullptr;
    QLabel* sheetCaption_ = nullptr;
    QLabel* status_ = nullptr;
    std::array<QPushButton*, 5> meshButtons_{};
    std::array<QLabel*, 2> trkIndicators_{};
    bool applyingModel_ = false;
};

}  // namespace orv
