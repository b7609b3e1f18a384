#pragma once
// The ridge/valley file PlanName.RVD: one line per traced point, "latitude longitude kind".
#include "core/Result.h"
#include "core/TextFile.h"
#include "state/AppState.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Largest ridge/valley file that is read; no larger one is written.
inline constexpr std::uintmax_t kMaxRidgeValleyFileBytes = kMaxTextFileBytes;

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

struct RidgeValleyData {
    std::vector<RidgeValleyPoint> points;  // at most kMaxRidgeValleyPoints
    int skippedLines = 0;                  // broken lines left out
    bool truncated = false;                // lines beyond the table's 4001 points left out
    bool lossless = true;
};

// Reads a ridge/valley file without touching any state, stopping at the table's size.
// `progress` gets round(characters read / file length × 200) after every line. Problems: the
// file's own (NotFound when there is none, NotAFile, CannotRead, TooLarge).
Result<RidgeValleyData> readRidgeValleyData(const std::filesystem::path& file,
                                            const std::function<void(int)>& progress = {});

// The points of a file's bytes; any bytes give points (see readRidgeValleyData).
RidgeValleyData parseRidgeValleyData(std::string_view bytes, const std::function<void(int)>& progress = {});

}  // namespace orv
