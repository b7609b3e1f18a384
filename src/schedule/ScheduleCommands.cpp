#include "schedule/ScheduleCommands.h"

#include "schedule/ScheduleExport.h"

#include <algorithm>

namespace orv {

void addScheduleCommands(MenuModel& menus, const std::string& menuBarCaption) {
    menus.addBand(kScheduleMenuBand, menuBarCaption);
    menus.addBand(kSchedulePopupBand);
    for (const char* band : {kScheduleMenuBand, kSchedulePopupBand}) {
        for (const ScheduleTool& tool : kScheduleTools) {
            MenuCommand command;
            command.toolId = tool.toolId;
            command.caption = tool.caption;
            command.category = kScheduleToolCategory;
            menus.addCommand(band, std::move(command));
        }
    }
}

void setScheduleCommandStates(MenuModel& menus, bool gpsMode) {
    menus.setEnabled("ActDelEreaData", true);
    menus.setEnabled("ActDaiKyusi", !gpsMode);
    menus.setEnabled("ActLimitDaySet", !gpsMode);
    menus.setEnabled("ActSaveCTime", true);
}

bool isScheduleCommand(std::string_view toolId) {
    return std::any_of(kScheduleTools.begin(), kScheduleTools.end(),
                       [&](const ScheduleTool& tool) { return toolId == tool.toolId; });
}

bool runScheduleCommand(AppState& state, Dialogs& dialogs, std::string_view toolId,
                        int selectedRow, const ScheduleEditValues& values) {
    if (toolId == "ActDelEreaData") return deleteSegment(state, dialogs, selectedRow, values);
    if (toolId == "ActDaiKyusi") return setLongRest(state, dialogs, selectedRow, values);
    if (toolId == "ActLimitDaySet") return setDayEnd(state, dialogs, selectedRow, values);
    if (toolId == "ActSaveCTime") saveSchedule(state, dialogs);
    return false;
}

}  // namespace orv
