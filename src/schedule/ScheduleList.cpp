#include "schedule/ScheduleList.h"

#include "core/NumberText.h"

#include <algorithm>

namespace orv {

std::string defaultSegmentName(int entry, int segmentCount) {
    return entry > 0 && entry < segmentCount ? kShortRestName : kBlankName;
}

int usedSegmentCount(const AppState& state) {
    return std::clamp<int>(state.segmentCount, 0, kMaxSegments);
}

void nameUnnamedSegments(AppState& state) {
    const int count = usedSegmentCount(state);
    if (count == 0) return;
    for (int b = 0; b <= count; ++b) {
        CourseSegment& entry = state.segments[static_cast<size_t>(b)];
        if (entry.name.empty()) entry.name = defaultSegmentName(b, count);
    }
}

std::string scheduleListRow(const CourseSegment& entry) {
    std::string name = entry.name;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return integerText(entry.number) + "\t" + name + "\t" +
           formatPattern(static_cast<double>(entry.elevation), "###0") + "\t" + entry.arrival +
           "/" + entry.departure;
}

bool segmentLeavesData(const AppState& state, int entry) {
    const int count = usedSegmentCount(state);
    if (entry < 1 || entry > count) return false;
    const int points = std::clamp<int>(state.routeCount, 0, kMaxRoutePoints);
    const int from = std::clamp<int>(state.segments[static_cast<size_t>(entry) - 1].endPoint, 1, points + 1);
    const int to = std::clamp<int>(state.segments[static_cast<size_t>(entry)].endPoint, 0, points);
    for (int r = from; r <= to; ++r)
        if (state.route[static_cast<size_t>(r)].outsideData) return true;
    return false;
}

std::vector<std::string> scheduleListRows(const AppState& state) {
    const int count = usedSegmentCount(state);
    std::vector<std::string> rows;
    if (count == 0) return rows;
    rows.reserve(static_cast<size_t>(count) + 1);
    for (int b = 0; b <= count; ++b) {
        std::string row = scheduleListRow(state.segments[static_cast<size_t>(b)]);
        if (segmentLeavesData(state, b)) row.insert(row.find('\t'), kOutsideDataMark);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::optional<std::vector<std::string>> refillScheduleList(AppState& state) {
    if (usedSegmentCount(state) == 0) return std::nullopt;
    nameUnnamedSegments(state);
    return scheduleListRows(state);
}

}  // namespace orv
