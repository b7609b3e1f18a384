#include "sheets/MapImageRoute.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "core/Slots.h"
#include "geo/Angles.h"
#include "sheets/MapImageTools.h"
#include "sheets/RawPoints.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

namespace orv {

namespace {

using namespace mapImageTool;

inline constexpr const char* kTooLargeText =
    "地図画像が大きすぎます。幅・高さとも20000ピクセルまでの画像を指定して下さい。\r\n";
inline constexpr const char* kPointsFullText =
    "ルートの点は1000点までです。「ルート作成終了」でルートを終了して下さい。";
inline constexpr const char* kPointsFullTitle = "ルート作成";

std::string fourDecimals(const DmsText& text) { return formatPattern(leadingNumber(text), "##0.0000"); }
std::string fiveDecimals(const DmsText& text) { return formatPattern(leadingNumber(text), "##0.00000"); }

}  // namespace

std::array<int, 2> imagePixelOf(const MapImageReference& ref, const MeshCornerTable& sheet,
                                ArcSeconds latitude, ArcSeconds longitude) {
    const double west = dmsToSeconds(sheet.westLongitude);
    const double north = dmsToSeconds(sheet.northLatitude);
    const double u = std::floor((longitude - west) / static_cast<double>(ref.lonScale));
    const double v = std::floor((north - latitude) / static_cast<double>(ref.latScale));
    return {roundHalfEven(static_cast<double>(ref.originX) + u), roundHalfEven(static_cast<double>(ref.originY) + v)};
}

std::array<DmsText, 2> imagePositionOf(const MapImageReference& ref, const MeshCornerTable& sheet,
                                       int x, int y) {
    const double west = dmsToSeconds(sheet.westLongitude);
    const double north = dmsToSeconds(sheet.northLatitude);
    const double lon = west + (x - static_cast<double>(ref.originX)) * static_cast<double>(ref.lonScale);
    const double lat = north - (y - static_cast<double>(ref.originY)) * static_cast<double>(ref.latScale);
    return {secondsToDms(roundHalfEven(lat)), secondsToDms(roundHalfEven(lon))};
}

MapImageRoute::MapImageRoute(AppState& state, Dialogs& dialogs, ImageLoader loader)
    : state_(state), dialogs_(dialogs), loader_(std::move(loader)) {
    addMapImageCommands(menus_);
}

int MapImageRoute::pointCount() const { return std::clamp<int>(state_.rawRoute[0].number, 0, kMaxRawPoints); }

void MapImageRoute::activate() {
    caption = kMapImageCaption;
    markerVisible = false;
    sheetPanelVisible = false;
    elevationVisible = state_.demUnused == 1;
    // An image remembered for a slot whose sheet changed with the plan would be misplaced.
    for (int j = 1; j <= 9; ++j) {
        MapImageReference& ref = state_.mapImageReferences[slot(j)];
        if (!ref.imagePath.empty() && ref.meshCode != state_.meshCorners[slot(j)].meshCode) ref = MapImageReference{};
    }
    clearRawRoute(state_);
    state_.nextSheetPoint = 0;
    captionSheetMenu();
    horizontal = vertical = ImageScroll{};
    secondCorner = false;
    mouseActive = false;
    showSheetPanel();
}

void MapImageRoute::captionSheetMenu() {
    for (int j = 1; j <= 9; ++j) {
        const ToolId id = kSheetFiles[slot(j - 1)];
        menus_.setCaption(id, state_.meshCorners[slot(j)].meshCode);
        menus_.setChecked(id, j == currentSheet);
    }
}

void MapImageRoute::dispatch(const std::string& toolId) {
    const ToolId id{std::string_view(toolId)};
    if (!menus_.has(id)) {
        reportUnknownTool("MapImageRoute", toolId);
        return;
    }
    if (id == kMakeRoute) startTracing();
    else if (id == kCancel || id == kStopRoute) cancel();
    else if (id == kSelectSheet) showSheetPanel();
    else if (id == kDeletePoint) deletePoint();
    else if (id == kReinputPoint) reinputPoint();
    else if (id == kEndRoute) endTracing();
    // The file list only shows which sheet is open.
    notify();
}

void MapImageRoute::showSheetPanel() {
    sheetPanelVisible = true;
    notify();
}

void MapImageRoute::setViewport(int width, int height) {
    viewport_ = {std::max(1, width), std::max(1, height)};
    horizontal.maximum = std::max(0, image.width - viewport_.width);
    vertical.maximum = std::max(0, image.height - viewport_.height);
    horizontal.largeStep = std::max(1, viewport_.width / 2);
    vertical.largeStep = std::max(1, viewport_.height / 2);
    horizontal.value = std::clamp(horizontal.value, 0, horizontal.maximum);
    vertical.value = std::clamp(vertical.value, 0, vertical.maximum);
}

void MapImageRoute::scrollTo(int h, int v) {
    horizontal.value = std::clamp(h, 0, horizontal.maximum);
    vertical.value = std::clamp(v, 0, vertical.maximum);
}

void MapImageRoute::scrollToEnds(bool maximum) {
    horizontal.value = maximum ? horizontal.maximum : 0;
    vertical.value = maximum ? vertical.maximum : 0;
}

void MapImageRoute::openSheetImage(int j) {
    if (j < 1 || j > 9) return;
    markerVisible = false;
    sheetPanelVisible = false;
    MapImageReference& ref = state_.mapImageReferences[slot(j)];
    const MeshCornerTable& sheet = state_.meshCorners[slot(j)];
    if (ref.imagePath.empty()) {
        // The file dialog starts where the images of the other sheets were found, else where
        // the last map image was, else among the user's files, with the sheet's code as the
        // file name.
        std::filesystem::path folder =
            state_.fileFolders.start(FileKind::MapImage, state_.dataFolder, state_.appFolder);
        for (const MapImageReference& other : state_.mapImageReferences)
            if (!other.imagePath.empty()) folder = std::filesystem::path(other.imagePath).parent_path();
        const std::optional<std::string> path =
            dialogs_.openFile("地図画像 " + sheet.meshCode + "を開く", kMapImageFilter,
                              (folder / sheet.meshCode).string(), kMapImageFirstFilter);
        // Cancelled: back to the sheets, nothing to say.
        if (!path || path->empty()) return afterFailedOpen();
        if (!std::filesystem::is_regular_file(*path)) {
            dialogs_.message(kImageMissingText, kImageMissingTitle, Buttons::Ok, Icon::Error);
            return afterFailedOpen();
        }
        ref.imagePath = *path;
        ref.meshCode = sheet.meshCode;
        state_.fileFolders.remember(FileKind::MapImage, *path);
    }
    caption = sheet.meshCode + " 地図画像からルート作成  " + " 左下緯度：経度 " + fourDecimals(sheet.southLatitude) +
              "/" + fourDecimals(sheet.westLongitude) + " 右上緯度：経度 " + fourDecimals(sheet.northLatitude) +
              "/" + fourDecimals(sheet.eastLongitude);
    statusPanels[0] = kImageLoadingText;
    notify();
    ImageSize size;
    const ImageLoad load = loader_ ? loader_(ref.imagePath, size) : ImageLoad::Unreadable;
    statusPanels[0].clear();
    notify();
    if (load != ImageLoad::Loaded) {
        // The slot forgets the file, so the next click on the sheet asks for another.
        const std::string path = ref.imagePath;
        ref = MapImageReference{};
        if (load == ImageLoad::Missing)
            dialogs_.message(kImageMissingText, kImageMissingTitle, Buttons::Ok, Icon::Error);
        else if (load == ImageLoad::TooLarge)
            dialogs_.message(kTooLargeText + path, kImageMissingTitle, Buttons::Ok, Icon::Error);
        else
            statusPanels[0] = kImageUnreadableText;
        imageLoaded = false;
        return afterFailedOpen();
    }
    image = size;
    imageLoaded = true;
    setViewport(viewport_.width, viewport_.height);
    scrollToEnds(false);
    currentSheet = j;
    captionSheetMenu();
    const int count = pointCount();
    if (count == 0) state_.nextSheetPoint = 0;
    stepperMaximum = count;
    pointBox = state_.nextSheetPoint;
    askForCorners(j);
    notify();
}

void MapImageRoute::afterFailedOpen() {
    markerVisible = false;
    state_.nextSheetPoint = pointCount();
    stepperMaximum = pointBox = pointCount();
    showSheetPanel();
}

void MapImageRoute::askForCorners(int j) {
    if (state_.mapImageReferences[slot(j)].referenced) return;
    dialogs_.message(kCornersText, kCornersTitle, Buttons::Ok, Icon::Question);
    cornerStep = true;
    mouseActive = true;
    secondCorner = false;
    statusPanels[0] = kFirstCornerGuide;
    scrollToEnds(false);
}

std::optional<std::string> MapImageRoute::release(Button button, int x, int y) {
    if (outcome != MapImageOutcome::Open) return std::nullopt;
    std::optional<std::string> popup;
    if (mouseActive && cornerStep) {
        if (button == Button::Left) takeCorner(x, y);
    } else if (mouseActive && tracing) {
        const MapImageReference& ref = state_.mapImageReferences[slot(currentSheet)];
        if (button == Button::Right) {
            popup = kMapImageTracingBand;
        } else if (const double px = x, py = y; currentSheet != 0 && ref.referenced && px >= ref.frameLeft &&
                   px <= ref.frameRight && py >= ref.frameTop && py <= ref.frameBottom) {
            addPoint(x, y);
        }
    } else if (!mouseActive && button == Button::Right) {
        popup = kMapImageEditBand;
    }
    notify();
    return popup;
}

void MapImageRoute::takeCorner(int x, int y) {
    if (!secondCorner) {
        firstCorner_ = {x, y};
        // The bottom right of the image comes into view for the second corner.
        scrollToEnds(true);
        secondCorner = true;
        statusPanels[0] = kSecondCornerGuide;
        return;
    }
    // A second corner on the first one's column or row, or above or left of it, gives no
    // scale (or a mirrored one): it is asked for again.
    if (x <= firstCorner_[0] || y <= firstCorner_[1]) {
        dialogs_.message(kCornersInLineText, kCornersTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    scrollToEnds(false);
    secondCorner = false;
    cornerStep = false;
    MapImageReference& ref = state_.mapImageReferences[slot(currentSheet)];
    ref.frameLeft = ref.originX = static_cast<float>(firstCorner_[0]);
    ref.frameTop = ref.originY = static_cast<float>(firstCorner_[1]);
    ref.frameRight = static_cast<float>(x);
    ref.frameBottom = static_cast<float>(y);
    ref.lonScale = 450.0f / static_cast<float>(x - firstCorner_[0]);
    ref.latScale = 300.0f / static_cast<float>(y - firstCorner_[1]);
    ref.referenced = true;
    statusPanels[0].clear();
    mouseActive = false;
}

void MapImageRoute::addPoint(int x, int y) {
    if (!reinputPending && state_.nextSheetPoint >= kMaxRawPoints) {
        dialogs_.message(kPointsFullText, kPointsFullTitle, Buttons::Ok, Icon::Warning);
        return;
    }
    state_.nextSheetPoint += 1;
    const int k = state_.nextSheetPoint;
    marker = {x, y - kImageMarkerLift};
    markerVisible = true;
    const MeshCornerTable& sheet = state_.meshCorners[slot(currentSheet)];
    const auto [latitude, longitude] = imagePositionOf(state_.mapImageReferences[slot(currentSheet)], sheet, x, y);
    RawPoint& point = state_.rawRoute[slot(k)];
    point.number = static_cast<int16_t>(k);
    point.imageY = static_cast<float>(y);
    point.imageX = static_cast<float>(x);
    point.sheetCode = sheet.meshCode;
    point.extra = static_cast<int16_t>(currentSheet);
    point.longitude = longitude;
    point.latitude = latitude;
    pointBox = k;
    latitudeLabel = "緯度： " + fiveDecimals(latitude);
    longitudeLabel = "経度： " + fiveDecimals(longitude);
    if (reinputPending) {
        reinputPending = false;
        state_.nextSheetPoint = savedCount;
        stepperMaximum = savedCount;
        currentPoint = pointBox;
        const RawPoint& shown = state_.rawRoute[slot(currentPoint)];
        marker = {static_cast<int>(shown.imageX), static_cast<int>(shown.imageY) - kImageMarkerLift};
    } else {
        stepperMaximum = k;
        state_.rawRoute[0].number = static_cast<int16_t>(k);
    }
}

void MapImageRoute::move(int x, int y) {
    if (!tracing || currentSheet == 0 || !state_.mapImageReferences[slot(currentSheet)].referenced) return;
    const auto [latitude, longitude] =
        imagePositionOf(state_.mapImageReferences[slot(currentSheet)], state_.meshCorners[slot(currentSheet)], x, y);
    statusPanels[1] = "ﾏｳｽ位置　緯度： " + fiveDecimals(latitude) + " 経度： " + fiveDecimals(longitude);
    notify();
}

void MapImageRoute::startTracing() {
    mouseActive = true;
    tracing = true;
    takesKeys_ = true;
    statusPanels[0] = kImageTracingGuide;
}

void MapImageRoute::endTracing() {
    statusPanels[0].clear();
    tracing = false;
    if (state_.demUnused == 1 && pointCount() > 0) {
        dialogs_.message(kElevationEntryText, kElevationEntryTitle, Buttons::Ok, Icon::Information);
        startElevationEntry();
        return;
    }
    close(MapImageOutcome::RouteWanted);
}

void MapImageRoute::startElevationEntry() {
    markerVisible = true;
    currentPoint = 1;
    const RawPoint& first = state_.rawRoute[1];
    if (first.extra != currentSheet) openSheetImage(first.extra);
    stepperMaximum = pointCount();
    pointBox = 1;
    showPointReadout(1);
    takesKeys_ = true;
}

void MapImageRoute::showPointReadout(int number) {
    const RawPoint& point = state_.rawRoute[slot(number)];
    marker = {static_cast<int>(point.imageX), static_cast<int>(point.imageY) - kImageMarkerLift};
    markerVisible = true;
    latitudeLabel = "緯度： " + fiveDecimals(point.latitude);
    longitudeLabel = "経度： " + fiveDecimals(point.longitude);
    elevationText = shortestText(point.elevation);
    ++elevationFocusRequests;
}

void MapImageRoute::enterElevation(const std::string& text) {
    const int count = pointCount();
    if (currentPoint < 1 || currentPoint > count) return;
    state_.rawRoute[slot(currentPoint)].elevation = static_cast<float>(leadingNumber(text));
    if (stepperMaximum < currentPoint + 1) {
        close(MapImageOutcome::RouteWanted);
        return;
    }
    currentPoint += 1;
    const RawPoint& next = state_.rawRoute[slot(currentPoint)];
    if (next.extra != currentSheet) openSheetImage(next.extra);
    pointBox = currentPoint;
    showPointReadout(currentPoint);
    notify();
}

void MapImageRoute::cancel() { close(MapImageOutcome::Cancelled); }

void MapImageRoute::close(MapImageOutcome how) {
    outcome = how;
    takesKeys_ = false;
    imageLoaded = false;
    notify();
}

bool MapImageRoute::closeByFrame() {
    if (outcome != MapImageOutcome::Open) return true;
    if (pointCount() > 0 &&
        dialogs_.message(kCloseQuestion, kMapImageCaption, Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    cancel();
    return true;
}

void MapImageRoute::deletePoint() {
    if (reinputPending) {
        reinputPending = false;
        state_.nextSheetPoint = savedCount;
    }
    const int count = pointCount();
    const int k = pointBox;
    if (k < 1 || k > count) return;
    markerVisible = true;
    removeRawPoint(state_, k);
    state_.nextSheetPoint = count - 1;
    stepperMaximum = state_.nextSheetPoint;
    pointBox = std::min(k, state_.nextSheetPoint);
    if (pointBox >= 1) showPointReadout(pointBox);
    else markerVisible = false;
}

void MapImageRoute::reinputPoint() {
    const int k = pointBox;
    if (k < 1 || k > pointCount()) return;
    currentPoint = k;
    reinputPending = true;
    savedCount = state_.nextSheetPoint;
    state_.nextSheetPoint = k - 1;
}

void MapImageRoute::stepTo(int number) {
    const int count = pointCount();
    if (count < 1) return;
    const int k = std::clamp(number, 1, count);
    const RawPoint& point = state_.rawRoute[slot(k)];
    if (point.extra != currentSheet) openSheetImage(point.extra);
    currentPoint = k;
    pointBox = k;
    centreOn(k);
    showPointReadout(k);
    notify();
}

void MapImageRoute::centreOn(int number) {
    const RawPoint& point = state_.rawRoute[slot(number)];
    const auto centred = [](float at, int view, int size, const ImageScroll& bar, bool horizontalBar) {
        const double half = view / 2.0;
        if (at < half) return 0;
        const double room = horizontalBar ? size - (half + 1) : size - half;
        if (room >= at) return std::clamp(roundHalfEven(at - half), 0, bar.maximum);
        return bar.maximum;
    };
    vertical.value = centred(point.imageY, viewport_.height, image.height, vertical, false);
    horizontal.value = centred(point.imageX, viewport_.width, image.width, horizontal, true);
}

void MapImageRoute::key(Key key) {
    const int count = pointCount();
    if (count < 1) return;
    const int n = pointBox;
    int m = n;
    switch (key) {
        case Key::Up: m = std::min(n + 1, count); break;
        case Key::Down: m = n < 2 ? 1 : n - 1; break;
        case Key::PageUp: m = std::min(n + 10, count); break;
        case Key::PageDown: m = n < 11 ? 1 : n - 10; break;
    }
    stepTo(m);
}

std::vector<ImagePolyline> MapImageRoute::lines() const {
    std::vector<ImagePolyline> result;
    if (currentSheet == 0) return result;
    const MapImageReference& ref = state_.mapImageReferences[slot(currentSheet)];
    if (!ref.referenced) return result;
    const MeshCornerTable& sheet = state_.meshCorners[slot(currentSheet)];
    const int references = std::clamp<int>(state_.refRouteCount, 0, kMaxRoutePoints);
    if (references > 0) {
        ImagePolyline line{{}, true};
        for (int i = 1; i <= references; ++i) {
            const RoutePoint& p = state_.referenceRoute[slot(i)];
            line.points.push_back(imagePixelOf(ref, sheet, dmsToSeconds(p.latitude), dmsToSeconds(p.longitude)));
        }
        result.push_back(std::move(line));
    }
    const int count = pointCount();
    if (count > 0) {
        ImagePolyline line{{}, false};
        for (int i = 1; i <= count; ++i) {
            const RawPoint& p = state_.rawRoute[slot(i)];
            line.points.push_back(imagePixelOf(ref, sheet, dmsToSeconds(p.latitude), dmsToSeconds(p.longitude)));
        }
        result.push_back(std::move(line));
    }
    return result;
}

std::vector<ImageLabel> MapImageRoute::labels() const {
    std::vector<ImageLabel> result;
    if (currentSheet == 0) return result;
    const MapImageReference& ref = state_.mapImageReferences[slot(currentSheet)];
    if (!ref.referenced) return result;
    const MeshCornerTable& sheet = state_.meshCorners[slot(currentSheet)];
    const int references = std::clamp<int>(state_.refRouteCount, 0, kMaxRoutePoints);
    for (int i = 1; i <= references; ++i) {
        const RoutePoint& p = state_.referenceRoute[slot(i)];
        if (p.placeName.empty() && p.label.empty()) continue;
        const auto [x, y] = imagePixelOf(ref, sheet, dmsToSeconds(p.latitude), dmsToSeconds(p.longitude));
        if (!p.placeName.empty()) result.push_back({x + 10, y - 2, p.placeName, 1, true, x, y});
        if (!p.label.empty()) result.push_back({x + 10, y + 9, p.label, 2, false, x, y});
    }
    return result;
}

void MapImageRoute::notify() const {
    if (changed) changed();
}

}  // namespace orv
