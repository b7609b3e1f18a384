#pragma once
// Handing the route map's picture to other programs: "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ" puts it on the clipboard,
// "ﾌｧｲﾙにｺﾋﾟｰ" writes it to a BMP (or PNG) file. The whole 600 × 600 map picture is taken as it
// stands, with a caption block written into its top-left corner first: the plan's name (with
// the date for a file) and the route's 地図上距離, 総歩行距離, 歩行時間（往/帰) and 標高差. The
// map on screen is then redrawn without the caption.
#include "map/MapContext.h"
#include "state/AppState.h"

#include <QDate>

#include <array>
#include <string>

namespace orv {

inline constexpr const char* kPictureSaveTitle = "画像の保存";
inline constexpr const char* kPictureSaveFailedMessage = "画像を保存できません。";

// The caption's texts: the title and the four statistic lines, from the totals in slot 0 of
// the route and the height range of its points (point 1 alone for an empty route).
struct MapCaption {
    std::string title;
    std::array<std::string, 4> lines;
};
MapCaption mapCaption(const AppState& state, const std::string& title);

// The date of a file's caption title, yyyy/MM/dd.
std::string captionDate(QDate date);

// Writes the caption block into the top-left corner of the picture: each line four times in
// white one pixel off diagonally, then in its colour; the title in "ＭＳ ゴシック" 12 points with
// text style 0's flags and colour, the statistics in 10 points with text style 1's.
void drawMapCaption(DrawingSurface& picture, const AppState& state, const MapCaption& caption);

// The map with the caption titled planName on the clipboard, then the map redrawn.
// (copyMapToClipboard)
void copyMapToClipboard(MapContext& ctx);

enum class MapSaveOutcome { Saved, Cancelled, Failed };

// The map with the caption titled planName + "  " + the date, saved under the name chosen in
// "画像の保存" exactly as entered: as PNG when it ends in ".png" (any case), as BMP otherwise.
// The file is written whole or not at all; a file that cannot be written is told. The map is
// redrawn without the caption whatever the outcome. (saveMapToFile)
MapSaveOutcome saveMapToFile(MapContext& ctx, QDate today);

}  // namespace orv
