#include "names/SearchDestination.h"

#include "geo/MeshCode.h"

namespace orv {

bool confirmSearchAgain(const AppState& state, Dialogs& dialogs) {
    if (!state.mountainConfirmed) return true;
    return dialogs.message(kSearchAgainText, kSearchAgainTitle, Buttons::OkCancel,
                           Icon::Question) == Answer::Ok;
}

bool takeDestination(AppState& state, std::optional<int> picked) {
    const bool valid = state.mountainConfirmed && picked && *picked >= 1 &&
                       *picked <= state.mountainCount && *picked <= kMaxMountains;
    if (!valid) return false;
    state.selectedMountain = static_cast<int16_t>(*picked);
    const MountainRecord& record = state.mountainTable[static_cast<size_t>(*picked)];
    state.centreMeshCode = meshOfPoint(record.latitude, record.longitude);
    return true;
}

}  // namespace orv
