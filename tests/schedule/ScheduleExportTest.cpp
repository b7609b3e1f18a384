// The schedule as a text file: the header and the fixed columns measured in display columns,
// the file's CP932 bytes, long and odd names, and the save dialog's outcomes.
#include "schedule/ScheduleExport.h"

#include "core/Cp932.h"
#include "core/TextFile.h"
#include "schedule/SampleSchedule.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

using Lines = std::vector<std::string>;
std::string blanks(size_t n) { return std::string(n, ' '); }

// The save dialog's initial name and extension are not recorded by the scripted double.
struct SaveDialogs : test::ScriptedDialogs {
    std::string initialPath;
    std::string extension;
    std::optional<std::string> saveFile(const std::string& title, const std::string& filter,
                                        const std::string& defaultExtension,
                                        const std::string& path) override {
        initialPath = path;
        extension = defaultExtension;
        return ScriptedDialogs::saveFile(title, filter, defaultExtension, path);
    }
};

Lines splitCrLf(const std::string& text) {
    Lines lines;
    size_t from = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    EXPECT_EQ(from, text.size()) << "the last line ends with CR LF";
    return lines;
}

TEST(ScheduleExport, HeaderIsSeventySixColumns) {
    const std::string header = scheduleExportHeader();
    EXPECT_EQ(header, "地点名" + blanks(16) + "標高ｍ" + blanks(4) + "着発時間" + blanks(6) +
                          "緯度：経度" + blanks(9) + "歩行距離ｍ" + blanks(1));
    EXPECT_EQ(displayWidth(header), 76);
}

TEST(ScheduleExport, WorkedExampleLineIsEightyTwoColumns) {
    auto state = makeAppState();
    test::setSchedule(*state, {{40, 1500, "", 1000}, {55, 1234, "小休止", 2345}, {50, 1800, "", 2200}});
    CourseSegment& entry = state->segments[2];
    entry.arrival = "08:40";
    entry.departure = "08:45";
    entry.latitude = "35.213";
    entry.longitude = "138.4512";
    const Lines lines = scheduleExportLines(*state);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4], "小休止" + blanks(16) + "1234" + blanks(5) + "08:40/08:45" + blanks(4) +
                            "35.2130:138.4512" + blanks(4) + "2345.0" + blanks(10));
    EXPECT_EQ(displayWidth(lines[4]), 82);
}

struct ScheduleExportFile : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    SaveDialogs dialogs;
    test::TempDir dir;

    ScheduleExportFile() {
        state->planName = "北岳2024";
        test::setSchedule(*state, {{40, 2300, "", 1000}, {55, 2900, "北岳山荘", 2345}, {50, 3193, "北岳", 1200}},
                          "06:00", 5, 1520);
    }
    Lines savedLines(const std::string& name) {
        dialogs.answerFile((dir / name).string());
        EXPECT_TRUE(saveSchedule(*state, dialogs));
        std::string bytes;
        EXPECT_EQ(readBytes(dir / name, bytes), FileError::None);
        for (const std::string& line : splitCrLf(bytes)) {
            widths.push_back(static_cast<int>(line.size()));
        }
        const Cp932Result text = cp932ToUtf8(bytes);
        EXPECT_TRUE(text.lossless);
        return splitCrLf(text.text);
    }
    std::vector<int> widths;  // bytes of each line in the file
};

TEST_F(ScheduleExportFile, WritesPlanNameHeaderAndOneFixedLinePerEntryInCp932) {
    const Lines lines = savedLines("kita.TXT");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "北岳2024");
    EXPECT_EQ(lines[1], scheduleExportHeader());
    EXPECT_EQ(lines[2], "　　　" + blanks(16) + "1520" + blanks(5) + "     /06:00" + blanks(4) +
                            "35.2000:138.4000" + blanks(4) + "00.0" + blanks(12));
    EXPECT_EQ(lines[3], "小休止" + blanks(16) + "2300" + blanks(5) + "06:40/06:45" + blanks(4) +
                            "35.2100:138.4100" + blanks(4) + "1000.0" + blanks(10));
    EXPECT_EQ(lines[5], "北岳" + blanks(18) + "3193" + blanks(5) + "08:35/     " + blanks(4) +
                            "35.2300:138.4300" + blanks(4) + "1200.0" + blanks(10));
    EXPECT_EQ(widths, (std::vector<int>{8, 76, 82, 82, 82, 82}));
    // Saving names nothing in the table.
    EXPECT_EQ(state->segments[1].name, "");
    EXPECT_EQ(dialogs.asked()[0].title, "コースタイムの保存");
    EXPECT_EQ(dialogs.asked()[0].text, "テキストファイル(*.TXT)|*.TXT");
    EXPECT_EQ(dialogs.initialPath, "北岳2024");
    EXPECT_EQ(dialogs.extension, "TXT");
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ScheduleExportFile, ElevenDoubleWidthCharactersFillTheNameColumn) {
    state->segments[2].name = "南アルプス北岳肩の小屋";
    const Lines lines = savedLines("kata.TXT");
    EXPECT_EQ(lines[4].substr(0, lines[4].find("2900")), "南アルプス北岳肩の小屋");
    EXPECT_EQ(widths, (std::vector<int>{8, 76, 82, 82, 82, 82}));
}

TEST_F(ScheduleExportFile, ALongerNameWidensTheNameColumnOfEveryLine) {
    state->segments[2].name = "南アルプス北岳肩の小屋分岐";  // 13 characters, 26 columns
    const Lines lines = savedLines("wide.TXT");
    EXPECT_EQ(widths, (std::vector<int>{8, 80, 86, 86, 86, 86}));
    EXPECT_EQ(lines[1], scheduleExportHeader(26));
    EXPECT_EQ(lines[5].substr(0, lines[5].find("3193")), "北岳" + blanks(22));
}

