#include "core/StagedFiles.h"

#include "core/Cp932.h"

#include <system_error>

namespace orv {

namespace fs = std::filesystem;

namespace {

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

struct Replaced {
    fs::path target;
    fs::path backup;
    bool hadOld = false;
};

}  // namespace

StagedFiles::~StagedFiles() { discard(); }

fs::path StagedFiles::stagingPath(const fs::path& target) { return withSuffix(target, kStagingSuffix); }

FileError StagedFiles::stage(const fs::path& target, std::string_view bytes) {
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
    std::vector<Replaced> done;
    bool failed = false;
    for (const auto& [staging, target] : staged_) {
        std::error_code ec;
        Replaced replaced{target, withSuffix(target, kBackupSuffix), fs::is_regular_file(target, ec)};
        if (replaced.hadOld && !keepOld(target, replaced.backup)) {
            failed = true;
            break;
        }
        fs::rename(staging, target, ec);
        if (ec) {
            fs::remove(replaced.backup, ec);
            failed = true;
            break;
        }
        done.push_back(std::move(replaced));
    }

    restored_ = true;
    if (failed) {
        // Back to the old files, newest first; a target that was new goes away again.
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            std::error_code ec;
            if (it->hadOld) fs::rename(it->backup, it->target, ec);
            else fs::remove(it->target, ec);
            if (ec) restored_ = false;
        }
    }
    for (const Replaced& replaced : done) {
        std::error_code ec;
        fs::remove(replaced.backup, ec);
    }
    discard();
    return failed ? FileError::CannotWrite : FileError::None;
}

void StagedFiles::discard() {
    for (const auto& entry : staged_) {
        std::error_code ec;
        fs::remove(entry.first, ec);
    }
    staged_.clear();
}

void removeStaleTemporaryFiles(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const bool temporary = name.ends_with(kAtomicWriteSuffix) || name.ends_with(kStagingSuffix) ||
                               name.ends_with(kBackupSuffix);
        std::error_code typeError;
        if (temporary && it->is_regular_file(typeError)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

}  // namespace orv
