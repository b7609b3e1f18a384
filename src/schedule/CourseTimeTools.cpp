#include "schedule/CourseTimeTools.h"

#include "schedule/ScheduleExport.h"

#include <array>
#include <string>

namespace orv {

namespace {

using namespace scheduleTool;

// Saving changes no segment.
bool saveScheduleText(AppState& state, Dialogs& dialogs, int /*selectedRow*/,
                      const ScheduleEditValues& /*values*/) {
    saveSchedule(state, dialogs);
    return false;
}

constexpr std::array kTools{
    CourseTimeTool{kDeleteSegment, "区間の削除", deleteSegment},
    CourseTimeTool{kLongRest, "大休止の設定", setLongRest},
    CourseTimeTool{kDayEnd, "１日の行動時間終了の設定", setDayEnd},
    CourseTimeTool{kSaveSchedule, "ｺｰｽﾀｲﾑの保存", saveScheduleText},
};

}  // namespace

std::span<const CourseTimeTool> courseTimeTools() { return kTools; }

void addScheduleCommands(MenuModel& menus, const std::string& menuBarCaption) {
    menus.addBand(kScheduleMenuBand, menuBarCaption);
    menus.addBand(kSchedulePopupBand);
    for (const char* band : {kScheduleMenuBand, kSchedulePopupBand}) {
        for (const CourseTimeTool& tool : kTools) {
            MenuCommand command;
            command.toolId = tool.id.str();
            command.caption = std::string(tool.caption);
            command.category = kScheduleToolCategory;
            menus.addCommand(band, std::move(command));
        }
    }
}

void setScheduleCommandStates(MenuModel& menus, bool gpsMode) {
    menus.setEnabled(kDeleteSegment, true);
    menus.setEnabled(kLongRest, !gpsMode);
    menus.setEnabled(kDayEnd, !gpsMode);
    menus.setEnabled(kSaveSchedule, true);
}

const CourseTimeTool* findScheduleCommand(std::string_view toolId) {
    return findTool(courseTimeTools(), toolId);
}

bool isScheduleCommand(std::string_view toolId) { return findScheduleCommand(toolId) != nullptr; }

bool runScheduleCommand(AppState& state, Dialogs& dialogs, std::string_view toolId,
                        int selectedRow, const ScheduleEditValues& values) {
    const CourseTimeTool* tool = findScheduleCommand(toolId);
    return tool != nullptr && tool->handler(state, dialogs, selectedRow, values);
}

}  // namespace orv
