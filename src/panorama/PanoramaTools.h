#pragma once
// The commands of the panorama window ("展望図") in one table: the tool ids of its menu, their
// captions and handlers. No other file spells a tool id of this window.
#include "platform/MenuModel.h"
#include "platform/ToolId.h"

#include <span>
#include <string_view>

namespace orv::panorama {

class Panorama;

namespace panoramaTool {
inline constexpr ToolId kSavePicture = "ActPanoSave";
inline constexpr ToolId kZoomIn = "ActPanoZoomIn";
inline constexpr ToolId kZoomOut = "ActPanoZoomOut";
inline constexpr ToolId kFit = "ActPanoFit";
inline constexpr ToolId kHiddenPeaks = "ActPanoHidden";
inline constexpr ToolId kSettings = "ActPanoSettings";
inline constexpr ToolId kHelp = "ActPanoHelp";
inline constexpr ToolId kClose = "ActPanoClose";
}  // namespace panoramaTool

// The window's menu bar: one band whose entries are its menu bar's entries.
inline constexpr const char* kPanoramaBand = "PanoramaMenu";

struct PanoramaTool {
    ToolId id;
    std::string_view caption;
    void (Panorama::*handler)();
    bool checkable = false;
};

std::span<const PanoramaTool> panoramaTools();

// The command of a tool id; nullptr for an unknown id.
const PanoramaTool* findPanoramaTool(std::string_view toolId);

// Adds the band with every command (enabled, unchecked) to the model.
void buildPanoramaMenus(MenuModel& menus);

}  // namespace orv::panorama
