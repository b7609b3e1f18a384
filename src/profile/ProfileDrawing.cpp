#include "profile/ProfileDrawing.h"

#include "core/Characters.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "map/Background.h"
#include "route/MarkIcons.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr size_t kGlyphCacheLimit = 4096;
constexpr int kNameGap = 24;        // the name columns end just above y − 24
constexpr int kScaleLines = 4;      // the scale has lines at 0, 60, …, 240 pixels down
constexpr int kScalePitch = kPlotHeight / kScaleLines;

std::string glyphKey(const TextStyle& s, std::string_view text) {
    std::string key = s.face;
    key += '\x1f';
    key += std::to_string(s.size);
    key += s.bold ? 'b' : '-';
    key += s.italic ? 'i' : '-';
    key += s.underline ? 'u' : '-';
    key += s.strikeThrough ? 's' : '-';
    key += '\x1f';
    key += text;
    return key;
}

const TextStyle& styleOf(const AppState& state, int index) {
    return state.textStyles[static_cast<size_t>(std::clamp(index, 0, kTextStyles - 1))];
}

const ColourSet& currentColourSet(const AppState& state) {
    const int set = std::clamp<int>(state.settings.colourSetIndex, 0, kColourSets - 1);
    return state.settings.colourTable[static_cast<size_t>(set)];
}

}  // namespace

const LabelGlyphs& ProfilePainter::glyphs(const TextStyle& style, std::string_view text) {
    std::string key = glyphKey(style, text);
    if (const auto found = cache_.find(key); found != cache_.end()) return found->second;
    if (cache_.size() >= kGlyphCacheLimit) cache_.clear();
    return cache_.emplace(std::move(key), LabelGlyphs(style, text)).first->second;
}

void ProfilePainter::shadowed(DrawingSurface& surface, const TextStyle& style, std::string_view text,
                              int x, int y, bool flat) {
    const LabelGlyphs& g = glyphs(style, text);
    g.draw(surface, x + 1, flat ? y : y + 1, colours::highlight3D);
    g.draw(surface, x, y, style.colour);
}

void ProfilePainter::haloed(DrawingSurface& surface, const TextStyle& style, std::string_view text,
                            int x, int y) {
    const LabelGlyphs& g = glyphs(style, text);
    g.draw(surface, x + 1, y + 1, colours::white);
    g.draw(surface, x - 1, y + 1, colours::white);
    g.draw(surface, x + 1, y - 1, colours::white);
    g.draw(surface, x - 1, y - 1, colours::white);
    g.draw(surface, x, y, style.colour);
}

// One character per line, the column ending just above y − 24: the place name at x − 6, the
// mountain name at x − 5, then the dot and the leader line of a named point.
void ProfilePainter::drawNames(DrawingSurface& surface, const AppState& state, const RoutePoint& point,
                               PixelPoint at, bool last) {
    const auto column = [&](const std::string& name, const TextStyle& style, int x, bool flat) {
        const int n = static_cast<int>(characterCount(name));
        const int pitch = static_cast<int>(style.size) + 3;
        for (int k = 1; k <= n; ++k) {
            const int top = at.y - kNameGap - pitch * n + pitch * (k - 1);
            shadowed(surface, style, characterSlice(name, static_cast<size_t>(k - 1), 1), x, top, flat);
        }
    };
    column(point.placeName, styleOf(state, kPlaceNameStyle), at.x - 6, last);
    column(point.mountainName, styleOf(state, kMountainNameStyle), at.x - 5, false);
    if (point.placeName.empty() && point.mountainName.empty()) return;
    surface.setDrawWidth(2);
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(colours::blue);
    surface.circle(at.x - 2, at.y, 1, colours::blue);
    surface.setFillStyle(FillStyle::Transparent);
    surface.setDrawWidth(1);
    surface.line(at.x - 2, at.y, at.x - 2, at.y - kNameGap, colours::black);
}

// Dotted lines every 60 pixels in the contour colour of the colour set, with the elevation of
// each in blue at the left edge.
void ProfilePainter::drawScale(DrawingSurface& surface, const AppState& state, const ProfileScale& scale) {
    const ColourBand& band = currentColourSet(state)[6];
    const Colour lineColour = makeColour(band.red, band.green, band.blue);
    TextStyle scaleStyle;
    scaleStyle.colour = colours::blue;
    surface.setLineStyle(LineStyle::Dotted);
    for (int n = 0; n <= kScaleLines; ++n) {
        const int y = kPlotTop + kScalePitch * n;
        surface.line(kPlotLeft, y, kPlotRight, y, lineColour);
        const double elevation = scale.top - (scale.top - scale.base) / kScaleLines * n;
        glyphs(scaleStyle, formatPattern(elevation, "###0") + "m").draw(surface, 4, y - 7, colours::blue);
    }
    surface.setLineStyle(LineStyle::Solid);
}

