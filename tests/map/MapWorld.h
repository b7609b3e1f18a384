#pragma once
// A route map without a window, for the map view, contour and graticule tests: the shared
// state with a level-1 block, the map state and pictures, the menu commands these operations
// touch, and scripted dialogs. The background is NoBackground so redraws stay cheap.
#include "map/MapContext.h"
#include "platform/MenuModel.h"
#include "state/AppState.h"
#include "support/ScriptedDialogs.h"

#include <memory>
#include <string>

namespace orv::test {

// Level 1 of the test block: the centre mesh's south-west corner at 35°40′ N, 139°45′ E.
inline constexpr ArcSeconds kCentreSouth = 35 * 3600 + 40 * 60;  // 128400″
inline constexpr ArcSeconds kCentreWest = 139 * 3600 + 45 * 60;  // 503100″
inline constexpr ArcSeconds kSouth1 = kCentreSouth - 300;
inline constexpr ArcSeconds kNorth1 = kCentreSouth + 600;
inline constexpr ArcSeconds kWest1 = kCentreWest - 450;
inline constexpr ArcSeconds kEast1 = kCentreWest + 900;

// Tool 9's caption before an interval is entered (eight ideographic spaces).
inline const std::string kAnyToolCaption = "　　　　　　　　任意";

struct MapWorld {
    std::unique_ptr<AppState> state = makeAppState();
    MapState map;
    MapPictures pictures;
    MenuModel menus;
    ScriptedDialogs dialogs;
    MapContext ctx{*state, map, pictures, menus, dialogs, {}, {}};
    int overlayRedraws = 0;

    MapWorld() {
        state->settings.colourTable[0] = kDefaultColourSet;
        state->settings.backgroundMethod = NoBackground;
        state->settings.savedBackgroundLevel = 0.9f;
        state->currentLevel = 1;
        setCorners(1, kSouth1, kNorth1, kWest1, kEast1);
        ctx.drawOverlays = [this] { ++overlayRedraws; };

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

    void setCorners(int level, ArcSeconds south, ArcSeconds north, ArcSeconds west,
                    ArcSeconds east) {
        auto& c = state->levelCorners[static_cast<size_t>(level)];
        c[kSouth] = secondsToDms(south);
        c[kNorth] = secondsToDms(north);
        c[kWest] = secondsToDms(west);
        c[kEast] = secondsToDms(east);
    }

    void fillLevel(int level, float metres) {
        for (int row = 0; row < ElevationGrid::kRows; ++row)
            for (int column = 0; column < ElevationGrid::kColumns; ++column)
                state->elevationGrid.set(row, column, level, metres);
    }

    LevelBounds bounds(int level) const { return levelBounds(state->levelCorners, level); }

    float cell(int column, int row, int level) const {
        return state->elevationGrid.get(row, column, level);
    }
};

}  // namespace orv::test
