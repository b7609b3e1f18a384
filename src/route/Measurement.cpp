#include "route/Measurement.h"

#include "core/Slots.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "map/MapGeometry.h"
#include "route/RouteExtents.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace orv {

namespace {

// Grid spacing in arc-seconds: 2.25″ of longitude and 1.5″ of latitude per cell.
constexpr double kCellLongitude = 2.25;
constexpr double kCellLatitude = 1.5;

// Degrees per radian as the slope angle has always been computed: with 3.14159, not full π.
constexpr double kDegreesPerRadian = 180.0 / 3.14159;

// ---- Interpolation ---------------------------------------------------------------------------

struct Position {
    int64_t latitude = 0;
    int64_t longitude = 0;
};

Position positionOf(const DmsText& latitude, const DmsText& longitude) {
    return {dmsToSeconds(latitude), dmsToSeconds(longitude)};
}

// Raw points 1..n in arc-seconds, read once for the count and the interpolation.
using RawPositions = std::array<Position, kMaxRawPoints + 1>;

// Steps of grid diagonals (possibly halved) between two raw points: the count k of the rule
// "k ≤ 1: one point, else k − 1 points".
int64_t stepsBetween(const Position& a, const Position& b, double step) {
    const auto dLat = static_cast<double>(b.latitude - a.latitude);
    const auto dLon = static_cast<double>(b.longitude - a.longitude);
    const double d = std::sqrt(dLat * dLat + dLon * dLon);
    // Positions lie within the int32 range of arc-seconds, so k stays far below int64 limits.
    return static_cast<int64_t>(std::floor(d / step));
}

int64_t pointsOfStretch(int64_t k) { return k <= 1 ? 1 : k - 1; }

// The raw point count of slot 0, kept within the raw table.
int rawCount(const AppState& state) {
    return std::clamp<int>(state.rawRoute[0].number, 0, kMaxRawPoints);
}

// Diagonal of one grid cell in arc-seconds, halved when the last range zoom magnified 8 times
// (b = m/4 rounded, at least 1).
double interpolationStep(int magnification) {
    const int b = std::max(roundHalfEven(magnification / 4.0), 1);
    const double lon = kCellLongitude / b;
    const double lat = kCellLatitude / b;
    return std::sqrt(lon * lon + lat * lat);
}

// Route points the interpolation of raw points 1..n makes, counting only up to `limit` + 1 so
// that a hostile count never costs more than the table is long.
int64_t interpolatedCount(const RawPositions& raw, int n, double step, int64_t limit) {
    if (n < 1) return 0;
    int64_t count = 1;  // the last raw point
    for (int j = 1; j < n && count <= limit; ++j)
        count += pointsOfStretch(stepsBetween(raw[slot(j)], raw[slot(j + 1)], step));
    return count;
}

// Route slot i takes a raw point's position, mark and names.
void takeRawPoint(RoutePoint& p, const RawPoint& raw, int i) {
    p.latitude = raw.latitude;
    p.longitude = raw.longitude;
    p.markKind = raw.markKind;
    p.placeName = raw.placeName;
    p.mountainName = raw.mountainName;
    p.number = static_cast<int16_t>(i);
}

// Points 1..count of a table, read as positions: true when there are three or more, an odd
// count, and point count − j + 1 lies where point j lies for every j.
template <typename Table>
bool retracesItselfIn(const Table& points, int count) {
    if (count < 3 || count % 2 == 0) return false;
    for (int j = 1; j <= count / 2; ++j) {
        const auto& out = points[slot(j)];
        const auto& back = points[slot(count - j + 1)];
        if (dmsToSeconds(out.latitude) != dmsToSeconds(back.latitude) ||
            dmsToSeconds(out.longitude) != dmsToSeconds(back.longitude))
            return false;
    }
    return true;
}

// Without an elevation grid the raw points are the route, with their elevations.
void copyRawPoints(AppState& state, int n) {
    for (int j = 1; j <= n; ++j) {
        takeRawPoint(state.route[slot(j)], state.rawRoute[slot(j)], j);
        state.route[slot(j)].elevation = state.rawRoute[slot(j)].elevation;
    }
    state.routeCount = static_cast<int16_t>(n);
}

// With an elevation grid: every stretch of k ≥ 2 steps gives its start (with the raw point's
// mark and names) and the points t/k of the way for t = 1..k − 2 (the point at (k − 1)/k is
// not made, so the last gap of a long stretch is two steps); a shorter stretch gives its start
// only. Elevations come later from the grid. The caller has checked that the points fit the
// table.
void interpolateRawPoints(AppState& state, const RawPositions& raw, int n, double step) {
    int i = 1;
    for (int j = 1; j < n; ++j) {
        const Position& a = raw[slot(j)];
        const Position& b = raw[slot(j + 1)];
        const int64_t k = stepsBetween(a, b, step);
        if (k <= 1) {
            takeRawPoint(state.route[slot(i)], state.rawRoute[slot(j)], i);
            ++i;
            continue;
        }
        // Per-step increments held as float32, signed like the difference; only they are
        // single precision: t × increment and the whole-second start are added in double.
        const auto kd = static_cast<double>(k);
        const auto vLat =
            static_cast<float>(static_cast<double>(std::llabs(b.latitude - a.latitude)) / kd);
        const auto vLon =
            static_cast<float>(static_cast<double>(std::llabs(b.longitude - a.longitude)) / kd);
        const double stepLat = b.latitude < a.latitude ? -double{vLat} : double{vLat};
        const double stepLon = b.longitude < a.longitude ? -double{vLon} : double{vLon};
        for (int64_t t = 0; t <= k - 2; ++t) {
            const auto td = static_cast<double>(t);
            RoutePoint& p = state.route[slot(i)];
            p.latitude = secondsToDms(roundHalfEven(td * stepLat + static_cast<double>(a.latitude)));
            p.longitude =
                secondsToDms(roundHalfEven(td * stepLon + static_cast<double>(a.longitude)));
            p.number = static_cast<int16_t>(i);
            if (t == 0) {
                // The stretch's first point is the raw point itself: its mark and names stay.
                const RawPoint& from = state.rawRoute[slot(j)];
                p.markKind = from.markKind;
                p.placeName = from.placeName;
                p.mountainName = from.mountainName;
            }
            ++i;
        }
    }
    takeRawPoint(state.route[slot(i)], state.rawRoute[slot(n)], i);
    state.routeCount = static_cast<int16_t>(i);
}

// Points c + 1..2c − 1 retrace c − 1..1. They take the position and the elevation of their
// mirror point (so a route without an elevation grid keeps its heights on the way back) and
// their own index; names and marks stay with the outward points.
void mirrorForRoundTrip(AppState& state) {
    const int c = state.routeCount;
    for (int s = c + 1; s <= 2 * c - 1; ++s) {
        const RoutePoint& from = state.route[slot(2 * c - s)];
        RoutePoint& to = state.route[slot(s)];
        to.latitude = from.latitude;
        to.longitude = from.longitude;
        to.elevation = from.elevation;
        to.number = static_cast<int16_t>(s);
    }
    state.routeCount = static_cast<int16_t>(2 * c - 1);
}

// ---- Measurement -----------------------------------------------------------------------------

struct MetresPerSecond {
    float latitude = 0;
    float longitude = 0;
};

// Metres per arc-second in 5° bands of latitude from 25° to 50° north, chosen by the north
// edge of the area; 0 outside (every distance then measures 0).
MetresPerSecond metresPerSecond(ArcSeconds north) {
    struct Band {
        ArcSeconds top;
        MetresPerSecond metres;
    };
    static constexpr Band bands[] = {
        {108000, {30.78f, 27.42f}}, {126000, {30.81f, 26.08f}}, {144000, {30.83f, 24.54f}},
        {162000, {30.86f, 22.81f}}, {180000, {30.89f, 20.91f}},
    };
    if (north < 90000) return {};
    for (const Band& band : bands)
        if (north <= band.top) return band.metres;
    return {};
}

// The area of the current level: its corners and the size of one pixel as float32.
struct LevelArea {
    LevelBounds bounds;
    float dLat = 0;
    float dLon = 0;
};

LevelArea levelArea(const AppState& state, int level) {
    LevelArea area{levelBounds(state.levelCorners, level)};
    area.dLat = static_cast<float>(latitudeStep(area.bounds));
    area.dLon = static_cast<float>(longitudeStep(area.bounds));
    return area;
}

// Route points 0..2048 in arc-seconds, read once per measurement.
using RoutePositions = std::array<Position, kMaxRoutePoints + 1>;

struct GridCell {
    int32_t row = 0;
    int32_t column = 0;
};

// The grid cell of a position in a level's area, when it lies in 0..600 both ways. A level
// without an area has no cells.
std::optional<GridCell> cellOf(const Position& p, const LevelArea& area) {
    if (!(area.dLat > 0.0f) || !(area.dLon > 0.0f)) return std::nullopt;
    const int32_t column = floorToInt(static_cast<double>(p.longitude - area.bounds.west) /
                                      static_cast<double>(area.dLon));
    const int32_t row = floorToInt(static_cast<double>(area.bounds.north - p.latitude) /
                                   static_cast<double>(area.dLat));
    if (column < 0 || column > 600 || row < 0 || row > 600) return std::nullopt;
    return GridCell{row, column};
}

// Every point whose grid cell lies in 0..600 takes the elevation of the current level there;
// the others keep theirs.
void takeGridElevations(AppState& state, const RoutePositions& positions, int count, int level,
                        const LevelArea& area) {
    for (int i = 1; i <= count; ++i)
        if (const auto cell = cellOf(positions[slot(i)], area))
            state.route[slot(i)].elevation = state.elevationGrid.get(cell->row, cell->column, level);
}

// Marks the points that lie outside the elevation data: beyond the block (level 1 is the whole
// block) or on a cell without data, at level 1 or at the level measured. Without an elevation
// grid no point is marked.
void markPointsOutsideData(AppState& state, const RoutePositions& positions, int count) {
    const LevelArea block = levelArea(state, 1);
    const bool hasBlock = state.demUnused == 0 && block.dLat > 0.0f && block.dLon > 0.0f;
    for (int i = 1; i <= count; ++i) {
        RoutePoint& point = state.route[slot(i)];
        point.outsideData = false;
        if (!hasBlock) continue;
        const auto cell = cellOf(positions[slot(i)], block);
        point.outsideData = !cell || state.elevationGrid.get(cell->row, cell->column, 1) == ElevationGrid::kNoData ||
                            point.elevation == ElevationGrid::kNoData;
    }
}

// "HH:MM:00" of a cumulative walking time in minutes. The hours field keeps two digits: from
// 100 hours on the text stays at 99:59:00, so every reader that takes the hours from
// characters 1-2 and the minutes from characters 4-5 (labels, schedules, track files) still
// reads a time of the same layout. A time below zero (only from nonsensical speeds) is 00:00:00.
std::string cumulativeTimeText(float minutes) {
    const double c = minutes;
    if (!(c >= 0.0)) return "00:00:00";
    const double hours = std::floor(c / 60.0);
    if (hours >= 100.0) return kLongestTimeText;
    const int h = static_cast<int>(hours);
    const int m = std::clamp(static_cast<int>(std::floor(c - hours * 60.0)), 0, 59);
    auto twoDigits = [](int v) { return (v < 10 ? "0" : "") + integerText(v); };
    return twoDigits(h) + ":" + twoDigits(m) + ":00";
}

// Characters from..from+1 (1-based) of a text, or what of them exists.
std::string_view characters(std::string_view text, size_t from) {
    return from - 1 < text.size() ? text.substr(from - 1, 2) : std::string_view{};
}

constexpr double kMinutesPerDay = 24 * 60;
// A recorded clock that goes back by more than this between two points passed midnight.
constexpr double kMidnightStepMinutes = 12 * 60;

// A recorded time HH:MM:SS in minutes, each field read as the number it starts with.
double recordedMinutes(std::string_view text) {
    return 60.0 * leadingNumber(characters(text, 1)) + leadingNumber(characters(text, 4)) +
           leadingNumber(characters(text, 7)) / 60.0;
}

double square(double v) { return v * v; }

// Slope angle in degrees with one decimal. A stretch without map distance but with a height
// difference (two points at one position, or an area outside the measured bands) has no
// defined angle: it is given 0, so it does not weigh on the mean slopes of a schedule.
float slopeAngle(float heightDifference, float mapDistance) {
    if (heightDifference == 0.0f || mapDistance == 0.0f) return 0.0f;
    const float ratio = heightDifference / mapDistance;
    return static_cast<float>(
        std::floor(std::atan(static_cast<double>(ratio)) * kDegreesPerRadian * 10.0 + 0.5) / 10.0);
}

// Walking minutes of one stretch on a planned route: the time on the flat and the time for the
// height difference are the two sides of a right triangle.
struct StretchMinutes {
    float out = 0;
    float back = 0;
};

StretchMinutes plannedMinutes(float heightDifference, float mapDistance,
                              const SettingsValues& speeds) {
    const double height = std::fabs(static_cast<double>(heightDifference));
    const double climb = height / static_cast<double>(speeds.climbSpeed) * 60.0;
    const double descent = height / static_cast<double>(speeds.descentSpeed) * 60.0;
    const bool uphill = heightDifference >= 0.0f;
    const auto vOut = static_cast<float>(uphill ? climb : descent);
    const auto vBack = static_cast<float>(uphill ? descent : climb);
    const auto h = static_cast<float>(static_cast<double>(mapDistance) /
                                      (static_cast<double>(speeds.flatSpeed) * 1000.0) * 60.0);
    StretchMinutes m;
    m.out = static_cast<float>(std::sqrt(square(h) + square(vOut)));
    m.back = static_cast<float>(std::sqrt(square(h) + square(vBack)));
    return m;
}

}  // namespace