void ProfilePainter::draw(DrawingSurface& surface, const AppState& state, const ProfileScale& scale,
                          const ProfileLook& look) {
    surface.setDrawMode(DrawMode::Copy);
    surface.setDrawWidth(1);
    surface.setLineStyle(LineStyle::Solid);
    surface.setBackColour(kSkyColour);
    surface.clear();
    drawColourStrip(surface, state, scale, look);

    const int count = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    if (count == 0) {
        drawScale(surface, state, scale);
        return;
    }
    const std::vector<PixelPoint> points = profilePoints(state, scale);

    // Everything above the profile line becomes sky.
    std::vector<PixelPoint> sky;
    sky.reserve(static_cast<size_t>(count) + 3);
    sky.push_back({kPlotLeft, kPlotTop});
    // Beside a stretch outside the elevation data the sky reaches down to the base line: the
    // outside points stand on it, and the inside point next to them drops to it straight down.
    const auto outside = [&](int v) {
        return v >= 1 && v <= count && state.route[static_cast<size_t>(v)].outsideData;
    };
    for (int v = 1; v <= count; ++v) {
        const PixelPoint at = points[static_cast<size_t>(v)];
        const bool edge = !outside(v);
        if (edge && outside(v - 1)) sky.push_back({at.x, kPlotTop + kPlotHeight});
        sky.push_back(at);
        if (edge && outside(v + 1)) sky.push_back({at.x, kPlotTop + kPlotHeight});
    }
    sky.push_back({kPlotRight, kPlotTop});
    sky.push_back({kPlotLeft, kPlotTop});
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(kSkyColour);
    surface.setForeColour(kSkyColour);
    surface.polygon(sky);
    surface.setFillStyle(FillStyle::Transparent);

    for (int v = 1; v <= count; ++v) {
        const int kind = state.route[static_cast<size_t>(v)].markKind;
        if (!isMarkKind(kind)) continue;
        const PixelRect place{points[static_cast<size_t>(v)].x - kMarkSize / 2,
                              points[static_cast<size_t>(v)].y - kMarkSize / 2, kMarkSize, kMarkSize};
        surface.copyPicture(markMask(kind), place, std::nullopt, RasterOp::And);
        surface.copyPicture(markIcon(kind), place, std::nullopt, RasterOp::Xor);
    }

    const bool scheduled = state.segmentCount > 0;
    const int segments = std::clamp<int>(state.segmentCount, 0, kMaxSegments);
    const auto& on = state.profileLabels;
    const TextStyle& distanceStyle = styleOf(state, kProfileLabelStyles[0]);
    int entry = 0;       // the next unmatched schedule entry
    int previousX = kPlotLeft;
    for (int a = 1; a <= count; ++a) {
        const PixelPoint at = points[static_cast<size_t>(a)];
        if (a < count) {
            const PixelPoint to = points[static_cast<size_t>(a) + 1];
            if (state.route[static_cast<size_t>(a)].outsideData ||
                state.route[static_cast<size_t>(a) + 1].outsideData) {
                // Outside the elevation data the profile has a gap: sky down to the base line,
                // marked by a grey line just above it.
                const int y = kPlotTop + kPlotHeight - 1;
                surface.line(at.x, y, to.x, y, colours::shadow3D);
            } else {
                surface.line(at.x, at.y, to.x, to.y, colours::black);
            }
        }
        drawNames(surface, state, state.route[static_cast<size_t>(a)], at, a == count);

        if (!scheduled || entry > segments || state.segments[static_cast<size_t>(entry)].endPoint != a)
            continue;
        const CourseSegment& s = state.segments[static_cast<size_t>(entry)];
        surface.line(at.x, at.y, at.x, kDividerBottom, colours::shadow3D);
        surface.line(at.x + 1, at.y, at.x + 1, kDividerBottom, colours::highlight3D);
        const int m = (previousX + at.x) / 2;
        if (a > 1) {
            shadowed(surface, distanceStyle, "区間-" + std::to_string(entry), m - 10, 326);
            if (on[0])
                shadowed(surface, distanceStyle, std::to_string(floorToInt(s.walkingDistance)) + "m", m - 10, 312);
        }
        if (on[1])
            shadowed(surface, styleOf(state, kProfileLabelStyles[1]),
                     std::to_string(floorToInt(s.elevation)), at.x, at.y - 22);
        if (a >= 2) {
            if (on[2])
                haloed(surface, styleOf(state, kProfileLabelStyles[2]),
                       formatPattern(s.meanSlope, "#0.0") + "ﾟ", m - 10, kDividerBottom - 14);
            if (on[3])
                haloed(surface, styleOf(state, kProfileLabelStyles[3]),
                       std::to_string(floorToInt(s.walkingMinutes)) + "分→", m - 10, kDividerBottom - 42);
            if (on[4])
                haloed(surface, styleOf(state, kProfileLabelStyles[4]),
                       std::to_string(floorToInt(s.climbDiff)) + "m", m - 10, kDividerBottom - 28);
        }
        previousX = at.x;
        ++entry;
    }
    drawScale(surface, state, scale);
}

