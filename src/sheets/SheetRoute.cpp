#include "sheets/SheetRoute.h"

#include "core/NumberText.h"
#include "core/Slots.h"
#include "geo/Angles.h"
#include "map/DrawingPicture.h"
#include "map/MapView.h"
#include "map/RouteMapTools.h"
#include "route/RouteCreation.h"
#include "sheets/RawPoints.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

using namespace mapTool;

constexpr Colour kSheetGrey = makeColour(224, 224, 224);
constexpr Colour kShadow = makeColour(120, 120, 120);
constexpr Colour kMarkerYellow = makeColour(255, 220, 0);

// Column offset and row offset of each mesh slot's part of the level-1 map picture.
constexpr std::array<std::array<int, 2>, 10> kSlotOffsets{{
    {0, 0}, {0, 0}, {200, 0}, {400, 0}, {0, 200}, {200, 200}, {400, 200}, {0, 400}, {200, 400}, {400, 400},
}};

float sideValue(const std::string& text) { return static_cast<float>(leadingNumber(text)); }

std::string fourDecimals(const DmsText& text) { return formatPattern(leadingNumber(text), "##0.0000"); }

// Writes `field` over `row` from the 1-based `position`, cut at the row's end.
void overwrite(std::string& row, size_t position, const std::string& field) {
    for (size_t i = 0; i < field.size() && position - 1 + i < row.size(); ++i) row[position - 1 + i] = field[i];
}

}  // namespace

// ---- The sheet dimensions dialog ----

SheetDimensions::SheetDimensions(AppState& state) : state_(state) {
    for (int j = 1; j <= 9; ++j) {
        const MeshCornerTable& sheet = state_.meshCorners[slot(j)];
        SheetDimensionRow& row = rows[slot(j - 1)];
        row.meshCode = sheet.meshCode;
        row.information = sheet.meshCode + "  " + formatPattern(leadingNumber(sheet.southLatitude), "00.0000") +
                          " : " + formatPattern(leadingNumber(sheet.westLongitude), "000.0000");
        const std::array<float, 4> sides{sheet.topWidth, sheet.bottomWidth, sheet.leftHeight, sheet.rightHeight};
        for (size_t i = 0; i < sides.size(); ++i) row.sides[i] = sides[i] == 0 ? "" : shortestText(sides[i]);
    }
}

void SheetDimensions::finish() {
    for (int j = 1; j <= 9; ++j) {
        MeshCornerTable& sheet = state_.meshCorners[slot(j)];
        const SheetDimensionRow& row = rows[slot(j - 1)];
        sheet.topWidth = sideValue(row.sides[0]);
        sheet.bottomWidth = sideValue(row.sides[1]);
        sheet.leftHeight = sideValue(row.sides[2]);
        sheet.rightHeight = sideValue(row.sides[3]);
        // Sides of zero or less make no frame: such a sheet is not registered.
        state_.sheetRegistered[slot(j)] = sheet.topWidth > 0 && sheet.bottomWidth > 0 && sheet.leftHeight > 0 &&
                                          sheet.rightHeight > 0;
    }
}

std::optional<SheetDimensions::Mark> SheetDimensions::destinationMark() const {
    const int index = state_.selectedMountain;
    if (index < 1 || index > std::min<int>(state_.mountainCount, kMaxMountains)) return std::nullopt;
    const MountainRecord& mountain = state_.mountainTable[slot(index)];
    const double north = dmsToSeconds(state_.meshCorners[1].northLatitude);
    const double south = dmsToSeconds(state_.meshCorners[7].southLatitude);
    const double west = dmsToSeconds(state_.meshCorners[7].westLongitude);
    const double east = dmsToSeconds(state_.meshCorners[3].eastLongitude);
    const double sy = (north - south) / 240;
    const double sx = (east - west) / 240;
    if (!(sx > 0) || !(sy > 0)) return std::nullopt;
    return Mark{static_cast<int>(std::floor((dmsToSeconds(mountain.longitude) - west) / sx)),
                static_cast<int>(std::floor((north - dmsToSeconds(mountain.latitude)) / sy)), mountain.name,
                state_.textStyles[0]};
}

// ---- The measurement panel ----

SheetRoute::SheetRoute(RouteMap& map) : map_(map), state_(map.state()) {}

int SheetRoute::count() const { return std::clamp<int>(state_.rawRoute[0].number, 0, kMaxRawPoints); }

void SheetRoute::run(ToolId toolId) {
    if (toolId == kRouteFromSheet) begin();
    else if (toolId == kSheetPointReinput) reinputPoint();
    else if (toolId == kSheetPointDelete) deletePoint();
}

