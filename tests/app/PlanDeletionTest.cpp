// The deletion dialog's logic: listing, picking, deleting with the list rewritten at once,
// refused numbers and broken lists.
#include "app/PlanDeletion.h"

#include "plans/PlanFiles.h"
#include "core/Cp932.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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

// Three saved plans, each with its two files.
struct PlanDeletionTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    PlanDeletionTest() {
        state->dataFolder = dir.path();
        dir.write("Orvane.LST", cp932("槍ヶ岳980707 1998/07/07\r\nHidaka 2001/08/15\r\n穂高 1999/10/12\r\n"));
        for (const char* name : {"槍ヶ岳980707", "Hidaka", "穂高"}) {
            dir.write(std::string(name) + ".RTD", "r");
            dir.write(std::string(name) + ".RVD", "v");
        }
    }
    std::string listBytes() const { return fileBytes(dir / "Orvane.LST"); }
};

TEST_F(PlanDeletionTest, OpeningListsNameTabRest) {
    PlanDeletion deletion(*state, dialogs);
    deletion.open();
    EXPECT_EQ(deletion.lines(), (std::vector<std::string>{"槍ヶ岳980707\t1998/07/07", "Hidaka\t2001/08/15",
                                                          "穂高\t1999/10/12"}));
    EXPECT_FALSE(deletion.deleteEnabled());
    EXPECT_EQ(deletion.numberText(), "");
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST_F(PlanDeletionTest, DeletingEntryTwoOfThreeRemovesItsFilesAndLeavesTwoLines) {
    PlanDeletion deletion(*state, dialogs);
    deletion.open();
    deletion.pickLine(1);
    EXPECT_EQ(deletion.numberText(), "2");
    EXPECT_TRUE(deletion.deleteEnabled());
    dialogs.answerMessage(Answer::Yes);
    deletion.deleteChosen();

    EXPECT_FALSE(fs::exists(dir / "Hidaka.RTD"));
    EXPECT_FALSE(fs::exists(dir / "Hidaka.RVD"));
    EXPECT_TRUE(fs::exists(dir / "穂高.RTD"));
    EXPECT_TRUE(fs::exists(dir / "槍ヶ岳980707.RVD"));
    // Refilled as name, tab, rest, so the dates stay lined up at the tab stop.
    EXPECT_EQ(deletion.lines(), (std::vector<std::string>{"槍ヶ岳980707\t1998/07/07", "穂高\t1999/10/12"}));
    // The list on disk already matches the files.
    EXPECT_EQ(listBytes(), cp932("槍ヶ岳980707 1998/07/07\r\n穂高 1999/10/12\r\n"));
    // A second press cannot take the plan that moved up.
    EXPECT_EQ(deletion.numberText(), "");
    EXPECT_FALSE(deletion.deleteEnabled());

    EXPECT_TRUE(deletion.finish());
    EXPECT_EQ(listBytes(), cp932("槍ヶ岳980707 1998/07/07\r\n穂高 1999/10/12\r\n"));
    // The one question asked: whether the plan's files may go.
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "計画「Hidaka」のファイルを削除します。よろしいですか？");
    EXPECT_EQ(dialogs.messages()[0].title, "登録されているルートファイルの削除");
    EXPECT_EQ(dialogs.messages()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Question);
}

// "いいえ" to the question deletes nothing and keeps the choice.
TEST_F(PlanDeletionTest, AnsweringNoKeepsThePlan) {
    PlanDeletion deletion(*state, dialogs);
    deletion.open();
    deletion.pickLine(2);
    dialogs.answerMessage(Answer::No);
    deletion.deleteChosen();
    EXPECT_TRUE(fs::exists(dir / "穂高.RTD"));
    EXPECT_TRUE(fs::exists(dir / "穂高.RVD"));
    EXPECT_EQ(deletion.lines().size(), 3u);
    EXPECT_EQ(deletion.numberText(), "3");
    EXPECT_TRUE(deletion.deleteEnabled());
    EXPECT_EQ(listBytes(), cp932("槍ヶ岳980707 1998/07/07\r\nHidaka 2001/08/15\r\n穂高 1999/10/12\r\n"));
}

TEST_F(PlanDeletionTest, TypedNumbersMustNameAListedPlan) {
    PlanDeletion deletion(*state, dialogs);
    deletion.open();
    deletion.editNumber("3");
    deletion.deleteChosen();  // nothing picked yet: the button is disabled
    EXPECT_TRUE(fs::exists(dir / "穂高.RTD"));

    deletion.pickLine(0);
    for (const char* typed : {"0", "4", "-1", "abc", "", "2x", "99999999999"}) {
        SCOPED_TRACE(typed);
        dialogs = test::ScriptedDialogs();
        deletion.editNumber(typed);
        deletion.deleteChosen();
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].text, kPlanNumberRefused);
        EXPECT_EQ(dialogs.messages()[0].title, "登録されているルートファイルの削除");
    }
    EXPECT_EQ(deletion.lines().size(), 3u);

    // A full-width number with blanks is a number.
    deletion.editNumber(" ３\u3000");
    dialogs.answerMessage(Answer::Yes);
    deletion.deleteChosen();
    EXPECT_FALSE(fs::exists(dir / "穂高.RTD"));
    EXPECT_EQ(listBytes(), cp932("槍ヶ岳980707 1998/07/07\r\nHidaka 2001/08/15\r\n"));
}

