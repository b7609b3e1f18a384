// The plan files: the plan list, route data and ridge/valley files.
#include "FuzzTargets.h"

#include "geo/MeshCode.h"
#include "plans/PlanFiles.h"

#include <cmath>

namespace orv::fuzz {

namespace {

bool samePoint(const RoutePoint& a, const RoutePoint& b) {
    return a.number == b.number && a.latitude == b.latitude && a.longitude == b.longitude &&
           a.elevation == b.elevation && a.timeText == b.timeText && a.mountainName == b.mountainName &&
           a.placeName == b.placeName && a.markKind == b.markKind && a.label == b.label;
}

}  // namespace

void fuzzPlanList(std::string_view bytes, Checks& checks) {
    const PlanList list = parsePlanList(bytes);
    checks.expect(list.entries.size() <= kMaxListedPlans + kPlanListExtraEntries, "more entries than are taken apart");
    checks.expect(list.shownCount() <= kMaxListedPlans, "more plans shown than the dialogs list");
    for (const PlanEntry& entry : list.entries) {
        checks.expect(!entry.name.empty(), "an entry without a name");
        checks.expect(allUtf8({entry.name, entry.rest, planListPaddedLine(entry)}), "an entry's text is not UTF-8");
    }

    // A rewritten list reads back as the list it was, its unread tail ended by a line end.
    const PlanList again = parsePlanList(planListBytes(list));
    bool same = again.entries.size() == list.entries.size();
    for (size_t i = 0; same && i < list.entries.size(); ++i)
        same = again.entries[i].name == list.entries[i].name && again.entries[i].rest == list.entries[i].rest;
    checks.expect(same, "a rewritten list reads back with other entries");
    checks.expect(again.unreadTail == list.unreadTail || again.unreadTail == list.unreadTail + "\r\n",
                  "a rewritten list lost part of its unread tail");
}

void fuzzRouteData(std::string_view bytes, Checks& checks) {
    const Result<RouteFileData> read = parseRouteData(bytes);
    if (!read) {
        // A missing mesh or count line is named by the line it belongs on.
        const int line = read.problem().line;
        checks.expect(line == kRouteMeshLine || line == kRouteCountLine || lineInFile(line, bytes),
                      "the problem names a line outside the file");
        return;
    }
    checks.expect(isValidMeshCode(read->centreMeshCode), "a route passed with a bad centre mesh code");
    checks.expect(!read->points.empty() && read->points.size() <= static_cast<size_t>(kMaxRoutePoints),
                  "a route without points or with more than the table holds");
    checks.expect(allUtf8({read->destinationLine, read->destination[0], read->destination[1],
                           read->destination[2], read->destination[3]}),
                  "the destination is not UTF-8");
    for (const RoutePoint& p : read->points) {
        checks.expect(allUtf8({p.latitude, p.longitude, p.timeText, p.mountainName, p.placeName, p.label}),
                      "a route point's text is not UTF-8");
        checks.expect(std::isfinite(p.elevation) && std::fabs(p.elevation) < 100000.0f,
                      "a route point at a height no height comes near");
        // Once written, a point keeps its values through every further save and load.
        const RoutePoint saved = parseRoutePointLine(routePointLine(p));
        checks.expect(samePoint(parseRoutePointLine(routePointLine(saved)), saved),
                      "a route point changes each time it is saved");
    }
}

void fuzzRidgeValley(std::string_view bytes, Checks& checks) {
    const RidgeValleyData data =
        parseRidgeValleyData(bytes, [&](int value) { checks.expect(value >= 0, "a negative progress value"); });
    checks.expect(data.points.size() <= static_cast<size_t>(kMaxRidgeValleyPoints), "more points than the table holds");
    checks.expect(!data.truncated || data.points.size() == static_cast<size_t>(kMaxRidgeValleyPoints),
                  "lines were left out before the table was full");
    for (const RidgeValleyPoint& p : data.points) {
        checks.expect(allUtf8({p.latitude, p.longitude}), "a point's text is not UTF-8");
        // A point reads back from its line as it was.
        const auto again = parseRidgeValleyLine(ridgeValleyLine(p));
        checks.expect(again && again->latitude == p.latitude && again->longitude == p.longitude &&
                          again->kind == p.kind,
                      "a point does not read back from the line written for it");
    }
}

}  // namespace orv::fuzz