void SheetRoute::begin() {
    MapContext& ctx = map_.context();
    // The sheets are parts of the level-1 picture.
    if (state_.currentLevel > 1) selectZoomLevel(ctx, 1);
    level1_ = ctx.pictures.map.image();
    savedScroll_ = {ctx.map.hScroll, ctx.map.vScroll};
    ctx.map.hScroll = 0;
    ctx.map.vScroll = 0;
    ctx.map.drawingPictureForSheet = true;
    showDrawingPicture(ctx);
    DrawingSurface& picture = ctx.pictures.blank;
    picture.setBackColour(kSheetGrey);
    picture.clear();
    picture.show();

    recolourButtons();
    elevationVisible = state_.demUnused == 1;
    corner = SheetCorner::BottomLeft;
    clearRawRoute(state_);
    state_.nextSheetPoint = 1;
    listRows.clear();
    selectedRow = -1;
    pointBox = 0;
    reinput = false;
    shownSheet_ = 0;
    markerVisible_ = false;
    latitudeMm.clear();
    longitudeMm.clear();
    elevation.clear();
    visible = true;
    notify();
    if (std::none_of(state_.sheetRegistered.begin() + 1, state_.sheetRegistered.end(), [](bool b) { return b; })) {
        ctx.dialogs.message(kNoSheetInfoText, kNoSheetInfoTitle, Buttons::Ok, Icon::Error);
        editDimensions();
    }
    ctx.map.statusPanels[0] = kSheetGuide;
    ctx.map.notify();
    notify();
}

void SheetRoute::recolourButtons() {
    for (int j = 1; j <= 9; ++j) {
        sheetCaptions[slot(j - 1)] = state_.meshCorners[slot(j)].meshCode;
        sheetRegistered[slot(j - 1)] = state_.sheetRegistered[slot(j)];
    }
}

void SheetRoute::editDimensions() {
    SheetDimensions dimensions(state_);
    if (dimensionsWindow && dimensionsWindow(dimensions)) {
        recolourButtons();
        // The sheet shown may have new sides, or none.
        if (shownSheet_ != 0 && state_.sheetRegistered[slot(shownSheet_)]) drawSheet();
    }
    notify();
}

void SheetRoute::showSheet(int j) {
    if (j < 1 || j > 9) return;
    markerVisible_ = false;
    state_.selectedSheet = static_cast<int16_t>(j);
    if (!state_.sheetRegistered[slot(j)]) {
        notify();
        return;
    }
    shownSheet_ = j;
    drawSheet();
    notify();
}

void SheetRoute::setCorner(SheetCorner c) {
    corner = c;
    if (shownSheet_ != 0) drawSheet();
    notify();
}

void SheetRoute::drawSheet() {
    MapContext& ctx = map_.context();
    DrawingSurface& picture = ctx.pictures.blank;
    const MeshCornerTable& sheet = state_.meshCorners[slot(shownSheet_)];
    picture.setDrawMode(DrawMode::Copy);
    picture.setDrawWidth(1);
    picture.setBackColour(kSheetGrey);
    picture.clear();
    picture.box(55, 55, 454, 454, kShadow, true);
    const int16_t mode = state_.settings.backgroundMethod;
    const bool plain = state_.demUnused == 1 || mode == GraticuleOnly || mode == NoBackground || level1_.isNull();
    if (plain) {
        picture.box(50, 50, 450, 450, kSheetGrey, true);
        picture.box(50, 50, 450, 450, colours::black, false);
    } else {
        const auto& offset = kSlotOffsets[slot(shownSheet_)];
        picture.copyPicture(level1_, PixelRect{50, 50, 399, 399}, PixelRect{offset[0], offset[1], 199, 199},
                            RasterOp::Copy);
    }

    // The sheet's edges beside its corners.
    picture.setFont(TextStyle{});
    const auto label = [&picture](int x, int y, const DmsText& value) {
        picture.setCurrentPosition(x, y);
        picture.text(fourDecimals(value));
    };
    label(2, 450, sheet.southLatitude);
    label(2, 50, sheet.northLatitude);
    label(50, 37, sheet.westLongitude);
    label(450, 37, sheet.eastLongitude);

    // The reference corner: a red wedge inside the frame's corner.
    const bool top = corner == SheetCorner::TopLeft || corner == SheetCorner::TopRight;
    const bool left = corner == SheetCorner::TopLeft || corner == SheetCorner::BottomLeft;
    const int cx = left ? 50 : 450;
    const int cy = top ? 50 : 450;
    const int dx = left ? 16 : -16;
    const int dy = top ? 16 : -16;
    picture.setFillColour(colours::red);
    picture.setFillStyle(FillStyle::Solid);
    picture.setForeColour(colours::black);
    picture.polygon({{cx, cy}, {cx + dx, cy}, {cx, cy + dy}});

    const ArcSeconds west = dmsToSeconds(sheet.westLongitude);
    const ArcSeconds north = dmsToSeconds(sheet.northLatitude);
    drawPoints(picture, west, north);

    // The destination mountain, when it lies on this sheet.
    const int index = state_.selectedMountain;
    if (index >= 1 && index <= std::min<int>(state_.mountainCount, kMaxMountains)) {
        const MountainRecord& mountain = state_.mountainTable[slot(index)];
        const ArcSeconds south = dmsToSeconds(sheet.southLatitude);
        const ArcSeconds east = dmsToSeconds(sheet.eastLongitude);
        const ArcSeconds lat = dmsToSeconds(mountain.latitude);
        const ArcSeconds lon = dmsToSeconds(mountain.longitude);
        if (south < lat && lat < north && west < lon && lon < east) {
            const double sy = (north - south) / 400.0;
            const double sx = (east - west) / 400.0;
            const int x = static_cast<int>(std::floor((lon - west) / sx)) + 50;
            const int y = static_cast<int>(std::floor((north - lat) / sy)) + 50;
            picture.setFillColour(colours::red);
            picture.setForeColour(colours::black);
            picture.polygon({{x - 5, y + 5}, {x, y - 5}, {x + 5, y + 5}});
            picture.setFont(state_.textStyles[0]);
            picture.setCurrentPosition(x + 10, y - 2);
            picture.text(mountain.name);
        }
    }
    picture.setFillStyle(FillStyle::Transparent);
    picture.show();
    ctx.map.notify();
}

