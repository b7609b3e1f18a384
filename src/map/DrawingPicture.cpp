#include "map/DrawingPicture.h"

namespace orv {

namespace {
constexpr int kBandWidth = 2;
}

void showDrawingPicture(MapContext& ctx) {
    ctx.pictures.blank.setImage(ctx.pictures.map.image());
    ctx.map.drawingPictureShown = true;
    ctx.map.notify();
}

void hideDrawingPicture(MapContext& ctx) {
    ctx.map.drawingPictureShown = false;
    DrawingSurface& picture = ctx.pictures.blank;
    picture.setDrawMode(DrawMode::Copy);
    picture.setBackColour(colours::white);
    picture.clear();
    ctx.map.notify();
}

void RubberBand::start(PixelPoint anchor) {
    anchor_ = anchor;
    mouse_ = anchor;
    started_ = true;
    drawn_ = false;
}

void RubberBand::draw(DrawingSurface& picture) const {
    const DrawMode mode = picture.drawMode();
    const int width = picture.drawWidth();
    picture.setDrawMode(DrawMode::Xor);
    picture.setDrawWidth(kBandWidth);
    picture.line(anchor_.x, anchor_.y, mouse_.x, mouse_.y, colours::white);
    picture.setDrawWidth(width);
    picture.setDrawMode(mode);
}

void RubberBand::moveTo(DrawingSurface& picture, PixelPoint mouse) {
    if (!started_) return;
    erase(picture);
    mouse_ = mouse;
    draw(picture);
    drawn_ = true;
    picture.show();
}

void RubberBand::erase(DrawingSurface& picture) {
    if (!drawn_) return;
    draw(picture);
    drawn_ = false;
}

void RubberBand::stop(DrawingSurface& picture) {
    erase(picture);
    started_ = false;
}

}  // namespace orv