bool retracesItself(const RawRouteTable& raw, int count) {
    return retracesItselfIn(raw, std::clamp(count, 0, kMaxRawPoints));
}

bool retracesItself(const RouteTable& route, int count) {
    return retracesItselfIn(route, std::clamp(count, 0, kMaxRoutePoints));
}

std::string walkingHoursText(float minutes) {
    const int64_t tenths = floorToInt(static_cast<double>(minutes) / 60.0 * 10.0 + 0.5);
    const int64_t magnitude = tenths < 0 ? -tenths : tenths;
    std::string text = (tenths < 0 ? "-" : "") + integerText(magnitude / 10);
    if (magnitude % 10 != 0) text += "." + integerText(magnitude % 10);
    return text;
}

InterpolationResult interpolateRoute(AppState& state, int magnification) {
    const int n = rawCount(state);
    // Raw points that already come back over themselves are a round trip as they stand.
    const bool roundTrip = state.roundTrip && !retracesItself(state.rawRoute, n);
    const bool interpolated = state.demUnused == 0;
    const double step = interpolationStep(magnification);

    RawPositions raw{};
    if (interpolated)
        for (int j = 1; j <= n; ++j)
            raw[slot(j)] = positionOf(state.rawRoute[slot(j)].latitude,
                                      state.rawRoute[slot(j)].longitude);
    const int64_t oneWay = interpolated ? interpolatedCount(raw, n, step, kMaxRoutePoints) : n;
    if (oneWay > kMaxRoutePoints) return {false, kRouteTooLongMessage};
    if (roundTrip && oneWay >= 1 && 2 * oneWay - 1 > kMaxRoutePoints)
        return {false, kRoundTripTooLongMessage};

    if (!interpolated)
        copyRawPoints(state, n);
    else if (n >= 1)
        interpolateRawPoints(state, raw, n, step);
    else
        state.routeCount = 0;

    if (roundTrip && state.routeCount >= 1) mirrorForRoundTrip(state);
    return {};
}

