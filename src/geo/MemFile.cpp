#include "geo/MemFile.h"

#include "core/NumberText.h"
#include "core/Rounding.h"

#include <array>
#include <cctype>
#include <system_error>

namespace orv {

namespace fs = std::filesystem;

namespace {

constexpr size_t kRecordNumberOffset = 6;  // characters 7-9
constexpr size_t kFirstFieldOffset = 9;    // field k at characters 10 + 5k .. 14 + 5k
constexpr size_t kFieldWidth = 5;

// The number in one five-character field, in 0.1 m. Plain integers (the normal case) are read
// directly; anything else goes through the general leading-number rule.
double fieldValue(std::string_view field) {
    size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    bool negative = false;
    if (i < field.size() && field[i] == '-') {
        negative = true;
        ++i;
    }
    int value = 0;
    size_t digits = 0;
    while (i < field.size() && field[i] >= '0' && field[i] <= '9') {
        value = value * 10 + (field[i] - '0');
        ++i;
        ++digits;
    }
    if (i == field.size() || (digits > 0 && field[i] == ' '))
        return negative ? -value : value;
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

void parseMemFile(std::string_view bytes, ElevationGrid& grid, int firstRow, int firstColumn,
                  int level) {
    // The record table: whole lines by record number, so records may arrive in any order.
    std::array<std::string_view, kMeshPoints + 1> records{};
    std::array<bool, kMeshPoints + 1> present{};

    size_t pos = 0;
    bool header = true;
    while (pos < bytes.size()) {
        size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        const std::string_view line = bytes.substr(pos, end - pos);
        if (end < bytes.size()) {
            if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
            ++end;
        }
        pos = end;
        if (header) {
            header = false;
            continue;
        }
        const int n = recordNumber(line);
        if (n >= 1 && n <= kMeshPoints) {
            records[static_cast<size_t>(n)] = line;
            present[static_cast<size_t>(n)] = true;
        }
    }

    if (!ElevationGrid::inside(firstRow, firstColumn, level) ||
        !ElevationGrid::inside(firstRow + kMeshPoints - 1, firstColumn + kMeshPoints - 1, level))
        return;
    float* data = grid.data();
    for (int n = 1; n <= kMeshPoints; ++n) {
        const size_t rowBase = ElevationGrid::index(firstRow + n - 1, firstColumn, level);
        if (!present[static_cast<size_t>(n)]) {
            for (int k = 0; k < kMeshPoints; ++k)
                data[rowBase + static_cast<size_t>(k) * ElevationGrid::kLevels] = ElevationGrid::kNoData;
            continue;
        }
        const std::string_view line = records[static_cast<size_t>(n)];
        for (int k = 0; k < kMeshPoints; ++k) {
            const size_t start = kFirstFieldOffset + static_cast<size_t>(k) * kFieldWidth;
            double tenths = 0.0;
            if (start < line.size()) tenths = fieldValue(line.substr(start, kFieldWidth));
            data[rowBase + static_cast<size_t>(k) * ElevationGrid::kLevels] =
                static_cast<float>(tenths / 10.0);
        }
    }
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
    const std::string fileName = std::string(code) + ".MEM";
    fs::path base = folder;
    if (discLayout) base = entryIgnoringCase(folder, std::string(code.substr(0, 4)));
    return entryIgnoringCase(base, fileName);
}

}  // namespace orv
