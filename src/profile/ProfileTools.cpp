#include "profile/ProfileTools.h"

namespace orv {

namespace {

using namespace profileTool;
using A = ProfileAction;
using T = ProfileTool;

constexpr std::array kMainTools{
    T{kBaseElevation, "表示基準標高値", A::BaseElevation},
    T{kCourseTime, "ｺｰｽﾀｲﾑ", A::CourseTime},
    T{kDataMenu, "ﾃﾞｰﾀ表示", A::None, 0, kProfileDataBand},
    T{kDeleteSegments, "区間の削除", A::DeleteSegments},
    T{kCopyToClipboard, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ", A::CopyToClipboard},
    T{kCopyToFile, "ﾌｧｲﾙにｺﾋﾟｰ", A::CopyToFile},
    T{kDisplayMenu, "表示文字・色の変更", A::None, 0, kProfileDisplayBand},
    T{kHide, "断面図の終了", A::Hide},
};

constexpr std::array kDataTools{
    T{kDataLabels[0], "区間距離", A::ToggleLabel, 0}, T{kDataLabels[1], "標高値", A::ToggleLabel, 1},
    T{kDataLabels[2], "傾斜角", A::ToggleLabel, 2},   T{kDataLabels[3], "区間時間", A::ToggleLabel, 3},
    T{kDataLabels[4], "区間標高差", A::ToggleLabel, 4},
};

constexpr std::array kDisplayTools{
    T{kFontHeading, "【表示文字・色】"},
    T{kFonts[0], "区間距離", A::ChangeFont, 0},
    T{kFonts[1], "標高値", A::ChangeFont, 1},
    T{kFonts[2], "傾斜角", A::ChangeFont, 2},
    T{kFonts[3], "区間時間", A::ChangeFont, 3},
    T{kFonts[4], "区間標高差", A::ChangeFont, 4},
    T{kBackgroundHeading, "【背景色】"},
    T{kBackgrounds[0], "設定色を使用", A::SetBackground, 0},
    T{kBackgrounds[1], "単色を使用", A::SetBackground, 1},
    T{kBackgrounds[2], "なし", A::SetBackground, 2},
};

constexpr std::array kBands{
    ProfileBand{kProfileMenuBarBand, "ﾒｲﾝﾒﾆｭｰ", kMainTools},
    ProfileBand{kProfilePopupBand, "ﾒｲﾝﾒﾆｭｰ", kMainTools},
    ProfileBand{kProfileDataBand, "ﾃﾞｰﾀ表示ﾒﾆｭｰ", kDataTools},
    ProfileBand{kProfileDisplayBand, "表示設定ﾒﾆｭｰ", kDisplayTools},
};

}  // namespace

std::span<const ProfileBand> profileBands() { return kBands; }

const ProfileTool* findProfileTool(std::string_view toolId) {
    for (const ProfileBand& band : kBands)
        if (const ProfileTool* tool = findTool(band.tools, toolId)) return tool;
    return nullptr;
}

void buildProfileMenus(MenuModel& menus) {
    for (const ProfileBand& band : kBands) {
        const std::string name(band.name);
        menus.addBand(name, name == kProfileMenuBarBand ? kProfileMenuBarCaption : "");
        for (const ProfileTool& tool : band.tools) {
            MenuCommand command;
            command.toolId = tool.id.str();
            command.caption = std::string(tool.caption);
            command.category = std::string(band.category);
            command.subBand = std::string(tool.subBand);
            command.heading = tool.id == kFontHeading || tool.id == kBackgroundHeading;
            menus.addCommand(name, std::move(command));
        }
    }
}

}  // namespace orv
