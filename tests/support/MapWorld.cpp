#include "support/MapWorld.h"

#include "map/RouteMapTools.h"
#include "support/ConePlan.h"

#include <QImage>

namespace orv::test {

Colour backgroundAt(int x, int y) {
    return makeColour(40 + (x * 7) % 160, 40 + (y * 11) % 160, 90 + ((x + y) * 5) % 100);
}

MapWorld::MapWorld(Plan plan) {
    ctx.drawOverlays = [this] { ++overlayRedraws; };
    switch (plan) {
    case Plan::TestBlock: openTestBlock(); break;
    case Plan::Cone: openCone(); break;
    }
}

void MapWorld::openTestBlock() {
    state->settings.colourTable[0] = kDefaultColourSet;
    state->settings.backgroundMethod = NoBackground;
    state->settings.savedBackgroundLevel = 0.9f;
    state->currentLevel = 1;
    setCorners(1, kSouth1, kNorth1, kWest1, kEast1);

    const auto add = [this](const std::string& band, const std::string& id,
                            const std::string& caption, bool enabled) {
        MenuCommand c;
        c.toolId = id;
        c.caption = caption;
        c.enabled = enabled;
        menus.addCommand(band, c);
    };
    add("PopupMenu", "ActZupMode", "範囲拡大", true);
    add("PopupMenu", "ActZoutMode", "拡大縮小レベル変更", false);
    for (int n = 1; n <= 5; ++n)
        add("SlevelselMenu", "ActVlv" + std::to_string(n), "レベル　" + std::to_string(n),
            n == 1);
    add("DispGMode", "ActStpColSMode", "段彩陰影図", true);
    add("DispGMode", "ActStpColMode", "段彩図", true);
    add("DispGMode", "ActDegLineMode", "経緯度線のみ", true);
    add("DispGMode", "ActNoBGMode", "背景なし", true);
    add("PopupBand1", "ActCNTPdata1", "等高線間隔　10m", true);
    const char* sizes[] = {"20m", "40m", "50m", "100m", "200m", "500m", "1000m"};
    for (int n = 2; n <= 8; ++n)
        add("PopupBand1", "ActCNTPdata" + std::to_string(n),
            "　　　　　　　　" + std::string(sizes[n - 2]), true);
    add("PopupBand1", "ActCNTPdata9", kAnyToolCaption, true);
    add("PopupBand1", "ActDelCnt", "等高線消去", true);
}

void MapWorld::openCone() {
    loadConePlan(*state);
    buildRouteMapMenus(menus);
    QImage pattern(kMapSize, kMapSize, QImage::Format_RGB32);
    for (int y = 0; y < kMapSize; ++y)
        for (int x = 0; x < kMapSize; ++x) {
            const Colour c = backgroundAt(x, y);
            pattern.setPixel(x, y, qRgb(redOf(c), greenOf(c), blueOf(c)));
        }
    pictures.buffer.setImage(pattern);
    pictures.map.setImage(pattern);
}

void MapWorld::setCorners(int level, ArcSeconds south, ArcSeconds north, ArcSeconds west,
                          ArcSeconds east) {
    auto& c = state->levelCorners[static_cast<size_t>(level)];
    c[kSouth] = secondsToDms(south);
    c[kNorth] = secondsToDms(north);
    c[kWest] = secondsToDms(west);
    c[kEast] = secondsToDms(east);
}

void MapWorld::fillLevel(int level, float metres) {
    for (int row = 0; row < ElevationGrid::kRows; ++row)
        for (int column = 0; column < ElevationGrid::kColumns; ++column)
            state->elevationGrid.set(row, column, level, metres);
}

RoutePoint& MapWorld::addRoutePoint(int x, int y) {
    const auto n = static_cast<size_t>(++state->routeCount);
    RoutePoint& point = state->route[n];
    point.number = static_cast<int16_t>(n);
    place(point, x, y);
    state->routeLoaded = true;
    return point;
}

RoutePoint& MapWorld::addReferencePoint(int x, int y) {
    const auto n = static_cast<size_t>(++state->refRouteCount);
    RoutePoint& point = state->referenceRoute[n];
    point.number = static_cast<int16_t>(n);
    place(point, x, y);
    return point;
}

MountainRecord& MapWorld::addMountain(const std::string& name, int x, int y) {
    MountainRecord& m = state->mountainTable[static_cast<size_t>(++state->mountainCount)];
    m.name = name;
    m.elevation = "1500.7";
    place(m, x, y);
    return m;
}

bool MapWorld::untouchedBox(int x0, int y0, int x1, int y1) const {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (!untouched(x, y)) return false;
    return true;
}

int MapWorld::leftmost(Colour colour, int x0, int y0, int x1, int y1) const {
    for (int x = x0; x <= x1; ++x)
        for (int y = y0; y <= y1; ++y)
            if (at(x, y) == colour) return x;
    return -1;
}

}  // namespace orv::test
