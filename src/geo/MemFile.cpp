#include "geo/MemFile.h"

#include "core/LineReader.h"
#include "core/NumberText.h"
#include "core/TextFile.h"
#include "geo/MeshCode.h"
#include "core/Rounding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace orv {

namespace fs = std::filesystem;

namespace {

constexpr size_t kRecordNumberOffset = 6;  // characters 7-9
constexpr size_t kFirstFieldOffset = 9;    // field k at characters 10 + 5k .. 14 + 5k
constexpr size_t kFieldWidth = 5;

enum class FieldForm { Plain, Odd, NoData };

// The number in one five-character field, in 0.1 m: a sign and digits (blanks around them).
// A number with an exponent, or "inf"/"nan" in any letter case, is no number of a mesh file;
// other text reads as its leading number.
double fieldValue(std::string_view field, FieldForm& form) {
    size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+')) {
        negative = field[i] == '-';
        ++i;
    }
    int value = 0;
    size_t digits = 0;
    while (i < field.size() && field[i] >= '0' && field[i] <= '9') {
        value = value * 10 + (field[i] - '0');
        ++i;
        ++digits;
    }
    size_t rest = i;
    while (rest < field.size() && field[rest] == ' ') ++rest;
    if (rest == field.size() && (digits > 0 || i == field.size())) {
        form = FieldForm::Plain;
        return negative ? -value : value;
    }
    for (size_t k = 0; k < field.size(); ++k) {
        const char c = static_cast<char>(field[k] | 0x20);
        if (c == 'e' || c == 'n' || c == 'i') {
            const std::string_view from = field.substr(k);
            const auto lower = [](std::string_view t, std::string_view word) {
                if (t.size() < word.size()) return false;
                for (size_t j = 0; j < word.size(); ++j)
                    if (static_cast<char>(t[j] | 0x20) != word[j]) return false;
                return true;
            };
            // An exponent follows the digits, or the point after them ("1e9", "1.e9").
            const auto digitAt = [&](size_t j) { return field[j] >= '0' && field[j] <= '9'; };
            const bool exponent = c == 'e' && k > 0 &&
                                  (digitAt(k - 1) || (field[k - 1] == '.' && k > 1 && digitAt(k - 2)));
            if (exponent || lower(from, "nan") || lower(from, "inf")) {
                form = FieldForm::NoData;
                return 0.0;
            }
        }
    }
    form = FieldForm::Odd;
    return leadingNumber(field);
}

int recordNumber(std::string_view line) {
    if (line.size() <= kRecordNumberOffset) return 0;
    const double n = leadingNumber(line.substr(kRecordNumberOffset, 3));
    return roundHalfEven(n);
}

}  // namespace

void fillNoData(ElevationGrid& grid, int firstRow, int firstColumn, int level) {
    for (int n = 0; n < kMeshPoints; ++n)
        for (int k = 0; k < kMeshPoints; ++k)
            grid.set(firstRow + n, firstColumn + k, level, ElevationGrid::kNoData);
}

MeshBlock parseMeshBlock(std::string_view bytes) {
    // The record table: whole lines by record number, so records may arrive in any order.
    std::array<std::string_view, kMeshPoints + 1> records{};
    std::array<bool, kMeshPoints + 1> present{};
    LineReader lines(bytes, LineEncoding::Utf8);
    while (lines.next()) {
        if (lines.number() == 1) continue;  // the header
        const int n = recordNumber(lines.bytes());
        if (n >= 1 && n <= kMeshPoints) {
            records[static_cast<size_t>(n)] = lines.bytes();
            present[static_cast<size_t>(n)] = true;
        }
    }

    MeshBlock block;
    for (int n = 1; n <= kMeshPoints; ++n) {
        float* row = block.metres.data() + static_cast<size_t>(n - 1) * kMeshPoints;
        if (!present[static_cast<size_t>(n)]) {
            std::fill(row, row + kMeshPoints, ElevationGrid::kNoData);
            continue;
        }
        const std::string_view line = records[static_cast<size_t>(n)];
        for (int k = 0; k < kMeshPoints; ++k) {
            const size_t start = kFirstFieldOffset + static_cast<size_t>(k) * kFieldWidth;
            if (start >= line.size()) {
                row[k] = 0.0f;
                continue;
            }
            FieldForm form = FieldForm::Plain;
            const double tenths = fieldValue(line.substr(start, kFieldWidth), form);
            if (form != FieldForm::Plain) ++block.oddFields;
            row[k] = form == FieldForm::NoData ? ElevationGrid::kNoData : static_cast<float>(tenths / 10.0);
        }
    }
    return block;
}

Result<MeshBlock> readMeshBlock(const fs::path& path) {
    std::string bytes;
    if (const auto problem = problemOf(readBytes(path, bytes), path.string())) return *problem;
    return parseMeshBlock(bytes);
}

void placeMeshBlock(const MeshBlock& block, ElevationGrid& grid, int firstRow, int firstColumn,
                    int level) {
    if (!ElevationGrid::inside(firstRow, firstColumn, level) ||
        !ElevationGrid::inside(firstRow + kMeshPoints - 1, firstColumn + kMeshPoints - 1, level))
        return;
    float* data = grid.data();
    for (int n = 0; n < kMeshPoints; ++n) {
        const size_t rowBase = ElevationGrid::index(firstRow + n, firstColumn, level);
        for (int k = 0; k < kMeshPoints; ++k)
            data[rowBase + static_cast<size_t>(k) * ElevationGrid::kColumnStep] = block.at(n, k);
    }
}

void parseMemFile(std::string_view bytes, ElevationGrid& grid, int firstRow, int firstColumn,
                  int level) {
    placeMeshBlock(parseMeshBlock(bytes), grid, firstRow, firstColumn, level);
}

void repeatLastRowAndColumn(ElevationGrid& grid, int level) {
    constexpr int last = ElevationGrid::kRows - 1;  // 600
    for (int i = 0; i < last; ++i) {
        grid.set(last, i, level, grid.get(last - 1, i, level));
        grid.set(i, last, level, grid.get(i, last - 1, level));
    }
    grid.set(last, last, level, grid.get(last - 1, last - 1, level));
}

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The entry of `folder` named `name` regardless of case; the exact name when it exists.
fs::path entryIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    const fs::path exact = folder / name;
    if (fs::exists(exact, ec)) return exact;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (sameIgnoringCase(candidate, name)) return it->path();
    }
    return exact;
}

}  // namespace

fs::path meshFilePath(const fs::path& folder, std::string_view code, bool discLayout) {
    if (!isValidMeshCode(code)) return {};
    const std::string fileName = std::string(code) + ".MEM";
    fs::path base = folder;
    if (discLayout) base = entryIgnoringCase(folder, std::string(code.substr(0, 4)));
    return entryIgnoringCase(base, fileName);
}

}  // namespace orv
