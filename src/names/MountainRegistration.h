#pragma once
// ORV_MNSET "山名登録": a summit measured in millimetres on one printed 1:25000 or 1:50000
// sheet becomes a record of the mountain-name file. "計算" turns the two measurements from the
// chosen frame corner into the summit's latitude and longitude; "登録" appends the record
// "name latitude longitude elevation reading A" to the file, without rewriting what the file
// held. Opened from the plan start dialog's "山名ﾌｧｲﾙ新規作成", it first makes a new file.
// The window (ui/MountainRegistrationDialog) shows this model and forwards the user's actions.
#include "geo/SheetPosition.h"
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <functional>
#include <optional>
#include <string>

namespace orv {

inline constexpr const char* kRegistrationTitle = "山名登録";
inline constexpr const char* kRegistrationSubtitle =
    "1/25000、1/50000　地形図１枚から山名データを作成します。";
inline constexpr const char* kRegistrationHelpFile = "ORVANE3.hlp";
inline constexpr const char* kNewMountainFileTitle = "新規山名ファイルの保存";
inline constexpr const char* kNewMountainFileFilter = "山名ファイル(*.YMD)|*.YMD";
inline constexpr const char* kNewMountainFileHeader = "MeshSize=-1";
inline constexpr const char* kRegistrationInputTitle = "入力確認";
inline constexpr const char* kMeasurementRefusal = "データは 0 以上を入力して下さい";
inline constexpr const char* kFrameRefusal =
    "地形図データの図郭寸法（上辺・下辺・左辺・右辺）は 0 より大きい値を入力して下さい";
inline constexpr const char* kSheetCornersRefusal =
    "地形図データの緯度・経度を確認して下さい（南の緯度 < 北の緯度、西の経度 < 東の経度）";
inline constexpr const char* kRegistrationFileErrorTitle = "ファイルエラー";

// The field captions the refusals name.
inline constexpr const char* kNameCaption = "山名";
inline constexpr const char* kReadingCaption = "読み";
inline constexpr const char* kElevationCaption = "標高";
inline constexpr const char* kSummitLatitudeCaption = "山頂緯度";
inline constexpr const char* kSummitLongitudeCaption = "山頂経度";

// "地形図データ": the sheet's corners (D.MMSS texts) and its frame sides in mm, as typed.
struct RegistrationSheet {
    std::string southLatitude, westLongitude, northLatitude, eastLongitude;
    std::string topWidth, bottomWidth, leftHeight, rightHeight;
};

// The mountain of one record, as typed or computed.
struct RegistrationMountain {
    std::string name, reading, elevation, latitude, longitude;
};

// The record line "name latitude longitude elevation reading A".
std::string mountainRecordLine(const RegistrationMountain& mountain);

// Why the mountain cannot be written as a record the file reader splits back into the same
// fields (an empty field, a blank or control character inside one, a character the file's
// code page lacks, an elevation or position that is no number), naming the field; nothing
// when it can.
std::optional<std::string> mountainRecordRefusal(const RegistrationMountain& mountain);

// Refusals of a record the mountain-name file reader would not read back.
inline constexpr const char* kRecordTooLongRefusal =
    "山名・読みが長すぎるため山名ファイルに書けません。短くして下さい";
inline constexpr const char* kMountainFileFullRefusal =
    "山名ファイルが読み込める行数（10000行）または大きさの上限に達しているため、これ以上登録できません";
inline constexpr const char* kMountainFileUnusableRefusal =
    "この山名ファイルは読み込めない内容を含むため、登録できません。正しい山名ファイルを指定して下さい";

// The bytes to append to the mountain-name file `bytes` (the file as it is) so that it holds
// `line` as one more record, in the file's own encoding; or the refusal when the reader would
// not read the record back (a line longer than a record line may be, a file past its line or
// size limit, a file the reader refuses already or would refuse after it).
struct MountainAppend {
    std::string lineBytes;       // the record as it goes into the file, without its line end
    std::optional<std::string> refusal;
};
MountainAppend mountainFileAppend(std::string_view bytes, const std::string& line);

class MountainRegistration {
public:
    MountainRegistration(AppState& state, Dialogs& dialogs);

    // Opening. From "山名ﾌｧｲﾙ新規作成" (newMountainFile) the new file is asked for first and
    // made with its header line; it becomes the mountain-name file. False when the dialog is
    // not to be shown: the file dialog was cancelled (the file in use stays) or the file could
    // not be made (said in a message).
    bool open();

    RegistrationSheet sheet;
    SheetCorner corner = SheetCorner::BottomLeft;  // "基準位置"
    std::string latitudeMm;   // "山頂 緯度方向 (mm)": from the corner's horizontal frame side
    std::string longitudeMm;  // "経度方向 (mm)": from the corner's vertical frame side
    RegistrationMountain mountain;

    // "計算": the summit's latitude and longitude into the mountain's two position fields.
    // False, with a message, for measurements of zero or less, frame sides of zero or less, or
    // sheet corners that do not enclose a sheet.
    bool calculate();
    // "登録": appends the record and clears the measurements and the mountain; the sheet and
    // the corner stay for the next mountain. False, with a message, when a field cannot be
    // written or the file could not be written (the fields are kept).
    bool registerMountain();
    void showHelp();
    // "終了".
    void finish() { finished_ = true; }
    bool finished() const { return finished_; }

    // Called after every change the dialog shows.
    std::function<void()> changed;

private:
    bool refuse(const std::string& text);
    void notify() const;

    AppState& state_;
    Dialogs& dialogs_;
    bool finished_ = false;
};

// Shows the dialog modally over its opened model until "終了" or the frame closes it.
using MountainRegistrationWindow = std::function<void(MountainRegistration&)>;

}  // namespace orv
