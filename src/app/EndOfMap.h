#pragma once
// ORV_TVEND, the end-of-route-map dialog's logic: in save mode it writes the plan's route data
// file, its ridge/valley file and its plan list line under the name in the name box; it can
// also leave without saving (removing the files of a plan that was never saved) or cancel,
// which keeps the route map open. The window (ui/EndOfMapDialog) shows this model.
#include "platform/DialogOutcome.h"
#include "platform/Dialogs.h"
#include "platform/DrawingSurface.h"
#include "platform/Progress.h"
#include "state/AppState.h"

#include <functional>
#include <optional>
#include <string>

namespace orv {

inline constexpr const char* kEndOfMapTitle = "ﾙｰﾄ図終了";
inline constexpr const char* kEndOfMapSaveMessage =
    "ルートデータを管理ファイルに保存します\r\n同じ名前の場合は上書きされます。";
inline constexpr const char* kEndOfMapPlainMessage = "ルート図を終了します。";
inline constexpr const char* kEndOfMapYes = "はい (&Y)";
inline constexpr const char* kEndOfMapCancel = "ｷｬﾝｾﾙ";
inline constexpr const char* kEndOfMapLeave = "保存せずに終了";
inline constexpr const char* kFileTaskTitle = "ファイル処理";
inline constexpr const char* kOverwriteQuestion = "同じ名前のファイルが存在します。上書きしますか？";
inline constexpr const char* kSaveFailedMessage =
    "ルートデータを保存できませんでした。\r\n保存先のフォルダに書き込めるか確かめて下さい。"
    "ファイルは変更されていません。";
// A replacement failed after others were made and what was replaced could not all be put back.
inline constexpr const char* kSavePartlyFailedMessage =
    "ルートデータを保存できませんでした。\r\n保存先のフォルダに書き込めるか確かめて下さい。"
    "一部のファイルは元に戻せず、変更されたままです。";
// A file of the save would be larger than its reader takes; the file's name follows.
inline constexpr const char* kSaveTooLargeMessage =
    "ルートデータを保存できませんでした。\r\n次のファイルが読み込める大きさを超えます。"
    "ファイルは変更されていません。";
// The dialogs list the first kMaxListedPlans plans: a new one is not added beyond them.
inline constexpr const char* kPlanListFullMessage =
    "管理ファイルの一覧（Orvane.LST）に登録できる計画は1000件までです。\r\n"
    "不要な計画を削除してから保存して下さい。ファイルは変更されていません。";
inline constexpr const char* kPlanListUnreadableMessage =
    "管理ファイルの一覧（Orvane.LST）を読み込めないため保存できません。";

class EndOfMap {
public:
    // `today` gives the date written into the plan list.
    EndOfMap(AppState& state, Dialogs& dialogs, std::function<std::string()> today = {});

    // Save mode: the route has a first point with a latitude.
    bool saveMode() const { return saveMode_; }
    const std::string& message() const { return message_; }
    const std::string& name() const { return name_; }
    void editName(std::string text) { name_ = std::move(text); }

    // The three buttons; each returns true when the dialog closes.
    bool yes();                 // "はい (&Y)"
    bool leaveWithoutSaving();  // "保存せずに終了"
    bool cancel();              // "ｷｬﾝｾﾙ"
    // Closed by the window frame or Escape: the same as "ｷｬﾝｾﾙ", so no route is lost by it.
    bool dismiss() { return cancel(); }

    // Accepted: the route map is left; Cancelled: the user stays on it. Nothing while open.
    std::optional<DialogOutcome> outcome() const { return outcome_; }
    bool closed() const { return outcome_.has_value(); }
    bool progressVisible() const { return progressVisible_; }
    DrawingSurface& progress() { return progress_; }

    // Called after every change the dialog shows.
    std::function<void()> changed;

private:
    bool save();
    void removeUnsavedPlanFiles();
    void notify() const;

    AppState& state_;
    Dialogs& dialogs_;
    std::function<std::string()> today_;
    bool saveMode_ = false;
    std::string message_;
    std::string name_;
    std::optional<DialogOutcome> outcome_;
    bool progressVisible_ = false;
    DrawingSurface progress_{kProgressWidth, kProgressHeight};
};

}  // namespace orv
