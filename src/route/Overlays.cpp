#include "route/Overlays.h"
#include "map/RouteMapTools.h"

#include "core/Cp932.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "map/RidgeValleyLabels.h"
#include "map/RidgeValleyLines.h"
#include "route/LabelGlyphs.h"
#include "route/MarkIcons.h"
#include "route/Measurement.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

namespace {

// Pixel positions are kept within this distance of the picture: far enough to be off any
// picture, near enough that the label offsets added to them never overflow.
constexpr int kFarPixel = 1 << 20;

// The text styles of the layers.
constexpr size_t kMountainStyle = 0;
constexpr size_t kPlaceStyle = 1;
constexpr size_t kReferenceLabelStyle = 2;
constexpr size_t kRouteLabelStyle = 3;

constexpr int kLineWidth = 2;

// A picture coordinate from a computed value: rounded (halves to even) and kept near the picture.
int pixelCoordinate(double v) {
    if (std::isnan(v)) return 0;
    return roundHalfEven(std::clamp(v, -double{kFarPixel}, double{kFarPixel}));
}

// The map pixel of a position on the level with these corners.
PixelPoint mapPixel(const LevelBounds& view, const DmsText& latitude, const DmsText& longitude) {
    const MapPixel p = positionToPixel(view, dmsToSeconds(latitude), dmsToSeconds(longitude));
    return {std::clamp(p.x, -kFarPixel, kFarPixel), std::clamp(p.y, -kFarPixel, kFarPixel)};
}

// Every layer draws in copy mode; the picture's own mode (XOR while a zoom square is shown)
// comes back afterwards.
class CopyModeScope {
public:
    explicit CopyModeScope(DrawingSurface& picture)
        : picture_(picture), saved_(picture.drawMode()) {
        picture_.setDrawMode(DrawMode::Copy);
    }
    ~CopyModeScope() { picture_.setDrawMode(saved_); }
    CopyModeScope(const CopyModeScope&) = delete;
    CopyModeScope& operator=(const CopyModeScope&) = delete;

private:
    DrawingSurface& picture_;
    DrawMode saved_;
};

// Text with its top-left corner at (x, y), in the style's font and colour.
void styledText(DrawingSurface& picture, const TextStyle& style, std::string_view text, int x,
                int y) {
    picture.setFont(style);
    picture.setCurrentPosition(x, y);
    picture.text(text);
}

// Text at (x, y) in the style's colour over a white halo: four white copies one pixel away
// diagonally. Each of the five positions is rounded on its own.
void haloText(DrawingSurface& picture, const TextStyle& style, std::string_view text, double x,
              double y) {
    const LabelGlyphs glyphs(style, text);
    for (const auto& [dx, dy] : LabelGlyphs::kHaloOffsets)
        glyphs.draw(picture, pixelCoordinate(x + dx), pixelCoordinate(y + dy), colours::white);
    glyphs.draw(picture, pixelCoordinate(x), pixelCoordinate(y), style.colour);
}

// The mountain symbol: a red triangle with a black outline around (x, y). It leaves red as the
// picture's fill colour.
void mountainTriangle(DrawingSurface& picture, int x, int y) {
    picture.setLineStyle(LineStyle::Solid);
    picture.setDrawWidth(1);
    picture.setForeColour(colours::black);
    picture.setFillColour(colours::red);
    picture.setFillStyle(FillStyle::Solid);
    picture.polygon({{x - 3, y + 3}, {x, y - 3}, {x + 3, y + 3}});
    picture.setFillStyle(FillStyle::Transparent);
}

// A point marker: a circle of radius 2 with a `rim` outline and one of radius 1 in `centre`,
// both filled with the picture's fill colour.
void pointMarker(DrawingSurface& picture, int x, int y, Colour rim, Colour centre) {
    picture.setFillStyle(FillStyle::Solid);
    picture.setDrawWidth(2);
    picture.circle(x, y, 2, rim);
    picture.circle(x, y, 1, centre);
    picture.setFillStyle(FillStyle::Transparent);
}

// The icon mark of a kind centred on (x, y): its mask with AND, then its icon with XOR, so the
// map shows through around the icon. Kinds without a mark draw nothing.
void drawMark(DrawingSurface& picture, int kind, int x, int y) {
    if (!isMarkKind(kind)) return;
    const PixelRect at{x - kMarkSize / 2, y - kMarkSize / 2, kMarkSize, kMarkSize};
    picture.copyPicture(markMask(kind), at, std::nullopt, RasterOp::And);
    picture.copyPicture(markIcon(kind), at, std::nullopt, RasterOp::Xor);
}

// The first `count` characters of a UTF-8 text (whole characters only).
std::string_view leadingCharacters(std::string_view text, size_t count) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool continuation = (byte & 0xC0u) == 0x80u;
        if (!continuation && characters++ == count) return text.substr(0, i);
    }
    return text;
}

