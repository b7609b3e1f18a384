// The end-of-route-map dialog's logic: saving a plan under a new or an existing name, leaving
// without saving, cancelling, refused names and failed writes.
#include "app/EndOfMap.h"

#include "plans/PlanFiles.h"
#include "core/Cp932.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string cp932(std::string_view utf8) { return utf8ToCp932(utf8).text; }

std::string fileBytes(const fs::path& path) {
    std::string bytes;
    EXPECT_EQ(readBytes(path, bytes), FileError::None) << path;
    return bytes;
}

// A route map about to close: a three-point route and two traced points, plan "Yari980707".
struct EndOfMapTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::string date = "2024/05/06";

    EndOfMapTest() { prepare(); }
    // The route map's state and the plan list as above.
    void prepare() {
        state = makeAppState();
        state->dataFolder = dir.path();
        state->planName = "Yari980707";
        state->meshCodes = meshNeighbours("543745");
        state->levelCorners[0][1] = "36.2";
        state->levelCorners[0][2] = "137.373";
        state->routeCount = 3;
        for (int j = 1; j <= 3; ++j) {
            RoutePoint& p = state->route[static_cast<size_t>(j)];
            p.number = static_cast<int16_t>(j);
            p.latitude = "35.2";
            p.longitude = "139.4";
            p.elevation = 1234.5f;
        }
        state->ridgeValleyCount = 2;
        state->ridgeValleyPoints[0] = {"36.2", "137.38", 1};
        state->ridgeValleyPoints[1] = {"36.201", "137.381", 0};
        state->ridgeValleyPresent = true;
        dir.write("Orvane.LST", cp932("穂高 1999/10/12\r\n"));
    }

    EndOfMap dialog() {
        return EndOfMap(*state, dialogs, [this] { return date; });
    }
    std::string listBytes() const { return fileBytes(dir / "Orvane.LST"); }
};

TEST_F(EndOfMapTest, ModeFollowsTheFirstRoutePoint) {
    EndOfMap save = dialog();
    EXPECT_TRUE(save.saveMode());
    EXPECT_EQ(save.message(), "ルートデータを管理ファイルに保存します\r\n同じ名前の場合は上書きされます。");
    EXPECT_EQ(save.name(), "Yari980707");

    state->route[1].latitude.clear();
    EndOfMap plain = dialog();
    EXPECT_FALSE(plain.saveMode());
    EXPECT_EQ(plain.message(), "ルート図を終了します。");
}

TEST_F(EndOfMapTest, SavingUnderANewNameAppendsOneListLine) {
    EndOfMap end = dialog();
    end.editName("槍ヶ岳980707");
    ASSERT_TRUE(end.yes());
    EXPECT_TRUE(end.closed());
    EXPECT_TRUE(dialogs.asked().empty());
    EXPECT_EQ(state->planName, "槍ヶ岳980707");
    EXPECT_EQ(end.outcome(), DialogOutcome::Accepted);
    EXPECT_FALSE(end.progressVisible());

    EXPECT_EQ(listBytes(), cp932("穂高 1999/10/12\r\n槍ヶ岳980707 2024/05/06\r\n"));
    const auto rtd = readTextLines(routeFilePath(dir.path(), "槍ヶ岳980707"));
    ASSERT_EQ(rtd.lines.size(), 11u);
    EXPECT_EQ(rtd.lines[6], "3 TRK");
    EXPECT_EQ(rtd.lines[8], "1 35.2 139.4 1234.5    0 ");
    EXPECT_EQ(fileBytes(ridgeValleyFilePath(dir.path(), "槍ヶ岳980707")),
              "36.2 137.38 1\r\n36.201 137.381 0\r\n");
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().string().find(".orv"), std::string::npos) << entry.path();
}

