// Files replaced together: a failed stage or rename leaves every target as it was, and the
// leftovers of an interrupted save are cleared away.
#include "core/StagedFiles.h"

#include "core/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
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

using Outcome = InterruptedSave::Outcome;

std::vector<std::string> folderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Three targets: two with old files, one new. `rename` decides each rename of the commit.
struct ThreeFileSave {
    test::TempDir dir;
    ThreeFileSave() {
        dir.write("a.RVD", "old a");
        dir.write("Orvane.LST", "old list");
    }
    // Stages the set and commits it through `rename`; false when the commit failed.
    bool commit(StagedFiles::RenameFile rename, bool* restored = nullptr) const {
        StagedFiles staged(std::move(rename));
        EXPECT_EQ(staged.stage(dir / "a.RVD", "new a"), FileError::None);
        EXPECT_EQ(staged.stage(dir / "Orvane.LST", "new list"), FileError::None);
        EXPECT_EQ(staged.stage(dir / "a.RTD", "new route"), FileError::None);
        const bool ok = staged.commit() == FileError::None;
        if (restored) *restored = staged.restored();
        return ok;
    }
    void expectOld() const {
        EXPECT_EQ(fileBytes(dir / "a.RVD"), "old a");
        EXPECT_EQ(fileBytes(dir / "Orvane.LST"), "old list");
        EXPECT_FALSE(fs::exists(dir / "a.RTD"));
    }
    void expectNew() const {
        EXPECT_EQ(fileBytes(dir / "a.RVD"), "new a");
        EXPECT_EQ(fileBytes(dir / "Orvane.LST"), "new list");
        EXPECT_EQ(fileBytes(dir / "a.RTD"), "new route");
    }
    void expectNothingLeftOver() const {
        const auto names = folderNames(dir.path());
        EXPECT_EQ(names, (std::vector<std::string>{"Orvane.LST", "a.RTD", "a.RVD"}) ) << names.size();
    }
};

// A rename step that fails (or ends the process) at its n-th call, counting from 1, and
// fails every call whose source name ends with `alsoFailing`.
StagedFiles::RenameFile renameUntil(int failAt, bool kill, std::string alsoFailing = "@") {
    auto calls = std::make_shared<int>(0);
    return [=](const fs::path& from, const fs::path& to) {
        if (++*calls == failAt) {
            if (kill) std::raise(SIGKILL);
            return false;
        }
        if (from.filename().string().ends_with(alsoFailing)) return false;
        std::error_code ec;
        fs::rename(from, to, ec);
        return !ec;
    };
}

TEST(StagedFilesTest, ACommitThatCannotPutBackKeepsTheOldCopiesForTheNextStart) {
    ThreeFileSave save;
    // The route's rename fails, and so does putting back the plan list.
    bool restored = true;
    EXPECT_FALSE(save.commit(renameUntil(3, false, "Orvane.LST.orvold"), &restored));
    EXPECT_FALSE(restored);
    EXPECT_EQ(fileBytes(save.dir / "a.RVD"), "old a");
    EXPECT_EQ(fileBytes(save.dir / "Orvane.LST"), "new list");
    EXPECT_EQ(fileBytes(save.dir / "Orvane.LST.orvold"), "old list");
    EXPECT_TRUE(fs::exists(save.dir / "a.RVD.orvjnl"));

    const auto saves = finishInterruptedSaves(save.dir.path());
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].outcome, Outcome::RolledBack);
    EXPECT_EQ(saves[0].files, (std::vector<std::string>{"Orvane.LST", "a.RVD", "a.RTD"}));
    EXPECT_EQ(fileBytes(save.dir / "a.RVD"), "old a");
    EXPECT_EQ(fileBytes(save.dir / "Orvane.LST"), "old list");
    EXPECT_EQ(folderNames(save.dir.path()), (std::vector<std::string>{"Orvane.LST", "a.RVD"}));
}

TEST(StagedFilesTest, ACommitThatPutsEverythingBackLeavesNoJournal) {
    ThreeFileSave save;
    bool restored = false;
    EXPECT_FALSE(save.commit(renameUntil(3, false), &restored));
    EXPECT_TRUE(restored);
    save.expectOld();
    EXPECT_EQ(folderNames(save.dir.path()), (std::vector<std::string>{"Orvane.LST", "a.RVD"}));
    EXPECT_TRUE(finishInterruptedSaves(save.dir.path()).empty());
}

