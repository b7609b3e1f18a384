#pragma once
// The plan list "Orvane.LST": one line per saved plan, the plan name, one blank, then the rest
// of the line (the date of the last save). Readers split a line at its first blank and trim
// both parts. Every line of the file is kept in memory, so rewriting the list loses none,
// while the dialogs show the first kMaxListedPlans.
#include "core/TextFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr size_t kMaxListedPlans = 1000;

struct PlanEntry {
    std::string name;  // UTF-8, trimmed
    std::string rest;  // UTF-8, trimmed
    // The parts' bytes as they stood in the file. A rewrite writes them back unchanged while
    // name / rest still read as they did, so bytes that are not CP932 survive a rewrite.
    std::string nameBytes;
    std::string restBytes;
};

struct PlanList {
    std::vector<PlanEntry> entries;      // every non-empty line, in file order
    FileError error = FileError::None;   // NotFound: no list yet (an empty list)
    bool lossless = true;                // false when some bytes were not CP932

    // The list could be read, or there is none yet: it may be rewritten.
    bool usable() const { return error == FileError::None || error == FileError::NotFound; }
    // More entries than the dialogs show.
    bool tooLong() const { return entries.size() > kMaxListedPlans; }
    // Entries 1..shownCount are the plans the dialogs list.
    size_t shownCount() const { return entries.size() < kMaxListedPlans ? entries.size() : kMaxListedPlans; }
    // Index of the first entry named `name`, or -1.
    int find(std::string_view name) const;
};

PlanEntry makePlanEntry(std::string name, std::string rest);

// Reads the list file. Blank lines are skipped.
PlanList readPlanList(const std::filesystem::path& file);

// The file's bytes for the entries: name + " " + rest + CR LF per entry, in CP932.
std::string planListBytes(const PlanList& list);

// Writes the list atomically.
FileError writePlanList(const std::filesystem::path& file, const PlanList& list);

// The list line as the dialogs show it on opening: name, a tab, rest.
std::string planListTabLine(const PlanEntry& entry);

// The list line after a deletion: the name padded with blanks to a display width of 35
// columns, then rest.
std::string planListPaddedLine(const PlanEntry& entry);

}  // namespace orv