RouteMeasurement measureRoute(AppState& state) {
    RouteMeasurement measured;
    RouteTable& route = state.route;
    const int count = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    const int level = std::clamp<int>(state.currentLevel, 0, ElevationGrid::kLevels - 1);
    const bool planned = !state.gpsMode;

    route[1].mapDistance = 0;
    route[1].walkDistance = 0;
    route[1].minutesOut = 0;
    route[1].minutesBack = 0;

    const LevelArea area = levelArea(state, level);
    const MetresPerSecond metres = metresPerSecond(area.bounds.north);

    RoutePositions positions;
    for (int i = 1; i <= count; ++i)
        positions[slot(i)] = positionOf(route[slot(i)].latitude, route[slot(i)].longitude);

    if (state.demUnused == 0) takeGridElevations(state, positions, count, level, area);
    markPointsOutsideData(state, positions, count);

    // A planned route's time texts count from the start; a route of one point has no stretch
    // and its time text stays as it is.
    if (planned && count >= 2) route[1].timeText = "00:00:00";
    float cumulative = 0;
    for (int r = 2; r <= count; ++r) {
        const RoutePoint& p = route[slot(r - 1)];
        RoutePoint& q = route[slot(r)];
        const Position& from = positions[slot(r - 1)];
        const Position& to = positions[slot(r)];
        const auto dLon = static_cast<double>(std::llabs(to.longitude - from.longitude));
        const auto dLat = static_cast<double>(std::llabs(to.latitude - from.latitude));
        q.mapDistance = static_cast<float>(
            std::sqrt(square(dLon * static_cast<double>(metres.longitude)) +
                      square(dLat * static_cast<double>(metres.latitude))));

        // A stretch with an end outside the elevation data has no height to go by: it is
        // walked as level ground, its walking distance its map distance.
        const bool outside = p.outsideData || q.outsideData;
        const float rise = outside ? 0.0f : q.elevation - p.elevation;
        const float height = std::fabs(rise);
        if (outside) {
            q.walkDistance = q.mapDistance;
            q.slopeAngle = 0.0f;
        } else if (p.elevation != 0.0f) {
            // A stretch from a point at exactly 0 m keeps its walking distance and slope.
            q.walkDistance = static_cast<float>(std::sqrt(square(height) + square(q.mapDistance)));
            q.slopeAngle = slopeAngle(height, q.mapDistance);
        }

        if (planned) {
            const StretchMinutes m = plannedMinutes(rise, q.mapDistance, state.settings);
            q.minutesOut = m.out;
            q.minutesBack = m.back;
            cumulative += q.minutesOut;
            q.timeText = cumulativeTimeText(cumulative);
        } else {
            // The time texts carry the clock only. A clock that goes back by more than half a
            // day passed midnight, and the stretch took the rest of that day too; a smaller step
            // back is the receiver's clock put right (or a glitch) and takes no time.
            double minutes = recordedMinutes(q.timeText) - recordedMinutes(p.timeText);
            if (minutes < -kMidnightStepMinutes) {
                minutes += kMinutesPerDay;
            } else if (minutes < 0) {
                minutes = 0;
                ++measured.clockStepsBack;
            }
            q.minutesOut = static_cast<float>(minutes);
            q.minutesBack = 0;
        }
    }

    RoutePoint& totals = route[0];
    totals.mapDistance = 0;
    totals.walkDistance = 0;
    totals.minutesOut = 0;
    totals.minutesBack = 0;
    for (int i = 1; i <= count; ++i) {
        const RoutePoint& p = route[slot(i)];
        totals.mapDistance += p.mapDistance;
        totals.walkDistance += p.walkDistance;
        totals.minutesOut += p.minutesOut;
        totals.minutesBack += p.minutesBack;
    }
    return measured;
}