TEST(ScheduleExport, NamesBeyondSixtyColumnsAreCutWithoutSplittingACharacter) {
    auto state = makeAppState();
    std::string huge = "A";
    for (int k = 0; k < 40; ++k) huge += "岳";
    test::setSchedule(*state, {{40, 1500, huge, 1000}, {55, 1234, "", 2345}});
    const Lines lines = scheduleExportLines(*state);
    std::string cut = "A";
    for (int k = 0; k < 29; ++k) cut += "岳";
    EXPECT_EQ(lines[3].substr(0, cut.size() + 1), cut + " ");
    for (size_t k = 2; k < lines.size(); ++k) EXPECT_EQ(displayWidth(lines[k]), 120) << k;
    EXPECT_EQ(displayWidth(lines[1]), 114);
}

TEST(ScheduleExport, ACountBeyondTheTableWritesOnlyTheTable) {
    auto state = makeAppState();
    state->segmentCount = 500;
    EXPECT_EQ(scheduleExportLines(*state).size(), static_cast<size_t>(kMaxSegments + 3));
}

// Each case: one entry's field values and its line, names padded by the columns they take.
TEST(ScheduleExport, OddEntriesKeepTheColumns) {
    struct Case {
        const char* what;
        std::string name;
        std::string departure;
        std::string latitude;
        float walked;
        std::string line;
    };
    const std::string tail = blanks(4) + "35.2100:138.4100" + blanks(4);
    const std::vector<Case> cases{
        {"half-width name", "P1", "07:45", "35.21", 1000,
         "P1" + blanks(20) + "1234" + blanks(5) + "07:40/07:45" + tail + "1000.0" + blanks(10)},
        {"half-width katakana", "ｺﾙ", "07:45", "35.21", 1000,
         "ｺﾙ" + blanks(20) + "1234" + blanks(5) + "07:40/07:45" + tail + "1000.0" + blanks(10)},
        {"no code page form", "山😀", "07:45", "35.21", 1000,
         "山?" + blanks(19) + "1234" + blanks(5) + "07:40/07:45" + tail + "1000.0" + blanks(10)},
        {"control characters", "山\r\n", "07:45", "35.21", 1000,
         "山" + blanks(20) + "1234" + blanks(5) + "07:40/07:45" + tail + "1000.0" + blanks(10)},
        {"no latitude", "山", "07:45", "", 1000,
         "山" + blanks(20) + "1234" + blanks(5) + "07:40/07:45" + blanks(24) + "1000.0" + blanks(10)},
        {"distance past column 60", "山", "07:45", "35.21", 1125899906842624.0f,
         "山" + blanks(20) + "1234" + blanks(5) + "07:40/07:45" + tail + "1125899906842624"},
        {"double-width time overwritten in half", "山", "０７：００", "35.21", 1000,
         "山" + blanks(20) + "1234" + blanks(5) + "07:40/０７：０" + blanks(1) + "35.2100:138.4100" +
             blanks(4) + "1000.0" + blanks(10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto state = makeAppState();
        test::setSchedule(*state, {{40, 1234, c.name, c.walked}, {55, 1500, "", 2000}});
        CourseSegment& entry = state->segments[1];
        entry.departure = c.departure;
        entry.latitude = c.latitude;
        const Lines lines = scheduleExportLines(*state);
        EXPECT_EQ(lines[3], c.line);
        EXPECT_EQ(displayWidth(lines[3]), 82);
        EXPECT_TRUE(representableInCp932(lines[3]));
    }
}

TEST_F(ScheduleExportFile, CancelWritesNothing) {
    dialogs.answerFile(std::nullopt);
    EXPECT_FALSE(saveSchedule(*state, dialogs));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(ScheduleExportFile, NoScheduleAsksForACalculationFirst) {
    clearSegments(*state);
    EXPECT_FALSE(saveSchedule(*state, dialogs));
    ASSERT_EQ(dialogs.asked().size(), 1u);
    EXPECT_EQ(dialogs.asked()[0].text, "コースタイムを計算して下さい。");
    EXPECT_EQ(dialogs.asked()[0].title, "メッセージ");
}

TEST_F(ScheduleExportFile, AFailedWriteSaysSoWithThePath) {
    const std::string path = (dir / "missing" / "kita.TXT").string();
    dialogs.answerFile(path);
    EXPECT_FALSE(saveSchedule(*state, dialogs));
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "コースタイムを保存できませんでした。\r\n" + path);
    EXPECT_EQ(messages[0].title, "コースタイムの保存");
    EXPECT_EQ(messages[0].icon, Icon::Error);
}

// The dialog proposes the plan's name in the data folder, then in the folder the last schedule
// was saved to.
TEST_F(ScheduleExportFile, TheDialogStartsWhereTheLastScheduleWentElseInTheDataFolder) {
    state->dataFolder = dir / "data";
    savedLines("kita.TXT");
    EXPECT_EQ(dialogs.initialPath, (dir / "data" / "北岳2024").string());
    savedLines("kita.TXT");
    EXPECT_EQ(dialogs.initialPath, (dir / "北岳2024").string());
}

TEST_F(ScheduleExportFile, SavingAgainReplacesTheFile) {
    savedLines("kita.TXT");
    state->segmentCount = 1;
    widths.clear();
    const Lines lines = savedLines("kita.TXT");
    EXPECT_EQ(lines.size(), 4u);
}

}  // namespace
}  // namespace orv
