#include "terrain/DemCreationTools.h"

#include "terrain/DemCreation.h"

#include <array>

namespace orv::terrain {

namespace {

using namespace demTool;

const std::array kTools{
    DemCreationTool{kAddGml, "追加…", &DemCreation::addGmlFile},
    DemCreationTool{kClearGml, "クリア", &DemCreation::clearGmlFiles},
    DemCreationTool{kTileFolder, "参照…", &DemCreation::chooseTileFolder},
    DemCreationTool{kCacheFolder, "参照…", &DemCreation::chooseCacheFolder},
    DemCreationTool{kOutFolder, "参照…", &DemCreation::chooseOutFolder},
    DemCreationTool{kRun, "作成", &DemCreation::build},
    DemCreationTool{kCancel, "キャンセル", &DemCreation::cancelBuild},
};

}  // namespace

std::span<const DemCreationTool> demCreationTools() { return kTools; }

const DemCreationTool* findDemCreationTool(std::string_view toolId) {
    return findTool(demCreationTools(), toolId);
}

}  // namespace orv::terrain
