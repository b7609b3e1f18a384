#pragma once
// The destination search: the mountains of the table whose names contain a text, within all of
// Japan or within the part shown by the start menu's overview map, as aligned list rows.
#include "geo/Angles.h"
#include "state/AppState.h"
#include "state/MountainRecord.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr const char* kSearchingText = "検索中.....";

// The search options: 0 within the overview map's range, 1 all of Japan.
enum class SearchArea : int16_t { DisplayedRange = 0, AllJapan = 1 };

// The overview map's range as its labels, indexed by Corner: kSouth = the fifth latitude label,
// kNorth = the first, kWest = the first longitude label, kEast = the eighth.
using OverviewRange = std::array<DmsText, 4>;

// Widths of the list columns: name and sheet text in display columns, the others in characters.
inline constexpr int kNameColumnWidth = 19;
inline constexpr size_t kElevationColumnChars = 9;
inline constexpr int kSheetColumnWidth = 33;
inline constexpr size_t kPositionColumnChars = 12;

struct MountainSearchResult {
    std::vector<std::string> rows;
    std::vector<int> records;  // record number of each row
    std::string status;        // count + " 山が見つかりました。"
};

// The text followed by blanks up to `width` display columns (unchanged when as wide or wider).
std::string padToDisplayWidth(std::string text, int width);

// The first-level sheet of a position: the code floor(a / 2400) followed by floor(b / 3600) - 100,
// then two blanks and the sheet name when the code is one of regionTable, else the code alone.
std::string firstLevelSheetText(ArcSeconds latitude, ArcSeconds longitude);

// The list row of one mountain: name, elevation, sheet text, latitude and longitude columns.
std::string mountainListRow(const MountainRecord& record);

// The column titles over the list rows, each starting in its column: 山名, 標高, 図葉, 緯度, 経度.
std::string mountainListHeader();

std::string searchStatusText(size_t matches);

// Records 1..mountainCount in order that lie strictly inside the range (in arc-seconds) and whose
// names contain `text` (every name contains the empty text).
MountainSearchResult searchMountains(const AppState& state, std::string_view text,
                                     SearchArea area, const OverviewRange& overview);

// The status of a search of the displayed range that found nothing, widened to all of Japan.
std::string widenedSearchStatusText(size_t matches);

// The search of the dialog's "検索": a search of the displayed range that finds nothing is
// made over all of Japan in the same step (a new user's overview rarely shows the mountain),
// and `area` tells where the rows were found.
struct DestinationSearch {
    MountainSearchResult result;
    SearchArea area = SearchArea::DisplayedRange;
};
DestinationSearch searchDestinationMountains(const AppState& state, std::string_view text,
                                             SearchArea area, const OverviewRange& overview);

}  // namespace orv
