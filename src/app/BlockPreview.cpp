#include "app/BlockPreview.h"

#include "core/Rounding.h"
#include "geo/MeshCode.h"

#include <algorithm>

namespace orv {

namespace {

// Where the codes of slots 1..9 are written.
constexpr std::array<PixelPoint, 10> kCodePlaces{{
    {0, 0},
    {2, 2}, {52, 2}, {102, 2},
    {2, 52}, {52, 52}, {102, 52},
    {2, 102}, {52, 102}, {102, 102},
}};

TextStyle codeStyle() {
    TextStyle style;
    style.size = 8.0f;
    style.colour = colours::black;
    return style;
}

}  // namespace

BlockFrame blockFrame(const std::array<MeshCode, 10>& meshCodes) {
    BlockFrame frame;
    frame.north = dmsToSeconds(meshSouthLatitude(meshCodes[1])) + 300;
    frame.south = dmsToSeconds(meshSouthLatitude(meshCodes[7]));
    frame.west = dmsToSeconds(meshWestLongitude(meshCodes[1]));
    frame.east = dmsToSeconds(meshWestLongitude(meshCodes[3])) + 450;
    const double size = StartMenuModel::kPreviewSize;
    frame.sy = (frame.north - frame.south) / size;
    frame.sx = (frame.east - frame.west) / size;
    // A block always spans 900″ by 1350″; guard the division all the same.
    if (frame.sy == 0) frame.sy = 1;
    if (frame.sx == 0) frame.sx = 1;
    return frame;
}

PixelPoint blockPixel(const BlockFrame& frame, ArcSeconds latitude, ArcSeconds longitude) {
    return {floorToInt((longitude - frame.west) / frame.sx), floorToInt((frame.north - latitude) / frame.sy)};
}

void drawDestinationMark(DrawingSurface& surface, int x, int y) {
    const Colour fore = surface.foreColour();
    const FillStyle fill = surface.fillStyle();
    const Colour fillColour = surface.fillColour();
    surface.setForeColour(colours::black);
    surface.setFillColour(colours::red);
    surface.setFillStyle(FillStyle::Solid);
    surface.polygon({{x - 3, y + 3}, {x, y - 3}, {x + 3, y + 3}});
    surface.setForeColour(fore);
    surface.setFillStyle(fill);
    surface.setFillColour(fillColour);
}

void drawBlockPreview(AppState& state, StartMenuModel& menu) {
    DrawingSurface& preview = menu.preview;

    // 1. The block and its scale.
    state.meshCodes = meshNeighbours(state.centreMeshCode);
    const BlockFrame frame = blockFrame(state.meshCodes);

    // 2. The nine codes.
    preview.setDrawMode(DrawMode::Copy);
    preview.setDrawWidth(1);
    preview.clear();
    preview.setFont(codeStyle());
    for (size_t slot = 1; slot <= 9; ++slot) {
        preview.setCurrentPosition(kCodePlaces[slot].x, kCodePlaces[slot].y);
        preview.text(state.meshCodes[slot]);
    }

    // 3. The destination.
    const int selected = state.selectedMountain;
    if (selected >= 1 && selected <= std::min<int>(state.mountainCount, kMaxMountains)) {
        const MountainRecord& mountain = state.mountainTable[static_cast<size_t>(selected)];
        const PixelPoint at = blockPixel(frame, dmsToSeconds(mountain.latitude), dmsToSeconds(mountain.longitude));
        drawDestinationMark(preview, at.x, at.y);
        preview.setFont(state.textStyles[0]);
        preview.setCurrentPosition(at.x + 10, at.y - 2);
        preview.text(mountain.name);
    }

    // 4. The route.
    const int points = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    preview.setDrawWidth(2);
    for (int j = 1; j <= points; ++j) {
        RoutePoint& point = state.route[static_cast<size_t>(j)];
        const PixelPoint at = blockPixel(frame, dmsToSeconds(point.latitude), dmsToSeconds(point.longitude));
        point.pixelX = at.x;
        point.pixelY = at.y;
        if (j > 1) {
            const RoutePoint& before = state.route[static_cast<size_t>(j - 1)];
            preview.line(before.pixelX, before.pixelY, at.x, at.y, state.settings.trackLineColour);
        }
    }
    preview.setDrawWidth(1);
    preview.show();

    // 5-6. The centre mesh's corner and the sheet caption.
    menu.centreSouth = dmsToSeconds(meshSouthLatitude(state.centreMeshCode));
    menu.centreWest = dmsToSeconds(meshWestLongitude(state.centreMeshCode));
    const std::string sheet = regionSheetName(state.centreMeshCode);
    menu.sheetCaption = sheet.empty() ? std::string() : state.centreMeshCode.substr(0, 4) + "  " + sheet;
    menu.notify();
}

}  // namespace orv
