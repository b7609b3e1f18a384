#include "app/ElevationLoading.h"

#include "app/FileChecks.h"
#include "platform/Progress.h"
#include "geo/MemFile.h"
#include "platform/Events.h"

#include <string>

namespace orv {

namespace fs = std::filesystem;

const std::array<MeshSlotPlace, 10> meshSlotPlaces{{
    {0, 0, 0, 0},  // slot 0 is not used
    {0, 0, 600, -450},
    {0, 200, 600, 0},
    {0, 400, 600, 450},
    {200, 0, 300, -450},
    {200, 200, 300, 0},
    {200, 400, 300, 450},
    {400, 0, 0, -450},
    {400, 200, 0, 0},
    {400, 400, 0, 450},
}};

namespace {

constexpr int kSlots = 9;

void setSlotCorners(AppState& state, int slot, ArcSeconds centreSouth, ArcSeconds centreWest) {
    auto& corner = state.meshCorners.at(static_cast<size_t>(slot));
    const auto& place = meshSlotPlaces.at(static_cast<size_t>(slot));
    corner.meshCode = state.meshCodes.at(static_cast<size_t>(slot));
    corner.northLatitude = secondsToDms(centreSouth + place.northOffset);
    corner.westLongitude = secondsToDms(centreWest + place.westOffset);
    corner.southLatitude = secondsToDms(dmsToSeconds(corner.northLatitude) - 300);
    corner.eastLongitude = secondsToDms(dmsToSeconds(corner.westLongitude) + 450);
}

std::string dataQuestion(int16_t demMedia) {
    std::string text = "ルート図は50mメッシュ数値地図をベースに作成します\r\n\r\n";
    if (demMedia == 0)
        text += "数値地図（標高）のCD-ROMがドライブにセットされているか確認して下さい。";
    else
        text += "ﾊｰﾄﾞﾃﾞｨｽｸの任意のﾌｫﾙﾀﾞｰに必要な数値地図（標高）が\r\n"
                "セットされているか確認して下さい。";
    return text;
}

// The folder as the picker gave it: cut at a NUL, trailing blanks removed unless the folder
// really ends in blanks.
std::string cleanFolder(std::string folder) {
    if (const auto nul = folder.find('\0'); nul != std::string::npos) folder.resize(nul);
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return folder;
    while (!folder.empty() && folder.back() == ' ') folder.pop_back();
    return folder;
}

// One slot's mesh file into level 1; a missing or unreadable file (or a code that names no
// mesh, so no path) leaves the sea.
void loadSlot(AppState& state, Dialogs& dialogs, int slot, ElevationLoadSummary& summary) {
    const auto& place = meshSlotPlaces.at(static_cast<size_t>(slot));
    const MeshCode& code = state.meshCodes.at(static_cast<size_t>(slot));
    const fs::path path = meshFilePath(state.demFolder, code, state.demMedia != 1);
    if (path.empty() || !fileExistsOrSea(path, dialogs)) {
        fillNoData(state.elevationGrid, place.firstRow, place.firstColumn, 1);
        ++summary.missingFiles;
        return;
    }
    const Result<MeshBlock> block = readMeshBlock(path);
    if (!block.ok()) {
        // It is there but cannot be read: the same warning, and the block becomes sea.
        showSeaWarning(dialogs);
        fillNoData(state.elevationGrid, place.firstRow, place.firstColumn, 1);
        ++summary.missingFiles;
        return;
    }
    placeMeshBlock(*block, state.elevationGrid, place.firstRow, place.firstColumn, 1);
    ++summary.readFiles;
    summary.oddFields += block->oddFields;
}

}  // namespace

void setMeshCorners(AppState& state) {
    const ArcSeconds centreSouth = dmsToSeconds(state.levelCorners[0][1]);
    const ArcSeconds centreWest = dmsToSeconds(state.levelCorners[0][2]);
    for (int slot = 1; slot <= kSlots; ++slot) setSlotCorners(state, slot, centreSouth, centreWest);
}

void setLevelOneCorners(AppState& state, ArcSeconds centreSouth, ArcSeconds centreWest) {
    auto& level1 = state.levelCorners[1];
    level1[kSouth] = secondsToDms(centreSouth - 300);
    level1[kNorth] = secondsToDms(centreSouth + 600);
    level1[kWest] = secondsToDms(centreWest - 450);
    level1[kEast] = secondsToDms(centreWest + 900);
}

namespace {

// Steps 5-8: the nine meshes with progress, then the bounds of level 1.
ElevationLoadSummary readBlock(AppState& state, StartMenuModel& menu, Dialogs& dialogs) {
    ElevationLoadSummary summary;
    menu.progressVisible = true;
    menu.notify();
    const ArcSeconds centreSouth = dmsToSeconds(state.levelCorners[0][1]);
    const ArcSeconds centreWest = dmsToSeconds(state.levelCorners[0][2]);
    for (int slot = 1; slot <= kSlots; ++slot) {
        const MeshCode& code = state.meshCodes.at(static_cast<size_t>(slot));
        showProgress(menu.progress, progressValue(slot, kSlots), code + "数値地図データ読込中");
        setSlotCorners(state, slot, centreSouth, centreWest);
        loadSlot(state, dialogs, slot, summary);
        processPendingEvents();
    }

    repeatLastRowAndColumn(state.elevationGrid, 1);

    // 7. Progress strip away, status line empty.
    menu.progress.clear();
    menu.progressVisible = false;
    menu.status.clear();
    menu.notify();

    // 8. The bounds of level 1.
    setLevelOneCorners(state, centreSouth, centreWest);
    return summary;
}

// The first file of the block as it is looked for under the folder ("533946.MEM", or
// "5339/533946.MEM" on a disc).
std::string firstMeshFile(const AppState& state) {
    const bool disc = state.demMedia != 1;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const fs::path path =
            meshFilePath(state.demFolder, state.meshCodes.at(static_cast<size_t>(slot)), disc);
        if (!path.empty()) return path.lexically_relative(state.demFolder).generic_string();
    }
    return {};
}

}  // namespace

