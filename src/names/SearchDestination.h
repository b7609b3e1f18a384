#pragma once
// The start menu's step "行き先の山名を設定します。" around the search dialog: the question before a
// repeated search, and taking over the picked mountain as the destination.
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <optional>

namespace orv {

inline constexpr const char* kSearchAgainText = "すでに検索され確定していますが、再度検索しますか。";
inline constexpr const char* kSearchAgainTitle = "検索問い合わせ";

// True when the search dialog is to be opened: always when no mountain is confirmed yet, else
// when the user answers OK to the question. Cancel keeps the earlier choice.
bool confirmSearchAgain(const AppState& state, Dialogs& dialogs);

// After the search dialog: false without a confirmed pick (mountainConfirmed = 0 or no record in
// 1..mountainCount), which cancels the start; otherwise the record becomes selectedMountain and
// its secondary mesh the centre mesh.
bool takeDestination(AppState& state, std::optional<int> picked);

}  // namespace orv
