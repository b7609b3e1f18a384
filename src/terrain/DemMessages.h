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

// The closing summary: meshes written, share of cells with data, cells filled from a coarser
// source, sea or no-data cells, meshes left unwritten and why, the sources' problems, the
// credit. Lines are separated by CR LF, as in every message of the program.
std::string summaryText(const DemBuildReport& report);

}  // namespace orv::terrain
