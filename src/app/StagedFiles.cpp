#include "app/StagedFiles.h"

#include "core/Cp932.h"

#include <system_error>

namespace orv {

namespace fs = std::filesystem;

StagedFiles::~StagedFiles() { discard(); }

fs::path StagedFiles::stagingPath(const fs::path& target) {
    fs::path staging = target;
    staging += ".orvnew";
    return staging;
}

FileError StagedFiles::stage(const fs::path& target, std::string_view bytes) {
    const fs::path staging = stagingPath(target);
    const FileError error = writeBytesAtomic(staging, bytes);
    if (error != FileError::None) return error;
    staged_.emplace_back(staging, target);
    return FileError::None;
}

FileError StagedFiles::stageLines(const fs::path& target, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += utf8ToCp932(line).text;
        bytes += "\r\n";
    }
    return stage(target, bytes);
}

FileError StagedFiles::commit() {
    FileError result = FileError::None;
    for (const auto& [staging, target] : staged_) {
        std::error_code ec;
        fs::rename(staging, target, ec);
        if (ec) result = FileError::CannotWrite;
    }
    discard();
    return result;
}

void StagedFiles::discard() {
    for (const auto& entry : staged_) {
        std::error_code ec;
        fs::remove(entry.first, ec);
    }
    staged_.clear();
}

}  // namespace orv