TEST_F(EndOfMapTest, SavingAgainAsksToOverwriteAndThenOnlyUpdatesTheDate) {
    {
        EndOfMap first = dialog();
        ASSERT_TRUE(first.yes());
    }
    EXPECT_EQ(listBytes(), cp932("穂高 1999/10/12\r\nYari980707 2024/05/06\r\n"));

    // No: nothing changes and the dialog stays.
    date = "2024/06/01";
    state->route[1].elevation = 2000;
    dialogs.answerMessage(Answer::No);
    EndOfMap second = dialog();
    EXPECT_FALSE(second.yes());
    EXPECT_FALSE(second.closed());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const test::Asked question = dialogs.messages()[0];
    EXPECT_EQ(question.text, "同じ名前のファイルが存在します。上書きしますか？");
    EXPECT_EQ(question.title, "ファイル処理");
    EXPECT_EQ(question.buttons, Buttons::YesNo);
    EXPECT_EQ(question.icon, Icon::Question);
    EXPECT_EQ(readTextLines(dir / "Yari980707.RTD").lines[8], "1 35.2 139.4 1234.5    0 ");

    // Yes: the files are replaced and the plan's line gets the new date.
    dialogs.answerMessage(Answer::Yes);
    EXPECT_TRUE(second.yes());
    EXPECT_EQ(listBytes(), cp932("穂高 1999/10/12\r\nYari980707 2024/06/01\r\n"));
    EXPECT_EQ(readTextLines(dir / "Yari980707.RTD").lines[8], "1 35.2 139.4 2000    0 ");
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(EndOfMapTest, ListedNameWithoutFilesGetsItsDateNotASecondLine) {
    dir.write("Orvane.LST", cp932("穂高 1999/10/12\r\nYari980707 2000/01/01\r\n"));
    EndOfMap end = dialog();
    ASSERT_TRUE(end.yes());
    EXPECT_EQ(listBytes(), cp932("穂高 1999/10/12\r\nYari980707 2024/05/06\r\n"));
}

TEST_F(EndOfMapTest, WithoutRidgeValleyDataTheOldFileStays) {
    state->ridgeValleyPresent = false;
    dir.write("Yari980707.RVD", "old\r\n");
    EndOfMap end = dialog();
    ASSERT_TRUE(end.yes());
    EXPECT_EQ(fileBytes(dir / "Yari980707.RVD"), "old\r\n");
    EXPECT_TRUE(fs::exists(dir / "Yari980707.RTD"));
}

TEST_F(EndOfMapTest, RefusedNameStaysOpenAndWritesNothing) {
    for (const char* name : {"", "槍 ヶ岳", "../x", "."}) {
        SCOPED_TRACE(name);
        dialogs = test::ScriptedDialogs();
        EndOfMap end = dialog();
        end.editName(name);
        EXPECT_FALSE(end.yes());
        EXPECT_FALSE(end.closed());
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, *validatePlanName(name));
        EXPECT_EQ(dialogs.messages()[0].title, "入力注意");
        EXPECT_EQ(dialogs.messages()[0].icon, Icon::Error);
    }
    EXPECT_EQ(state->planName, "Yari980707");
    EXPECT_EQ(listBytes(), cp932("穂高 1999/10/12\r\n"));
    EXPECT_FALSE(fs::exists(dir / "Yari980707.RTD"));
}

TEST_F(EndOfMapTest, FailedWriteLeavesEveryOldFileAndStaysOpen) {
    dir.write("Yari980707.RTD", "old route\r\n");
    dir.write("Yari980707.RVD", "old lines\r\n");
    dir.write("Orvane.LST", "Yari980707 2000/01/01\r\n");
    // The route file cannot be written: its staging place is taken by a folder.
    dir.write("Yari980707.RTD.orvnew/keep", "x");
    dialogs.answerMessage(Answer::Yes);
    EndOfMap end = dialog();
    EXPECT_FALSE(end.yes());
    EXPECT_FALSE(end.closed());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text, kSaveFailedMessage);
    EXPECT_EQ(dialogs.messages()[1].icon, Icon::Error);
    EXPECT_EQ(fileBytes(dir / "Yari980707.RTD"), "old route\r\n");
    EXPECT_EQ(fileBytes(dir / "Yari980707.RVD"), "old lines\r\n");
    EXPECT_EQ(listBytes(), "Yari980707 2000/01/01\r\n");
    EXPECT_FALSE(fs::exists(dir / "Yari980707.RVD.orvnew"));
}

