// Mountain-name files: header and comment lines, record splitting, the Japan bounds filter, the
// line limit, and files that are not mountain-name files at all.
#include "names/MountainFile.h"

#include "core/NumberText.h"
#include "geo/Angles.h"
#include "geo/DatumShift.h"
#include "names/MountainFixtures.h"
#include "names/MountainSearch.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

struct MountainFileTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();

    // Read, and on success put into the table, as the plan start does.
    Result<MountainFileData> loadPath(const std::filesystem::path& path) {
        Result<MountainFileData> read = readMountainFile(path, state->japanBounds);
        if (read.ok()) putMountainTable(*state, read->records);
        return read;
    }
    Result<MountainFileData> load(const std::string& bytes) { return loadPath(dir.write("m.ndb", bytes)); }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int i = 1; i <= state->mountainCount; ++i)
            out.push_back(state->mountainTable[static_cast<size_t>(i)].name);
        return out;
    }
};

TEST_F(MountainFileTest, HeaderAndCommentAreSkippedInEverySpelling) {
    for (const char* header : {"MeshSize=-1", "MESHSIZE=-1", "meshsize=-1"}) {
        // Entries of an earlier, longer file must not survive.
        test::fillMountains(*state, {test::mountain("古1", "35", "139"), test::mountain("古2", "35", "139"),
                                     test::mountain("古3", "35", "139")});
        const auto result = load(test::cp932File({header, "; 南アルプス",
                                                  "北岳 35.4027 138.1411 3192 きただけ A",
                                                  "間ノ岳 35.3846 138.1339 3190 あいのだけ A"}));
        ASSERT_TRUE(result.ok()) << header;
        EXPECT_EQ(result->records.size(), 2u);
        EXPECT_EQ(result->encoding, MountainFileEncoding::Cp932);
        EXPECT_EQ(state->mountainCount, 2);
        EXPECT_TRUE(state->mountainFileLoaded);
        const MountainRecord& kita = state->mountainTable[1];
        EXPECT_EQ(kita.name, "北岳");
        EXPECT_EQ(kita.latitude, "35.4027");
        EXPECT_EQ(kita.longitude, "138.1411");
        EXPECT_EQ(kita.elevation, "3192");
        EXPECT_EQ(kita.reading, "きただけ");
        EXPECT_EQ(kita.kind, "A");
        EXPECT_FALSE(kita.onRoute);
        EXPECT_EQ(kita.extra, "");
        EXPECT_EQ(state->mountainTable[2].name, "間ノ岳");
        EXPECT_EQ(state->mountainTable[0].name, "");
        EXPECT_EQ(state->mountainTable[3].name, "");
    }
}

TEST_F(MountainFileTest, ItemsAreSeparatedByAnyRunOfBlanksAndLaterItemsAreNotRead) {
    ASSERT_TRUE(load(test::cp932File({"  北岳   35.4027  138.1411 3192    きただけ   B  別 名"})).ok());
    const MountainRecord& r = state->mountainTable[1];
    EXPECT_EQ(r.name, "北岳");
    EXPECT_EQ(r.latitude, "35.4027");
    EXPECT_EQ(r.longitude, "138.1411");
    EXPECT_EQ(r.elevation, "3192");
    EXPECT_EQ(r.reading, "きただけ");
    EXPECT_EQ(r.kind, "A");
}

TEST(MountainRecordSplit, OnlySpacesSeparateItems) {
    // A tab is part of an item, not a blank between items.
    const auto record = splitMountainRecord("北岳\t 35.4027 138.1411 3192 きただけ\t A");
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->name, "北岳\t");
    EXPECT_EQ(record->reading, "きただけ\t");
    EXPECT_FALSE(splitMountainRecord("北岳\t35.4027\t138.1411\t3192\tきただけ\tA").has_value());
}

TEST_F(MountainFileTest, RecordsOnOrOutsideJapanBoundsAreDroppedAndLaterOnesMoveUp) {
    const auto result = load(test::cp932File({
        "北端 46.0 140 100 a A",      // equal to the north bound
        "一 45.5959 153.5959 1 a A",  // just inside two bounds
        "南端 20.00 136 100 a A",     // equal to the south bound
        "西端 24 122 100 a A",
        "東端 24 154.0 100 a A",
        "文字 北 140 100 a A",        // not a number: reads as 0
        "二 20.0001 122.0001 2 a A",
    }));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(names(), (std::vector<std::string>{"一", "二"}));
    EXPECT_EQ(state->mountainTable[3].name, "");
}

