#include "route/MapOutput.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "platform/PictureSave.h"
#include "route/LabelGlyphs.h"
#include "route/Measurement.h"
#include "route/Overlays.h"
#include "route/RouteExtents.h"

#include <cstdint>

namespace orv {

namespace {

constexpr const char* kCaptionFace = "ＭＳ ゴシック";
constexpr float kTitlePoints = 12.0f;
constexpr float kLinePoints = 10.0f;
constexpr size_t kTitleStyle = 0;
constexpr size_t kLineStyle = 1;

// The coloured copy of each text sits at x = 2 and these y; the white ones one pixel off.
constexpr int kCaptionX = 2;
constexpr int kTitleY = 2;
constexpr std::array<int, 4> kLineY{20, 34, 48, 62};

// A text style's flags and colour in the caption's face and size.
TextStyle captionStyle(const TextStyle& from, float points) {
    TextStyle style = from;
    style.face = kCaptionFace;
    style.size = points;
    return style;
}

void haloLine(DrawingSurface& picture, const TextStyle& style, const std::string& text, int y) {
    LabelGlyphs(style, text).drawHaloed(picture, kCaptionX, y, style.colour, colours::white);
}

}  // namespace

MapCaption mapCaption(const AppState& state, const std::string& title) {
    const RoutePoint& totals = state.route[0];
    const int64_t heightRange = static_cast<int64_t>(routeMaxElevation(state.route, state.routeCount)) -
                                routeMinElevation(state.route, state.routeCount);
    return {title,
            {
                "地図上距離........." + integerText(floorToInt(totals.mapDistance)) + " ｍ" +
                    outsideDataNote(state.route, state.routeCount),
                "総歩行距離........." + integerText(floorToInt(totals.walkDistance)) + " ｍ",
                "歩行時間（往/帰)..." + walkingHoursText(totals.minutesOut) + "時間/" +
                    walkingHoursText(totals.minutesBack) + "時間",
                "標高差............." + integerText(heightRange) + "ｍ",
            }};
}

std::string captionDate(QDate date) { return date.toString(QStringLiteral("yyyy/MM/dd")).toStdString(); }

void drawMapCaption(DrawingSurface& picture, const AppState& state, const MapCaption& caption) {
    const DrawMode saved = picture.drawMode();
    picture.setDrawMode(DrawMode::Copy);
    haloLine(picture, captionStyle(state.textStyles[kTitleStyle], kTitlePoints), caption.title, kTitleY);
    const TextStyle lineStyle = captionStyle(state.textStyles[kLineStyle], kLinePoints);
    for (size_t i = 0; i < caption.lines.size(); ++i) haloLine(picture, lineStyle, caption.lines[i], kLineY[i]);
    picture.setDrawMode(saved);
}

void copyMapToClipboard(MapContext& ctx) {
    drawMapCaption(ctx.pictures.map, ctx.state, mapCaption(ctx.state, ctx.state.planName));
    ctx.pictures.map.copyToClipboard();
    redrawOverlays(ctx);
}

MapSaveOutcome saveMapToFile(MapContext& ctx, QDate today) {
    drawMapCaption(ctx.pictures.map, ctx.state,
                   mapCaption(ctx.state, ctx.state.planName + "  " + captionDate(today)));
    MapSaveOutcome outcome = MapSaveOutcome::Cancelled;
    if (const auto file = askPictureFile(ctx.dialogs, kPictureSaveTitle, ctx.state.fileFolders, ctx.state.dataFolder,
                                           ctx.state.appFolder)) {
        if (ctx.pictures.map.savePicture(file->path, file->format)) {
            ctx.state.fileFolders.remember(FileKind::Picture, file->path);
            outcome = MapSaveOutcome::Saved;
        } else {
            ctx.dialogs.message(std::string(kPictureSaveFailedMessage) + "\r\n" + file->path.string(), kPictureSaveTitle,
                                Buttons::Ok, Icon::Warning);
            outcome = MapSaveOutcome::Failed;
        }
    }
    redrawOverlays(ctx);
    return outcome;
}

}  // namespace orv
