#pragma once
// Reading one 50 m mesh elevation file (".MEM") into its 200 × 200 block of the grid.
// Line 1 is a header; every further line is a record: characters 7-9 the record number
// (1..200, the row from the north), then 200 fields of five characters in 0.1 m.
#include "geo/ElevationGrid.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace orv {

inline constexpr int kMeshPoints = 200;

// Fills rows firstRow..firstRow+199 and columns firstColumn..firstColumn+199 of `level` from
// the bytes of a mesh file. Records may come in any order; a later line with the same record
// number replaces an earlier one; numbers outside 1..200 are ignored; a missing record gives
// no data (-999.9) for its row; a short line gives 0 m for its missing fields; a field that is
// not a number reads as its leading number (0 when none).
void parseMemFile(std::string_view bytes, ElevationGrid& grid, int firstRow, int firstColumn,
                  int level);

// Sets the block to no data (-999.9): the sea, or a missing file.
void fillNoData(ElevationGrid& grid, int firstRow, int firstColumn, int level);

// Row 600 and column 600 of a level lie beyond the nine meshes; the shading and contour rules
// read them as the east and south neighbours of the last cells. Repeating row 599 and column 599
// there keeps the block's edge from showing as a cliff.
void repeatLastRowAndColumn(ElevationGrid& grid, int level);

// The file of a mesh: on the disc folder/<first four digits>/<code>.MEM, in a hard-disk folder
// folder/<code>.MEM. Names are matched without regard to case (533945.mem is found too).
// Returns the path as it exists on disk, or the path as built when nothing matches.
std::filesystem::path meshFilePath(const std::filesystem::path& folder, std::string_view code,
                                   bool discLayout);

}  // namespace orv