TEST_F(EndOfMapTest, FailedReplacementPutsBackTheFilesAlreadyReplaced) {
    dir.write("Yari980707.RVD", "old lines\r\n");
    dir.write("Orvane.LST", "Yari980707 2000/01/01\r\n");
    // A folder named like the route file: the last replacement fails after the ridge/valley file
    // and the plan list were replaced.
    dir.write("Yari980707.RTD/keep", "x");
    EndOfMap end = dialog();
    EXPECT_FALSE(end.yes());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kSaveFailedMessage);
    EXPECT_EQ(fileBytes(dir / "Yari980707.RVD"), "old lines\r\n");
    EXPECT_EQ(listBytes(), "Yari980707 2000/01/01\r\n");
    EXPECT_TRUE(fs::exists(dir / "Yari980707.RTD/keep"));
}

// A plan list as large as its reader takes (the issue of a list grown over the years) is
// saved and read back; one byte more and nothing is saved. The same for the plan's own files.
TEST_F(EndOfMapTest, AFileBeyondItsReadersLimitIsNotSavedAndNothingChanges) {
    struct Case {
        const char* file;
        bool alsoAtTheLimit;
        std::function<void(size_t extra)> grow;  // makes the file's new bytes limit + extra
    };
    const Case cases[] = {
        {"Orvane.LST", true,
         [&](size_t extra) {
             // The plan's line, the entries the reader takes apart, then a long tail it keeps as
             // it is. The save writes the date in full: seven bytes more.
             std::string list = "Yari980707 1/1\r\n";
             for (size_t i = 2; i <= kMaxListedPlans + kPlanListExtraEntries; ++i)
                 list += "p" + std::to_string(i) + " 2001/01/01\r\n";
             list += std::string(kMaxPlanListBytes - list.size() - (date.size() - 3) - 2 + extra, 'x') + "\r\n";
             dir.write("Orvane.LST", list);
         }},
        {"Yari980707.RTD", false,
         [&](size_t extra) {
             state->selectedMountain = 0;
             state->destinationLineAsRead = "x";
             const size_t base = cp932LinesBytes(routeFileLines(*state)).size();
             state->destinationLineAsRead += std::string(kMaxRouteFileBytes - base + extra, 'a');
         }},
        {"Yari980707.RVD", false,
         [&](size_t extra) {
             state->ridgeValleyCount = 1;
             const size_t base = ridgeValleyLine(state->ridgeValleyPoints[0]).size() + 2;
             state->ridgeValleyPoints[0].latitude += std::string(kMaxRidgeValleyFileBytes - base + extra, '0');
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        for (const size_t extra : {size_t{1}, size_t{0}}) {
            if (extra == 0 && !c.alsoAtTheLimit) continue;
            prepare();
            for (const char* file : {"Yari980707.RTD", "Yari980707.RVD"}) fs::remove(dir / file);
            c.grow(extra);
            const std::string listBefore = listBytes();
            dialogs = test::ScriptedDialogs();
            EndOfMap end = dialog();
            if (extra > 0) {
                EXPECT_FALSE(end.yes());
                EXPECT_FALSE(end.closed());
                ASSERT_EQ(dialogs.messages().size(), 1u);
                EXPECT_EQ(dialogs.messages()[0].text, std::string(kSaveTooLargeMessage) + "\r\n" + c.file);
                EXPECT_TRUE(listBytes() == listBefore);
                EXPECT_FALSE(fs::exists(dir / "Yari980707.RTD"));
                EXPECT_FALSE(fs::exists(dir / "Yari980707.RVD"));
                continue;
            }
            ASSERT_TRUE(end.yes());
            EXPECT_EQ(fs::file_size(dir / c.file), kMaxTextFileBytes);
            const Result<PlanList> list = readPlanList(dir / "Orvane.LST");
            ASSERT_TRUE(list.ok());
            EXPECT_EQ(list->entries.front().rest, date);
            EXPECT_TRUE(readRouteData(dir / "Yari980707.RTD").ok());
        }
    }
}

// The dialogs list the first thousand plans: a new plan is not saved where they would not
// show it.
TEST_F(EndOfMapTest, ANewPlanIsSavedOnlyWhereTheListShowsIt) {
    for (const size_t listed : {kMaxListedPlans - 1, kMaxListedPlans}) {
        SCOPED_TRACE(listed);
        std::string list;
        for (size_t i = 1; i <= listed; ++i) list += "p" + std::to_string(i) + " 2001/01/01\r\n";
        dir.write("Orvane.LST", list);
        dialogs = test::ScriptedDialogs();
        EndOfMap end = dialog();
        if (listed == kMaxListedPlans) {
            EXPECT_FALSE(end.yes());
            ASSERT_EQ(dialogs.messages().size(), 1u);
            EXPECT_EQ(dialogs.messages()[0].text, kPlanListFullMessage);
            EXPECT_EQ(listBytes(), list);
            EXPECT_FALSE(fs::exists(dir / "Yari980707.RTD"));
            continue;
        }
        ASSERT_TRUE(end.yes());
        const Result<PlanList> read = readPlanList(dir / "Orvane.LST");
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read->shownCount(), kMaxListedPlans);
        EXPECT_EQ(read->entries[kMaxListedPlans - 1].name, "Yari980707");
        fs::remove(dir / "Yari980707.RTD");
    }
}

TEST_F(EndOfMapTest, DestinationNotInTheTableIsWrittenBackAsRead) {
    state->selectedMountain = 0;
    state->destinationLineAsRead = "槍ヶ岳 36.2032 137.384 3180 やりがたけ A";
    EndOfMap end = dialog();
    ASSERT_TRUE(end.yes());
    EXPECT_EQ(readTextLines(dir / "Yari980707.RTD").lines[4], "槍ヶ岳 36.2032 137.384 3180 やりがたけ A");
}

TEST_F(EndOfMapTest, UnreadablePlanListIsNotReplaced) {
    fs::remove(dir / "Orvane.LST");
    fs::create_directories(dir / "Orvane.LST");
    EndOfMap end = dialog();
    EXPECT_FALSE(end.yes());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kPlanListUnreadableMessage);
    EXPECT_FALSE(fs::exists(dir / "Yari980707.RTD"));
    EXPECT_TRUE(fs::is_directory(dir / "Orvane.LST"));
}

