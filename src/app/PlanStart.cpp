#include "app/PlanStart.h"

#include "app/PlanDeletion.h"
#include "plans/PlanName.h"
#include "app/Paths.h"
#include "names/MountainFile.h"
#include "platform/OpticalDrives.h"

namespace orv {

PlanStart::PlanStart(AppState& state, Dialogs& dialogs, OpticalDriveFinder findDiscs)
    : state_(state), dialogs_(dialogs), findDiscs_(std::move(findDiscs)) {
    if (!findDiscs_) findDiscs_ = [] { return opticalMountPoints(); };
}

void PlanStart::notify() const {
    if (changed) changed();
}

void PlanStart::open() {
    caption_ = state_.gpsMode ? kRecordStartCaption : kPlanStartCaption;
    outcome_.reset();

    // 1-2. The elevation data source; a checked disc box looks for the discs at once, unless
    // the elevation data are not used at all (the disc box is then disabled).
    useDem_ = state_.demUnused == 0;
    useDisc_ = false;
    discs_.clear();
    chosenDisc_ = -1;
    diskFolder_ = state_.demMedia == 1 ? state_.demFolder : std::string();
    discNote_.clear();
    if (state_.demMedia == 0) {
        useDisc_ = true;
        if (useDem_) detectDiscs(NoDiscNotice::Note);
    }

    // 3. The mountain-name file, or the bundled file of Japan's main peaks while none has been
    // chosen yet (a stored choice, the Hidaka sample's file too, stays as it is).
    mountainFile_ = state_.mountainFilePath;
    if (mountainFile_.empty()) mountainFile_ = sampleMountainFile(state_.appFolder).string();

    // 4. The saved plans.
    state_.existingPlan = false;
    Result<PlanList> plans = readPlanList(planListPath(state_.dataFolder));
    plans_ = plans.ok() ? std::move(plans.value()) : PlanList{};
    planLines_.clear();
    if (!plans.ok()) {
        // No plan can be listed; a new plan can still be started.
        notify();
        dialogs_.message(kPlanListCannotReadMessage, kPlanListUnreadableTitle, Buttons::Ok,
                         Icon::Warning);
    }
    for (size_t i = 0; i < plans_.shownCount(); ++i) planLines_.push_back(planListTabLine(plans_.entries[i]));
    notify();
}

void PlanStart::pickPlan(int index) {
    if (index < 0 || static_cast<size_t>(index) >= planLines_.size()) return;
    name_ = plans_.entries[static_cast<size_t>(index)].name;
    notify();
}

void PlanStart::browseMountainFile() {
    // The file dialog starts at the file in the box (the bundled one for a new user); a
    // cancelled dialog leaves the stored choice as it was.
    const std::string stored = state_.mountainFilePath;
    state_.mountainFilePath = mountainFile_;
    if (chooseMountainFile(state_, dialogs_)) {
        mountainFile_ = state_.mountainFilePath;
        notify();
    }
    state_.mountainFilePath = stored;
}

void PlanStart::createMountainFile() {
    state_.newMountainFile = true;
    MountainRegistration registration(state_, dialogs_);
    if (registration.open() && registration_) registration_(registration);
    state_.newMountainFile = false;
    mountainFile_ = state_.mountainFilePath;
    notify();
}

void PlanStart::setUseDem(bool on) {
    useDem_ = on;
    // The disc box comes back into use as it was left: checked means the discs are looked up.
    if (on && useDisc_) {
        detectDiscs(NoDiscNotice::Message);
    } else {
        notify();
    }
}

void PlanStart::setUseDisc(bool on) {
    useDisc_ = on;
    discs_.clear();
    chosenDisc_ = -1;
    discNote_.clear();
    if (on) {
        detectDiscs(NoDiscNotice::Message);
    } else {
        notify();
    }
}

void PlanStart::detectDiscs(NoDiscNotice notice) {
    std::vector<std::filesystem::path> found = findDiscs_();
    if (found.size() > static_cast<size_t>(kMaxDiscIcons)) found.resize(kMaxDiscIcons);
    discs_ = std::move(found);
    chosenDisc_ = -1;
    discNote_.clear();
    if (discs_.empty()) {
        // At opening the dialog says it itself: a box before the dialog shows would be the
        // first thing a new user without a disc meets.
        useDisc_ = false;
        if (notice == NoDiscNotice::Note) {
            discNote_ = kNoDiscMessage;
        } else {
            notify();
            dialogs_.message(kNoDiscMessage, kNoDiscTitle, Buttons::Ok, Icon::Error);
        }
    } else if (discs_.size() == 1) {
        chosenDisc_ = 0;
        state_.demFolder = discDataFolder(discs_.front()).string();
    }
    notify();
}

void PlanStart::clickDisc(int index) {
    if (!useDisc_ || discs_.size() < 2 || index < 0 || static_cast<size_t>(index) >= discs_.size())
        return;
    chosenDisc_ = index;
    state_.demFolder = discDataFolder(discs_[static_cast<size_t>(index)]).string();
    notify();
}

void PlanStart::createElevationData() {
    const std::optional<std::string> folder = orv::createElevationData(state_, demCreation_);
    if (!folder) return;
    diskFolder_ = *folder;
    useDem_ = true;
    useDisc_ = false;
    discs_.clear();
    chosenDisc_ = -1;
    notify();
}

void PlanStart::refuse(const std::string& text, Icon icon, bool focusName) {
    dialogs_.message(text, kInputTitle, Buttons::Ok, icon);
    if (focusName) ++nameFocusRequests_;
    notify();
}

bool PlanStart::execute() {
    if (closed()) return true;

    // 1. A name the plan files can carry (an empty box is the first of these refusals).
    if (const auto refusal = validatePlanName(name_)) {
        refuse(*refusal, Icon::Error, true);
        return false;
    }
    // 2. A mountain-name file.
    if (mountainFile_.empty()) {
        refuse(kNoMountainFileMessage, Icon::None, false);
        return false;
    }
    // With several discs the data folder is only known once an icon has been clicked.
    if (useDem_ && useDisc_ && discs_.size() > 1 && chosenDisc_ < 0) {
        refuse(kSeveralDiscsPrompt, Icon::Error, false);
        return false;
    }

    // 3-5. The plan and the elevation data source.
    state_.existingPlan = plans_.find(name_) >= 0;
    state_.planName = name_;
    if (useDem_) {
        state_.demUnused = 0;
    } else {
        state_.demUnused = 1;
        forceNoDataBackground(state_);
    }
    state_.demMedia = useDisc_ ? 0 : 1;
    if (!useDisc_ && !diskFolder_.empty()) state_.demFolder = diskFolder_;

    // 6. The mountain table; a file that cannot be used keeps the dialog open.
    Result<MountainFileData> mountains = readMountainFile(mountainFile_, state_.japanBounds);
    if (mountains.ok()) putMountainTable(state_, std::move(mountains->records));
    if (!mountains.ok()) {
        reportMountainFileError(dialogs_);
        notify();
        return false;
    }
    state_.mountainFilePath = mountainFile_;

    // 7. Close.
    outcome_ = DialogOutcome::Accepted;
    notify();
    return true;
}

void PlanStart::cancel() {
    outcome_ = DialogOutcome::Cancelled;
    notify();
}

void PlanStart::showHelp() { dialogs_.showHelp(kPlanStartHelpFile); }

}  // namespace orv
