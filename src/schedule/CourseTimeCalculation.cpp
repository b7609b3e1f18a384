#include "schedule/CourseTimeCalculation.h"

#include "core/Slots.h"
#include "core/NumberText.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

std::string twoDigits(int64_t v) {
    std::string text = integerText(v);
    return text.size() == 1 ? "0" + text : text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int routeCountOf(const AppState& state) {
    return std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
}

std::string pointNames(const RoutePoint& p) { return p.placeName + p.mountainName; }

// Minutes, map distance and walking distance since the last segment end (float32 sums).
struct RunningSums {
    float minutes = 0;
    float mapDistance = 0;
    float walkDistance = 0;
};

// Writes one segment ending at route point `point` from the running sums.
void writeSegment(CourseSegment& entry, int number, int point, const RoutePoint& p,
                  const RunningSums& sums, double correction, std::string name) {
    entry.number = static_cast<int16_t>(number);
    entry.endPoint = static_cast<int16_t>(point);
    entry.latitude = p.latitude;
    entry.longitude = p.longitude;
    entry.elevation = p.elevation;
    entry.horizontalDistance =
        static_cast<float>(std::floor(static_cast<double>(sums.mapDistance) + 0.5));
    entry.walkingDistance =
        static_cast<float>(std::floor(static_cast<double>(sums.walkDistance) + 0.5));
    entry.walkingMinutes =
        static_cast<float>(std::floor(static_cast<double>(sums.minutes) * correction + 0.5));
    entry.name = std::move(name);
}

// Climb difference to the previous entry, and the mean slope angle of the route points from
// the previous entry's end to this one's, both ends included.
void fillClimbAndSlope(CourseSegmentTable& table, int count, const RouteTable& route,
                       int routeCount) {
    for (int f = 1; f <= count; ++f) {
        CourseSegment& entry = table[slot(f)];
        const CourseSegment& previous = table[slot(f - 1)];
        entry.climbDiff = std::fabs(entry.elevation - previous.elevation);
        const int from = std::clamp<int>(previous.endPoint, 1, routeCount);
        const int to = std::clamp<int>(entry.endPoint, from, routeCount);
        float sum = 0;
        for (int i = from; i <= to; ++i) sum += route[slot(i)].slopeAngle;
        entry.meanSlope = sum / static_cast<float>(to - from + 1);
    }
}

// Planning mode: entry 0 leaves at the start time; every later entry arrives after its walking
// minutes and leaves after the short rest, the last one does not leave.
void planTimes(CourseSegmentTable& table, int count, const ScheduleParameters& parameters) {
    double start = clockMinutes(parameters.startTime);
    table[0].departure = parameters.startTime;
    table[0].arrival = kNoTime;
    for (int f = 1; f <= count; ++f) {
        CourseSegment& entry = table[slot(f)];
        const int64_t t = roundHalfEven(static_cast<double>(entry.walkingMinutes) + start);
        entry.arrival = clockText(t);
        if (f == count) {
            entry.departure = kNoTime;
        } else {
            const int64_t leave = t + parameters.shortRest;
            entry.departure = clockText(leave);
            start = static_cast<double>(leave);
        }
    }
}

// GPS-log mode: arrivals count on from the recorded time of the first point, without rests.
void recordedTimes(CourseSegmentTable& table, int count, const RoutePoint& first) {
    const std::string begin = first.timeText.substr(0, 5);
    double start = clockMinutes(begin);
    table[0].departure = kNoTime;
    table[0].arrival = begin;
    for (int f = 1; f <= count; ++f) {
        CourseSegment& entry = table[slot(f)];
        const int64_t t = roundHalfEven(static_cast<double>(entry.walkingMinutes) + start);
        entry.arrival = clockText(t);
        entry.departure = kNoTime;
        start = static_cast<double>(t);
    }
}

}  // namespace

std::string clockText(int64_t minutes) {
    // Far beyond any schedule, and far from the ends of the integer range.
    constexpr int64_t kLimit = int64_t{1} << 50;
    minutes = std::clamp(minutes, -kLimit, kLimit);
    // Floor division, so that a negative count still gives minutes 0..59.
    int64_t hours = minutes / 60;
    if (minutes % 60 != 0 && minutes < 0) --hours;
    return twoDigits(hours) + ":" + twoDigits(minutes - 60 * hours);
}

double clockMinutes(std::string_view text) {
    const std::string_view first = text.substr(0, 2);
    const std::string_view last = text.size() >= 2 ? text.substr(text.size() - 2) : text;
    return leadingNumber(first) * 60.0 + leadingNumber(last);
}

