#pragma once
// The start menu's logic: its command band, the commands' actions and the exit question.
// The window (ui/StartMenuWindow) only shows the model and forwards user actions here.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "app/StartMenuModel.h"
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"

#include <filesystem>
#include <functional>
#include <string>

namespace orv {

inline constexpr const char* kStartMenuBand = "起動画面主メニュー";
inline constexpr const char* kStartPopupBand = "STUPopupMenu";

class StartMenu {
public:
    StartMenu(AppState& state, IniStore& settings, std::filesystem::path settingsFile,
              Dialogs& dialogs);

    MenuModel& menus() { return menus_; }
    StartMenuModel& model() { return model_; }
    AppState& state() { return state_; }

    // Runs the command of a tool id; unknown ids are ignored.
    void dispatch(const std::string& toolId);

    // The "ヘルプ" button.
    void showHelp();

    // Asked when the window is about to close: true when it may close (settings saved).
    bool confirmExit();

    // Called to close the window (the window then asks confirmExit).
    void setCloseRequest(std::function<void()> request) { closeRequest_ = std::move(request); }

private:
    void buildMenus();

    AppState& state_;
    IniStore& settings_;
    std::filesystem::path settingsFile_;
    Dialogs& dialogs_;
    MenuModel menus_;
    StartMenuModel model_;
    std::function<void()> closeRequest_;
};

}  // namespace orv
