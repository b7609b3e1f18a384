#pragma once
// The texts the window and orvane-cli show about a block build: problems naming the file (and
// for XML the line), the question before replacing files, and the closing summary.
#include "core/Result.h"
#include "terrain/DemBuild.h"

#include <filesystem>
#include <string>
#include <vector>

namespace orv::terrain {

inline constexpr const char* kDemBuildTitle = "標高データの作成";
inline constexpr const char* kSurveyCredit = "出典：国土地理院";

// "ファイル X の 12 行目: detail" (no line when the problem is not one line).
std::string sourceProblemText(const SourceProblem& problem);

// A problem that stopped the whole build.
std::string buildProblemText(const Problem& problem);

// The question before existing mesh files are replaced.
std::string replaceQuestion(const std::vector<std::filesystem::path>& existing);

// The closing summary in two parts. text: the outcome, then its cause when something went wrong
// (a write that failed, the tile server out of reach, the first source that could not be
// read), meshes written, share of cells with data, the size of the sources' cells, cells from
// a source coarser than the 50 m grid, sea or no-data cells, tiles known missing from the
// cache's record, the credit. details: the meshes
// left unwritten and why, and the further sources' problems (empty when there are none). Lines
// are separated by CR LF, as in every message of the program.
struct DemSummary {
    std::string text;
    std::string details;
};
DemSummary summaryParts(const DemBuildReport& report);

// The whole summary as one text, the details before the credit (for the command line).
std::string summaryText(const DemBuildReport& report);

}  // namespace orv::terrain
