#include "map/ZoomSquareMode.h"

#include "map/MapView.h"
#include "map/RouteMapTools.h"

namespace orv {

bool ZoomSquareMode::mouseMove(int x, int y) {
    rangeZoomMouseMove(ctx_, x, y);
    return true;
}

bool ZoomSquareMode::leftRelease(int x, int y) {
    rangeZoomLeftClick(ctx_, x, y);
    return true;
}

std::optional<std::string> ZoomSquareMode::rightRelease(int x, int y) {
    rangeZoomRightClick(ctx_, x, y);
    return std::string();
}

bool ZoomSquareMode::key(MapKey key) {
    if (key != MapKey::Escape) return false;
    endRangeZoom(ctx_);
    return true;
}

std::string ZoomSquareMode::guide() const { return kRangeZoomGuide; }

void ZoomSquareMode::beforeCommand(ToolId command) {
    // "範囲拡大" chosen again keeps the square as it is.
    if (command != mapTool::kRangeZoom) endRangeZoom(ctx_);
}

}  // namespace orv