bool isStartTimeText(std::string_view text) {
    if (text.size() != 5 || text[2] != ':') return false;
    if (!isDigit(text[0]) || !isDigit(text[1]) || !isDigit(text[3]) || !isDigit(text[4]))
        return false;
    const int hours = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
    return hours < 24 && minutes < 60;
}

ScheduleResult buildSchedule(AppState& state, const ScheduleParameters& parameters) {
    const int count = routeCountOf(state);
    const RouteTable& route = state.route;
    const double correction =
        parameters.correction > 0.0 && std::isfinite(parameters.correction) ? parameters.correction
                                                                            : 1.0;

    if (count < 1) {
        // Nothing to walk: no schedule.
        clearSegments(state);
        return {};
    }

    // Built aside, so that a route needing too many entries leaves the table as it was.
    CourseSegmentTable table{};
    CourseSegment& start = table[0];
    start.number = 0;
    start.endPoint = 1;
    start.latitude = route[1].latitude;
    start.longitude = route[1].longitude;
    start.elevation = route[1].elevation;
    start.name = pointNames(route[1]);

    const auto refused = [] { return ScheduleResult{false, kTooManySegmentsMessage, {}}; };
    RunningSums sums;
    int n = 1;
    int pitch = 1;
    auto endSegment = [&](int point, std::string name) {
        writeSegment(table[slot(n)], n, point, route[slot(point)], sums, correction,
                     std::move(name));
        sums = {};
        ++n;
        ++pitch;
    };

    for (int i = 1; i <= count; ++i) {
        const RoutePoint& p = route[slot(i)];
        sums.minutes += p.minutesOut;
        sums.mapDistance += p.mapDistance;
        sums.walkDistance += p.walkDistance;

        // One entry per point at most: a named point where the time limit also falls ends a
        // single entry, which carries the name.
        const int limit = pitch == 1 ? kFirstPitchMinutes : parameters.pitchMinutes;
        const bool named = i >= 2 && (!p.placeName.empty() || !p.mountainName.empty());
        if (named || sums.minutes > static_cast<float>(limit)) {
            if (n > kMaxSegments) return refused();
            endSegment(i, named ? pointNames(p) : "");
        }
    }
    // The last point ends the final entry, unless the loop has just ended one there (a named
    // destination, or the limit passed at the last point).
    const bool lastEnded = n > 1 && table[slot(n - 1)].endPoint == count;
    if (!lastEnded) {
        if (n > kMaxSegments) return refused();
        writeSegment(table[slot(n)], n, count, route[slot(count)], sums, correction,
                     pointNames(route[slot(count)]));
        ++n;
    }
    const int segmentCount = n - 1;

    fillClimbAndSlope(table, segmentCount, route, count);
    if (state.gpsMode)
        recordedTimes(table, segmentCount, route[1]);
    else
        planTimes(table, segmentCount, parameters);

    state.segments = std::move(table);
    state.segmentCount = static_cast<int16_t>(segmentCount);

    ScheduleResult result;
    for (int f = 1; f < segmentCount; ++f)
        if (state.segments[slot(f)].endPoint == state.segments[slot(f + 1)].endPoint)
            result.duplicates.push_back(f);
    return result;
}

void copyRouteToSpare(AppState& state) {
    const int count = routeCountOf(state);
    for (int i = 0; i <= count; ++i) state.spareRoute[slot(i)] = state.route[slot(i)];
}

void reverseRoute(AppState& state) {
    const int count = routeCountOf(state);
    copyRouteToSpare(state);
    for (int j = 1; j <= count; ++j) {
        const RoutePoint& from = state.spareRoute[slot(count - j + 1)];
        RoutePoint& to = state.route[slot(j)];
        to.number = static_cast<int16_t>(j);
        to.latitude = from.latitude;
        to.longitude = from.longitude;
        to.elevation = from.elevation;
        to.dateText = from.dateText;
        to.timeText = from.timeText;
        to.mountainName = from.mountainName;
        to.placeName = from.placeName;
        to.markKind = from.markKind;
        to.mapDistance = from.mapDistance;
        to.walkDistance = from.walkDistance;
        to.label = from.label;
        to.minutesOut = from.minutesBack;
        to.minutesBack = from.minutesOut;
    }
}

void restoreRouteFromSpare(AppState& state) {
    const int count = routeCountOf(state);
    for (int i = 0; i <= count; ++i) state.route[slot(i)] = state.spareRoute[slot(i)];
}

}  // namespace orv
