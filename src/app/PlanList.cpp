#include "app/PlanList.h"

#include "core/Cp932.h"

namespace orv {

namespace {

constexpr int kPaddedNameWidth = 35;

std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// One part of a line as written: the kept bytes while they still read as the text, else the
// text converted.
std::string partBytes(const std::string& text, const std::string& bytes) {
    if (!bytes.empty()) {
        const Cp932Result back = cp932ToUtf8(bytes);
        if (back.text == text) return bytes;
    }
    return utf8ToCp932(text).text;
}

}  // namespace

int PlanList::find(std::string_view name) const {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].name == name) return static_cast<int>(i);
    return -1;
}

PlanEntry makePlanEntry(std::string name, std::string rest) {
    PlanEntry entry;
    entry.name = std::move(name);
    entry.rest = std::move(rest);
    return entry;
}

PlanList readPlanList(const std::filesystem::path& file) {
    PlanList list;
    std::string bytes;
    list.error = readBytes(file, bytes);
    if (list.error != FileError::None) return list;
    const std::string_view all(bytes);
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = all.size();
        // The blank byte never occurs inside a CP932 character, so the raw line can be split
        // before it is converted. Leading blanks are dropped so they do not make an empty name.
        const std::string_view line = trimBlanks(all.substr(pos, end - pos));
        if (!line.empty()) {
            const auto blank = line.find(' ');
            const std::string_view nameBytes = line.substr(0, blank);
            const std::string_view restBytes =
                blank == std::string_view::npos ? std::string_view{} : trimBlanks(line.substr(blank));
            PlanEntry entry;
            Cp932Result name = cp932ToUtf8(nameBytes);
            Cp932Result rest = cp932ToUtf8(restBytes);
            if (!name.lossless || !rest.lossless) list.lossless = false;
            entry.name = std::move(name.text);
            entry.rest = std::move(rest.text);
            entry.nameBytes = nameBytes;
            entry.restBytes = restBytes;
            list.entries.push_back(std::move(entry));
        }
        if (end < all.size() && all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n')
            ++end;
        pos = end + 1;
    }
    return list;
}

std::string planListBytes(const PlanList& list) {
    std::string bytes;
    for (const auto& entry : list.entries) {
        bytes += partBytes(entry.name, entry.nameBytes);
        bytes += ' ';
        bytes += partBytes(entry.rest, entry.restBytes);
        bytes += "\r\n";
    }
    return bytes;
}

FileError writePlanList(const std::filesystem::path& file, const PlanList& list) {
    return writeBytesAtomic(file, planListBytes(list));
}

std::string planListTabLine(const PlanEntry& entry) { return entry.name + "\t" + entry.rest; }

std::string planListPaddedLine(const PlanEntry& entry) {
    std::string line = entry.name;
    const int width = displayWidth(entry.name);
    if (width < kPaddedNameWidth) line.append(static_cast<size_t>(kPaddedNameWidth - width), ' ');
    return line + entry.rest;
}

}  // namespace orv
