#pragma once
// The state of one route map window: zoom selection, background, contours, graticule labels,
// status panels and the pictures. Owned by the window's logic, shown by the window.
#include "map/MapGeometry.h"
#include "platform/DrawingSurface.h"
#include "state/ColourTable.h"
#include "state/RidgeValley.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace orv {

// The frame the 600 × 600 map picture is seen through: 500 × 500 pixels in a window of the
// default size, growing with the window up to the whole picture, never below kMinMapFrame.
inline constexpr int kMapFrame = 500;
inline constexpr int kMinMapFrame = 300;

enum BackgroundMode : int16_t {
    ShadedColour = 0,   // "段彩陰影図"
    BandColour = 1,     // "段彩図"
    GraticuleOnly = 2,  // "経緯度線のみ"
    NoBackground = 3,   // "背景なし"
};

inline constexpr float kDefaultBackgroundLevel = 1.0f;

struct GraticuleLabel {
    std::string text;
    int x = 0;
    int y = 0;
    bool visible = false;
};

// The pictures of the route map window.
struct MapPictures {
    DrawingSurface buffer{kMapSize, kMapSize};    // off-screen background buffer (Picture1)
    DrawingSurface map{kMapSize, kMapSize};       // the visible map picture (Picture3)
    DrawingSurface blank{kMapSize, kMapSize};     // drawing picture for graticule / ridge lines (Picture4)
    DrawingSurface progress{200, 20};             // the contour progress strip (Picture5)
};

// A picture a sight command lays over the map after the overlays (the area seen from a point,
// the stretches of the route a peak is seen from): ARGB, the map picture's size, transparent
// where it shows nothing. It belongs to the level it was made on and goes once another level
// is shown.
struct MapTint {
    QImage image;         // null: no tint
    LevelBounds bounds;   // the level it was made on
};

struct MapState {
    // Range zoom (the zoom square).
    bool selecting = false;
    float squareX = 300.0f;  // last centre of the zoom square, picture pixels
    float squareY = 300.0f;
    float halfSize = 150.0f;
    int16_t magnification = 1;

    // The frame's size, and the scroll bars: the picture sits at (-hScroll, -vScroll) in its
    // frame; each scroll runs from 0 to 599 − the frame's side (0..99 in a 500 × 500 frame, 0
    // alone once the frame shows the whole picture).
    int frameWidth = kMapFrame;
    int frameHeight = kMapFrame;
    int hScroll = 50;
    int vScroll = 50;
    // A pan with the middle button: the picture pixel held under the pointer.
    bool panning = false;
    int panX = 0;
    int panY = 0;

    // Background. The mode, colour set and saved level live in the settings (AppState).
    ColourSet workingColours{};

    // The progress strip of a contour drawing is showing.
    bool progressVisible = false;

    // Graticule labels 0..6 (only 1..5 are ever shown).
    std::array<GraticuleLabel, 7> latitudeLabels{};
    std::array<GraticuleLabel, 7> longitudeLabels{};

    // Status panels: 0 guide line, 1 "Level:n", 2 "ＴＲＫ", 3 "山名".
    std::array<std::string, 4> statusPanels{"", "Level:1", "ＴＲＫ", "山名"};
    std::array<bool, 4> statusEnabled{true, true, false, false};
    std::string mapToolTip;
    bool markersVisible = false;

    // The five route read-outs: 地図上距離, 総歩行距離, 標高差, 往路歩行時間, 帰路歩行時間.
    std::array<std::string, 5> readouts{};
    // What the read-outs do not say, shown on the status line beside the guide: how much of
    // the route lies outside the elevation data. Empty when nothing needs saying.
    std::string routeNote;

    // Route overlays: waypoint names shown or not; the point marker over the map.
    bool showWaypointNames = false;
    bool pointMarkerVisible = false;
    int pointMarkerX = 0;
    int pointMarkerY = 0;

    // Ridge and valley lines: the drawing picture is shown in place of the map picture while
    // the user traces on it; the line style the last drawn segment used carries over to the
    // next drawing of the lines.
    bool drawingPictureShown = false;
    // The drawing picture shows an enlarged printed sheet for measuring, not lines being traced.
    bool drawingPictureForSheet = false;
    RidgeValleyStyle ridgeValleyStyle = RidgeValleyStyle::Ridge;

    // The sight commands' tint over the map.
    MapTint tint;

    // A background redraw is running; commands arriving meanwhile wait for it.
    bool redrawing = false;
    bool redrawRequested = false;

    // Called after a change the window should show (labels, panels, scroll bars).
    std::function<void()> changed;
    // Called after `changed`, for a window beside the map that follows it (RouteMap's change hook).
    std::function<void()> alsoChanged;
    void notify() const {
        if (changed) changed();
        if (alsoChanged) alsoChanged();
    }
};

}  // namespace orv
