#pragma once
// The plan list "Orvane.LST": one line per saved plan, the plan name, one blank, then the rest
// of the line (the date of the last save). Readers split a line at its first blank and trim
// both parts at spaces. The dialogs show the first kMaxListedPlans; the reader takes apart a
// few entries more (to tell that the list is too long) and keeps the bytes after them as they
// are, so rewriting the list loses no line while a huge list never becomes millions of entries.
#include "core/Result.h"
#include "core/TextFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr size_t kMaxListedPlans = 1000;
// Largest list file that is read; no list larger is written.
inline constexpr std::uintmax_t kMaxPlanListBytes = kMaxTextFileBytes;
// Entries taken apart beyond the listed ones.
inline constexpr size_t kPlanListExtraEntries = 8;

struct PlanEntry {
    std::string name;  // UTF-8, trimmed
    std::string rest;  // UTF-8, trimmed
    // The parts' bytes as they stood in the file. A rewrite writes them back unchanged while
    // name / rest still read as they did, so bytes that are not CP932 survive a rewrite.
    std::string nameBytes;
    std::string restBytes;
};

struct PlanList {
    std::vector<PlanEntry> entries;  // the non-empty lines, in file order, up to
                                     // kMaxListedPlans + kPlanListExtraEntries
    std::string unreadTail;          // the file's bytes after the last entry taken apart
    bool lossless = true;            // false when some bytes were not CP932

    // More entries than the dialogs show.
    bool tooLong() const { return entries.size() > kMaxListedPlans || !unreadTail.empty(); }
    // Entries 1..shownCount are the plans the dialogs list.
    size_t shownCount() const { return entries.size() < kMaxListedPlans ? entries.size() : kMaxListedPlans; }
    // Index of the first entry named `name`, or -1.
    int find(std::string_view name) const;
};

PlanEntry makePlanEntry(std::string name, std::string rest);

// Reads the list file; no file yet is an empty list. Blank lines are skipped. Problems:
// NotAFile, CannotRead, TooLarge.
Result<PlanList> readPlanList(const std::filesystem::path& file);

// The list of a file's bytes (see readPlanList).
PlanList parsePlanList(std::string_view bytes);

// The file's bytes for the entries: name + " " + rest + CR LF per entry, in CP932, followed
// by the unread tail as it was.
std::string planListBytes(const PlanList& list);

// Writes the list atomically; TooLarge, and nothing written, when its bytes would be more
// than kMaxPlanListBytes.
FileError writePlanList(const std::filesystem::path& file, const PlanList& list);

// The list line as the dialogs show it on opening: name, a tab, rest.
std::string planListTabLine(const PlanEntry& entry);

// The list line after a deletion: the name padded with blanks to a display width of 35
// columns, then rest.
std::string planListPaddedLine(const PlanEntry& entry);

}  // namespace orv
