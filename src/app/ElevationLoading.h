#pragma once
// Loading the 3 × 3 block of 50 m mesh files around the centre mesh into level 1 of the
// elevation grid, with the data question, the folder picker, progress and the sea fill.
#include "state/AppState.h"
#include "app/ElevationDataCreation.h"
#include "app/StartMenuModel.h"
#include "platform/Dialogs.h"

#include <filesystem>
#include <optional>

namespace orv {

// Where a slot's mesh sits in the grid and how its edges lie from the centre mesh's
// south-west corner (arc-seconds).
struct MeshSlotPlace {
    int firstRow;
    int firstColumn;
    ArcSeconds northOffset;
    ArcSeconds westOffset;
};
extern const std::array<MeshSlotPlace, 10> meshSlotPlaces;  // slots 1..9

// Fills meshCorners 1..9 from meshCodes and levelCorners level 0 without touching the grid.
// (VmapDataSet)
void setMeshCorners(AppState& state);

// Sets levelCorners level 1 from the centre mesh's south-west corner.
void setLevelOneCorners(AppState& state, ArcSeconds centreSouth, ArcSeconds centreWest);

// What a load found: files read, slots left as sea (no file, an unreadable one, or a code that
// names no mesh), and fields of the read files that were not plain numbers.
struct ElevationLoadSummary {
    int readFiles = 0;
    int missingFiles = 0;
    int oddFields = 0;
};

// Title of the loader's notes after loading.
inline constexpr const char* kElevationLoadTitle = "数値地図読込";

// What the failure of a block without a single mesh file offers: nothing (a disc), another
// folder (a hard-disk folder), making the block's data ("標高データの作成"), or both.
enum class NoMeshFilesOffer { Nothing, AnotherFolder, CreateData, CreateDataOrAnotherFolder };

// The failure of a block without a single mesh file: the folder and the first file looked for
// (its path under the folder), then the question of the offer.
std::string noMeshFilesMessage(const std::string& folder, const std::string& firstFile,
                               NoMeshFilesOffer offer);

// The note after a load that found fields that were not plain numbers (read as no data).
std::string oddFieldsMessage(const ElevationLoadSummary& summary);

// The loader. Reads meshCodes 1..9, demMedia, demFolder (disc) and levelCorners level 0;
// writes grid level 1, meshCorners 1..9, levelCorners level 1 and currentLevel. Files are
// looked for only under codes that are valid mesh codes. Nothing when the user cancelled the
// data question or the folder picker. `suggestedFolder` is where the folder picker starts (the
// bundled sample data).
// Some files missing is the sea at the survey's coast and says nothing; a disc or folder
// without any of the nine files is a failure: it is said, naming the folder and the first
// file. With `createData` (the "標高データの作成" window) the user may make the block's data
// there: the window opens over the block's centre mesh, and the folder it wrote the meshes to
// is read at once and becomes the hard-disk data folder (demMedia 1). For a hard-disk folder
// the user may also choose another one. Declining, or closing the window without meshes
// written, ends the load as a cancel with demFolder and demMedia as they were before it.
// (Read50mFile)
std::optional<ElevationLoadSummary> loadElevationBlock(
    AppState& state, StartMenuModel& menu, Dialogs& dialogs,
    const std::filesystem::path& suggestedFolder = {}, const DemCreationWindow& createData = {});

}  // namespace orv
