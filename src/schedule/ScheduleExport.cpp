#include "schedule/ScheduleExport.h"

#include "core/Cp932.h"
#include "core/NumberText.h"
#include "schedule/ScheduleList.h"

#include <algorithm>
#include <string_view>

namespace orv {
namespace {

constexpr const char* kWriteFailedMessage = "コースタイムを保存できませんでした。";

// Length of the UTF-8 character starting at text[0]; 1 for a byte that starts none.
size_t characterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t n = 1;
    if ((lead & 0xE0u) == 0xC0u) n = 2;
    else if ((lead & 0xF0u) == 0xE0u) n = 3;
    else if ((lead & 0xF8u) == 0xF0u) n = 4;
    if (n > text.size()) return 1;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(text[k]) & 0xC0u) != 0x80u) return 1;
    return n;
}

// The characters of a text as the file will hold them: control characters become blanks and
// characters the code page cannot hold become "?", so that every character's width here is
// its width in the file.
std::vector<std::string> fileCharacters(std::string_view text) {
    std::vector<std::string> characters;
    size_t i = 0;
    while (i < text.size()) {
        const size_t n = characterLength(text.substr(i));
        std::string character(text.substr(i, n));
        i += n;
        const auto first = static_cast<unsigned char>(character[0]);
        if (n == 1 && (first < 0x20 || first == 0x7F)) character = " ";
        else if (n == 1 && first >= 0x80) character = "?";
        else if (n > 1 && !representableInCp932(character)) character = "?";
        characters.push_back(std::move(character));
    }
    return characters;
}

int fileWidth(std::string_view text) {
    int width = 0;
    for (const std::string& character : fileCharacters(text)) width += displayWidth(character);
    return width;
}

// A fixed run of display columns, blank at first, that texts overwrite in place. A text stops
// at the last column, and a double-width character that would not fit whole is left out; a
// double-width character partly overwritten leaves a blank in its other half.
class ColumnField {
public:
    explicit ColumnField(int columns) : cells_(static_cast<size_t>(std::max(columns, 0))) {}

    // Writes `text` from column `column` (1-based).
    void put(int column, std::string_view text) {
        size_t at = static_cast<size_t>(std::max(column, 1) - 1);
        for (const std::string& character : fileCharacters(text)) {
            const size_t width = static_cast<size_t>(displayWidth(character));
            if (at + width > cells_.size()) return;
            for (size_t c = at; c < at + width; ++c) release(c);
            cells_[at] = Cell{character, static_cast<int>(width)};
            for (size_t c = at + 1; c < at + width; ++c) cells_[c] = Cell{"", 0};
            at += width;
        }
    }

    std::string text() const {
        std::string out;
        for (const Cell& cell : cells_)
            if (cell.width != 0) out += cell.text;
        return out;
    }

private:
    struct Cell {
        std::string text = " ";
        int width = 1;  // 2: first column of a double-width character, 0: its second column
    };

    // Blanks the cell and the other half of a double-width character that covers it.
    void release(size_t c) {
        if (cells_[c].width == 0 && c > 0) cells_[c - 1] = Cell{};
        if (cells_[c].width == 2 && c + 1 < cells_.size()) cells_[c + 1] = Cell{};
        cells_[c] = Cell{};
    }

    std::vector<Cell> cells_;
};

bool hasText(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

std::string exportName(const CourseSegment& entry, int index, int count) {
    return entry.name.empty() ? defaultSegmentName(index, count) : entry.name;
}

}  // namespace

int scheduleExportNameColumns(const AppState& state) {
    const int count = usedSegmentCount(state);
    int widest = kExportNameColumns;
    for (int b = 0; b <= count; ++b)
        widest = std::max(widest, fileWidth(exportName(state.segments[static_cast<size_t>(b)], b, count)));
    return std::min(widest, kExportMaxNameColumns);
}

std::string scheduleExportHeader(int nameColumns) {
    const size_t nameBlanks = static_cast<size_t>(std::max(nameColumns - displayWidth("地点名"), 0));
    return "地点名" + std::string(nameBlanks, ' ') + "標高ｍ" + std::string(4, ' ') + "着発時間" +
           std::string(6, ' ') + "緯度：経度" + std::string(9, ' ') + "歩行距離ｍ" + " ";
}

std::string scheduleExportDataField(const CourseSegment& entry) {
    ColumnField field(kExportDataColumns);
    field.put(1, formatPattern(static_cast<double>(entry.elevation), "###0"));
    field.put(10, entry.arrival + "/" + entry.departure);
    if (hasText(entry.latitude) && hasText(entry.longitude))
        field.put(25, formatPattern(leadingNumber(entry.latitude), "##0.0000") + ":" +
                          formatPattern(leadingNumber(entry.longitude), "##0.0000"));
    field.put(45, formatPattern(static_cast<double>(entry.walkingDistance), "##00.0"));
    return field.text();
}

std::vector<std::string> scheduleExportLines(const AppState& state) {
    const int count = usedSegmentCount(state);
    const int nameColumns = scheduleExportNameColumns(state);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(count) + 3);
    ColumnField plan(fileWidth(state.planName));
    plan.put(1, state.planName);
    lines.push_back(plan.text());
    lines.push_back(scheduleExportHeader(nameColumns));
    for (int b = 0; b <= count; ++b) {
        const CourseSegment& entry = state.segments[static_cast<size_t>(b)];
        ColumnField name(nameColumns);
        name.put(1, exportName(entry, b, count));
        lines.push_back(name.text() + scheduleExportDataField(entry));
    }
    return lines;
}

FileError writeScheduleText(const AppState& state, const std::filesystem::path& path) {
    return writeTextLines(path, scheduleExportLines(state));
}

bool saveSchedule(AppState& state, Dialogs& dialogs) {
    if (usedSegmentCount(state) == 0) {
        dialogs.message(kNoScheduleMessage, kScheduleMessageTitle, Buttons::Ok, Icon::Information);
        return false;
    }
    const auto chosen = dialogs.saveFile(
        kScheduleSaveTitle, kScheduleSaveFilter, kScheduleSaveExtension,
        state.fileFolders.startPath(FileKind::Schedule, state.dataFolder, state.appFolder, state.planName));
    if (!chosen || chosen->empty()) return false;
    if (writeScheduleText(state, std::filesystem::path(*chosen)) != FileError::None) {
        dialogs.message(std::string(kWriteFailedMessage) + "\r\n" + *chosen, kScheduleSaveTitle,
                        Buttons::Ok, Icon::Error);
        return false;
    }
    state.fileFolders.remember(FileKind::Schedule, *chosen);
    return true;
}

}  // namespace orv
