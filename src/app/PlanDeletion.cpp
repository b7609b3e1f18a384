#include "app/PlanDeletion.h"

#include "app/FileChecks.h"
#include "plans/PlanName.h"
#include "core/NumberText.h"
#include "core/ShownText.h"

#include <system_error>

namespace orv {

namespace fs = std::filesystem;

std::optional<int> parsePlanNumber(const std::string& text) {
    std::string_view s(text);
    const std::string_view ideographicSpace = "\u3000";
    // Blanks around the number, ASCII or ideographic.
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        if (!s.empty() && s.front() == ' ') s.remove_prefix(1), trimmed = true;
        if (!s.empty() && s.back() == ' ') s.remove_suffix(1), trimmed = true;
        if (s.starts_with(ideographicSpace)) s.remove_prefix(ideographicSpace.size()), trimmed = true;
        if (s.ends_with(ideographicSpace)) s.remove_suffix(ideographicSpace.size()), trimmed = true;
    }
    if (s.empty()) return std::nullopt;
    long value = 0;
    size_t i = 0;
    while (i < s.size()) {
        int digit = -1;
        if (s[i] >= '0' && s[i] <= '9') {
            digit = s[i] - '0';
            i += 1;
        } else if (s.substr(i, 2) == "\xEF\xBC" && i + 2 < s.size()) {
            // Full-width digits U+FF10..U+FF19 are EF BC 90..99.
            const auto c = static_cast<unsigned char>(s[i + 2]);
            if (c >= 0x90 && c <= 0x99) digit = c - 0x90;
            i += 3;
        }
        if (digit < 0) return std::nullopt;
        value = value * 10 + digit;
        if (value > 1000000) return std::nullopt;
    }
    return static_cast<int>(value);
}

std::string planDeletionQuestion(const std::string& planName) {
    return "計画「" + shownFileText(planName) + "」のファイルを削除します。よろしいですか？";
}

PlanDeletion::PlanDeletion(AppState& state, Dialogs& dialogs) : state_(state), dialogs_(dialogs) {}

void PlanDeletion::notify() const {
    if (changed) changed();
}

void PlanDeletion::open() {
    Result<PlanList> list = readPlanList(planListPath(state_.dataFolder));
    list_ = list.ok() ? std::move(list.value()) : PlanList{};
    deleteEnabled_ = false;
    number_.clear();
    if (!list.ok()) {
        // Nothing can be listed, and so nothing can be deleted or rewritten.
        fillLines();
        notify();
        dialogs_.message(kPlanListCannotReadMessage, kPlanDeletionTitle, Buttons::Ok, Icon::Error);
        return;
    }
    fillLines();
    notify();
    if (list_.tooLong())
        dialogs_.message(kPlanListTooLongMessage, kPlanDeletionTitle, Buttons::Ok,
                         Icon::Information);
}

void PlanDeletion::fillLines() {
    lines_.clear();
    for (size_t i = 0; i < list_.shownCount(); ++i) lines_.push_back(planListTabLine(list_.entries[i]));
}

void PlanDeletion::pickLine(int index) {
    if (index < 0 || static_cast<size_t>(index) >= lines_.size()) return;
    number_ = integerText(index + 1);
    deleteEnabled_ = true;
    notify();
}

void PlanDeletion::deleteChosen() {
    if (!deleteEnabled_) return;
    const auto number = parsePlanNumber(number_);
    if (!number || *number < 1 || static_cast<size_t>(*number) > lines_.size()) {
        dialogs_.message(kPlanNumberRefused, kPlanDeletionTitle, Buttons::Ok, Icon::Error);
        return;
    }
    const auto index = static_cast<size_t>(*number - 1);
    if (dialogs_.message(planDeletionQuestion(list_.entries[index].name), kPlanDeletionTitle,
                         Buttons::YesNo, Icon::Question) != Answer::Yes)
        return;

    // The shortened list is on disk before any file goes.
    PlanList shortened = list_;
    const PlanEntry removed = shortened.entries[index];
    shortened.entries.erase(shortened.entries.begin() + static_cast<std::ptrdiff_t>(index));
    if (const FileError error = writePlanList(planListPath(state_.dataFolder), shortened);
        error != FileError::None) {
        dialogs_.message(error == FileError::TooLarge ? kPlanListTooLargeToDeleteMessage : kPlanListCannotWriteMessage,
                         kPlanDeletionTitle, Buttons::Ok, Icon::Error);
        return;
    }
    list_ = std::move(shortened);

    // A name that is not a plain file name (a hand-edited list) loses its line only.
    std::string failed;
    if (isPlainFileStem(removed.name)) {
        for (const fs::path& file : {routeFilePath(state_.dataFolder, removed.name),
                                     ridgeValleyFilePath(state_.dataFolder, removed.name)}) {
            std::error_code ec;
            if (fileExists(file) && !fs::remove(file, ec)) {
                if (!failed.empty()) failed += "、";
                failed += file.filename().string();
            }
        }
    }

    number_.clear();
    deleteEnabled_ = false;
    fillLines();
    notify();
    if (!failed.empty())
        dialogs_.message("ファイル「" + shownFileText(failed) + "」を削除できませんでした。", kPlanDeletionTitle,
                         Buttons::Ok, Icon::Warning);
}

}  // namespace orv
