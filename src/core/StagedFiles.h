#pragma once
// Several files replaced as one: each new file is first written completely beside its target,
// and only when every one is written are they renamed over their targets, in staging order.
// The commit is all-or-nothing: it stops at the first rename that fails and puts back every
// target it had already replaced. A save that fails while writing leaves every target as it was.
#include "core/Result.h"
#include "core/TextFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

// What a staged file's name gets beside its target, and what the old target is kept as while
// the commit runs.
inline constexpr std::string_view kStagingSuffix = ".orvnew";
inline constexpr std::string_view kBackupSuffix = ".orvold";

// The most bytes a save adds to a target's file name: the staged file's own temporary name.
inline constexpr size_t kLongestTemporarySuffixBytes = kStagingSuffix.size() + kAtomicWriteSuffix.size();

class StagedFiles {
public:
    StagedFiles() = default;
    ~StagedFiles();  // removes whatever was staged and not committed
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Writes the bytes beside `target`.
    FileError stage(const std::filesystem::path& target, std::string_view bytes);
    // Writes the lines beside `target` as CP932 with CR LF after every line.
    FileError stageLines(const std::filesystem::path& target, const std::vector<std::string>& lines);

    // Renames every staged file over its target, in staging order. On a failed rename the
    // targets already replaced get their old files back (restored() tells whether that
    // worked) and the rest are not touched.
    FileError commit();

    // After a failed commit: true when every target is as it was before the commit.
    bool restored() const { return restored_; }

    // Where a target's new content waits.
    static std::filesystem::path stagingPath(const std::filesystem::path& target);

private:
    void discard();

    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> staged_;  // staging, target
    bool restored_ = true;
};

// Removes the files an interrupted save left in `folder` (temporary, staged and kept-old files
// of the names above); the targets themselves are always either old or new.
void removeStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace orv
