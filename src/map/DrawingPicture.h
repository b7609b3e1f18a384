#pragma once
// The drawing picture (Picture4): while the user traces lines on the map it takes the map
// picture's place, starting from the map picture's current image, and the scroll bars move it;
// when the tracing ends the map picture comes back and the drawing picture is emptied.
// A rubber band follows the mouse on it from the last clicked pixel.
#include "map/MapContext.h"
#include "platform/DrawingSurface.h"

namespace orv {

// The drawing picture takes the map picture's image and is shown in its place.
void showDrawingPicture(MapContext& ctx);
// The map picture is shown again and the drawing picture emptied.
void hideDrawingPicture(MapContext& ctx);

// A white line of width 2 drawn in XOR mode from an anchor to the mouse: drawing it again at
// the same place erases it, so the picture under it comes back unchanged.
class RubberBand {
public:
    // The band starts at `anchor`, with nothing drawn yet.
    void start(PixelPoint anchor);
    // Erases the band drawn last and draws it to the mouse.
    void moveTo(DrawingSurface& picture, PixelPoint mouse);
    // Erases the band drawn last; the band stays anchored.
    void erase(DrawingSurface& picture);
    // Erases the band and forgets its anchor.
    void stop(DrawingSurface& picture);

    bool started() const { return started_; }
    PixelPoint anchor() const { return anchor_; }
    PixelPoint mouse() const { return mouse_; }

private:
    void draw(DrawingSurface& picture) const;

    PixelPoint anchor_{};
    PixelPoint mouse_{};
    bool started_ = false;
    bool drawn_ = false;
};

}  // namespace orv
