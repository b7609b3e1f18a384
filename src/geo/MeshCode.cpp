#include "geo/MeshCode.h"

#include "core/NumberText.h"
#include "core/Rounding.h"

#include <cstdint>
#include <string>

namespace orv {

namespace {

constexpr int32_t kMeshHeight = 300;       // arc-seconds of latitude of a secondary mesh
constexpr int32_t kMeshWidth = 450;        // arc-seconds of longitude of a secondary mesh
constexpr int32_t kFirstLevelHeight = 2400;  // 40′
constexpr int32_t kFirstLevelWidth = 3600;   // 1°

// The fields of a code ppqqrc, each read as the number its characters start with. A code
// shorter than six characters reads its missing characters as "0"; characters after the
// sixth are ignored, so a malformed code never reads outside its text.
struct MeshFields {
    int64_t pp = 0;
    int64_t qq = 0;
    int64_t r = 0;
    int64_t c = 0;

    // The code's numeric value; for a code of six digits this is the code read as a number.
    int64_t value() const { return pp * 10000 + qq * 100 + r * 10 + c; }
};

int64_t fieldNumber(const std::string& padded, size_t position, size_t length) {
    return floorToInt(leadingNumber(std::string_view(padded).substr(position, length)));
}

MeshFields readCode(std::string_view code) {
    std::string padded(code.substr(0, 6));
    padded.resize(6, '0');
    return {fieldNumber(padded, 0, 2), fieldNumber(padded, 2, 2), fieldNumber(padded, 4, 1),
            fieldNumber(padded, 5, 1)};
}

ArcSeconds clampToArcSeconds(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<ArcSeconds>(v);
}

// Decimal text of a code value, padded on the left with zeros to six digits.
MeshCode codeText(int64_t k) {
    std::string text = integerText(k);
    if (k >= 0 && text.size() < 6) text.insert(0, 6 - text.size(), '0');
    return text;
}

// Decimal text of a first-level field, padded to two digits.
std::string twoDigits(int64_t v) {
    std::string text = integerText(v);
    if (v >= 0 && text.size() < 2) text.insert(0, 1, '0');
    return text;
}

}  // namespace

bool isValidMeshCode(std::string_view code) {
    if (code.size() != 6) return false;
    for (char c : code)
        if (c < '0' || c > '9') return false;
    return code[4] <= '7' && code[5] <= '7';
}

DmsText meshSouthLatitude(std::string_view code) {
    const MeshFields f = readCode(code);
    return secondsToDms(clampToArcSeconds(f.pp * kFirstLevelHeight + f.r * kMeshHeight));
}

DmsText meshWestLongitude(std::string_view code) {
    const MeshFields f = readCode(code);
    return secondsToDms(clampToArcSeconds((f.qq + 100) * kFirstLevelWidth + f.c * kMeshWidth));
}

// The first-level mesh comes from whole 40′ / 1° steps of the point, the row and column from
// whole 5′ / 7.5′ steps above its south-west corner, so a point on an edge lies in the mesh
// north or east of it. The corner pp × 2400″, (qq + 100) × 3600″ is the same as reading the
// corner texts of code ppqq00 back into arc-seconds. Points south of 6°40′ or outside
// 100°..199° of longitude have no two-digit first-level code; their code keeps the longer or
// negative number texts ("-5" for 95°) and is no six-digit code.
MeshCode meshOfPoint(std::string_view latitude, std::string_view longitude) {
    const int64_t a = dmsToSeconds(latitude);
    const int64_t b = dmsToSeconds(longitude);
    const int64_t pp = a / kFirstLevelHeight;  // a, b are never negative
    const int64_t qq = b / kFirstLevelWidth - 100;
    const int64_t a0 = pp * kFirstLevelHeight;
    const int64_t b0 = (qq + 100) * kFirstLevelWidth;
    const int64_t r = (a - a0) / kMeshHeight;  // 0..7
    const int64_t c = (b - b0) / kMeshWidth;   // 0..7
    return twoDigits(pp) + twoDigits(qq) + integerText(r) + integerText(c);
}

// Steps across a first-level edge jump over the rest of the code: east of column 7 is column 0
// of the next first-level mesh (+100 − 7), north of row 7 is row 0 of the next one north
// (+10000 − 70). The result is written with six digits.
MeshCode meshStep(std::string_view code, Direction direction) {
    const MeshFields f = readCode(code);
    const int64_t k = f.value();
    switch (direction) {
        case Direction::East: return codeText(f.c + 1 > 7 ? k + 93 : k + 1);
        case Direction::West: return codeText(f.c - 1 < 0 ? k - 93 : k - 1);
        case Direction::North: return codeText(f.r + 1 > 7 ? k + 9930 : k + 10);
        case Direction::South: return codeText(f.r - 1 < 0 ? k - 9930 : k - 10);
    }
    return codeText(k);
}

std::array<MeshCode, 10> meshNeighbours(std::string_view centre) {
    std::array<MeshCode, 10> slots;
    slots[5] = MeshCode(centre);
    slots[6] = meshStep(slots[5], Direction::East);
    slots[8] = meshStep(slots[5], Direction::South);
    slots[2] = meshStep(slots[5], Direction::North);
    slots[4] = meshStep(slots[5], Direction::West);
    slots[1] = meshStep(slots[4], Direction::North);
    slots[7] = meshStep(slots[4], Direction::South);
    slots[3] = meshStep(slots[6], Direction::North);
    slots[9] = meshStep(slots[6], Direction::South);
    return slots;
}

}  // namespace orv