void SheetRoute::drawPoints(DrawingSurface& picture, ArcSeconds west, ArcSeconds north) {
    const int n = count();
    std::vector<PixelPoint> pixels;
    for (int i = 1; i <= n; ++i) {
        RawPoint& point = state_.rawRoute[slot(i)];
        const int x = static_cast<int>(std::floor((dmsToSeconds(point.longitude) - west) / 1.125)) + 49;
        const int y = static_cast<int>(std::floor((north - dmsToSeconds(point.latitude)) / 0.75)) + 49;
        point.imageX = static_cast<float>(x);
        point.imageY = static_cast<float>(y);
        pixels.push_back({x, y});
    }
    picture.setDrawWidth(2);
    for (size_t i = 1; i < pixels.size(); ++i)
        picture.line(pixels[i - 1].x, pixels[i - 1].y, pixels[i].x, pixels[i].y, state_.settings.trackLineColour);
    picture.setDrawWidth(1);
    for (const PixelPoint& p : pixels) picture.circle(p.x, p.y, 2, state_.settings.trackLineColour);

    // The point marker: a yellow arrow whose tip stands on the selected point.
    if (markerVisible_ && pointBox >= 1 && pointBox <= n) {
        const PixelPoint tip = pixels[slot(pointBox - 1)];
        picture.setFillColour(kMarkerYellow);
        picture.setFillStyle(FillStyle::Solid);
        picture.setForeColour(colours::black);
        picture.polygon({{tip.x - 7, tip.y - 33}, {tip.x + 7, tip.y - 33}, {tip.x, tip.y}});
    }
}

bool SheetRoute::refuse(const char* text, const char* title) {
    map_.context().dialogs.message(text, title, Buttons::Ok, Icon::Error);
    notify();
    return false;
}

