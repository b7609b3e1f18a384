// The settings file and the settings read from it.
#include "FuzzTargets.h"

#include "app/IniStore.h"
#include "app/Settings.h"

#include <cmath>
#include <memory>

namespace orv::fuzz {

namespace {

bool colourInRange(int16_t part) { return part >= 0 && part <= 255; }

// The settings the drawing and walking-time code rely on are in range.
void checkSettings(const SettingsValues& s, Checks& checks) {
    checks.expect(s.colourSetIndex >= 0 && s.colourSetIndex < kColourSets, "the colour set in use is out of range");
    checks.expect(s.backgroundMethod >= 0 && s.backgroundMethod <= 3, "the background method is out of range");
    checks.expect(s.ridgeLine.width >= 1 && s.ridgeLine.width <= 5 && s.valleyLine.width >= 1 && s.valleyLine.width <= 5,
                  "a line width is out of range");
    for (const auto* line : {&s.ridgeLine, &s.valleyLine})
        checks.expect(colourInRange(line->blue) && colourInRange(line->green) && colourInRange(line->red),
                      "a line colour part is out of range");
    for (const auto& set : s.colourTable)
        for (const ColourBand& band : set)
            checks.expect(colourInRange(band.blue) && colourInRange(band.green) && colourInRange(band.red) &&
                              std::isfinite(band.elevation),
                          "a colour band is out of range");
    for (const float speed : {s.climbSpeed, s.descentSpeed, s.flatSpeed})
        checks.expect(speed > 0 && std::isfinite(speed), "a walking speed is not above 0");
    checks.expect(std::isfinite(s.savedBackgroundLevel), "the background level is not a number");
}

}  // namespace

void fuzzSettings(std::string_view bytes, Checks& checks) {
    const Result<IniStore> read = parseSettingsText(bytes);
    if (!read) {
        const ProblemKind kind = read.problem().kind;
        checks.expect(kind == ProblemKind::WrongEncoding || kind == ProblemKind::TooLarge,
                      "bytes refused for another reason than their encoding or size");
        return;
    }
    // The file the program writes reads back as the same store.
    const std::string text = read->text();
    const Result<IniStore> again = parseSettingsText(text);
    checks.expect(again.ok() && again->text() == text, "a written settings file does not read back as written");

    // The state is large: one serves every run, and loading sets every setting it holds.
    static const std::unique_ptr<AppState> state = makeAppState();
    loadSettings(*state, *read);
    checkSettings(state->settings, checks);

    // Once saved, the settings keep their values through every further save and load (the
    // first save may shorten a number to the digits its field holds).
    const auto saveAndLoad = [&] {
        IniStore saved;
        saveSettings(*state, saved);
        loadSettings(*state, saved);
        return state->settings;
    };
    const SettingsValues once = saveAndLoad();
    const SettingsValues twice = saveAndLoad();
    checks.expect(twice.colourTable == once.colourTable && twice.colourSetIndex == once.colourSetIndex &&
                      twice.climbSpeed == once.climbSpeed && twice.descentSpeed == once.descentSpeed &&
                      twice.flatSpeed == once.flatSpeed && twice.savedBackgroundLevel == once.savedBackgroundLevel &&
                      twice.cdromDriveText == once.cdromDriveText,
                  "settings change each time they are saved");
}

}  // namespace orv::fuzz
