#include "app/ElevationDataCreation.h"

#include "geo/MeshCode.h"
#include "terrain/TileSources.h"

namespace orv {

std::string demCreationCentre(const AppState& state) {
    return isValidMeshCode(state.centreMeshCode) ? state.centreMeshCode : std::string();
}

std::string proposedDemFolder(const AppState& state) {
    return state.dataFolder.empty() ? std::string() : (state.dataFolder / "dem").string();
}

std::optional<std::string> createElevationData(AppState& state, const DemCreationWindow& window) {
    if (!window) return std::nullopt;
    std::string& stored = state.settings.tileUrlSetting;
    std::string setting = stored.empty() ? terrain::defaultTileSetting() : stored;
    std::optional<std::string> folder = window(demCreationCentre(state), setting);
    if (terrain::isUsableTileSetting(setting))
        stored = setting == terrain::defaultTileSetting() ? std::string() : setting;
    if (folder && folder->empty()) folder.reset();
    return folder;
}

}  // namespace orv
