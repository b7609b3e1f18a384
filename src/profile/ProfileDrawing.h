#pragma once
// The profile picture: the elevation-coloured background column, the route as a cross-section
// under a light-blue sky, marks, vertical name labels, the segment dividers with their data
// labels, and the elevation scale; the texts of the summary and status panels; the plan name
// stamped on copied and saved pictures.
#include "platform/DrawingSurface.h"
#include "profile/ProfileGeometry.h"
#include "route/LabelGlyphs.h"
#include "state/AppState.h"

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv {

// How the plot is filled under the profile line.
enum class ProfileBackground { Configured, Single, None };

struct ProfileLook {
    ProfileBackground background = ProfileBackground::Configured;
    Colour single = colours::black;  // the single colour, black until one has been chosen
};

// The text styles of the five data labels, in switch order: segment distance, elevation,
// slope angle, segment time, segment climb.
inline constexpr std::array<int, 5> kProfileLabelStyles{7, 3, 5, 6, 4};
inline constexpr int kMountainNameStyle = 0;
inline constexpr int kPlaceNameStyle = 1;

// Draws the whole picture onto the surface, in order: clear, background column, sky, marks,
// the route line with names and segment marks point by point, elevation scale. The rendered
// label glyphs are kept from one redraw to the next.
class ProfilePainter {
public:
    void draw(DrawingSurface& surface, const AppState& state, const ProfileScale& scale,
              const ProfileLook& look);

private:
    // The glyphs of a text in a style, rendered once.
    const LabelGlyphs& glyphs(const TextStyle& style, std::string_view text);
    // The text once in white one pixel right and one lower (right only when `flat`), then in the
    // style's colour.
    void shadowed(DrawingSurface& surface, const TextStyle& style, std::string_view text, int x,
                  int y, bool flat = false);
    // The text four times in white around its place, then in the style's colour.
    void haloed(DrawingSurface& surface, const TextStyle& style, std::string_view text, int x, int y);
    void drawNames(DrawingSurface& surface, const AppState& state, const RoutePoint& point,
                   PixelPoint at, bool last);
    void drawScale(DrawingSurface& surface, const AppState& state, const ProfileScale& scale);

    std::unordered_map<std::string, LabelGlyphs> cache_;
};

// Fills the plot area with the background: in configured-colour mode each row takes the map's
// elevation colour of its elevation, otherwise one colour (the sky colour for "なし"). (DrawSTD)
void drawColourStrip(DrawingSurface& surface, const AppState& state, const ProfileScale& scale,
                     const ProfileLook& look);

// The plan name in the top-left corner: white at (3, 3), then at (2, 2) in the mountain-name
// font's colour, "ＭＳ ゴシック" 12 with the mountain-name font's flags.
void stampPlanName(DrawingSurface& surface, const AppState& state);

// The four summary panels: map distance, walking distance, height range, walking time.
std::array<std::string, 4> profileSummaries(const AppState& state);

// The status line: the pitch note with a schedule, the hint to compute one without.
std::string profileStatusText(const AppState& state);

// What the picture and the panels take from the route and its schedule: the profile is drawn
// again after a change on the route map only when this differs from the last drawing.
struct ProfiledRoute {
    struct Point {
        float elevation = 0;
        float mapDistance = 0;
        float walkDistance = 0;
        float minutesOut = 0;
        int16_t markKind = 0;
        std::string placeName;
        std::string mountainName;
        bool operator==(const Point&) const = default;
    };
    struct Segment {
        int16_t endPoint = 0;
        float elevation = 0;
        float climbDiff = 0;
        float walkingDistance = 0;
        float walkingMinutes = 0;
        float meanSlope = 0;
        bool operator==(const Segment&) const = default;
    };
    std::vector<Point> points;      // the totals (slot 0), then points 1..routeCount
    std::vector<Segment> segments;  // entries 0..segmentCount; none without a schedule
    int pitchMinutes = 0;
    bool operator==(const ProfiledRoute&) const = default;
};
ProfiledRoute profiledRoute(const AppState& state);
// The state's route and schedule are still the ones taken, compared in place (the route map
// asks after every mouse move).
bool sameProfiledRoute(const ProfiledRoute& taken, const AppState& state);

}  // namespace orv
