#pragma once
// ORV_MRINFO, the plan start dialog's logic: the management file name with the list of saved
// plans, the mountain-name file, and the elevation data source (use the elevation data at all,
// from a CD-ROM or from a folder). "実　行" checks the entries, takes them over into the state
// and reads the mountain-name file; "ｷｬﾝｾﾙ" cancels the start. The window
// (ui/PlanStartDialog) only shows this model and forwards the user's actions.
//
// A new user has no mountain-name file yet: while none is set, the box proposes the sample
// file shipped with the program, so the sample map can be reached at once. The proposal
// becomes the stored choice only when "実　行" reads it successfully.
#include "app/ElevationDataCreation.h"
#include "names/MountainRegistration.h"
#include "plans/PlanList.h"
#include "platform/DialogOutcome.h"
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

inline constexpr const char* kPlanStartCaption = "ルート作成";
inline constexpr const char* kRecordStartCaption = "ルート読み込み";
inline constexpr const char* kPlanStartHelpFile = "ORVANE2.hlp";
inline constexpr const char* kPlanStartPrompt =
    "管理ファイル名を入力して下さい。\r\n一覧から選ぶと以前のデータを利用します。（例：槍ヶ岳980707）";
inline constexpr const char* kUseDemCaption = "数値地図（標高）を使用する";
inline constexpr const char* kUseDiscCaption = "CD-ROMを使用する。";
inline constexpr const char* kUseDiscNote = "使用しない場合は、読み込みの時にハードディスクのフォルダを選びます。";
inline constexpr const char* kDiskFolderCaption = "ﾊｰﾄﾞﾃﾞｨｽｸのﾌｫﾙﾀﾞｰ";
inline constexpr const char* kMakeElevationDataCaption = "標高データの作成";
inline constexpr const char* kBrowseCaption = "参照";
inline constexpr const char* kNewMountainFileCaption = "山名ﾌｧｲﾙ新規作成";
inline constexpr const char* kExecuteCaption = "実　行";
inline constexpr const char* kCancelCaption = "ｷｬﾝｾﾙ";
inline constexpr const char* kHelpCaption = "ヘルプ";

inline constexpr const char* kNoDiscMessage = "CD-ROMは接続されていません。";
inline constexpr const char* kNoDiscTitle = "CD-ROM認識メッセージ";
inline constexpr const char* kSeveralDiscsPrompt =
    "複数検出されました。選択してアイコンをクリックして下さい。";
inline constexpr const char* kInputTitle = "入力注意";
inline constexpr const char* kNoMountainFileMessage = "山名ファイルのパスが設定されていません";
inline constexpr const char* kPlanListUnreadableTitle = "ファイルエラー";

// Disc icons the dialog has; further discs are not offered.
inline constexpr int kMaxDiscIcons = 3;

// The mounted optical discs, in the order the system lists them.
using OpticalDriveFinder = std::function<std::vector<std::filesystem::path>()>;

class PlanStart {
public:
    // `findDiscs` defaults to this machine's optical mount points.
    PlanStart(AppState& state, Dialogs& dialogs, OpticalDriveFinder findDiscs = {});

    // Opening: check boxes from demUnused and demMedia (the disc detection runs when the disc
    // box starts checked and the elevation data are in use), the mountain-name file box, and
    // the saved plans. existingPlan = 0.
    void open();

    // "ルート作成" for a plan, "ルート読み込み" for a GPS record (gpsMode).
    const std::string& caption() const { return caption_; }

    // The management file name box and the saved plans (name, a tab, rest).
    const std::string& name() const { return name_; }
    void editName(std::string text) { name_ = std::move(text); }
    const std::vector<std::string>& planLines() const { return planLines_; }
    // Picking line `index` (0-based) puts its plan's name into the name box.
    void pickPlan(int index);
    // Counts up whenever the focus is to return to the name box.
    int nameFocusRequests() const { return nameFocusRequests_; }

    // The mountain-name file box and "参照".
    const std::string& mountainFile() const { return mountainFile_; }
    void editMountainFile(std::string text) { mountainFile_ = std::move(text); }
    void browseMountainFile();

    // "山名ﾌｧｲﾙ新規作成": a new mountain-name file is made and mountains are registered into it
    // in the registration window (the owner's; without one only the file is made). Afterwards
    // the box shows the file in use.
    void setMountainRegistration(MountainRegistrationWindow window) { registration_ = std::move(window); }
    void createMountainFile();

    // "数値地図（標高）を使用する"; the disc box and its note are enabled only while it is checked.
    bool useDem() const { return useDem_; }
    void setUseDem(bool on);
    bool discBoxEnabled() const { return useDem_; }

    // "CD-ROMを使用する。": checking it detects the discs, unchecking hides the icons and prompt.
    bool useDisc() const { return useDisc_; }
    void setUseDisc(bool on);
    // The discs shown with an icon (at most kMaxDiscIcons), the prompt shown when there are
    // several, and the icon chosen by a click (-1 for none).
    const std::vector<std::filesystem::path>& discs() const { return discs_; }
    bool discPromptVisible() const { return useDisc_ && discs_.size() > 1; }
    // The note the dialog shows in place of the disc icons when the look at opening found no
    // disc ("CD-ROMは接続されていません。"); empty otherwise. Ticking the box again asks with a
    // message instead.
    const std::string& discNote() const { return discNote_; }
    int chosenDisc() const { return chosenDisc_; }
    void clickDisc(int index);

    // The hard-disk data folder: where the loader's folder picker starts when the disc is not
    // used. It opens as the folder last used from the hard disk and is taken over by "実　行".
    const std::string& diskFolder() const { return diskFolder_; }
    // "標高データの作成" beside it: once meshes were written, their folder becomes the hard-disk
    // data folder, the elevation data are in use and the CD-ROM box is unchecked. The window
    // is the owner's (a missing one counts as cancelled).
    void setDemCreation(DemCreationWindow window) { demCreation_ = std::move(window); }
    void createElevationData();

    // The buttons: "実　行" returns true when the dialog closes; "ｷｬﾝｾﾙ" always closes.
    bool execute();
    void cancel();
    void showHelp();
    // Accepted after "実　行" went through, Cancelled after "ｷｬﾝｾﾙ"; nothing while open.
    std::optional<DialogOutcome> outcome() const { return outcome_; }
    bool closed() const { return outcome_.has_value(); }

    // Called after every change the dialog shows.
    std::function<void()> changed;

private:
    // Looks for the discs; none unchecks the box, said by a message when the user ticked it
    // and by the dialog's note when the dialog opened with the box checked.
    enum class NoDiscNotice { Message, Note };
    void detectDiscs(NoDiscNotice notice);
    void refuse(const std::string& text, Icon icon, bool focusName);
    void notify() const;

    AppState& state_;
    Dialogs& dialogs_;
    OpticalDriveFinder findDiscs_;
    PlanList plans_;
    std::string caption_;
    std::string name_;
    std::vector<std::string> planLines_;
    std::string mountainFile_;
    bool useDem_ = true;
    bool useDisc_ = false;
    std::vector<std::filesystem::path> discs_;
    int chosenDisc_ = -1;
    std::string diskFolder_;
    DemCreationWindow demCreation_;
    MountainRegistrationWindow registration_;
    std::string discNote_;
    int nameFocusRequests_ = 0;
    std::optional<DialogOutcome> outcome_;
};

}  // namespace orv
