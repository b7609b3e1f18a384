#include "names/MountainSearch.h"

#include "core/Cp932.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace orv {

namespace {

constexpr std::string_view kPositionPattern = "##0.00000";

// Floor division of a non-negative or negative count by a positive divisor.
int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// A field of exactly `chars` characters holding the text from its first character: cut after
// `chars` characters, or filled up with blanks.
std::string fixedField(std::string_view text, size_t chars) {
    size_t count = 0;
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) {  // a character starts here
            if (count == chars) break;
            ++count;
        }
        ++i;
    }
    std::string field(text.substr(0, i));
    field.append(chars - count, ' ');
    return field;
}

}  // namespace

std::string padToDisplayWidth(std::string text, int width) {
    const int have = displayWidth(text);
    if (have < width) text.append(static_cast<size_t>(width - have), ' ');
    return text;
}

std::string firstLevelSheetText(ArcSeconds latitude, ArcSeconds longitude) {
    const std::string code = integerText(floorDiv(latitude, 2400)) +
                             integerText(floorDiv(longitude, 3600) - 100);
    // Sheet codes have four digits; a code of another length names no sheet.
    const std::string sheet = code.size() == 4 ? regionSheetName(code) : std::string();
    return sheet.empty() ? code : code + "  " + sheet;
}

namespace {

// The row with the sheet column already made (a search reuses the sheet texts of its rows).
std::string listRow(const MountainRecord& record, const std::string& sheetColumn) {
    std::string row = padToDisplayWidth(record.name, kNameColumnWidth);
    row.reserve(row.size() + 100);
    row += fixedField(record.elevation, kElevationColumnChars);
    row += sheetColumn;
    row += fixedField(formatPattern(leadingNumber(record.latitude), kPositionPattern),
                      kPositionColumnChars);
    row += fixedField(formatPattern(leadingNumber(record.longitude), kPositionPattern),
                      kPositionColumnChars);
    return row;
}

}  // namespace

std::string mountainListRow(const MountainRecord& record) {
    const ArcSeconds a = dmsToSeconds(record.latitude);
    const ArcSeconds b = dmsToSeconds(record.longitude);
    return listRow(record, padToDisplayWidth(firstLevelSheetText(a, b), kSheetColumnWidth));
}

std::string mountainListHeader() {
    return padToDisplayWidth("山名", kNameColumnWidth) +
           padToDisplayWidth("標高", static_cast<int>(kElevationColumnChars)) +
           padToDisplayWidth("図葉", kSheetColumnWidth) +
           padToDisplayWidth("緯度", static_cast<int>(kPositionColumnChars)) + "経度";
}

std::string searchStatusText(size_t matches) {
    return std::to_string(matches) + " 山が見つかりました。";
}

MountainSearchResult searchMountains(const AppState& state, std::string_view text,
                                     SearchArea area, const OverviewRange& overview) {
    ArcSeconds south = 0;
    ArcSeconds north = 0;
    ArcSeconds west = 0;
    ArcSeconds east = 0;
    if (area == SearchArea::AllJapan) {
        south = dmsToSeconds(state.japanBounds.south);
        north = dmsToSeconds(state.japanBounds.north);
        west = dmsToSeconds(state.japanBounds.west);
        east = dmsToSeconds(state.japanBounds.east);
    } else {
        south = dmsToSeconds(overview[kSouth]);
        north = dmsToSeconds(overview[kNorth]);
        west = dmsToSeconds(overview[kWest]);
        east = dmsToSeconds(overview[kEast]);
    }

    MountainSearchResult result;
    // Many mountains share a first-level sheet: its column text is made once per search.
    std::unordered_map<int64_t, std::string> sheetColumns;
    const int count = std::min<int32_t>(std::max<int32_t>(state.mountainCount, 0), kMaxMountains);
    for (int i = 1; i <= count; ++i) {
        const MountainRecord& record = state.mountainTable[static_cast<size_t>(i)];
        const ArcSeconds a = dmsToSeconds(record.latitude);
        const ArcSeconds b = dmsToSeconds(record.longitude);
        if (!(south < a && a < north && west < b && b < east)) continue;
        if (record.name.find(text) == std::string::npos) continue;
        const int64_t sheetKey = floorDiv(a, 2400) * 1000000 + floorDiv(b, 3600);
        auto sheet = sheetColumns.find(sheetKey);
        if (sheet == sheetColumns.end())
            sheet = sheetColumns
                        .emplace(sheetKey, padToDisplayWidth(firstLevelSheetText(a, b),
                                                             kSheetColumnWidth))
                        .first;
        result.records.push_back(i);
        result.rows.push_back(listRow(record, sheet->second));
    }
    result.status = searchStatusText(result.rows.size());
    return result;
}

std::string widenedSearchStatusText(size_t matches) {
    return "表示範囲内には見つかりませんでした。全国では " + std::to_string(matches) +
           " 山が見つかりました。";
}

DestinationSearch searchDestinationMountains(const AppState& state, std::string_view text,
                                             SearchArea area, const OverviewRange& overview) {
    DestinationSearch search{searchMountains(state, text, area, overview), area};
    if (area != SearchArea::DisplayedRange || !search.result.rows.empty()) return search;
    MountainSearchResult all = searchMountains(state, text, SearchArea::AllJapan, overview);
    if (all.rows.empty()) return search;
    all.status = widenedSearchStatusText(all.rows.size());
    return {std::move(all), SearchArea::AllJapan};
}

}  // namespace orv
