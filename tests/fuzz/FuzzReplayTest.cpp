// Every input the fuzzer ever found fault with (tests/fixtures/fuzz/<target>) and every seed
// (fuzz/corpus/<target>) goes through its fuzz target again: what once crashed a reader or broke
// one of its checks must not come back.
#include "FuzzTargets.h"

#include "core/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

const fs::path kKeptCases = fs::path(ORVANE_FIXTURES) / "fuzz";
const fs::path kSeeds = ORVANE_FUZZ_CORPUS;

std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> targetNames() {
    std::vector<std::string> names;
    for (const fuzz::Target& target : fuzz::targets()) names.emplace_back(target.name);
    return names;
}

class FuzzReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzReplay, KeptCasesAndSeedsPassTheChecks) {
    const fuzz::Target* target = fuzz::findTarget(GetParam());
    ASSERT_NE(target, nullptr);
    std::vector<fs::path> files = filesIn(kKeptCases / GetParam());
    const std::vector<fs::path> seeds = filesIn(kSeeds / GetParam());
    EXPECT_FALSE(seeds.empty()) << "every target has seeds";
    files.insert(files.end(), seeds.begin(), seeds.end());
    for (const fs::path& file : files) {
        std::string bytes;
        ASSERT_EQ(readBytes(file, bytes), FileError::None) << file;
        fuzz::Checks checks;
        target->run(bytes, checks);
        EXPECT_TRUE(checks.ok()) << file << ": " << checks.failure();
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(targetNames()),
                         [](const auto& target) { return target.param; });

TEST(FuzzReplayFolders, EveryFolderBelongsToATarget) {
    for (const fs::path& root : {kKeptCases, kSeeds}) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(root, ec))
            EXPECT_NE(fuzz::findTarget(entry.path().filename().string()), nullptr) << entry.path();
    }
}

}  // namespace
}  // namespace orv
