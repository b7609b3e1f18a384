#pragma once
// Reading one 50 m mesh elevation file (".MEM") into its 200 × 200 block of the grid.
// Line 1 is a header; every further line is a record: characters 7-9 the record number
// (1..200, the row from the north), then 200 fields of five characters in 0.1 m.
#include "core/Result.h"
#include "geo/ElevationGrid.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr int kMeshPoints = 200;

// The 200 × 200 elevations of one mesh file, in metres: record N's field k at (N − 1) × 200 + k.
struct MeshBlock {
    std::vector<float> metres = std::vector<float>(static_cast<size_t>(kMeshPoints) * kMeshPoints, 0.0f);
    int oddFields = 0;  // fields that were not a plain signed number of 0.1 m

    float at(int row, int column) const {
        return metres[static_cast<size_t>(row) * kMeshPoints + static_cast<size_t>(column)];
    }
};

// The block of a mesh file's bytes; any bytes give a block. Records may come in any order; a
// later line with the same record number replaces an earlier one; numbers outside 1..200 are
// ignored; a missing record gives no data (-999.9) for its row; a short line gives 0 m for its
// missing fields. A field holds a sign and digits in 0.1 m: a number written with an exponent
// or spelled as infinity or not-a-number ("1e10", "nan") gives no data; other text reads as its
// leading number (0 when none), so no field reads as more than 9999.9 m either way. Every field
// not in the plain form is counted in oddFields.
MeshBlock parseMeshBlock(std::string_view bytes);

// Reads a mesh file. Problems: the file's own (NotFound, NotAFile, CannotRead, TooLarge).
Result<MeshBlock> readMeshBlock(const std::filesystem::path& path);

// Copies the block into rows firstRow..firstRow+199 and columns firstColumn..firstColumn+199
// of `level`; a block that would not fit the grid is not copied.
void placeMeshBlock(const MeshBlock& block, ElevationGrid& grid, int firstRow, int firstColumn,
                    int level);

// parseMeshBlock and placeMeshBlock in one step.
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
// Returns the path as it exists on disk, or the path as built when nothing matches; an empty
// path for a code that is not a valid mesh code (paths are built from checked codes only).
std::filesystem::path meshFilePath(const std::filesystem::path& folder, std::string_view code,
                                   bool discLayout);

}  // namespace orv
