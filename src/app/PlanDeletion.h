#pragma once
// ORV_CRTFDEL, the deletion dialog's logic: lists the saved plans, and "削　除" removes the
// plan whose number is in the number box together with its route data and ridge/valley files.
//
// The plan list on disk always matches the files: each deletion first writes the shortened
// list (atomically, so it is never missing or half-written) and only then removes the plan's
// files. If the program dies in between, the plan is gone from the list and only unlisted
// files remain, which a later save under that name simply replaces. "終了" has nothing left
// to write, and closing the dialog any other way leaves the list as the last deletion wrote it.
#include "plans/PlanList.h"
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

inline constexpr const char* kPlanDeletionTitle = "登録されているルートファイルの削除";
inline constexpr const char* kPlanDeletionPrompt = "削除するファイルの番号をクリックして下さい。";
inline constexpr const char* kPlanDeleteButton = "削　除";
inline constexpr const char* kPlanDeletionFinishButton = "終了";
inline constexpr const char* kPlanNumberRefused =
    "番号が一覧の計画のものではありません。削除する計画を一覧からクリックして下さい。";
inline constexpr const char* kPlanListTooLongMessage =
    "管理ファイルの一覧に1000件を超える計画があります。先頭の1000件だけを表示します。";
inline constexpr const char* kPlanListCannotReadMessage =
    "管理ファイルの一覧（Orvane.LST）を読み込めません。";
inline constexpr const char* kPlanListCannotWriteMessage =
    "管理ファイルの一覧（Orvane.LST）を書き換えられないため、削除できませんでした。";
inline constexpr const char* kPlanListTooLargeToDeleteMessage =
    "管理ファイルの一覧（Orvane.LST）が大きすぎて書き換えられないため、削除できませんでした。";

// The question before "削　除" removes a plan's files: they cannot be brought back.
std::string planDeletionQuestion(const std::string& planName);

// The number in the number box: blanks around it allowed, ASCII or full-width digits.
std::optional<int> parsePlanNumber(const std::string& text);

class PlanDeletion {
public:
    PlanDeletion(AppState& state, Dialogs& dialogs);

    // Opening: reads the list and fills the lines (name, a tab, rest); "削　除" disabled.
    void open();

    const std::vector<std::string>& lines() const { return lines_; }
    const std::string& numberText() const { return number_; }
    bool deleteEnabled() const { return deleteEnabled_; }
    // Plans in the list, including those beyond the lines shown.
    size_t planCount() const { return list_.entries.size(); }

    // A click on line `index` (0-based): its number goes into the box, "削　除" is enabled.
    void pickLine(int index);
    // The user types into the number box.
    void editNumber(std::string text) { number_ = std::move(text); }
    // "削　除": deletes the plan numbered in the box after the user said Yes to the question;
    // a number that is not a listed plan is refused with a message. The box is emptied and
    // "削　除" disabled afterwards, so a second press cannot remove the plan that moved up
    // into the same number. The list keeps its name, tab, rest lines, so the dates stay in
    // their column.
    void deleteChosen();
    // "終了": true, the dialog closes.
    bool finish() { return true; }

    // Called after every change the dialog shows.
    std::function<void()> changed;

private:
    void fillLines();
    void notify() const;

    AppState& state_;
    Dialogs& dialogs_;
    PlanList list_;
    std::vector<std::string> lines_;
    std::string number_;
    bool deleteEnabled_ = false;
};

}  // namespace orv
