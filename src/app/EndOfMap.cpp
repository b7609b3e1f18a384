#include "app/EndOfMap.h"

#include "app/FileChecks.h"
#include "plans/PlanList.h"
#include "plans/PlanName.h"
#include "plans/RidgeValleyFile.h"
#include "plans/RouteFile.h"
#include "core/StagedFiles.h"

#include <system_error>

namespace orv {

namespace fs = std::filesystem;

EndOfMap::EndOfMap(AppState& state, Dialogs& dialogs, std::function<std::string()> today)
    : state_(state), dialogs_(dialogs), today_(today ? std::move(today) : todayText) {
    saveMode_ = !state_.route[1].latitude.empty();
    message_ = saveMode_ ? kEndOfMapSaveMessage : kEndOfMapPlainMessage;
    if (saveMode_) name_ = state_.planName;
}

void EndOfMap::notify() const {
    if (changed) changed();
}

bool EndOfMap::yes() {
    if (!saveMode_) {
        removeUnsavedPlanFiles();
        outcome_ = DialogOutcome::Accepted;
        return true;
    }
    if (!save()) return false;
    outcome_ = DialogOutcome::Accepted;
    return true;
}

bool EndOfMap::leaveWithoutSaving() {
    removeUnsavedPlanFiles();
    outcome_ = DialogOutcome::Accepted;
    return true;
}

bool EndOfMap::cancel() {
    outcome_ = DialogOutcome::Cancelled;
    return true;
}

bool EndOfMap::save() {
    const std::string name = name_;
    if (const auto refused = validatePlanName(name)) {
        dialogs_.message(*refused, kPlanNameTitle, Buttons::Ok, Icon::Error);
        return false;
    }
    const fs::path routeFile = routeFilePath(state_.dataFolder, name);
    if (fileExistsOrSea(routeFile, dialogs_) &&
        dialogs_.message(kOverwriteQuestion, kFileTaskTitle, Buttons::YesNo, Icon::Question) !=
            Answer::Yes)
        return false;

    // The new list is made from the one on disk; one that exists but cannot be read is not
    // replaced by a guess.
    const fs::path listFile = planListPath(state_.dataFolder);
    Result<PlanList> read = readPlanList(listFile);
    if (!read.ok()) {
        dialogs_.message(kPlanListUnreadableMessage, kFileTaskTitle, Buttons::Ok, Icon::Error);
        return false;
    }
    PlanList& list = read.value();
    const int listed = list.find(name);
    if (listed < 0 && list.entries.size() >= kMaxListedPlans) {
        dialogs_.message(kPlanListFullMessage, kFileTaskTitle, Buttons::Ok, Icon::Error);
        return false;
    }

    // Every file's bytes are made first: one larger than its reader takes is not written, and
    // then none is.
    std::string ridgeValleyBytes;
    if (state_.ridgeValleyPresent) {
        progressVisible_ = true;
        notify();
        ProgressStrip strip(progress_, kRidgeValleySaveText);
        const auto lines = ridgeValleyFileLines(state_, [&strip](int value) { strip.show(value); });
        ridgeValleyBytes = cp932LinesBytes(lines);
        progressVisible_ = false;
        notify();
    }

    // The plan's list line carries the date of this save: the line of a listed name is
    // updated, any other name gets a new line.
    if (listed >= 0) list.entries[static_cast<size_t>(listed)].rest = today_();
    else list.entries.push_back(makePlanEntry(name, today_()));
    const std::string listBytes = planListBytes(list);
    const std::string routeBytes = cp932LinesBytes(routeFileLines(state_));

    const fs::path ridgeValleyFile = ridgeValleyFilePath(state_.dataFolder, name);
    const struct {
        const fs::path& file;
        const std::string& bytes;
        std::uintmax_t limit;
    } files[] = {{ridgeValleyFile, ridgeValleyBytes, kMaxRidgeValleyFileBytes},
                 {listFile, listBytes, kMaxPlanListBytes},
                 {routeFile, routeBytes, kMaxRouteFileBytes}};
    for (const auto& file : files) {
        if (file.bytes.size() <= file.limit) continue;
        dialogs_.message(kSaveTooLargeMessage + ("\r\n" + file.file.filename().string()), kFileTaskTitle,
                         Buttons::Ok, Icon::Error);
        return false;
    }

    // Every file is written in full before any replaces the old one. They replace the old ones
    // in this order: the ridge/valley file, the plan list, and last the route file, which makes
    // the plan what it is; a failed replacement puts back the ones already made.
    StagedFiles staged;
    FileError error = FileError::None;
    if (state_.ridgeValleyPresent) error = staged.stage(ridgeValleyFile, ridgeValleyBytes);
    if (error == FileError::None) error = staged.stage(listFile, listBytes);
    if (error == FileError::None) error = staged.stage(routeFile, routeBytes);

    bool committing = false;
    if (error == FileError::None) {
        committing = true;
        error = staged.commit();
    }
    if (error != FileError::None) {
        const bool unchanged = !committing || staged.restored();
        dialogs_.message(unchanged ? kSaveFailedMessage : kSavePartlyFailedMessage, kFileTaskTitle,
                         Buttons::Ok, Icon::Error);
        return false;
    }
    state_.planName = name;
    return true;
}

void EndOfMap::removeUnsavedPlanFiles() {
    if (state_.existingPlan || !isPlainFileStem(state_.planName)) return;
    // A plan in the list has been saved, whatever the start dialog found: its files stay. So
    // do they when the list cannot be read to tell.
    const Result<PlanList> list = readPlanList(planListPath(state_.dataFolder));
    if (!list.ok() || list->find(state_.planName) >= 0) return;
    for (const fs::path& file : {routeFilePath(state_.dataFolder, state_.planName),
                                 ridgeValleyFilePath(state_.dataFolder, state_.planName)}) {
        std::error_code ec;
        if (fileExists(file)) fs::remove(file, ec);
    }
}

}  // namespace orv