// "1234m": the whole metres below an elevation.
std::string metresText(double metres) { return integerText(floorToInt(metres)) + "m"; }

std::string_view timeOfDayText(const std::string& timeText) {
    return leadingCharacters(timeText, 5);  // "hh:mm" of "hh:mm:ss"
}

// The pixels of a route or reference route being drawn, points 1..count.
struct RoutePixels {
    std::array<PixelPoint, kMaxRoutePoints + 1> at{};
    int count = 0;
};

// Computes the map pixel of points 1..count, stores it in the points' pixelX, pixelY and
// returns the table.
void placeRoute(const LevelBounds& view, RouteTable& route, int count, RoutePixels& pixels) {
    pixels.count = std::clamp(count, 0, kMaxRoutePoints);
    for (int j = 1; j <= pixels.count; ++j) {
        RoutePoint& point = route[static_cast<size_t>(j)];
        const PixelPoint p = mapPixel(view, point.latitude, point.longitude);
        point.pixelX = p.x;
        point.pixelY = p.y;
        pixels.at[static_cast<size_t>(j)] = p;
    }
}

void routeLines(DrawingSurface& picture, const RoutePixels& pixels, Colour colour) {
    picture.setLineStyle(LineStyle::Solid);
    picture.setDrawWidth(kLineWidth);
    for (int j = 1; j < pixels.count; ++j) {
        const PixelPoint& from = pixels.at[static_cast<size_t>(j)];
        const PixelPoint& to = pixels.at[static_cast<size_t>(j) + 1];
        picture.line(from.x, from.y, to.x, to.y, colour);
    }
}

// Ridge and valley lines traced on the map, in the style the last drawing ended with.
void ridgeValleyLinesLayer(MapContext& ctx) {
    drawRidgeValleyLines(ctx.state, currentLevelBounds(ctx.state), ctx.pictures.map,
                         ctx.map.ridgeValleyStyle);
}

// Ridge and valley name labels of the names file inside the current level's area.
void ridgeValleyNamesLayer(MapContext& ctx) {
    drawRidgeValleyNames(ctx.state, currentLevelBounds(ctx.state), ctx.pictures.map);
}

// One mountain of the name layer: triangle, name over a halo and, when elevations are shown,
// its elevation below the name.
void drawMountain(MapContext& ctx, const LevelBounds& view, const MountainRecord& mountain) {
    DrawingSurface& picture = ctx.pictures.map;
    const TextStyle& style = ctx.state.textStyles[kMountainStyle];
    const PixelPoint p = mapPixel(view, mountain.latitude, mountain.longitude);
    mountainTriangle(picture, p.x, p.y);
    haloText(picture, style, mountain.name, p.x + 10, p.y - 2);
    if (ctx.state.elevationLabelsShown) {
        const double below = double{style.size} + 3.0;
        haloText(picture, style, metresText(leadingNumber(mountain.elevation)), p.x + 10,
                 p.y - 2 + below);
    }
}

}  // namespace

void drawOverlays(MapContext& ctx) {
    AppState& state = ctx.state;
    CopyModeScope copy(ctx.pictures.map);

    if (state.ridgeValleyLinesShown) ridgeValleyLinesLayer(ctx);

    if (state.routeLoaded) {
        drawRoute(ctx);
        ctx.menus.setChecked(mapTool::kRouteView, true);
    } else if (ctx.menus.isChecked(mapTool::kReferenceRoute)) {
        drawReferenceRoute(ctx);
    }

    if (state.mountainConfirmed) {
        if (ctx.menus.isChecked(mapTool::kAllMountainNames))
            drawAllMountains(ctx);
        else
            drawSelectedMountain(ctx);
    }

    if (state.ridgeValleyNamesShown) ridgeValleyNamesLayer(ctx);

    if (state.segmentCount != 0 && ctx.menus.isChecked(mapTool::kSegmentPositions)) drawSectionPositions(ctx);

    drawMapTint(ctx);
    ctx.pictures.map.show();
}