float outsideDataDistance(const RouteTable& route, int count) {
    count = std::clamp(count, 0, kMaxRoutePoints);
    float metres = 0;
    for (int r = 2; r <= count; ++r)
        if (route[slot(r - 1)].outsideData || route[slot(r)].outsideData) metres += route[slot(r)].mapDistance;
    return metres;
}

std::string outsideDataNote(const RouteTable& route, int count) {
    const double metres = outsideDataDistance(route, count);
    if (!(metres > 0.0)) return {};
    // Below a kilometre in whole metres, from there in kilometres with one decimal.
    const std::string length =
        metres < 950.0 ? integerText(std::max<int64_t>(floorToInt(metres + 0.5), 1)) + " m"
                       : formatPattern(std::floor(metres / 100.0 + 0.5) / 10.0, "0.0") + " km";
    return "（うち " + length + " は標高データの範囲外）";
}

std::array<std::string, 5> routeReadouts(const RouteTable& route, int count) {
    count = std::clamp(count, 0, kMaxRoutePoints);
    const int64_t heightRange = static_cast<int64_t>(routeMaxElevation(route, count)) -
                                static_cast<int64_t>(routeMinElevation(route, count));
    const RoutePoint& totals = route[0];
    return {
        integerText(floorToInt(totals.mapDistance)) + " ｍ",
        integerText(floorToInt(totals.walkDistance)) + " ｍ",
        integerText(heightRange) + "ｍ",
        walkingHoursText(totals.minutesOut) + " 時間",
        walkingHoursText(totals.minutesBack) + " 時間",
    };
}

std::string routeFiguresLine(const AppState& state) {
    const std::array<std::string, 5> readouts = routeReadouts(state.route, state.routeCount);
    return "地図上距離 " + readouts[0] + "　総歩行距離 " + readouts[1] + "　標高差 " + readouts[2] +
           outsideDataNote(state.route, state.routeCount);
}

void showRouteFigures(MapState& map, const AppState& state) {
    map.readouts = routeReadouts(state.route, state.routeCount);
    map.routeNote = outsideDataNote(state.route, state.routeCount);
}

}  // namespace orv
