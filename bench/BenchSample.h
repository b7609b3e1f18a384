#pragma once
// Shared by the benchmarks: dialogs that answer at once, and the bundled sample block
// (the nine meshes around 幌尻岳) loaded into level 1 as the loader leaves it.
#include "app/ElevationLoading.h"
#include "core/TextFile.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "platform/Dialogs.h"
#include "state/AppState.h"
#include "state/ColourTable.h"

#include <memory>
#include <optional>
#include <string>

namespace orv::bench {

// Answers every question at once: OK, nothing chosen, the suggested folder.
class ReadyDialogs : public Dialogs {
public:
    Answer message(const std::string&, const std::string&, Buttons, Icon) override { return Answer::Ok; }
    std::string input(const std::string&, const std::string&, const std::string&) override { return ""; }
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&,
                                        size_t) override {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<Colour> pickColour(Colour, const std::string&) override { return std::nullopt; }
    std::optional<TextStyle> pickFont(const TextStyle&) override { return std::nullopt; }
    std::string pickFolder(const std::string&, const std::string& initial) override { return initial; }
    void showHelp(const std::string&) override {}
};

inline const std::string kCentre = "644205";
inline const std::string kSampleFolder = std::string(ORVANE_ASSETS) + "/sample/dem";

// The sample block in level 1 with the default colour set, without the loader's dialogs and progress.
inline std::unique_ptr<AppState> loadSample() {
    auto state = makeAppState();
    state->settings.colourTable[0] = kDefaultColourSet;
    state->centreMeshCode = kCentre;
    state->meshCodes = meshNeighbours(kCentre);
    for (int slot = 1; slot <= 9; ++slot) {
        const auto& place = meshSlotPlaces[static_cast<size_t>(slot)];
        std::string text;
        const auto path = meshFilePath(kSampleFolder, state->meshCodes[static_cast<size_t>(slot)], false);
        if (readBytes(path, text) == FileError::None)
            parseMemFile(text, state->elevationGrid, place.firstRow, place.firstColumn, 1);
        else
            fillNoData(state->elevationGrid, place.firstRow, place.firstColumn, 1);
    }
    repeatLastRowAndColumn(state->elevationGrid, 1);
    setLevelOneCorners(*state, dmsToSeconds(meshSouthLatitude(kCentre)),
                       dmsToSeconds(meshWestLongitude(kCentre)));
    state->currentLevel = 1;
    return state;
}

}  // namespace orv::bench