void drawRoute(MapContext& ctx) {
    AppState& state = ctx.state;
    DrawingSurface& picture = ctx.pictures.map;
    CopyModeScope copy(picture);

    // 1. Pixels, and the x of every labelled point in order.
    RoutePixels pixels;
    placeRoute(currentLevelBounds(state), state.route, state.routeCount, pixels);
    const bool retraced = retracesItself(state.route, pixels.count);
    const auto named = [&state](int j) {
        const RoutePoint& point = state.route[static_cast<size_t>(j)];
        return !point.mountainName.empty() || !point.placeName.empty();
    };
    // A place passed twice on a round trip is labelled once, with the names, height and time
    // of its outward point; the way back shows a name only where the way out has none.
    const auto labelled = [&](int j) {
        return named(j) && !(retraced && 2 * j > pixels.count + 1 && named(pixels.count - j + 1));
    };
    std::array<int, kMaxRoutePoints> namedX{};
    size_t namedCount = 0;
    for (int j = 1; j <= pixels.count; ++j)
        if (labelled(j)) namedX[namedCount++] = pixels.at[static_cast<size_t>(j)].x;

    // 2. The lines.
    const Colour routeColour = state.settings.trackLineColour;
    routeLines(picture, pixels, routeColour);

    // 3. Names, labels and marks.
    const TextStyle& mountainStyle = state.textStyles[kMountainStyle];
    const TextStyle& placeStyle = state.textStyles[kPlaceStyle];
    const TextStyle& labelStyle = state.textStyles[kRouteLabelStyle];
    const double s1 = placeStyle.size;
    const double s3 = labelStyle.size;
    size_t met = 0;  // labelled points met so far
    for (int j = 1; j <= pixels.count; ++j) {
        const RoutePoint& point = state.route[static_cast<size_t>(j)];
        const auto [x, y] = pixels.at[static_cast<size_t>(j)];

        if (labelled(j)) {
            // Labels of a named point right of the previous one move left by the width of its
            // place name, so neighbouring labels do not run into each other. The width is in
            // half-width units: one for ASCII and half-width katakana, two for every other
            // character (accented Latin letters and other scripts included).
            int base = x;
            if (met > 0 && x > namedX[met - 1]) {
                const int width = displayWidth(point.placeName);
                base = pixelCoordinate(x - (width - 2) * s1);
            }
            ++met;

            if (!point.mountainName.empty()) {
                mountainTriangle(picture, x, y);
                haloText(picture, mountainStyle, point.mountainName, x + 10, y - 8);
            } else {
                haloText(picture, placeStyle, point.placeName, base + 10, y - 8);
                pointMarker(picture, x, y, routeColour, placeStyle.colour);
            }

            const double elevationTop = y - 8 + s1 + 3;
            if (state.elevationLabelsShown)
                haloText(picture, labelStyle, metresText(point.elevation), base + 10, elevationTop);
            if (state.cumulativeTimesShown)
                haloText(picture, labelStyle, timeOfDayText(point.timeText), base + 10,
                         elevationTop + s3 + 3);
        }

        drawMark(picture, point.markKind, x, y);
    }

    // 4. Waypoints.
    if (state.waypointCount != 0) drawWaypoints(ctx);

    // 5. Menu states of a drawn route.
    ctx.menus.setEnabled(mapTool::kReferenceColour, false);
    ctx.menus.setEnabled(mapTool::kCourseTime, true);
    ctx.menus.setEnabled(mapTool::kSegmentPositions, state.segmentCount != 0);
}

void drawReferenceRoute(MapContext& ctx) {
    AppState& state = ctx.state;
    DrawingSurface& picture = ctx.pictures.map;
    CopyModeScope copy(picture);

    RoutePixels pixels;
    placeRoute(currentLevelBounds(state), state.referenceRoute, state.refRouteCount, pixels);
    routeLines(picture, pixels, state.settings.referenceLineColour);

    const TextStyle& placeStyle = state.textStyles[kPlaceStyle];
    const TextStyle& labelStyle = state.textStyles[kReferenceLabelStyle];
    for (int j = 1; j <= pixels.count; ++j) {
        const RoutePoint& point = state.referenceRoute[static_cast<size_t>(j)];
        const auto [x, y] = pixels.at[static_cast<size_t>(j)];
        if (!point.placeName.empty()) {
            styledText(picture, placeStyle, point.placeName, x + 10, y - 2);
            pointMarker(picture, x, y, state.settings.trackLineColour, placeStyle.colour);
        }
        if (!point.label.empty()) styledText(picture, labelStyle, point.label, x + 10, y + 9);
        drawMark(picture, point.markKind, x, y);
    }

    ctx.map.statusPanels[0] = "";
    ctx.map.notify();
}

