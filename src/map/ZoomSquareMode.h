#pragma once
// The zoom square of "範囲拡大" as a mouse mode: it follows the mouse, a right click halves it
// and a left click zooms into it. A command chosen meanwhile ends it first: the square is erased
// before the command redraws anything, so no XOR drawing is left on the picture. Escape ends it
// the same way, as a cancel: the level stays.
#include "map/MapContext.h"
#include "map/MapMode.h"

namespace orv {

class ZoomSquareMode : public MapMode {
public:
    explicit ZoomSquareMode(MapContext& ctx) : ctx_(ctx) {}

    bool active() const override { return ctx_.map.selecting; }
    bool mouseMove(int x, int y) override;
    bool leftRelease(int x, int y) override;
    std::optional<std::string> rightRelease(int x, int y) override;
    bool key(MapKey key) override;
    std::string guide() const override;
    void beforeCommand(ToolId command) override;

private:
    MapContext& ctx_;
};

}  // namespace orv
