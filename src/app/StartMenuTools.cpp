#include "app/StartMenuTools.h"

#include "app/StartMenu.h"

#include <array>
#include <string>

namespace orv {

namespace {

using namespace startTool;

const std::array kTools{
    StartMenuTool{kPlan, "山行計画（ルート作成）", &StartMenu::startPlan},
    StartMenuTool{kGpsRecord, "山行記録（GPS読込）", &StartMenu::startRecord},
    StartMenuTool{kDeletePlans, "ﾙｰﾄﾌｧｲﾙの削除", &StartMenu::deletePlans},
    StartMenuTool{kAbout, "Orvaneについて", &StartMenu::showAbout, true},
    StartMenuTool{kExit, "Orvaneの終了", &StartMenu::requestExit},
    StartMenuTool{kMakeElevationData, "標高データの作成", &StartMenu::makeElevationData, false, true},
};

}  // namespace

std::span<const StartMenuTool> startMenuTools() { return kTools; }

const StartMenuTool* findStartMenuTool(std::string_view toolId) {
    return findTool(startMenuTools(), toolId);
}

void buildStartMenus(MenuModel& menus) {
    for (const char* band : {kStartMenuBand, kStartPopupBand, kStartDataBand}) {
        const bool dataBand = band == std::string_view(kStartDataBand);
        menus.addBand(band);
        for (const StartMenuTool& tool : kTools) {
            if (tool.dataBand != dataBand) continue;
            MenuCommand item;
            item.toolId = tool.id.str();
            item.caption = std::string(tool.caption);
            item.category = kStartMenuBand;
            item.separatorBefore = tool.separatorBefore;
            menus.addCommand(band, item);
        }
    }
}

}  // namespace orv