TEST_F(PlanDeletionTest, ListThatCannotBeRewrittenDeletesNothing) {
    PlanDeletion deletion(*state, dialogs);
    deletion.open();
    // The list's temporary file cannot be made: a folder holds its place.
    dir.write("Orvane.LST.orvtmp/keep", "x");
    deletion.pickLine(0);
    dialogs.answerMessage(Answer::Yes);
    deletion.deleteChosen();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].text, kPlanListCannotWriteMessage);
    EXPECT_TRUE(fs::exists(dir / "槍ヶ岳980707.RTD"));
    EXPECT_EQ(deletion.lines().size(), 3u);
    EXPECT_EQ(listBytes(), cp932("槍ヶ岳980707 1998/07/07\r\nHidaka 2001/08/15\r\n穂高 1999/10/12\r\n"));
}

// A list of LF lines at the reader's limit would grow past it when rewritten with CR LF: the
// deletion is refused and nothing goes.
TEST_F(PlanDeletionTest, ListThatWouldGrowPastTheReadersLimitDeletesNothing) {
    std::string list = "Hidaka 2001/08/15\n";
    for (size_t i = 2; i <= kMaxListedPlans + kPlanListExtraEntries; ++i)
        list += "p" + std::to_string(i) + " 2001/01/01\n";
    list += std::string(kMaxPlanListBytes - list.size() - 1, 'x') + "\n";
    dir.write("Orvane.LST", list);
    PlanDeletion deletion(*state, dialogs);
    deletion.open();
    deletion.pickLine(0);
    dialogs.answerMessage(Answer::Yes);
    deletion.deleteChosen();
    ASSERT_EQ(dialogs.messages().size(), 3u);  // the list's length, the question, the refusal
    EXPECT_EQ(dialogs.messages()[2].text, kPlanListTooLargeToDeleteMessage);
    EXPECT_TRUE(fs::exists(dir / "Hidaka.RTD"));
    EXPECT_TRUE(listBytes() == list);
}

TEST_F(PlanDeletionTest, UnreadableOrMissingList) {
    fs::remove(dir / "Orvane.LST");
    PlanDeletion missing(*state, dialogs);
    missing.open();
    EXPECT_TRUE(missing.lines().empty());
    EXPECT_TRUE(dialogs.asked().empty());

    fs::create_directories(dir / "Orvane.LST");
    PlanDeletion unreadable(*state, dialogs);
    unreadable.open();
    EXPECT_TRUE(unreadable.lines().empty());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kPlanListCannotReadMessage);
    EXPECT_TRUE(unreadable.finish());
    EXPECT_TRUE(fs::is_directory(dir / "Orvane.LST"));
}

TEST_F(PlanDeletionTest, LongListShowsAThousandAndKeepsTheRest) {
    std::string list;
    for (int i = 1; i <= 1002; ++i) list += "p" + std::to_string(i) + " 2001/01/01\r\n";
    dir.write("Orvane.LST", list);
    PlanDeletion deletion(*state, dialogs);
    deletion.open();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kPlanListTooLongMessage);
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Information);
    EXPECT_EQ(deletion.lines().size(), 1000u);
    deletion.pickLine(0);
    dialogs.answerMessage(Answer::Yes);
    deletion.deleteChosen();
    EXPECT_EQ(deletion.lines().size(), 1000u);
    EXPECT_EQ(deletion.planCount(), 1001u);
    EXPECT_EQ(listBytes(), list.substr(list.find("p2 ")));
}

TEST_F(PlanDeletionTest, NameOutsideTheDataFolderOnlyLosesItsLine) {
    dir.write("outside.RTD", "keep");
    fs::create_directories(dir / "Data");
    state->dataFolder = dir / "Data";
    dir.write("Data/Orvane.LST", "../outside 2001/01/01\r\n");
    PlanDeletion deletion(*state, dialogs);
    deletion.open();
    deletion.pickLine(0);
    dialogs.answerMessage(Answer::Yes);
    deletion.deleteChosen();
    EXPECT_TRUE(fs::exists(dir / "outside.RTD"));
    EXPECT_EQ(fileBytes(dir / "Data/Orvane.LST"), "");
}

TEST(PlanNumberTest, ReadsAsciiAndFullWidthDigits) {
    EXPECT_EQ(parsePlanNumber("12"), 12);
    EXPECT_EQ(parsePlanNumber(" １２ "), 12);
    EXPECT_EQ(parsePlanNumber("１a"), std::nullopt);
    EXPECT_EQ(parsePlanNumber("+1"), std::nullopt);
    EXPECT_EQ(parsePlanNumber("\xEF\xBC"), std::nullopt);
}

}  // namespace
}  // namespace orv