// Lines that cannot be split make the whole file unusable; nothing of the state changes.
TEST_F(MountainFileTest, UnsplittableLinesMakeTheFileUnusable) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        size_t badLine;
    };
    const std::vector<Case> cases{
        {"five items", {"北岳 35.4027 138.1411 3192 きただけ"}, 1},
        {"five items and a trailing blank", {"MeshSize=-1", "北岳 35.4027 138.1411 3192 きただけ "}, 2},
        {"empty line", {"一 35 139 1 a A", "", "二 35 139 1 a A"}, 2},
        {"blanks only", {"一 35 139 1 a A", "   "}, 2},
        {"empty last line", {"一 35 139 1 a A", ""}, 2},
        {"tabs are not blanks", {"北岳\t35.4027\t138.1411\t3192\tきただけ\tA"}, 1},
        {"header with a trailing blank", {"MeshSize=-1 ", "一 35 139 1 a A"}, 1},
        {"ideographic spaces are not blanks", {"北岳　35.4027　138.1411　3192　きただけ　A"}, 1},
    };
    for (const auto& c : cases) {
        test::fillMountains(*state, {test::mountain("前", "35", "139")});
        state->mountainFileLoaded = false;
        const auto result = load(test::cp932File(c.lines));
        EXPECT_EQ(result.problem().kind, ProblemKind::BadRecord) << c.what;
        EXPECT_EQ(result.problem().line, static_cast<int>(c.badLine)) << c.what;
        EXPECT_FALSE(state->mountainFileLoaded) << c.what;
        EXPECT_EQ(state->mountainCount, 1) << c.what;
        EXPECT_EQ(state->mountainTable[1].name, "前") << c.what;
    }
}

TEST_F(MountainFileTest, FilesThatAreNoMountainFilesAreRefused) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
    const std::string record = "北岳 35.4027 138.1411 3192 きただけ A";
    struct Case {
        const char* what;
        std::string bytes;
        ProblemKind error;
        size_t line;
    };
    const std::vector<Case> cases{
        {"binary", binary, ProblemKind::NotText, 1},
        {"NUL in a record", test::cp932File({"一 35 139 1 a A"}) + std::string("二 35\0 139 1 a A\r\n", 19),
         ProblemKind::NotText, 2},
        {"bytes that are neither CP932 nor UTF-8", test::cp932File({record}) + "\xFF\xFE 35 139 1 a A\r\n",
         ProblemKind::WrongEncoding, 2},
        {"a BOM before CP932 text", "\xEF\xBB\xBF" + test::cp932File({record}),
         ProblemKind::WrongEncoding, 0},
        {"a megabyte without blanks", std::string(1 << 20, 'x'), ProblemKind::LineTooLong, 1},
        {"a long record", "一 35 139 1 a A " + std::string(kMountainLineMaxBytes, 'x'),
         ProblemKind::LineTooLong, 1},
    };
    for (const auto& c : cases) {
        const auto result = load(c.bytes);
        EXPECT_EQ(result.problem().kind, c.error) << c.what;
        EXPECT_EQ(result.problem().line, static_cast<int>(c.line)) << c.what;
        EXPECT_FALSE(state->mountainFileLoaded) << c.what;
        EXPECT_EQ(state->mountainCount, 0) << c.what;
    }
    EXPECT_EQ(loadPath(dir / "missing.ndb").problem().kind, ProblemKind::NotFound);
    EXPECT_EQ(loadPath(dir.path()).problem().kind, ProblemKind::NotFound);
    EXPECT_FALSE(state->mountainFileLoaded);
}

TEST_F(MountainFileTest, Utf8FilesAreReadAsUtf8) {
    const std::string utf8 = "MeshSize=-1\r\n北岳 35.4027 138.1411 3192 きただけ A\r\n";
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8}) {
        const auto result = load(bytes);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result->encoding, MountainFileEncoding::Utf8);
        EXPECT_EQ(names(), (std::vector<std::string>{"北岳"}));
        EXPECT_EQ(state->mountainTable[1].reading, "きただけ");
    }
}

TEST_F(MountainFileTest, OddButHarmlessFilesAreRead) {
    // A line of exactly the longest length is still a record.
    const std::string prefix = "一 35 139 1 a ";
    const std::string longest = prefix + std::string(kMountainLineMaxBytes - prefix.size(), 'A');
    ASSERT_EQ(longest.size(), kMountainLineMaxBytes);
    EXPECT_TRUE(load(longest + "\r\n").ok());
    EXPECT_EQ(state->mountainCount, 1);
    // Line ends of other systems, and the end-of-file mark of DOS days.
    const auto mixed = load("一 35 139 1 a A\n二 35 139 1 a A\r三 35 139 1 a A\r\n\x1A");
    ASSERT_TRUE(mixed.ok());
    EXPECT_EQ(names(), (std::vector<std::string>{"一", "二", "三"}));
    // An empty file holds no mountains but is a usable file.
    state->mountainFileLoaded = false;
    ASSERT_TRUE(load("").ok());
    EXPECT_EQ(state->mountainCount, 0);
    EXPECT_TRUE(state->mountainFileLoaded);
}

TEST_F(MountainFileTest, OnlyTheFirstTenThousandLinesAreRead) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 10000; ++i) lines.push_back("山" + std::to_string(i) + " 35 139 1 やま A");
    lines.push_back("not a record");  // line 10001 is never read
    lines.push_back("後 35 139 1 a A");
    ASSERT_TRUE(load(test::cp932File(lines)).ok());
    EXPECT_EQ(state->mountainCount, kMaxMountains);
    EXPECT_EQ(state->mountainTable[10000].name, "山10000");

    // With the header on line 1 the table ends one record earlier.
    lines.insert(lines.begin(), "MeshSize=-1");
    ASSERT_TRUE(load(test::cp932File(lines)).ok());
    EXPECT_EQ(state->mountainCount, 9999);
    EXPECT_EQ(state->mountainTable[9999].name, "山9999");
    EXPECT_EQ(state->mountainTable[10000].name, "");
}

