#pragma once
// The logic of the course-time window ORV_CTIME: its fields and spinners, "計算", "逆ルート",
// "終了" and "ヘルプ", the two modes, the schedule list and its four commands. The window shows
// what this holds and forwards the user's actions here. The calculation itself lives in
// CourseTimeCalculation.h.
//
// The buttons and the schedule commands follow the one dispatch rule of every window
// (platform/CommandQueue.h): a calculation lets window events run while the list is hidden, and
// a button or command arriving meanwhile waits until it has ended. A schedule command that is
// disabled does nothing.
//
// Decisions where a walker could otherwise end up with a nonsensical schedule (each refusal is
// a message box titled "メッセージ" with the information icon, and nothing is changed: route,
// schedule and walking parameters stay as they were):
// - climbing, descending and horizontal speeds must read as numbers above 0;
// - short and long rests must lie within 0..1440 minutes;
// - the pitch length must read as a whole number of at least 1 minute;
// - the start time must be HH:MM (00:00..23:59);
// - a route that would need more than 120 segments cannot be scheduled.
// In GPS-log mode only the pitch length is checked: the other values are not used there.
// A correction factor that is not above 0 counts as 1, like an empty field. The start time of a
// reopened window is the last schedule's start only when that is a valid start time. The descent
// forecast follows the last arrival after the schedule commands too (a long rest or a day end
// moves it).
#include "platform/CommandQueue.h"
#include "platform/Dialogs.h"
#include "platform/MenuModel.h"
#include "platform/ToolId.h"
#include "state/AppState.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace orv {

inline constexpr const char* kCourseTimeTitle = "ｺｰｽﾀｲﾑの計算";
inline constexpr const char* kCourseTimeHelpFile = "ORVANE5.hlp";
inline constexpr const char* kStartTimeDefault = "07:00";

// Field labels.
inline constexpr const char* kClimbSpeedLabel = "登り速度(m/Hr)";
inline constexpr const char* kDescentSpeedLabel = "下り速度(m/Hr)";
inline constexpr const char* kFlatSpeedLabel = "平地速度(m/Hr)";
inline constexpr const char* kShortRestLabel = "小休止";
inline constexpr const char* kLongRestLabel = "大休止";
inline constexpr const char* kMinutesUnit = "分";
inline constexpr const char* kCorrectionLabel = "疲労度・年齢等による補正値(%)";
inline constexpr const char* kPitchLabel = "区間時間（分）";
inline constexpr const char* kFirstPitchNote = "登山開始１ピッチ目は３０分で計算しています。";
inline constexpr const char* kStartTimeLabel = "登山開始時間 (時：分)";
inline constexpr const char* kForecastLabel = "下山予測時間";
inline constexpr const char* kPlaceNamesNote = "地名位置は自動的に組込まれます。";
inline constexpr const char* kEstimateNote = "計算結果はあくまで目安として考えて下さい。";

// Refusals of "計算" and "逆ルート".
inline constexpr const char* kCourseTimeMessageTitle = "メッセージ";
inline constexpr const char* kCourseTimeSpeedMessage =
    "登り・下り・平地の速度には0より大きい数値を入力して下さい。";
inline constexpr const char* kCourseTimeRestMessage = "小休止・大休止には0～1440の分数を入力して下さい。";
inline constexpr const char* kCourseTimePitchMessage = "区間時間には1以上の分数を入力して下さい。";
inline constexpr const char* kCourseTimeStartMessage = "登山開始時間を「07:00」の形で入力して下さい。";

// Spinner ranges: the correction spinner gives tenths (10..30 -> "1".."3"), the pitch spinner
// minutes in steps of 5.
inline constexpr int kCorrectionMin = 10;
inline constexpr int kCorrectionMax = 30;
inline constexpr int kPitchMin = 30;
inline constexpr int kPitchMax = 240;
inline constexpr int kPitchStep = 5;
inline constexpr int kPitchDefault = 55;
inline constexpr int kMaxRestMinutes = 1440;

