#include "core/StagedFiles.h"

#include "core/Cp932.h"

#include <fcntl.h>
#include <optional>
#include <set>
#include <span>
#include <system_error>
#include <unistd.h>

namespace orv {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kJournalHeader = "Orvane staged files";
constexpr std::string_view kForward = "forward";
constexpr std::string_view kBack = "back";
constexpr std::string_view kReplace = "replace";
constexpr std::string_view kRestore = "restore";
constexpr std::string_view kRemove = "remove";
constexpr std::string_view kDrop = "drop";

// A journal is a few short lines; anything much larger is not one of ours.
constexpr size_t kMaxJournalBytes = 64 * 1024;
constexpr size_t kMaxJournalEntries = 1000;

fs::path withSuffix(const fs::path& target, std::string_view suffix) {
    fs::path path = target;
    path += std::string(suffix);
    return path;
}

// A copy of the old target that the commit can put back: a second link to it where the file
// system has links, else a plain copy.
bool keepOld(const fs::path& target, const fs::path& backup) {
    std::error_code ec;
    fs::remove(backup, ec);
    fs::create_hard_link(target, backup, ec);
    if (!ec) return true;
    ec.clear();
    return fs::copy_file(target, backup, fs::copy_options::overwrite_existing, ec) && !ec;
}

bool plainRename(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

bool isRegular(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(path, ec));
}

bool removeFile(const fs::path& path) {
    std::error_code ec;
    fs::remove(path, ec);
    return !ec;
}

// The renames and the journal reach the disk in the order they were made.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    if (::fsync(fd) != 0) {
        // A folder that cannot be synced still holds the files; nothing more can be done.
    }
    ::close(fd);
}

// A name the journal can list and the clean-up may act on: a plain file name of the folder.
bool isJournalName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name)
        if (c == '/' || c == '\n' || c == '\r' || c == '\0') return false;
    return true;
}

struct JournalEntry {
    std::string_view action;
    std::string name;
};

struct Journal {
    bool forward = true;
    std::vector<JournalEntry> entries;
};

std::string journalText(const Journal& journal) {
    std::string text(kJournalHeader);
    text += '\n';
    text += journal.forward ? kForward : kBack;
    text += '\n';
    for (const JournalEntry& entry : journal.entries) {
        text += entry.action;
        text += ' ';
        text += entry.name;
        text += '\n';
    }
    return text;
}

std::optional<Journal> parseJournal(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) return std::nullopt;  // written whole, so never cut off
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (lines.size() < 3 || lines.size() > kMaxJournalEntries + 2 || lines[0] != kJournalHeader) return std::nullopt;
    Journal journal;
    if (lines[1] == kBack) journal.forward = false;
    else if (lines[1] != kForward) return std::nullopt;
    for (size_t i = 2; i < lines.size(); ++i) {
        const size_t blank = lines[i].find(' ');
        if (blank == std::string_view::npos) return std::nullopt;
        const std::string_view action = lines[i].substr(0, blank);
        const std::string_view name = lines[i].substr(blank + 1);
        if (!isJournalName(name)) return std::nullopt;
        static constexpr std::string_view kForwardActions[] = {kReplace};
        static constexpr std::string_view kBackActions[] = {kRestore, kRemove, kDrop};
        std::string_view known;
        for (const std::string_view candidate : journal.forward ? std::span<const std::string_view>(kForwardActions)
                                                                : std::span<const std::string_view>(kBackActions))
            if (action == candidate) known = candidate;
        if (known.empty()) return std::nullopt;
        journal.entries.push_back({known, std::string(name)});
    }
    return journal;
}

FileError writeJournal(const fs::path& path, const Journal& journal) {
    const FileError error = writeBytesAtomic(path, journalText(journal));
    if (error == FileError::None) syncFolder(path.parent_path());
    return error;
}

struct Replaced {
    fs::path target;
    fs::path backup;
    bool hadOld = false;
};

std::vector<std::string> entryNames(const Journal& journal) {
    std::vector<std::string> names;
    for (const JournalEntry& entry : journal.entries) names.push_back(entry.name);
    return names;
}