bool SheetRoute::addPoint() {
    if (std::none_of(state_.sheetRegistered.begin() + 1, state_.sheetRegistered.end(), [](bool b) { return b; }))
        return refuse(kNoSheetSelectedText, kSheetInputTitle);
    if (latitudeMm.empty() || longitudeMm.empty()) return refuse(kSheetEmptyBoxText, kSheetInputTitle);
    const double dy = leadingNumber(latitudeMm);
    const double dx = leadingNumber(longitudeMm);
    if (!(dy > 0) || !(dx > 0)) return refuse(kSheetNotPositiveText, kSheetInputTitle);
    const int selected = std::clamp<int>(state_.selectedSheet, 0, 9);
    const MeshCornerTable& sheet = state_.meshCorners[slot(selected)];
    const auto fy = static_cast<float>(dy);
    const auto fx = static_cast<float>(dx);
    // An unregistered sheet, or none selected, has no sides (or sides of zero or less): every
    // distance is beyond them.
    if (!state_.sheetRegistered[slot(selected)] || fx >= sheet.topWidth || fx >= sheet.bottomWidth ||
        fy >= sheet.rightHeight || fy >= sheet.leftHeight)
        return refuse(kSheetOutOfRangeText, kSheetOutOfRangeTitle);

    SheetFrame frame;
    frame.south = sheet.southLatitude;
    frame.north = sheet.northLatitude;
    frame.west = sheet.westLongitude;
    frame.east = sheet.eastLongitude;
    frame.topWidth = sheet.topWidth;
    frame.bottomWidth = sheet.bottomWidth;
    frame.leftHeight = sheet.leftHeight;
    frame.rightHeight = sheet.rightHeight;
    const LatLonText position = sheetPositionToLatLon(frame, corner, fy, fx);

    int k = 0;
    if (reinput && pointBox >= 1 && pointBox <= count()) {
        k = pointBox;
        reinput = false;
    } else {
        reinput = false;
        k = std::max(1, state_.nextSheetPoint);
        if (k > kMaxRawPoints) return refuse(kSheetPointsFullText, "ルート作成");
        state_.rawRoute[0].number = static_cast<int16_t>(k);
        state_.nextSheetPoint = k + 1;
    }
    RawPoint& point = state_.rawRoute[slot(k)];
    point.number = static_cast<int16_t>(k);
    point.latitude = position.latitude;
    point.longitude = position.longitude;
    point.sheetCode = sheet.meshCode;
    if (state_.demUnused == 1) point.elevation = static_cast<float>(leadingNumber(elevation));

    refreshList();
    selectPoint(count() - 1);
    latitudeMm.clear();
    longitudeMm.clear();
    elevation.clear();
    ++focusRequests;
    notify();
    return true;
}

std::string SheetRoute::listRow(int i, const RawPoint& point) {
    std::string row(46, ' ');
    overwrite(row, 1, formatPattern(i, "###0"));
    overwrite(row, 6, formatPattern(leadingNumber(point.latitude), "##0.00000"));
    overwrite(row, 16, formatPattern(leadingNumber(point.longitude), "##0.00000"));
    overwrite(row, 26, formatPattern(point.elevation, "###0"));
    return row + "\t" + point.sheetCode;
}

void SheetRoute::refreshList() {
    listRows.clear();
    for (int i = 1; i <= count(); ++i) listRows.push_back(listRow(i, state_.rawRoute[slot(i)]));
}

void SheetRoute::selectPoint(int row) {
    if (row < 0 || row >= count()) return;
    selectedRow = row;
    pointBox = row + 1;
    const std::string& code = state_.rawRoute[slot(pointBox)].sheetCode;
    for (int j = 1; j <= 9; ++j) {
        if (state_.meshCorners[slot(j)].meshCode == code) {
            showSheet(j);
            break;
        }
    }
    markerVisible_ = true;
    if (shownSheet_ != 0) drawSheet();
    notify();
}

void SheetRoute::listPopup() {
    if (pointBox < 1) return;
    map_.menus().setCaption(kSheetPointJob, "【 No " + std::to_string(pointBox) + " ﾎﾟｲﾝﾄ処理 】　　");
    map_.requestPopup(kSheetPointBand);
}

void SheetRoute::reinputPoint() {
    if (!visible || pointBox < 1 || pointBox > count()) return;
    reinput = true;
    ++focusRequests;
    notify();
}

void SheetRoute::deletePoint() {
    const int n = count();
    const int k = pointBox;
    if (!visible || k < 1 || k > n) return;
    removeRawPoint(state_, k);
    // The next new point comes after the remaining ones.
    state_.nextSheetPoint = n;
    reinput = false;
    refreshList();
    if (n - 1 >= 1) {
        selectPoint(n - 2);
    } else {
        selectedRow = -1;
        pointBox = 0;
        markerVisible_ = false;
        if (shownSheet_ != 0) drawSheet();
    }
    ++focusRequests;
    notify();
}

void SheetRoute::close() {
    MapContext& ctx = map_.context();
    visible = false;
    hideDrawingPicture(ctx);
    ctx.map.drawingPictureForSheet = false;
    ctx.map.hScroll = savedScroll_[0];
    ctx.map.vScroll = savedScroll_[1];
    ctx.map.statusPanels[0].clear();
    shownSheet_ = 0;
    markerVisible_ = false;
    level1_ = QImage();
    notify();
}

void SheetRoute::finish() {
    close();
    RouteCreation& creation = map_.creation();
    creation.drawing = RouteDrawing::Idle;
    creation.finishCreation(CreationMethod::Sheet);
    map_.context().map.notify();
}

void SheetRoute::cancel() {
    close();
    map_.creation().deleteRoute();
    listRows.clear();
    notify();
}

void SheetRoute::help() { map_.context().dialogs.showHelp(kSheetHelpFile); }

void SheetRoute::notify() const {
    if (changed) changed();
}

}  // namespace orv
