#pragma once
// The commands of the "標高データの作成" window in one table: the tool ids of its buttons, their
// captions and handlers. No other file spells a tool id of this window.
#include "platform/ToolId.h"

#include <span>
#include <string_view>

namespace orv::terrain {

class DemCreation;

namespace demTool {
inline constexpr ToolId kAddGml = "ActDemAddGml";
inline constexpr ToolId kClearGml = "ActDemClearGml";
inline constexpr ToolId kTileFolder = "ActDemTileFolder";
inline constexpr ToolId kCacheFolder = "ActDemCacheFolder";
inline constexpr ToolId kOutFolder = "ActDemOutFolder";
inline constexpr ToolId kRun = "ActDemRun";
inline constexpr ToolId kCancel = "ActDemCancel";
}  // namespace demTool

struct DemCreationTool {
    ToolId id;
    std::string_view caption;  // the button's caption
    void (DemCreation::*handler)();
};

std::span<const DemCreationTool> demCreationTools();

// The command of a tool id; nullptr for an unknown id.
const DemCreationTool* findDemCreationTool(std::string_view toolId);

}  // namespace orv::terrain