void drawWaypoints(MapContext& ctx) {
    AppState& state = ctx.state;
    DrawingSurface& picture = ctx.pictures.map;
    CopyModeScope copy(picture);

    const LevelBounds view = currentLevelBounds(state);
    const int count = std::clamp<int>(state.waypointCount, 0, kMaxWaypoints);
    for (int i = 1; i <= count; ++i) {
        const Waypoint& waypoint = state.waypoints[static_cast<size_t>(i)];
        const PixelPoint p = mapPixel(view, waypoint.latitude, waypoint.longitude);
        pointMarker(picture, p.x, p.y, state.settings.trackLineColour, colours::blue);
        if (ctx.map.showWaypointNames)
            styledText(picture, state.textStyles[kPlaceStyle], waypoint.name, p.x + 2, p.y + 2);
    }
}

void drawSectionPositions(MapContext& ctx) {
    AppState& state = ctx.state;
    DrawingSurface& picture = ctx.pictures.map;
    CopyModeScope copy(picture);

    const LevelBounds view = currentLevelBounds(state);
    const int last = std::clamp<int>(state.segmentCount, 0, kMaxSegments);
    for (int i = 0; i <= last; ++i) {
        const CourseSegment& segment = state.segments[static_cast<size_t>(i)];
        const PixelPoint p = mapPixel(view, segment.latitude, segment.longitude);
        pointMarker(picture, p.x, p.y, state.settings.trackLineColour, colours::white);
    }
}

void drawAllMountains(MapContext& ctx) {
    const AppState& state = ctx.state;
    CopyModeScope copy(ctx.pictures.map);

    const LevelBounds area = currentLevelBounds(state);
    const int count = std::clamp<int>(state.mountainCount, 0, kMaxMountains);
    for (int i = 1; i <= count; ++i) {
        const MountainRecord& mountain = state.mountainTable[static_cast<size_t>(i)];
        if (mountain.onRoute) continue;
        const ArcSeconds latitude = dmsToSeconds(mountain.latitude);
        const ArcSeconds longitude = dmsToSeconds(mountain.longitude);
        const bool inside = area.south < latitude && latitude < area.north &&
                            area.west < longitude && longitude < area.east;
        if (inside) drawMountain(ctx, area, mountain);
    }
}

void drawSelectedMountain(MapContext& ctx) {
    const AppState& state = ctx.state;
    const int selected = state.selectedMountain;
    if (selected < 1 || selected > std::min<int>(state.mountainCount, kMaxMountains)) return;
    const MountainRecord& mountain = state.mountainTable[static_cast<size_t>(selected)];
    if (mountain.onRoute) return;
    CopyModeScope copy(ctx.pictures.map);
    drawMountain(ctx, currentLevelBounds(state), mountain);
}

void flagRouteMountains(AppState& state) {
    std::vector<std::string_view> names;
    const int points = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    for (int j = 1; j <= points; ++j) {
        const std::string& name = state.route[static_cast<size_t>(j)].mountainName;
        if (!name.empty()) names.push_back(name);
    }
    if (names.empty()) return;
    std::sort(names.begin(), names.end());

    const int count = std::clamp<int>(state.mountainCount, 0, kMaxMountains);
    for (int i = 1; i <= count; ++i) {
        MountainRecord& mountain = state.mountainTable[static_cast<size_t>(i)];
        if (std::binary_search(names.begin(), names.end(), std::string_view(mountain.name)))
            mountain.onRoute = true;
    }
}

void showMapTint(MapContext& ctx, QImage tint) {
    ctx.map.tint = {std::move(tint), currentLevelBounds(ctx.state)};
    ctx.menus.setEnabled(mapTool::kClearSightTint, !ctx.map.tint.image.isNull());
    redrawOverlays(ctx);
}

void clearMapTint(MapContext& ctx) {
    ctx.map.tint = {};
    ctx.menus.setEnabled(mapTool::kClearSightTint, false);
    redrawOverlays(ctx);
}

void drawMapTint(MapContext& ctx) {
    MapTint& tint = ctx.map.tint;
    if (tint.image.isNull()) return;
    const LevelBounds shown = currentLevelBounds(ctx.state);
    if (shown.south != tint.bounds.south || shown.north != tint.bounds.north || shown.west != tint.bounds.west ||
        shown.east != tint.bounds.east) {
        tint = {};
        ctx.menus.setEnabled(mapTool::kClearSightTint, false);
        return;
    }
    DrawingSurface& picture = ctx.pictures.map;
    QImage blended = picture.image().convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&blended);
        painter.drawImage(0, 0, tint.image);
    }
    picture.copyPicture(blended, {0, 0, blended.width(), blended.height()}, std::nullopt, RasterOp::Copy);
}

void clearMapPicture(MapContext& ctx) { ctx.pictures.map.setImage(ctx.pictures.buffer.image()); }

void redrawOverlays(MapContext& ctx) {
    clearMapPicture(ctx);
    drawOverlays(ctx);
}

}  // namespace orv
