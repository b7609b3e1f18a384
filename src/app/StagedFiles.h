#pragma once
// Several files replaced as one: each new file is first written completely beside its target,
// and only when every one is written are they renamed over their targets. A save that fails
// while writing leaves every target as it was.
#include "core/TextFile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

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

    // Renames every staged file over its target, in staging order.
    FileError commit();

    // Where a target's new content waits.
    static std::filesystem::path stagingPath(const std::filesystem::path& target);

private:
    void discard();

    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> staged_;  // staging, target
};

}  // namespace orv
