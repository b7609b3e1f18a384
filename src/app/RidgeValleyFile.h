#pragma once
// The ridge/valley file PlanName.RVD: one line per traced point, "latitude longitude kind".
#include "app/StartMenuModel.h"
#include "core/TextFile.h"
#include "state/AppState.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr const char* kRidgeValleySaveText = "谷・尾根作図データ保存中";
inline constexpr const char* kRidgeValleyLoadText = "谷・尾根データ読込中";

std::string ridgeValleyLine(const RidgeValleyPoint& point);

// A point from its line: the latitude is the text before the first blank, the longitude the
// next token, the kind the rounded number after it (tokens trimmed, so extra blanks are
// harmless). Nothing when the line lacks one of the three or they are not numbers.
std::optional<RidgeValleyPoint> parseRidgeValleyLine(std::string_view line);

// Progress of the save at entry i of `count`: round(i / (count − 1) × 200), 200 for one point.
int ridgeValleySaveProgress(int i, int count);

// The file's lines for entries 0..ridgeValleyCount − 1; `progress` gets each entry's value.
std::vector<std::string> ridgeValleyFileLines(const AppState& state,
                                              const std::function<void(int)>& progress = {});

struct RidgeValleyLoad {
    bool found = false;                  // the file existed
    FileError error = FileError::None;   // why an existing file was not read
    int skippedLines = 0;                // broken lines left out
    bool truncated = false;              // lines beyond the table's 4001 points left out
    bool lossless = true;
};

// ReadRidvFile: loads dataFolder/planName.RVD, with progress on the start menu's strip. No
// file, or one that cannot be read, changes nothing. Otherwise the points replace the table
// (up to its size), ridgeValleyPresent = -1, ridgeValleyLoaded = ridgeValleyCount and the
// lines are shown.
RidgeValleyLoad ReadRidvFile(AppState& state, StartMenuModel& menu);

// What the user should be told about a load, or "" when it went as expected.
std::string ridgeValleyLoadMessage(const RidgeValleyLoad& load, const std::string& fileName);

}  // namespace orv
