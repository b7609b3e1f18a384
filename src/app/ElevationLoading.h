#pragma once
// Loading the 3 × 3 block of 50 m mesh files around the centre mesh into level 1 of the
// elevation grid, with the data question, the folder picker, progress and the sea fill.
#include "state/AppState.h"
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

// The failure of a block without a single mesh file: the folder and the first file looked for
// (its path under the folder), and for a hard-disk folder the offer to choose another one.
std::string noMeshFilesMessage(const std::string& folder, const std::string& firstFile,
                               bool offerAnotherFolder);

// The note after a load that found fields that were not plain numbers (read as no data).
std::string oddFieldsMessage(const ElevationLoadSummary& summary);

// The loader. Reads meshCodes 1..9, demMedia, demFolder (disc) and levelCorners level 0;
// writes grid level 1, meshCorners 1..9, levelCorners level 1 and currentLevel. Files are
// looked for only under codes that are valid mesh codes. Nothing when the user cancelled the
// data question or the folder picker. `suggestedFolder` is where the folder picker starts (the
// bundled sample data).
// Some files missing is the sea at the survey's coast and says nothing; a disc or folder
// without any of the nine files is a failure: it is said, naming the folder and the first
// file, and for a hard-disk folder the user may choose another one (the folder without mesh
// files is not kept as demFolder); declining ends the load as a cancel. (Read50mFile)
std::optional<ElevationLoadSummary> loadElevationBlock(
    AppState& state, StartMenuModel& menu, Dialogs& dialogs,
    const std::filesystem::path& suggestedFolder = {});

}  // namespace orv