TEST_F(MountainFileTest, TheBundledSampleFileLoads) {
    const auto result = loadPath(std::filesystem::path(ORVANE_ASSETS) / "sample" / "hidaka.ndb");
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->encoding, MountainFileEncoding::Cp932);
    EXPECT_EQ(state->mountainCount, 6);
    EXPECT_EQ(state->mountainTable[1].name, "幌尻岳");
    EXPECT_EQ(state->mountainTable[1].latitude, "42.4301");
}

// The file of Japan's main peaks proposed to a new user: the survey's whole list of 1059 peaks,
// the 21 on the islands south of 30° N (beyond the overview map) among them.
TEST_F(MountainFileTest, TheBundledListOfJapansMainPeaksLoadsAndFindsTheFamousOnes) {
    const std::filesystem::path file = std::filesystem::path(ORVANE_ASSETS) / "sample" / "japan.ndb";
    ASSERT_TRUE(loadPath(file).ok());
    EXPECT_EQ(state->mountainCount, 1059);
    EXPECT_EQ(state->mountainTable[1].name, "知床岳");  // the list's order, north to south
    int south = 0;
    for (int i = 1; i <= state->mountainCount; ++i)
        if (leadingNumber(state->mountainTable[static_cast<size_t>(i)].latitude) < 30.0) ++south;
    EXPECT_EQ(south, 21);

    // A new user's overview shows none of them (Kyushu here): the search widens to all of Japan.
    const OverviewRange kyushu{"31.0", "34.0", " 129.0", " 132.0"};
    auto shift = DatumShift::create(ModernDatum::Jgd2011);
    ASSERT_TRUE(shift.ok());
    struct Case {
        const char* text;
        std::vector<std::string> found;
        size_t checked;              // the one of `found` whose position is checked,
        double latitude, longitude;  // at the list's position (JGD2011)
    };
    const Case cases[] = {
        {"槍ヶ岳", {"鹿島槍ヶ岳", "槍ヶ岳"}, 1, 36.341944444444444, 137.64749999999998},
        {"富士山", {"富士山<剣ヶ峯>"}, 0, 35.36083333333333, 138.7275},
        {"幌尻岳", {"幌尻岳", "十勝幌尻岳"}, 0, 42.71944444444445, 142.68277777777777},
        {"於茂登岳", {"於茂登岳"}, 0, 24.427222222222223, 124.18333333333334},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const DestinationSearch search = searchDestinationMountains(*state, c.text, SearchArea::DisplayedRange, kyushu);
        EXPECT_EQ(search.area, SearchArea::AllJapan);
        std::vector<std::string> found;
        for (int record : search.result.records) found.push_back(state->mountainTable[static_cast<size_t>(record)].name);
        EXPECT_EQ(found, c.found);
        // The position is the list's, moved onto the Tokyo datum and rounded to whole seconds.
        ASSERT_EQ(search.result.records.size(), c.found.size());
        const MountainRecord& m = state->mountainTable[static_cast<size_t>(search.result.records[c.checked])];
        const LatLon tokyo = shift->toTokyo(c.latitude, c.longitude);
        EXPECT_NEAR(*dmsTextDegrees(m.latitude), tokyo.latitude, 0.5 / 3600.0 + 1e-9);
        EXPECT_NEAR(*dmsTextDegrees(m.longitude), tokyo.longitude, 0.5 / 3600.0 + 1e-9);
        // The shift itself is several seconds: a file left on JGD2011 would not pass.
        EXPECT_GT(std::abs(tokyo.longitude - c.longitude), 5.0 / 3600.0);
    }
}

TEST(MountainFileDialogs, TheErrorMessageAndTheFileChoice) {
    test::ScriptedDialogs dialogs;
    reportMountainFileError(dialogs);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "この山名ファイルは使用できません。\r\n正しい山名ファイルを指定して下さい");
    EXPECT_EQ(dialogs.messages()[0].title, "ファイルエラー");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Error);

    auto state = makeAppState();
    state->mountainFilePath = "/old/hidaka.ndb";
    dialogs.answerFile(std::nullopt);
    EXPECT_FALSE(chooseMountainFile(*state, dialogs));
    EXPECT_EQ(state->mountainFilePath, "/old/hidaka.ndb");
    dialogs.answerFile("/new/yama.YMD");
    EXPECT_TRUE(chooseMountainFile(*state, dialogs));
    EXPECT_EQ(state->mountainFilePath, "/new/yama.YMD");
    const auto& asked = dialogs.asked().back();
    EXPECT_EQ(asked.kind, "openFile");
    EXPECT_EQ(asked.title, "山名ファイルを開く");
    EXPECT_EQ(asked.text, "山名ファイル (*.ndb)|*.ndb|山名ファイル (*.ymd)|*.ymd|");
}

}  // namespace
}  // namespace orv
