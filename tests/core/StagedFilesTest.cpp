// Files replaced together: a failed stage or rename leaves every target as it was, and the
// leftovers of an interrupted save are cleared away.
#include "core/StagedFiles.h"

#include "core/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string cp932(std::string_view utf8) { return utf8ToCp932(utf8).text; }

std::string fileBytes(const fs::path& path) {
    std::string bytes;
    EXPECT_EQ(readBytes(path, bytes), FileError::None) << path;
    return bytes;
}

TEST(StagedFilesTest, AFailedStageLeavesEveryTargetAsItWas) {
    test::TempDir dir;
    dir.write("a.txt", "old a");
    dir.write("b.txt", "old b");
    // The staging place of b is taken by a folder with something in it.
    dir.write("b.txt.orvnew/keep", "x");
    {
        StagedFiles staged;
        ASSERT_EQ(staged.stage(dir / "a.txt", "new a"), FileError::None);
        EXPECT_NE(staged.stage(dir / "b.txt", "new b"), FileError::None);
    }
    EXPECT_EQ(fileBytes(dir / "a.txt"), "old a");
    EXPECT_EQ(fileBytes(dir / "b.txt"), "old b");
    EXPECT_FALSE(fs::exists(dir / "a.txt.orvnew"));

    StagedFiles staged;
    ASSERT_EQ(staged.stage(dir / "a.txt", "new a"), FileError::None);
    ASSERT_EQ(staged.stageLines(dir / "c.txt", {"槍", ""}), FileError::None);
    EXPECT_EQ(fileBytes(dir / "a.txt"), "old a");
    ASSERT_EQ(staged.commit(), FileError::None);
    EXPECT_EQ(fileBytes(dir / "a.txt"), "new a");
    EXPECT_EQ(fileBytes(dir / "c.txt"), cp932("槍") + "\r\n\r\n");
    EXPECT_FALSE(fs::exists(dir / "a.txt.orvnew"));
}

TEST(StagedFilesTest, AFailedRenamePutsBackWhatWasReplaced) {
    test::TempDir dir;
    dir.write("first.txt", "old first");
    dir.write("third.txt", "old third");
    // The third target's place is taken by a folder with something in it: its rename fails
    // after the first two were made.
    dir.write("second.txt/keep", "x");
    StagedFiles staged;
    ASSERT_EQ(staged.stage(dir / "first.txt", "new first"), FileError::None);
    ASSERT_EQ(staged.stage(dir / "fresh.txt", "new fresh"), FileError::None);
    ASSERT_EQ(staged.stage(dir / "second.txt", "new second"), FileError::None);
    ASSERT_EQ(staged.stage(dir / "third.txt", "new third"), FileError::None);
    EXPECT_EQ(staged.commit(), FileError::CannotWrite);
    EXPECT_TRUE(staged.restored());
    EXPECT_EQ(fileBytes(dir / "first.txt"), "old first");
    EXPECT_FALSE(fs::exists(dir / "fresh.txt"));  // it did not exist before
    EXPECT_EQ(fileBytes(dir / "third.txt"), "old third");
    EXPECT_TRUE(fs::exists(dir / "second.txt/keep"));
    for (const char* left : {"first.txt.orvold", "first.txt.orvnew", "third.txt.orvnew", "second.txt.orvnew"})
        EXPECT_FALSE(fs::exists(dir / left)) << left;
}

TEST(StagedFilesTest, StaleTemporaryFilesAreRemovedAndNothingElse) {
    test::TempDir dir;
    for (const char* name : {"a.RTD.orvnew", "a.RTD.orvnew.orvtmp", "Orvane.LST.orvtmp", "a.RVD.orvold"})
        dir.write(name, "left over");
    for (const char* name : {"a.RTD", "Orvane.LST", "orvtmp", "a.orvtmp.RTD"}) dir.write(name, "kept");
    dir.write("folder.orvtmp/inside", "a folder is not ours to remove");
    removeStaleTemporaryFiles(dir.path());
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Orvane.LST", "a.RTD", "a.orvtmp.RTD", "folder.orvtmp", "orvtmp"}));
}

}  // namespace
}  // namespace orv