// Puts the new files of a forward journal in place, then lets the old copies go.
bool rollForward(const fs::path& folder, const Journal& journal) {
    bool ok = true;
    for (const JournalEntry& entry : journal.entries) {
        const fs::path staging = withSuffix(folder / entry.name, kStagingSuffix);
        if (isRegular(staging) && !plainRename(staging, folder / entry.name)) ok = false;
    }
    if (!ok) return false;
    syncFolder(folder);
    for (const JournalEntry& entry : journal.entries) removeFile(withSuffix(folder / entry.name, kBackupSuffix));
    return true;
}

// Brings back the old files a back journal names, removes the new files that had none and the
// staged files that were never put in place.
bool rollBack(const fs::path& folder, const Journal& journal) {
    bool ok = true;
    for (const JournalEntry& entry : journal.entries) {
        const fs::path target = folder / entry.name;
        if (entry.action == kRestore) {
            const fs::path backup = withSuffix(target, kBackupSuffix);
            if (isRegular(backup) && !plainRename(backup, target)) ok = false;
        } else if (entry.action == kRemove) {
            if (isRegular(target) && !removeFile(target)) ok = false;
        } else {
            removeFile(withSuffix(target, kStagingSuffix));
        }
    }
    if (ok) syncFolder(folder);
    return ok;
}

// The target a temporary file of ours stands for ("a.RTD" for "a.RTD.orvnew.orvtmp"), or ""
// when the name is not one.
std::string temporaryTarget(std::string name) {
    if (name.ends_with(kAtomicWriteSuffix)) name.resize(name.size() - kAtomicWriteSuffix.size());
    else if (!name.ends_with(kStagingSuffix) && !name.ends_with(kBackupSuffix)) return {};
    for (const std::string_view suffix : {kStagingSuffix, kBackupSuffix, kJournalSuffix})
        if (name.ends_with(suffix)) return name.substr(0, name.size() - suffix.size());
    return name;
}

}  // namespace

StagedFiles::StagedFiles(RenameFile rename) : rename_(std::move(rename)) {}

StagedFiles::~StagedFiles() { discard(); }

bool StagedFiles::rename(const fs::path& from, const fs::path& to) const {
    return rename_ ? rename_(from, to) : plainRename(from, to);
}

fs::path StagedFiles::stagingPath(const fs::path& target) { return withSuffix(target, kStagingSuffix); }

FileError StagedFiles::stage(const fs::path& target, std::string_view bytes) {
    if (!isJournalName(target.filename().string())) return FileError::CannotWrite;
    if (!staged_.empty() && target.parent_path() != staged_.front().second.parent_path())
        return FileError::CannotWrite;
    const fs::path staging = stagingPath(target);
    const FileError error = writeBytesAtomic(staging, bytes);
    if (error != FileError::None) return error;
    staged_.emplace_back(staging, target);
    return FileError::None;
}

FileError StagedFiles::stageLines(const fs::path& target, const std::vector<std::string>& lines) {
    return stage(target, cp932LinesBytes(lines));
}

