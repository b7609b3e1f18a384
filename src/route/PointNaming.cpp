#include "route/PointNaming.h"

#include "core/NumberText.h"
#include "route/OverlayCommands.h"
#include "route/Overlays.h"

#include <algorithm>

namespace orv {

namespace {

constexpr int16_t kMountainNameMark = 7;

bool readsBackFromRouteFile(const std::string& name) {
    return name.find_first_of(" ,") == std::string::npos;
}

}  // namespace

PointNaming::PointNaming(MapContext& ctx, PointNameKind kind, int pointNumber)
    : ctx_(ctx), kind_(kind), pointNumber_(std::clamp<int>(pointNumber, 1, kMaxRoutePoints)) {
    if (kind_ == PointNameKind::Place) {
        textVisible = true;
        return;
    }
    listEnabled = true;
    deleteVisible = true;
    deleteEnabled = !point().mountainName.empty();
    const AppState& state = ctx_.state;
    const LevelBounds area = currentLevelBounds(state);
    const int count = std::clamp<int>(state.mountainCount, 0, kMaxMountains);
    for (int i = 1; i <= count; ++i) {
        const MountainRecord& mountain = state.mountainTable[static_cast<size_t>(i)];
        const ArcSeconds latitude = dmsToSeconds(mountain.latitude);
        const ArcSeconds longitude = dmsToSeconds(mountain.longitude);
        if (area.south < latitude && latitude < area.north && area.west < longitude && longitude < area.east) {
            rows.push_back(integerText(i) + "\t" + mountain.name + "\t" + mountain.elevation);
            records_.push_back(i);
        }
    }
}

std::string PointNaming::caption() const {
    return kind_ == PointNameKind::Mountain ? kMountainNamingCaption : kPlaceNamingCaption;
}

std::string PointNaming::prompt() const {
    return kind_ == PointNameKind::Mountain ? kMountainNamingPrompt : kPlaceNamingPrompt;
}

RoutePoint& PointNaming::point() { return ctx_.state.route[static_cast<size_t>(pointNumber_)]; }

void PointNaming::pick(size_t row) {
    if (row >= rows.size()) return;
    picked_ = row;
    registerEnabled = true;
}

void PointNaming::focusText() {
    if (kind_ == PointNameKind::Place) registerEnabled = true;
}

bool PointNaming::registerName() {
    AppState& state = ctx_.state;
    const bool mountain = kind_ == PointNameKind::Mountain;
    if (mountain && !picked_) return false;
    const int record = mountain ? records_[*picked_] : 0;
    const std::string name = mountain ? state.mountainTable[static_cast<size_t>(record)].name : text;
    if (!readsBackFromRouteFile(name)) {
        ctx_.dialogs.message(kNameSeparatorRefusal, kNamingTitle, Buttons::Ok, Icon::Warning);
        return false;
    }
    closed_ = true;
    std::string& current = mountain ? point().mountainName : point().placeName;
    if (!current.empty() &&
        ctx_.dialogs.message(kMarkQuestion, kMarkQuestionTitle, Buttons::YesNo, Icon::Question) != Answer::Yes)
        return true;
    if (!mountain) {
        setPlaceName(pointNumber_);
        if (state.roundTrip) setPlaceName(state.routeCount - pointNumber_ + 1);
        return true;
    }
    current = name;
    state.mountainTable[static_cast<size_t>(record)].onRoute = true;
    const int selected = state.selectedMountain;
    if (selected >= 1 && selected <= std::min<int>(state.mountainCount, kMaxMountains) &&
        state.mountainTable[static_cast<size_t>(selected)].name == current)
        state.mountainTable[static_cast<size_t>(selected)].onRoute = true;
    return true;
}

void PointNaming::setPlaceName(int number) {
    if (number < 1 || number > std::min<int>(ctx_.state.routeCount, kMaxRoutePoints)) return;
    ctx_.state.route[static_cast<size_t>(number)].placeName = text;
}

void PointNaming::deleteName() {
    closed_ = true;
    AppState& state = ctx_.state;
    std::string& name = point().mountainName;
    const int count = std::clamp<int>(state.mountainCount, 0, kMaxMountains);
    for (int i = 1; i <= count; ++i) {
        MountainRecord& mountain = state.mountainTable[static_cast<size_t>(i)];
        if (!name.empty() && mountain.name == name) mountain.onRoute = false;
    }
    name.clear();
}

void PointNaming::cancel() {
    closed_ = true;
    cancelled_ = true;
}

void PointNaming::finish() {
    if (kind_ == PointNameKind::Mountain && closed_ && !cancelled_) point().markKind = kMountainNameMark;
    clearMapPicture(ctx_);
    if (ctx_.drawOverlays) ctx_.drawOverlays();
}

}  // namespace orv
