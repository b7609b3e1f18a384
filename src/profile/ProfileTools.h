#pragma once
// The commands of the profile window (ORV_VVIEW) in one table: every tool id as a typed
// constant, the bands (the menu bar band "主ﾒﾆｭｰ" and the pop-up "PPMainMenu" with the main
// commands, the sub-bands "DataOutPutMenu" and "DispConfMenu"), and for each command its
// caption, category and action. No other file spells a tool id of this window.
#include "platform/MenuModel.h"
#include "platform/ToolId.h"

#include <array>
#include <span>
#include <string_view>

namespace orv {

namespace profileTool {
inline constexpr ToolId kBaseElevation = "ActTVHightV";
inline constexpr ToolId kCourseTime = "ActTVCTime";
inline constexpr ToolId kDataMenu = "ActTVDataDisp";
inline constexpr ToolId kDeleteSegments = "ActTVEreaDel";
inline constexpr ToolId kCopyToClipboard = "ActTVCopyClipB";
inline constexpr ToolId kCopyToFile = "ActTVCopyFile";
inline constexpr ToolId kDisplayMenu = "ActTVDispConfig";
inline constexpr ToolId kHide = "ActTVExitDMZ";
// DataOutPutMenu: segment distance, elevation, slope angle, segment time, segment climb.
inline constexpr std::array<ToolId, 5> kDataLabels{"ActTVData1", "ActTVData2", "ActTVData3",
                                                   "ActTVData4", "ActTVData5"};
// DispConfMenu: the fonts of the five labels and the three background modes, each under a
// heading.
inline constexpr ToolId kFontHeading = "ActTVFontConf";
inline constexpr std::array<ToolId, 5> kFonts{"ActTVFont1", "ActTVFont2", "ActTVFont3",
                                              "ActTVFont4", "ActTVFont5"};
inline constexpr ToolId kBackgroundHeading = "ActTVBColor";
// Configured colours, a single colour, none.
inline constexpr std::array<ToolId, 3> kBackgrounds{"ActTVBC1", "ActTVBC2", "ActTVBC3"};
}  // namespace profileTool

inline constexpr const char* kProfileMenuBarBand = "MainMenu";
inline constexpr const char* kProfileMenuBarCaption = "主ﾒﾆｭｰ";
inline constexpr const char* kProfilePopupBand = "PPMainMenu";
inline constexpr const char* kProfileDataBand = "DataOutPutMenu";
inline constexpr const char* kProfileDisplayBand = "DispConfMenu";

enum class ProfileAction {
    None,  // an entry that opens a band, or a heading
    BaseElevation,
    CourseTime,
    DeleteSegments,
    CopyToClipboard,
    CopyToFile,
    Hide,
    ToggleLabel,    // switch 0..4
    ChangeFont,     // label 0..4
    SetBackground,  // mode 0..2
};

struct ProfileTool {
    ToolId id;
    std::string_view caption;
    ProfileAction action = ProfileAction::None;
    int parameter = 0;
    std::string_view subBand = {};
};

struct ProfileBand {
    std::string_view name;
    std::string_view category;
    std::span<const ProfileTool> tools;
};

// The bands in the order the window defines them; the menu bar band and the pop-up share the
// main commands.
std::span<const ProfileBand> profileBands();

// The command of a tool id; nullptr for an id this window does not know.
const ProfileTool* findProfileTool(std::string_view toolId);

// Adds every band with its commands (all enabled and unchecked) to the model.
void buildProfileMenus(MenuModel& menus);

}  // namespace orv