// The process ends at a rename of the commit; the next start finishes the save in one
// direction: forward once the journal lists the whole new set, back while putting back.
TEST(StagedFilesTest, ASaveCutOffAtAnyRenameIsFinishedWholeAtTheNextStart) {
    GTEST_FLAG_SET(death_test_style, "fast");
    struct Case {
        int killAt;             // rename call that ends the process
        const char* failing;    // a rename that fails before it, making the commit put back
        Outcome outcome;
    };
    const Case cases[] = {
        {1, "@", Outcome::Completed},           // before the first rename
        {2, "@", Outcome::Completed},           // between the renames
        {3, "@", Outcome::Completed},           // before the last
        {4, "a.RTD.orvnew", Outcome::RolledBack},  // while putting back the plan list
        {5, "a.RTD.orvnew", Outcome::RolledBack},  // before putting back the ridge/valley file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.killAt);
        ThreeFileSave save;
        EXPECT_EXIT(save.commit(renameUntil(c.killAt, true, c.failing)), testing::KilledBySignal(SIGKILL), "");
        const auto saves = finishInterruptedSaves(save.dir.path());
        ASSERT_EQ(saves.size(), 1u);
        EXPECT_EQ(saves[0].outcome, c.outcome);
        if (c.outcome == Outcome::Completed) {
            EXPECT_EQ(saves[0].files, (std::vector<std::string>{"a.RVD", "Orvane.LST", "a.RTD"}));
            save.expectNew();
            save.expectNothingLeftOver();
        } else {
            save.expectOld();
            EXPECT_EQ(folderNames(save.dir.path()), (std::vector<std::string>{"Orvane.LST", "a.RVD"}));
        }
    }
}

TEST(StagedFilesTest, ASaveCutOffWhileWritingIsUndoneAndSaid) {
    GTEST_FLAG_SET(death_test_style, "fast");
    ThreeFileSave save;
    EXPECT_EXIT(
        {
            StagedFiles staged;
            (void)staged.stage(save.dir / "a.RVD", "new a");
            (void)staged.stage(save.dir / "a.RTD", "new route");
            std::raise(SIGKILL);
        },
        testing::KilledBySignal(SIGKILL), "");
    save.dir.write("Orvane.LST.orvnew.orvtmp", "half a list");
    const auto saves = finishInterruptedSaves(save.dir.path());
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].outcome, Outcome::RolledBack);
    EXPECT_EQ(saves[0].files, (std::vector<std::string>{"Orvane.LST", "a.RTD", "a.RVD"}));
    save.expectOld();
    EXPECT_EQ(folderNames(save.dir.path()), (std::vector<std::string>{"Orvane.LST", "a.RVD"}));
}

TEST(StagedFilesTest, ASaveThatCannotBeFinishedKeepsItsFilesAndAForeignJournalIsLeftAlone) {
    GTEST_FLAG_SET(death_test_style, "fast");
    ThreeFileSave save;
    EXPECT_EXIT(save.commit(renameUntil(2, true)), testing::KilledBySignal(SIGKILL), "");
    // The route file's place is taken by a folder with something in it.
    save.dir.write("a.RTD/keep", "x");
    save.dir.write("b.RTD.orvjnl", "not a journal\n");
    save.dir.write("b.RTD.orvold", "kept?");
    auto saves = finishInterruptedSaves(save.dir.path());
    ASSERT_EQ(saves.size(), 2u);
    std::sort(saves.begin(), saves.end(), [](const auto& x, const auto& y) { return x.files.size() < y.files.size(); });
    EXPECT_EQ(saves[0].outcome, Outcome::Failed);
    EXPECT_EQ(saves[0].files, std::vector<std::string>{"b.RTD.orvjnl"});
    EXPECT_EQ(saves[1].outcome, Outcome::Failed);
    // Nothing of the unfinished save went: the old plan list and the new route wait.
    EXPECT_EQ(fileBytes(save.dir / "Orvane.LST.orvold"), "old list");
    EXPECT_EQ(fileBytes(save.dir / "a.RTD.orvnew"), "new route");
    EXPECT_TRUE(fs::exists(save.dir / "a.RVD.orvjnl"));
    EXPECT_TRUE(fs::exists(save.dir / "b.RTD.orvjnl"));
    EXPECT_FALSE(fs::exists(save.dir / "b.RTD.orvold"));

    // Once the place is free, the next start completes it.
    fs::remove_all(save.dir / "a.RTD");
    fs::remove(save.dir / "b.RTD.orvjnl");
    saves = finishInterruptedSaves(save.dir.path());
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].outcome, Outcome::Completed);
    save.expectNew();
    save.expectNothingLeftOver();
}

TEST(StagedFilesTest, AJournalNamesOnlyFilesOfItsFolder) {
    test::TempDir dir;
    dir.write("a.txt", "old");
    dir.write("sub/b.txt", "old b");
    {
        StagedFiles staged;
        ASSERT_EQ(staged.stage(dir / "a.txt", "new"), FileError::None);
        EXPECT_EQ(staged.stage(dir / "sub/b.txt", "new b"), FileError::CannotWrite);
    }
    // A journal that points out of its folder is not followed.
    dir.write("x.orvjnl", "Orvane staged files\nforward\nreplace ../escape\n");
    dir.write("sub/b.txt.orvnew", "not for the journal");
    const auto saves = finishInterruptedSaves(dir.path());
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].outcome, Outcome::Failed);
    EXPECT_EQ(fileBytes(dir / "sub/b.txt"), "old b");
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
