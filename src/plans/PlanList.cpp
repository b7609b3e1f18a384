#include "plans/PlanList.h"

#include "core/Blanks.h"
#include "core/Cp932.h"
#include "core/LineReader.h"

namespace orv {

namespace {

constexpr int kPaddedNameWidth = 35;

// The parts are trimmed at spaces only: a tab belongs to the name or the date.
std::string_view trimBlanks(std::string_view s) { return orv::trimBlanks(s, kSpaces); }

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

Result<PlanList> readPlanList(const std::filesystem::path& file) {
    std::string bytes;
    const FileError error = readBytes(file, bytes, kMaxPlanListBytes);
    if (error == FileError::NotFound) return PlanList{};
    if (const auto problem = problemOf(error, file.string())) return *problem;
    return parsePlanList(bytes);
}

PlanList parsePlanList(std::string_view bytes) {
    PlanList list;
    LineReader lines(bytes, LineEncoding::Cp932);
    size_t parsedEnd = 0;
    while (list.entries.size() < kMaxListedPlans + kPlanListExtraEntries && lines.next()) {
        parsedEnd = lines.offset();
        // The blank byte never occurs inside a CP932 character, so the raw line can be split
        // before it is converted. Leading blanks are dropped so they do not make an empty name.
        const std::string_view line = trimBlanks(lines.bytes());
        if (line.empty()) continue;
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
    // What follows is kept as it is, without its blank lines' meaning being looked at.
    if (parsedEnd < bytes.size() && list.entries.size() == kMaxListedPlans + kPlanListExtraEntries) {
        std::string_view tail = bytes.substr(parsedEnd);
        while (!tail.empty() && (tail.front() == '\r' || tail.front() == '\n')) tail.remove_prefix(1);
        list.unreadTail = tail;
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
    bytes += list.unreadTail;
    if (!list.unreadTail.empty() && !list.unreadTail.ends_with('\n') && !list.unreadTail.ends_with('\r'))
        bytes += "\r\n";
    return bytes;
}

FileError writePlanList(const std::filesystem::path& file, const PlanList& list) {
    const std::string bytes = planListBytes(list);
    if (bytes.size() > kMaxPlanListBytes) return FileError::TooLarge;
    return writeBytesAtomic(file, bytes);
}

std::string planListTabLine(const PlanEntry& entry) { return entry.name + "\t" + entry.rest; }

std::string planListPaddedLine(const PlanEntry& entry) {
    std::string line = entry.name;
    const int width = displayWidth(entry.name);
    if (width < kPaddedNameWidth) line.append(static_cast<size_t>(kPaddedNameWidth - width), ' ');
    return line + entry.rest;
}

}  // namespace orv