std::string noMeshFilesMessage(const std::string& folder, const std::string& firstFile,
                               NoMeshFilesOffer offer) {
    std::string text = "指定されたフォルダーに数値地図（標高）のファイルがありません。\r\n\r\n"
                       "フォルダー：" + folder + "\r\n"
                       "最初のファイル：" + firstFile;
    switch (offer) {
        case NoMeshFilesOffer::Nothing: break;
        case NoMeshFilesOffer::AnotherFolder: text += "\r\n\r\n別のフォルダーを選択しますか？"; break;
        case NoMeshFilesOffer::CreateData: text += "\r\n\r\n標高データを作成しますか？"; break;
        case NoMeshFilesOffer::CreateDataOrAnotherFolder:
            text += "\r\n\r\n標高データを作成しますか？\r\n"
                    "「いいえ」を選ぶと別のフォルダーを選択できます。";
            break;
    }
    return text;
}

std::string oddFieldsMessage(const ElevationLoadSummary& summary) {
    return "数値地図（標高）のファイル" + std::to_string(summary.readFiles) + "個を読み込みました。\r\n"
           "数値として読めない値が" + std::to_string(summary.oddFields) +
           "個あり、データなしとして扱います。";
}

namespace {

enum class NoFilesChoice { Cancel, AnotherFolder, CreateData };

// The failure of a block without a single file and what the user makes of it.
NoFilesChoice askAboutNoFiles(const AppState& state, Dialogs& dialogs, bool canCreate) {
    const bool folderChoice = state.demMedia == 1;
    const NoMeshFilesOffer offer = canCreate
        ? (folderChoice ? NoMeshFilesOffer::CreateDataOrAnotherFolder : NoMeshFilesOffer::CreateData)
        : (folderChoice ? NoMeshFilesOffer::AnotherFolder : NoMeshFilesOffer::Nothing);
    const Buttons buttons = offer == NoMeshFilesOffer::Nothing                     ? Buttons::Ok
                            : offer == NoMeshFilesOffer::CreateDataOrAnotherFolder ? Buttons::YesNoCancel
                                                                                   : Buttons::YesNo;
    const Answer answer = dialogs.message(noMeshFilesMessage(state.demFolder, firstMeshFile(state), offer),
                                          kElevationLoadTitle, buttons,
                                          canCreate ? Icon::Question : Icon::Warning);
    if (answer == Answer::Yes) return canCreate ? NoFilesChoice::CreateData : NoFilesChoice::AnotherFolder;
    if (answer == Answer::No && offer == NoMeshFilesOffer::CreateDataOrAnotherFolder)
        return NoFilesChoice::AnotherFolder;
    return NoFilesChoice::Cancel;
}

}  // namespace

std::optional<ElevationLoadSummary> loadElevationBlock(AppState& state, StartMenuModel& menu,
                                                       Dialogs& dialogs,
                                                       const fs::path& suggestedFolder,
                                                       const DemCreationWindow& createData) {
    // 1. The user has the data ready?
    if (state.demMedia == 0 || state.demMedia == 1) {
        const Answer answer = dialogs.message(dataQuestion(state.demMedia), "数値地図の準備確認",
                                              Buttons::OkCancel, Icon::Question);
        if (answer != Answer::Ok) return std::nullopt;
    }

    // 3. Level 1, empty status line.
    state.currentLevel = 1;
    menu.status.clear();
    menu.notify();

    // A cancel leaves the data source as it was before the load.
    const std::string folderBefore = state.demFolder;
    const int16_t mediaBefore = state.demMedia;
    const auto cancel = [&]() -> std::optional<ElevationLoadSummary> {
        state.demFolder = folderBefore;
        state.demMedia = mediaBefore;
        return std::nullopt;
    };
    fs::path pickerStart = suggestedFolder;
    bool pickFolder = state.demMedia == 1;
    for (;;) {
        // 4. The hard-disk folder, asked at every load (not after the data was made for it).
        if (pickFolder) {
            const std::string folder =
                cleanFolder(dialogs.pickFolder("数値地図のフォルダを選択してください", pickerStart.string()));
            if (folder.empty()) return cancel();
            state.demFolder = folder;
        }

        // 5-8.
        const ElevationLoadSummary summary = readBlock(state, menu, dialogs);
        if (summary.readFiles > 0 || (state.demMedia != 0 && state.demMedia != 1)) {
            if (summary.oddFields > 0)
                dialogs.message(oddFieldsMessage(summary), kElevationLoadTitle, Buttons::Ok,
                                Icon::Information);
            return summary;
        }

        // Not one file of the block: a wrong folder or disc, not the sea.
        switch (askAboutNoFiles(state, dialogs, static_cast<bool>(createData))) {
            case NoFilesChoice::Cancel:
                return cancel();
            case NoFilesChoice::AnotherFolder:
                // The picker starts beside the folder that held nothing.
                pickerStart = fs::path(state.demFolder).parent_path();
                pickFolder = true;
                break;
            case NoFilesChoice::CreateData: {
                const std::optional<std::string> folder = createElevationData(state, createData);
                if (!folder) return cancel();
                state.demFolder = *folder;
                state.demMedia = 1;
                pickFolder = false;
                break;
            }
        }
    }
}

}  // namespace orv
