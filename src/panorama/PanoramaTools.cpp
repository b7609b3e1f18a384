#include "panorama/PanoramaTools.h"

#include "panorama/Panorama.h"

#include <array>
#include <string>

namespace orv::panorama {

namespace {

using namespace panoramaTool;

constexpr std::array kTools{
    PanoramaTool{kSavePicture, "画像保存", &Panorama::savePicture},
    PanoramaTool{kZoomIn, "拡大", &Panorama::zoomIn},
    PanoramaTool{kZoomOut, "縮小", &Panorama::zoomOut},
    PanoramaTool{kFit, "全体表示", &Panorama::fit},
    PanoramaTool{kHiddenPeaks, "隠れた山も表示", &Panorama::toggleHiddenPeaks, true},
    PanoramaTool{kSettings, "設定", &Panorama::changeSettings},
    PanoramaTool{kHelp, "ヘルプ", &Panorama::showHelp},
    PanoramaTool{kClose, "閉じる", &Panorama::close},
};

}  // namespace

std::span<const PanoramaTool> panoramaTools() { return kTools; }

const PanoramaTool* findPanoramaTool(std::string_view toolId) {
    for (const PanoramaTool& tool : kTools)
        if (tool.id == toolId) return &tool;
    return nullptr;
}

void buildPanoramaMenus(MenuModel& menus) {
    menus.addBand(kPanoramaBand, "展望図");
    for (const PanoramaTool& tool : kTools) {
        MenuCommand item;
        item.toolId = tool.id.str();
        item.caption = std::string(tool.caption);
        item.category = "展望図ﾒﾆｭｰ";
        menus.addCommand(kPanoramaBand, std::move(item));
    }
}

}  // namespace orv::panorama