// The texts of the window's fields, as the user typed them.
struct CourseTimeFields {
    std::string climbSpeed;
    std::string descentSpeed;
    std::string flatSpeed;
    std::string shortRest;
    std::string longRest;
    std::string correction;
    std::string pitch;
    std::string startTime;
};

// The window's buttons, commands beside the four schedule tools.
enum class CourseTimeButton { Calculate, Reverse, Help, Close };
using CourseTimeCommand = std::variant<ToolId, CourseTimeButton>;

class CourseTime {
public:
    CourseTime(AppState& state, Dialogs& dialogs);
    CourseTime(const CourseTime&) = delete;
    CourseTime& operator=(const CourseTime&) = delete;

    AppState& state() { return state_; }
    MenuModel& menus() { return menus_; }

    // Fills the fields for the mode and the list from the current schedule.
    void open();

    // The window's values. The window writes the typed texts into fields().
    CourseTimeFields& fields() { return fields_; }
    const std::string& forecast() const { return forecast_; }
    int correctionSpinner() const { return correctionSpinner_; }
    int pitchSpinner() const { return pitchSpinner_; }
    // GPS-log mode: parameter fields, correction, "逆ルート" and the long-rest and day-end
    // commands are disabled.
    bool gpsMode() const { return state_.gpsMode; }
    bool parametersEnabled() const { return !gpsMode(); }
    bool reverseEnabled() const { return !gpsMode(); }

    // A spinner click: the value kept within its range, written into its field.
    void setCorrectionSpinner(int value);
    void setPitchSpinner(int value);

    // "計算", "逆ルート", "ヘルプ", "終了".
    void calculate() { commands_.submit(CourseTimeButton::Calculate); }
    void reverse() { commands_.submit(CourseTimeButton::Reverse); }
    void help() { commands_.submit(CourseTimeButton::Help); }
    void close() { commands_.submit(CourseTimeButton::Close); }
    bool closed() const { return closed_; }
    // Commands waiting for a calculation to end.
    size_t pendingCommands() const { return commands_.pending(); }

    // The schedule list: rows, whether it and its headings are shown (hidden during a
    // calculation), the selected row (-1 before any click).
    const std::vector<std::string>& rows() const { return rows_; }
    bool listVisible() const { return listVisible_; }
    int selectedRow() const { return selectedRow_; }
    void selectRow(int row);
    // The right-click menu is offered only while a schedule exists.
    bool popupAvailable() const { return state_.segmentCount != 0; }

    // Runs one of the four schedule commands (menu bar or right-click menu). Any other tool id
    // is reported (reportUnknownTool) and does nothing.
    void dispatch(const std::string& toolId);

    // Called after every change the window shows, and when the window is to be hidden.
    std::function<void()> changed;
    std::function<void()> closeRequested;

private:
    struct Values;
    void run(const CourseTimeCommand& command);
    bool offers(const CourseTimeCommand& command) const;
    void runTool(ToolId toolId);
    void runCalculation();
    void runReverse();
    void notify();
    bool readValues(Values& values, bool readSpeeds);
    void refuse(const char* message);
    // The schedule from the re-measured route; on failure the route goes back to the copy in
    // the spare route table. Returns false when refused. Its refusal and its duplicate
    // warnings are shown once the list is back (whileListHidden).
    bool schedule(const Values& values);
    // Hides the list while the route is re-measured and scheduled, then shows it again.
    template <typename Work>
    void whileListHidden(Work&& work);
    void refillList();

    AppState& state_;
    Dialogs& dialogs_;
    MenuModel menus_;
    CourseTimeFields fields_;
    std::string forecast_;
    int correctionSpinner_ = kCorrectionMin;
    int pitchSpinner_ = kPitchDefault;
    std::vector<std::string> rows_;
    bool listVisible_ = true;
    int selectedRow_ = -1;
    // What a calculation has to say, held until the list shows again.
    std::string refusalAfterWork_;
    size_t duplicatesAfterWork_ = 0;
    bool closed_ = false;
    CommandQueue<CourseTimeCommand> commands_;
};

}  // namespace orv
