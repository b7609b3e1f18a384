#pragma once
// Several files replaced as one: each new file is first written completely beside its target,
// and only when every one is written are they renamed over their targets, in staging order.
// The commit is all-or-nothing: it stops at the first rename that fails and puts back every
// target it had already replaced. A save that fails while writing leaves every target as it was.
//
// On disk, between the last staged file and the first rename, a journal beside the targets
// lists the set ("forward": every new file is complete). While it is there the old targets are
// kept as ".orvold" copies; they go only after the whole new set is in place, and the journal
// last. A commit whose putting back fails turns the journal round ("back": what still has to
// be restored or removed) and keeps the old copies it names. So a save cut off at any point,
// by a failure or by the end of the process, is finished or undone by finishInterruptedSaves
// at the next start, and no old file is lost before its new one is in place.
#include "core/Result.h"
#include "core/TextFile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

// What a staged file's name gets beside its target, what the old target is kept as while
// the commit runs, and what the journal of a set is called beside its first target.
inline constexpr std::string_view kStagingSuffix = ".orvnew";
inline constexpr std::string_view kBackupSuffix = ".orvold";
inline constexpr std::string_view kJournalSuffix = ".orvjnl";

// The most bytes a save adds to a target's file name: the staged file's own temporary name
// (the journal's temporary name is no longer).
inline constexpr size_t kLongestTemporarySuffixBytes = kStagingSuffix.size() + kAtomicWriteSuffix.size();
static_assert(kJournalSuffix.size() <= kStagingSuffix.size());

class StagedFiles {
public:
    // Renames `from` over `to`; true when it did.
    using RenameFile = std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)>;

    StagedFiles() = default;
    // Every rename the commit makes (the new files over the targets, the old ones back) goes
    // through `rename`: tests make one fail or end the process there.
    explicit StagedFiles(RenameFile rename);
    ~StagedFiles();  // removes whatever was staged and not committed
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Writes the bytes beside `target`. Every target of a set lies in the folder of the first
    // (the journal's folder); one elsewhere is refused with CannotWrite, and so is a name the
    // journal cannot list (with a line break in it).
    FileError stage(const std::filesystem::path& target, std::string_view bytes);
    // Writes the lines beside `target` as CP932 with CR LF after every line.
    FileError stageLines(const std::filesystem::path& target, const std::vector<std::string>& lines);

    // Renames every staged file over its target, in staging order. On a failed rename the
    // targets already replaced get their old files back (restored() tells whether that
    // worked) and the rest are not touched. When they could not all be put back, the journal
    // and the old copies stay for the next start to finish the putting back (or, when not even
    // the way back could be recorded, the staged files stay for it to finish the save).
    FileError commit();

    // After a failed commit: true when every target is as it was before the commit.
    bool restored() const { return restored_; }

    // Where a target's new content waits.
    static std::filesystem::path stagingPath(const std::filesystem::path& target);

private:
    void discard();
    bool rename(const std::filesystem::path& from, const std::filesystem::path& to) const;

    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> staged_;  // staging, target
    RenameFile rename_;
    bool restored_ = true;
};

// What the start did with one save that an earlier run left unfinished.
struct InterruptedSave {
    enum class Outcome {
        Completed,   // the whole new set was there: its files were put in place
        RolledBack,  // the new set was not complete (or the save was being undone): the old
                     // files are back and the new ones gone
        Failed,      // it could not be finished either way: its files were left as they are
    };
    Outcome outcome = Outcome::Completed;
    std::vector<std::string> files;  // the targets' file names (for Failed on a journal that
                                     // cannot be read: the journal's own name)
};

// Finishes the saves an interrupted run left in `folder`: a set with its journal is rolled
// forward (or back, as its journal says), new files of a set without one are removed. Then
// removes the remaining temporary, staged and kept-old files of the names above, except
// those of a save that could not be finished. Returns what was done, one entry per save.
std::vector<InterruptedSave> finishInterruptedSaves(const std::filesystem::path& folder);

// The same without the account of it.
void removeStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace orv