void drawColourStrip(DrawingSurface& surface, const AppState& state, const ProfileScale& scale,
                     const ProfileLook& look) {
    // One pixel per plot row, 0 at the top edge (elevation T) down to 240 at the bottom edge.
    QImage column(1, kPlotHeight + 1, QImage::Format_RGB32);
    if (look.background == ProfileBackground::Configured) {
        const ColourSet& set = currentColourSet(state);
        for (int row = 0; row <= kPlotHeight; ++row) {
            const auto elevation = static_cast<float>(
                roundHalfEven(scale.base + (kPlotHeight - row) * scale.vertical));
            const Colour c = pixelColour(set, elevation, elevation, 1.0f);
            column.setPixel(0, row, qRgb(redOf(c), greenOf(c), blueOf(c)));
        }
    } else {
        const Colour c = look.background == ProfileBackground::None ? kSkyColour : look.single;
        column.fill(QColor(redOf(c), greenOf(c), blueOf(c)));
    }
    surface.copyPicture(column, {kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight + 1}, std::nullopt,
                        RasterOp::Copy);
}

void stampPlanName(DrawingSurface& surface, const AppState& state) {
    const TextStyle& names = styleOf(state, kMountainNameStyle);
    TextStyle stamp = names;
    stamp.face = "ＭＳ ゴシック";
    stamp.size = 12.0f;
    surface.setDrawMode(DrawMode::Copy);
    surface.setFont(stamp);
    surface.setForeColour(colours::highlight3D);
    surface.setCurrentPosition(3, 3);
    surface.text(state.planName);
    surface.setForeColour(names.colour);
    surface.setCurrentPosition(2, 2);
    surface.text(state.planName);
}

std::array<std::string, 4> profileSummaries(const AppState& state) {
    const RoutePoint& totals = state.route[0];
    const ElevationRange range = routeElevationRange(state);
    return {"地図上距離　：" + std::to_string(floorToInt(totals.mapDistance)) + "m",
            "総歩行距離　：" + std::to_string(floorToInt(totals.walkDistance)) + "m",
            "標高差　　　：" + std::to_string(range.highest - range.lowest) + "m",
            "総歩行時間　：" + std::to_string(floorToInt(totals.minutesOut)) + "分"};
}

std::string profileStatusText(const AppState& state) {
    if (state.segmentCount == 0) return "コースタイム計算をすると区間表示されます。";
    return "ﾃﾞﾌｫﾙﾄではｽﾀｰﾄの区間は 30分で後の区間はおおよそ " + std::to_string(state.pitchMinutes) +
           "分　です。区間調整をした場合は適用されません。";
}

namespace {

// How many route points and schedule entries the profile takes from the state.
size_t profiledPoints(const AppState& state) {
    return static_cast<size_t>(std::clamp<int>(state.routeCount, 0, kMaxRoutePoints)) + 1;
}
size_t profiledSegments(const AppState& state) {
    return state.segmentCount > 0 ? static_cast<size_t>(std::clamp<int>(state.segmentCount, 0, kMaxSegments)) + 1 : 0;
}

ProfiledRoute::Point profiledPoint(const RoutePoint& p) {
    return {p.elevation, p.mapDistance, p.walkDistance, p.minutesOut, p.markKind, p.placeName, p.mountainName};
}

ProfiledRoute::Segment profiledSegment(const CourseSegment& e) {
    return {e.endPoint, e.elevation, e.climbDiff, e.walkingDistance, e.walkingMinutes, e.meanSlope};
}

}  // namespace

ProfiledRoute profiledRoute(const AppState& state) {
    ProfiledRoute taken;
    taken.points.reserve(profiledPoints(state));
    for (size_t v = 0; v < profiledPoints(state); ++v) taken.points.push_back(profiledPoint(state.route[v]));
    taken.segments.reserve(profiledSegments(state));
    for (size_t j = 0; j < profiledSegments(state); ++j) taken.segments.push_back(profiledSegment(state.segments[j]));
    taken.pitchMinutes = state.pitchMinutes;
    return taken;
}

bool sameProfiledRoute(const ProfiledRoute& taken, const AppState& state) {
    if (taken.points.size() != profiledPoints(state) || taken.segments.size() != profiledSegments(state) ||
        taken.pitchMinutes != state.pitchMinutes)
        return false;
    for (size_t v = 0; v < taken.points.size(); ++v) {
        const RoutePoint& p = state.route[v];
        const ProfiledRoute::Point& t = taken.points[v];
        if (t.elevation != p.elevation || t.mapDistance != p.mapDistance || t.walkDistance != p.walkDistance ||
            t.minutesOut != p.minutesOut || t.markKind != p.markKind || t.placeName != p.placeName ||
            t.mountainName != p.mountainName)
            return false;
    }
    for (size_t j = 0; j < taken.segments.size(); ++j)
        if (taken.segments[j] != profiledSegment(state.segments[j])) return false;
    return true;
}

}  // namespace orv