TEST_F(EndOfMapTest, MissingPlanListIsCreated) {
    fs::remove(dir / "Orvane.LST");
    EndOfMap end = dialog();
    ASSERT_TRUE(end.yes());
    EXPECT_EQ(listBytes(), "Yari980707 2024/05/06\r\n");
}

TEST_F(EndOfMapTest, LeavingWithoutSavingRemovesOnlyFilesOfAPlanNeverSaved) {
    struct Case {
        const char* what;
        int16_t existingPlan;
        const char* list;
        bool removed;
    };
    const Case cases[] = {
        {"new plan", 0, "穂高 1999/10/12\r\n", true},
        {"existing plan", 1, "穂高 1999/10/12\r\nYari980707 2000/01/01\r\n", false},
        {"listed although the start dialog missed it", 0, "Yari980707 2000/01/01\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("Yari980707.RTD", "r");
        dir.write("Yari980707.RVD", "v");
        dir.write("Orvane.LST", c.list);
        state->existingPlan = c.existingPlan;
        EndOfMap end = dialog();
        EXPECT_TRUE(end.leaveWithoutSaving());
        EXPECT_TRUE(end.closed());
        EXPECT_EQ(fs::exists(dir / "Yari980707.RTD"), !c.removed);
        EXPECT_EQ(fs::exists(dir / "Yari980707.RVD"), !c.removed);
        EXPECT_EQ(listBytes(), c.list);
        EXPECT_EQ(end.outcome(), DialogOutcome::Accepted);
    }
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(EndOfMapTest, YesWithoutARouteLeavesLikeLeavingWithoutSaving) {
    state->route[1].latitude.clear();
    dir.write("Yari980707.RTD", "r");
    EndOfMap end = dialog();
    EXPECT_TRUE(end.yes());
    EXPECT_FALSE(fs::exists(dir / "Yari980707.RTD"));
    EXPECT_EQ(listBytes(), cp932("穂高 1999/10/12\r\n"));
}

TEST_F(EndOfMapTest, CancelAndClosingTheWindowKeepTheMapOpen) {
    EndOfMap cancelled = dialog();
    EXPECT_TRUE(cancelled.cancel());
    EXPECT_EQ(cancelled.outcome(), DialogOutcome::Cancelled);
    EndOfMap dismissed = dialog();
    EXPECT_TRUE(dismissed.dismiss());
    EXPECT_EQ(dismissed.outcome(), DialogOutcome::Cancelled);
    EXPECT_FALSE(fs::exists(dir / "Yari980707.RTD"));
}

}  // namespace
}  // namespace orv
