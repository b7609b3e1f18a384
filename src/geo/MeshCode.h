#pragma once
// Secondary mesh codes ppqqrc: first-level mesh pp (latitude, 40′ each) and qq (longitude - 100°),
// row r (0..7, 5′ each, from the south) and column c (0..7, 7.5′ each, from the west).
#include "geo/Angles.h"

#include <array>
#include <string>
#include <string_view>

namespace orv {

using MeshCode = std::string;

enum class Direction { West, East, North, South };

// Codes are read field by field (pp, qq, r, c), each field as the number its characters start
// with; missing characters of a short code read as "0" and characters after the sixth are
// ignored.

// True for a secondary mesh code as files and fields must hold it: six digits ppqqrc with the
// row r and the column c in 0..7. Every code read from a file or typed into a field is checked
// with this where it enters, and paths are only built from codes that pass.
bool isValidMeshCode(std::string_view code);

// South edge and west edge of the mesh, as angle texts.
DmsText meshSouthLatitude(std::string_view code);
DmsText meshWestLongitude(std::string_view code);

// The mesh containing the point; a point on an edge lies in the mesh north or east of it.
MeshCode meshOfPoint(std::string_view latitude, std::string_view longitude);

// The adjacent mesh in `direction`, crossing into the next first-level mesh where needed,
// written with six digits.
MeshCode meshStep(std::string_view code, Direction direction);

// Slots 1..9 = north-west, north, north-east, west, centre, east, south-west, south, south-east;
// slot 0 is empty.
std::array<MeshCode, 10> meshNeighbours(std::string_view centre);

}  // namespace orv
