#include "app/StartMenu.h"

#include "app/PlanReset.h"
#include "app/Startup.h"

namespace orv {

namespace {

struct StartCommand {
    const char* toolId;
    const char* caption;
};

constexpr StartCommand kCommands[] = {
    {"ActMakeRootMode", "山行計画（ルート作成）"},
    {"ActRootLogGetMode", "山行記録（GPS読込）"},
    {"ActDelCtrlRootFile", "ﾙｰﾄﾌｧｲﾙの削除"},
    {"ActOrvanyInfo", "Orvaneについて"},
    {"ActExitOrvane", "Orvaneの終了"},
};

}  // namespace

StartMenu::StartMenu(AppState& state, IniStore& settings, std::filesystem::path settingsFile,
                     Dialogs& dialogs)
    : state_(state), settings_(settings), settingsFile_(std::move(settingsFile)), dialogs_(dialogs) {
    buildMenus();
    resetPlanState(state_, model_);
}

void StartMenu::buildMenus() {
    for (const char* band : {kStartMenuBand, kStartPopupBand}) {
        menus_.addBand(band);
        for (const auto& command : kCommands) {
            MenuCommand item;
            item.toolId = command.toolId;
            item.caption = command.caption;
            item.category = kStartMenuBand;
            item.separatorBefore = std::string(command.toolId) == "ActOrvanyInfo";
            menus_.addCommand(band, item);
        }
    }
}

void StartMenu::dispatch(const std::string& toolId) {
    if (toolId == "ActMakeRootMode") {
        state_.gpsMode = 0;  // the plan sequence follows with the plan start dialog
    } else if (toolId == "ActRootLogGetMode") {
        state_.gpsMode = 1;  // the GPS record sequence follows with the plan start dialog
    } else if (toolId == "ActOrvanyInfo") {
        dialogs_.showHelp("ORVANE.hlp");
    } else if (toolId == "ActExitOrvane") {
        if (closeRequest_) closeRequest_();
    }
}

void StartMenu::showHelp() { dialogs_.showHelp("ORVANE1.hlp"); }

bool StartMenu::confirmExit() {
    const Answer answer = dialogs_.message("Orvaneを終了しますか？", "Orvane終了確認",
                                           Buttons::YesNo, Icon::Warning);
    if (answer != Answer::Yes) return false;
    saveSettingsAtExit(state_, settings_, settingsFile_, dialogs_);
    return true;
}

}  // namespace orv
