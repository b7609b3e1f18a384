#include "schedule/CourseTime.h"

#include "core/Slots.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "platform/Events.h"
#include "route/Measurement.h"
#include "schedule/CourseTimeCalculation.h"
#include "schedule/CourseTimeTools.h"
#include "schedule/ScheduleList.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include <utility>

namespace orv {

namespace {

// "1", "1.1" … "3": the spinner's tenths as a decimal number.
std::string correctionText(int tenths) {
    std::string text = integerText(tenths / 10);
    if (tenths % 10 != 0) text += "." + integerText(tenths % 10);
    return text;
}

// A speed above 0 that a float32 holds.
std::optional<float> speedOf(double value) {
    if (!(value > 0.0) || value > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    const auto speed = static_cast<float>(value);
    if (!(speed > 0.0f)) return std::nullopt;
    return speed;
}

// Whole minutes of a rest field, when within 0..1440.
std::optional<int16_t> restOf(const std::string& text) {
    const int32_t minutes = roundHalfEven(leadingNumber(text));
    if (minutes < 0 || minutes > kMaxRestMinutes) return std::nullopt;
    return static_cast<int16_t>(minutes);
}

// The first five characters of a recorded time: its HH:MM.
std::string recordedClock(const RoutePoint& p) { return p.timeText.substr(0, 5); }

// The walking parameters a calculation stores, kept to put them back when it is refused.
struct WalkingParameters {
    float climb;
    float descent;
    float flat;
    int16_t shortRest;
    int16_t longRest;
};

WalkingParameters walkingParametersOf(const SettingsValues& s) {
    return {s.climbSpeed, s.descentSpeed, s.flatSpeed, s.shortRest, s.longRest};
}

void storeWalkingParameters(SettingsValues& s, const WalkingParameters& p) {
    s.climbSpeed = p.climb;
    s.descentSpeed = p.descent;
    s.flatSpeed = p.flat;
    s.shortRest = p.shortRest;
    s.longRest = p.longRest;
}

}  // namespace

struct CourseTime::Values {
    WalkingParameters walking{};
    ScheduleParameters schedule;
};

CourseTime::CourseTime(AppState& state, Dialogs& dialogs)
    : state_(state),
      dialogs_(dialogs),
      commands_({.run = [this](const CourseTimeCommand& command) { run(command); },
                 .available = [this](const CourseTimeCommand& command) { return offers(command); },
                 .takenWhileBusy = {},
                 .alsoBusy = {}}) {
    addScheduleCommands(menus_);
}

void CourseTime::run(const CourseTimeCommand& command) {
    if (const ToolId* tool = std::get_if<ToolId>(&command)) {
        runTool(*tool);
        return;
    }
    switch (std::get<CourseTimeButton>(command)) {
        case CourseTimeButton::Calculate: runCalculation(); break;
        case CourseTimeButton::Reverse: runReverse(); break;
        case CourseTimeButton::Help: dialogs_.showHelp(kCourseTimeHelpFile); break;
        case CourseTimeButton::Close:
            closed_ = true;
            if (closeRequested) closeRequested();
            break;
    }
}

bool CourseTime::offers(const CourseTimeCommand& command) const {
    const ToolId* tool = std::get_if<ToolId>(&command);
    return tool == nullptr || menus_.isEnabled(*tool);
}

void CourseTime::notify() {
    if (changed) changed();
}

void CourseTime::open() {
    closed_ = false;
    const SettingsValues& s = state_.settings;
    fields_.climbSpeed = shortestText(s.climbSpeed);
    fields_.descentSpeed = shortestText(s.descentSpeed);
    fields_.flatSpeed = shortestText(s.flatSpeed);
    fields_.shortRest = integerText(s.shortRest);
    fields_.longRest = integerText(s.longRest);
    fields_.pitch = integerText(pitchSpinner_);

    const int count = usedSegmentCount(state_);
    if (gpsMode()) {
        // The recorded times of the first and the last point; no correction (factor 1).
        const int last = std::clamp<int>(state_.routeCount, 1, kMaxRoutePoints);
        fields_.correction.clear();
        fields_.startTime = recordedClock(state_.route[1]);
        forecast_ = recordedClock(state_.route[slot(last)]);
    } else {
        fields_.correction = correctionText(correctionSpinner_);
        // The start of the last schedule, unless it holds no start time.
        const std::string& departure = state_.segments[0].departure;
        fields_.startTime =
            count != 0 && isStartTimeText(departure) ? departure : kStartTimeDefault;
        forecast_ = count != 0 ? state_.segments[slot(count)].arrival : kNoTime;
    }
    setScheduleCommandStates(menus_, gpsMode());
    listVisible_ = true;
    selectedRow_ = -1;
    refillList();
    notify();
}

void CourseTime::setCorrectionSpinner(int value) {
    if (gpsMode()) return;
    correctionSpinner_ = std::clamp(value, kCorrectionMin, kCorrectionMax);
    fields_.correction = correctionText(correctionSpinner_);
    notify();
}

void CourseTime::setPitchSpinner(int value) {
    pitchSpinner_ = std::clamp(value, kPitchMin, kPitchMax);
    fields_.pitch = integerText(pitchSpinner_);
    notify();
}

void CourseTime::refuse(const char* message) {
    dialogs_.message(message, kCourseTimeMessageTitle, Buttons::Ok, Icon::Information);
}

bool CourseTime::readValues(Values& values, bool readSpeeds) {
    const SettingsValues& s = state_.settings;
    values.walking = walkingParametersOf(s);
    ScheduleParameters& schedule = values.schedule;
    schedule.shortRest = s.shortRest;

    if (!gpsMode()) {
        std::optional<float> climb = speedOf(s.climbSpeed);
        std::optional<float> descent = speedOf(s.descentSpeed);
        std::optional<float> flat = speedOf(s.flatSpeed);
        if (readSpeeds) {
            climb = speedOf(leadingNumber(fields_.climbSpeed));
            descent = speedOf(leadingNumber(fields_.descentSpeed));
            flat = speedOf(leadingNumber(fields_.flatSpeed));
        }
        if (!climb || !descent || !flat) {
            refuse(kCourseTimeSpeedMessage);
            return false;
        }
        const std::optional<int16_t> shortRest = restOf(fields_.shortRest);
        const std::optional<int16_t> longRest = restOf(fields_.longRest);
        if (!shortRest || !longRest) {
            refuse(kCourseTimeRestMessage);
            return false;
        }
        values.walking = {*climb, *descent, *flat, *shortRest, *longRest};
        schedule.shortRest = *shortRest;
    }

    const int32_t pitch = roundHalfEven(leadingNumber(fields_.pitch));
    if (pitch < 1) {
        refuse(kCourseTimePitchMessage);
        return false;
    }
    schedule.pitchMinutes = pitch;

    if (!gpsMode()) {
        if (!isStartTimeText(fields_.startTime)) {
            refuse(kCourseTimeStartMessage);
            return false;
        }
        schedule.startTime = fields_.startTime;
    }

    // 0, an empty or a non-numeric field counts as 1.
    const double correction = leadingNumber(fields_.correction);
    schedule.correction = correction > 0.0 ? correction : 1.0;
    return true;
}

bool CourseTime::schedule(const Values& values) {
    state_.pitchMinutes = static_cast<int16_t>(std::min(values.schedule.pitchMinutes, int{std::numeric_limits<int16_t>::max()}));
    const ScheduleResult result = buildSchedule(state_, values.schedule);
    if (!result.ok) {
        restoreRouteFromSpare(state_);
        refusalAfterWork_ = result.message;
        return false;
    }
    refillList();
    duplicatesAfterWork_ = result.duplicates.size();
    return true;
}

template <typename Work>
void CourseTime::whileListHidden(Work&& work) {
    listVisible_ = false;
    notify();
    processPendingEvents();
    work();
    listVisible_ = true;
    notify();
    // The boxes come over the window as it stands again, never over a half-hidden layout.
    if (!refusalAfterWork_.empty()) refuse(std::exchange(refusalAfterWork_, {}).c_str());
    for (size_t k = std::exchange(duplicatesAfterWork_, 0); k > 0; --k)
        dialogs_.message(kDuplicateSegmentMessage, kDuplicateSegmentTitle, Buttons::Ok,
                         Icon::Error);
}

void CourseTime::runCalculation() {
    Values values;
    if (!readValues(values, true)) return;
    whileListHidden([&] {
        const WalkingParameters before = walkingParametersOf(state_.settings);
        if (!gpsMode()) storeWalkingParameters(state_.settings, values.walking);
        copyRouteToSpare(state_);
        measureRoute(state_);
        if (schedule(values))
            forecast_ = state_.segments[slot(usedSegmentCount(state_))].arrival;
        else
            storeWalkingParameters(state_.settings, before);
    });
}

void CourseTime::runReverse() {
    if (state_.roundTrip) {
        dialogs_.message(kReverseRoundTripMessage, kReverseRoundTripTitle, Buttons::Ok,
                         Icon::Error);
        return;
    }
    if (!reverseEnabled()) return;
    Values values;
    if (!readValues(values, false)) return;
    whileListHidden([&] {
        // The speeds stay the current walking parameters; the rests are taken from the fields.
        const WalkingParameters before = walkingParametersOf(state_.settings);
        storeWalkingParameters(state_.settings, values.walking);
        reverseRoute(state_);
        measureRoute(state_);
        if (schedule(values))
            forecast_ = state_.segments[slot(usedSegmentCount(state_))].arrival;
        else
            storeWalkingParameters(state_.settings, before);
    });
}

void CourseTime::selectRow(int row) {
    selectedRow_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

void CourseTime::refillList() {
    if (std::optional<std::vector<std::string>> rows = refillScheduleList(state_))
        rows_ = std::move(*rows);
    if (selectedRow_ >= static_cast<int>(rows_.size())) selectedRow_ = -1;
}

void CourseTime::dispatch(const std::string& toolId) {
    const CourseTimeTool* tool = findScheduleCommand(toolId);
    if (tool == nullptr) {
        reportUnknownTool("CourseTime", toolId);
        return;
    }
    commands_.submit(tool->id);
}

void CourseTime::runTool(ToolId toolId) {
    ScheduleEditValues values;
    values.shortRest = state_.settings.shortRest;
    values.longRest = state_.settings.longRest;
    values.startTime = fields_.startTime;
    if (!gpsMode() && toolId != scheduleTool::kSaveSchedule) {
        // The rests as the fields show them now, read like "計算" reads them.
        const std::optional<int16_t> shortRest = restOf(fields_.shortRest);
        const std::optional<int16_t> longRest = restOf(fields_.longRest);
        if (!shortRest || !longRest) {
            refuse(kCourseTimeRestMessage);
            return;
        }
        values.shortRest = *shortRest;
        values.longRest = *longRest;
    }
    if (runScheduleCommand(state_, dialogs_, toolId.text(), selectedRow_, values)) {
        refillList();
        forecast_ = state_.segments[slot(usedSegmentCount(state_))].arrival;
    }
    notify();
}

}  // namespace orv
