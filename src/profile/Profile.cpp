#include "profile/Profile.h"

#include "core/NumberText.h"
#include "core/Rounding.h"
#include "platform/PictureSave.h"
#include "profile/ProfileTools.h"
#include "schedule/ScheduleEdit.h"

#include <algorithm>

namespace orv {

namespace {

using namespace profileTool;

constexpr const char* kBaseTitle = "基準標高値設定";
constexpr const char* kBasePrompt = "基準標高値（単位はｍ）を入力して下さい。";
constexpr const char* kBaseRefusal = "作成されている最低標高値以上では無効です。";
constexpr const char* kBaseRefusalTitle = "最低標高値以上を指定";
constexpr const char* kDeletionTitle = "区間の削除";
constexpr const char* kFillColourTitle = "断面図塗りつぶし色の指定";
constexpr const char* kSaveTitle = "画像の保存";

}  // namespace

Profile::Profile(AppState& state, Dialogs& dialogs)
    : state_(state),
      dialogs_(dialogs),
      commands_({.run = [this](const ToolId& id) { run(id); },
                 .available = [this](const ToolId& id) { return offers(id); },
                 .takenWhileBusy = {},
                 .alsoBusy = {}}) {
    buildProfileMenus(menus_);
    status_ = profileStatusText(state_);
}

std::string Profile::title() const { return state_.planName + "  " + state_.profileWindowTitle; }

void Profile::activate() {
    applyMenuStates();
    scale_ = profileScale(state_, 0.0);
    toolTip_ = kProfileMenuTip;
    redraw();
}

void Profile::applyMenuStates() {
    const bool scheduled = state_.segmentCount != 0;
    for (size_t k = 0; k < kDataLabels.size(); ++k)
        menus_.setChecked(kDataLabels[k], scheduled && state_.profileLabels[k]);
    for (const ToolId id : {kDataMenu, kDeleteSegments, kFontHeading}) menus_.setEnabled(id, scheduled);
    for (const ToolId id : kFonts) menus_.setEnabled(id, scheduled);
    for (size_t m = 0; m < kBackgrounds.size(); ++m)
        menus_.setChecked(kBackgrounds[m], static_cast<size_t>(look_.background) == m);
}

void Profile::redraw() {
    drawn_ = profiledRoute(state_);
    summaries_ = profileSummaries(state_);
    status_ = profileStatusText(state_);
    painter_.draw(surface_, state_, scale_, look_);
    surface_.show();
    notify();
}

void Profile::followRoute() {
    if (sameProfiledRoute(drawn_, state_)) return;
    applyMenuStates();
    // A base chosen with "表示基準標高値" stays, as long as the route still reaches down to it.
    const int lowest = routeElevationRange(state_).lowest;
    scale_ = profileScale(state_, scale_.base > 0 ? std::min<double>(scale_.base, lowest) : scale_.base);
    redraw();
}

void Profile::notify() {
    if (changed) changed();
}

void Profile::dispatch(std::string_view toolId) {
    const ProfileTool* tool = findProfileTool(toolId);
    if (tool == nullptr) {
        reportUnknownTool("Profile", toolId);
        return;
    }
    commands_.submit(tool->id);
}

void Profile::submit(ToolId toolId) { dispatch(toolId.text()); }

bool Profile::offers(ToolId toolId) const { return menus_.isAvailable(toolId); }

void Profile::run(ToolId toolId) {
    const ProfileTool* tool = findProfileTool(toolId.text());
    if (tool == nullptr) return;
    switch (tool->action) {
        case ProfileAction::BaseElevation: askBaseElevation(); break;
        case ProfileAction::CourseTime: runCourseTime(); break;
        case ProfileAction::DeleteSegments: startDeletion(); break;
        case ProfileAction::CopyToClipboard: copyToClipboard(); break;
        case ProfileAction::CopyToFile: copyToFile(); break;
        case ProfileAction::Hide:
            if (hideRequested) hideRequested();
            break;
        case ProfileAction::ToggleLabel: toggleLabel(tool->parameter); break;
        case ProfileAction::ChangeFont: changeFont(tool->parameter); break;
        case ProfileAction::SetBackground: setBackground(tool->parameter); break;
        case ProfileAction::None: break;
    }
}

void Profile::showHelp() { dialogs_.showHelp(kProfileHelpFile); }

// "表示基準標高値": a base above the lowest route point is refused and replaced by it.
void Profile::askBaseElevation() {
    const std::string text = dialogs_.input(kBasePrompt, kBaseTitle, "");
    if (text.empty()) return;
    double base = leadingNumber(text);
    const int lowest = routeElevationRange(state_).lowest;
    if (base > lowest) {
        dialogs_.message(kBaseRefusal, kBaseRefusalTitle, Buttons::Ok, Icon::Error);
        base = lowest;
    }
    scale_ = profileScale(state_, base);
    redraw();
}

// "ｺｰｽﾀｲﾑ": the course-time window, then segment distances on, here and on the route map.
void Profile::runCourseTime() {
    if (courseTimeWindow) courseTimeWindow();
    state_.profileLabels[0] = true;
    applyMenuStates();
    menus_.setChecked(kDataLabels[0], true);
    scale_ = profileScale(state_, scale_.base);
    redraw();
    if (refreshMap) refreshMap(true);
}

void Profile::toggleLabel(int k) {
    if (state_.segmentCount == 0 || k < 0 || k >= static_cast<int>(kDataLabels.size())) return;
    const auto index = static_cast<size_t>(k);
    state_.profileLabels[index] = !state_.profileLabels[index];
    menus_.setChecked(kDataLabels[index], state_.profileLabels[index]);
    redraw();
}

void Profile::changeFont(int k) {
    if (k < 0 || k >= static_cast<int>(kProfileLabelStyles.size())) return;
    TextStyle& style = state_.textStyles[static_cast<size_t>(kProfileLabelStyles[static_cast<size_t>(k)])];
    const std::optional<TextStyle> chosen = dialogs_.pickFont(style);
    if (!chosen) return;
    style = *chosen;
    redraw();
}

// "設定色を使用", "単色を使用", "なし". Cancelling the colour dialog keeps single-colour mode with
// the previous colour and draws nothing.
void Profile::setBackground(int mode) {
    switch (mode) {
        case 0: look_.background = ProfileBackground::Configured; break;
        case 1: {
            look_.background = ProfileBackground::Single;
            applyMenuStates();
            const std::optional<Colour> chosen = dialogs_.pickColour(lastDialogColour_, kFillColourTitle);
            if (!chosen) return;
            lastDialogColour_ = *chosen;
            look_.single = *chosen;
            break;
        }
        default: look_.background = ProfileBackground::None; break;
    }
    applyMenuStates();
    redraw();
}

void Profile::startDeletion() {
    deleting_ = true;
    status_ = kProfileDeletionStatus;
    toolTip_ = kProfileDeletionTip;
    notify();
}

void Profile::rightRelease(int x, int /*y*/) {
    if (!deleting_) {
        if (popup) popup(kProfilePopupBand);
        return;
    }
    if (commands_.busy()) return;
    CommandQueue<ToolId>::BusyScope scope(commands_);
    deleteSegmentAt(x);
}

// The entry right of the click merges into the one before it; Cancel ends deletion mode.
void Profile::deleteSegmentAt(int x) {
    const std::optional<int> picked = segmentAtColumn(state_, profilePoints(state_, scale_), x);
    if (!picked) return;
    const int i = *picked;
    if (i > kMaxSegments) {
        // The table holds entries up to 120: there is no entry beyond the last end to merge.
        dialogs_.message("区間 " + std::to_string(i) + " はありません。区間 " + std::to_string(kMaxSegments) +
                             " までの区間を選択して下さい。",
                         kDeletionTitle, Buttons::Ok, Icon::Information);
        return;
    }
    const Answer answer = dialogs_.message(
        "区間 " + std::to_string(i) + " を削除し：区間 " + std::to_string(i - 1) + " に取込みますか",
        kDeletionTitle, Buttons::YesNoCancel, Icon::Question);
    if (answer == Answer::Yes) {
        chosenSegment_ = i;
        mergeSegment(state_, chosenSegment_, state_.settings.shortRest);
        redraw();
        if (refreshMap) refreshMap(false);
    } else if (answer == Answer::Cancel) {
        toolTip_ = kProfileMenuTip;
        deleting_ = false;
        summaries_ = profileSummaries(state_);
        status_ = profileStatusText(state_);
        notify();
    }
}

void Profile::copyToClipboard() {
    stampPlanName(surface_, state_);
    surface_.copyToClipboard();
    redraw();
}

void Profile::copyToFile() {
    stampPlanName(surface_, state_);
    if (const std::optional<PictureFile> file =
            askPictureFile(dialogs_, kSaveTitle, state_.fileFolders, state_.dataFolder, state_.appFolder)) {
        if (surface_.savePicture(file->path, file->format))
            state_.fileFolders.remember(FileKind::Picture, file->path);
        else
            dialogs_.message("「" + file->path.string() + "」に画像を保存できませんでした。", kSaveTitle, Buttons::Ok, Icon::Error);
    }
    redraw();
}

void Profile::mouseMove(int x, int /*y*/) {
    const std::optional<ProfileReading> reading = readingAtColumn(state_, scale_, x);
    readout_ = reading ? readingText(*reading) : std::string();
    if (markOnMap) markOnMap(reading ? std::optional<double>(reading->distance) : std::nullopt);
    if (cursorMoved) cursorMoved();
}

void Profile::mouseLeave() {
    readout_.clear();
    if (markOnMap) markOnMap(std::nullopt);
    if (cursorMoved) cursorMoved();
}

void Profile::showRoutePosition(std::optional<double> distance) {
    const std::optional<int> column = distance ? columnOfDistance(state_, scale_, *distance) : std::nullopt;
    if (column == cursorColumn_) return;
    cursorColumn_ = column;
    if (cursorMoved) cursorMoved();
}

}  // namespace orv