FileError StagedFiles::commit() {
    restored_ = true;
    if (staged_.empty()) return FileError::None;

    // Every new file is complete: the journal says so before anything is replaced.
    const fs::path journalPath = withSuffix(staged_.front().second, kJournalSuffix);
    Journal forward;
    for (const auto& entry : staged_) forward.entries.push_back({kReplace, entry.second.filename().string()});
    if (writeJournal(journalPath, forward) != FileError::None) {
        removeFile(withSuffix(journalPath, kAtomicWriteSuffix));
        discard();
        return FileError::CannotWrite;
    }

    std::vector<Replaced> done;
    bool failed = false;
    for (const auto& [staging, target] : staged_) {
        Replaced replaced{target, withSuffix(target, kBackupSuffix), isRegular(target)};
        if (replaced.hadOld && !keepOld(target, replaced.backup)) {
            removeFile(replaced.backup);
            failed = true;
            break;
        }
        if (!rename(staging, target)) {
            removeFile(replaced.backup);
            failed = true;
            break;
        }
        done.push_back(std::move(replaced));
    }

    if (!failed) {
        // The whole new set is in place: only now do the old copies go, and the journal last.
        syncFolder(journalPath.parent_path());
        for (const Replaced& replaced : done) removeFile(replaced.backup);
        removeFile(journalPath);
        staged_.clear();
        return FileError::None;
    }

    if (done.empty()) {
        removeFile(journalPath);
        discard();
        return FileError::CannotWrite;
    }

    // Back to the old files, newest first; a target that was new goes away again. The way back
    // is recorded first, so that it can be finished at the next start.
    Journal back;
    back.forward = false;
    for (auto it = done.rbegin(); it != done.rend(); ++it)
        back.entries.push_back({it->hadOld ? kRestore : kRemove, it->target.filename().string()});
    for (size_t i = done.size(); i < staged_.size(); ++i)
        back.entries.push_back({kDrop, staged_[i].second.filename().string()});
    if (writeJournal(journalPath, back) != FileError::None) {
        // Without a record of the way back the way forward stays open: the journal and every
        // new file wait for the next start to complete the save.
        removeFile(withSuffix(journalPath, kAtomicWriteSuffix));
        restored_ = false;
        staged_.clear();
        return FileError::CannotWrite;
    }
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        const bool putBack = it->hadOld ? rename(it->backup, it->target) : removeFile(it->target);
        if (!putBack) restored_ = false;
    }
    // Restored targets took their old copies back; those that could not be keep theirs, and
    // the journal, for the next start.
    if (restored_) {
        syncFolder(journalPath.parent_path());
        removeFile(journalPath);
    }
    discard();
    return FileError::CannotWrite;
}

void StagedFiles::discard() {
    for (const auto& entry : staged_) removeFile(entry.first);
    staged_.clear();
}

std::vector<InterruptedSave> finishInterruptedSaves(const fs::path& folder) {
    std::vector<InterruptedSave> saves;
    std::set<std::string> unfinished;  // targets of saves left as they are

    // Saves with a journal: finished in the direction it gives.
    std::vector<fs::path> journals;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.ends_with(kJournalSuffix) && isRegular(it->path())) journals.push_back(it->path());
    }
    for (const fs::path& path : journals) {
        std::string bytes;
        const FileError read = readBytes(path, bytes);
        const std::optional<Journal> journal =
            read == FileError::None && bytes.size() <= kMaxJournalBytes ? parseJournal(bytes) : std::nullopt;
        if (!journal) {
            saves.push_back({InterruptedSave::Outcome::Failed, {path.filename().string()}});
            continue;
        }
        const bool ok = journal->forward ? rollForward(folder, *journal) : rollBack(folder, *journal);
        if (ok && removeFile(path)) {
            saves.push_back({journal->forward ? InterruptedSave::Outcome::Completed
                                              : InterruptedSave::Outcome::RolledBack,
                             entryNames(*journal)});
        } else {
            for (const JournalEntry& entry : journal->entries) unfinished.insert(entry.name);
            saves.push_back({InterruptedSave::Outcome::Failed, entryNames(*journal)});
        }
    }

    // Without a journal a save was cut off while its new files were written: its targets were
    // never touched, and the new files go. So do the leftovers of single-file writes.
    std::set<std::string> abandoned;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::string target = temporaryTarget(name);
        if (target.empty() || unfinished.count(target) > 0 || !isRegular(it->path())) continue;
        const bool staged = name.ends_with(kStagingSuffix) ||
                            name.ends_with(std::string(kStagingSuffix) + std::string(kAtomicWriteSuffix));
        if (removeFile(it->path()) && staged) abandoned.insert(target);
    }
    if (!abandoned.empty())
        saves.push_back({InterruptedSave::Outcome::RolledBack, {abandoned.begin(), abandoned.end()}});
    return saves;
}

void removeStaleTemporaryFiles(const fs::path& folder) { finishInterruptedSaves(folder); }

}  // namespace orv
