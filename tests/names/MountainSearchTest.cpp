// The destination search: range and text matching, the aligned list columns, the status text,
// and taking the picked mountain over as the destination.
#include "names/MountainSearch.h"
#include "names/SearchDestination.h"

#include "names/MountainFixtures.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orv {
namespace {

std::string blanks(size_t n) { return std::string(n, ' '); }

const OverviewRange kNoRange{"0", "0", "0", "0"};

TEST(MountainSearch, EmptyTextOverAllJapanListsEveryMountainInFileOrder) {
    auto state = makeAppState();
    test::fillMountains(*state, {test::mountain("利尻山", "45.1042", "141.1431"),
                                 test::mountain("北岳", "35.4027", "138.1411"),
                                 test::mountain("宮之浦岳", "30.2011", "130.3015")});
    const auto result = searchMountains(*state, "", SearchArea::AllJapan, kNoRange);
    EXPECT_EQ(result.records, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(result.rows.size(), 3u);
    EXPECT_EQ(result.rows[1].substr(0, 6), "北岳");
    EXPECT_EQ(result.status, "3 山が見つかりました。");
}

TEST(MountainSearch, TheTextMustOccurInTheName) {
    auto state = makeAppState();
    test::fillMountains(*state, {test::mountain("北岳", "35.4027", "138.1411"),
                                 test::mountain("間ノ岳", "35.3846", "138.1339"),
                                 test::mountain("北海道駒ヶ岳", "42.0348", "140.4038")});
    struct Case {
        const char* text;
        std::vector<int> records;
        const char* status;
    };
    for (const Case& c : {Case{"北", {1, 3}, "2 山が見つかりました。"},
                          Case{"岳", {1, 2, 3}, "3 山が見つかりました。"},
                          Case{"駒ヶ", {3}, "1 山が見つかりました。"},
                          Case{"富士", {}, "0 山が見つかりました。"}}) {
        const auto result = searchMountains(*state, c.text, SearchArea::AllJapan, kNoRange);
        EXPECT_EQ(result.records, c.records) << c.text;
        EXPECT_EQ(result.rows.size(), c.records.size()) << c.text;
        EXPECT_EQ(result.status, c.status) << c.text;
    }
}

// The overview range comes from its labels: the fifth latitude label is the south edge, the
// first the north edge, the first and eighth longitude labels the west and east edges. A
// mountain on an edge is outside.
TEST(MountainSearch, DisplayedRangeIsStrictInArcSeconds) {
    auto state = makeAppState();
    test::fillMountains(*state, {
        test::mountain("南縁", "35.2", "138.3"),
        test::mountain("南縁の内", "35.2001", "138.3"),
        test::mountain("西縁", "35.5", "138.0"),
        test::mountain("西縁の内", "35.5", "138.0001"),
        test::mountain("東縁", "35.5", "139"),
        test::mountain("北縁", "36.0", "138.3"),
        test::mountain("北縁の内", "35.5959", "138.5959"),
        test::mountain("範囲外", "43.3", "142.5"),
    });
    OverviewRange range{};
    range[kSouth] = "35.2";
    range[kNorth] = "36.0";
    range[kWest] = " 138.0";
    range[kEast] = " 139.0";
    const auto shown = searchMountains(*state, "", SearchArea::DisplayedRange, range);
    EXPECT_EQ(shown.records, (std::vector<int>{2, 4, 7}));
    EXPECT_EQ(searchMountains(*state, "", SearchArea::AllJapan, range).records.size(), 8u);
}

// A search of the displayed range that finds nothing is made over all of Japan at once; one
// that finds something, or an all-Japan search, stays as asked.
TEST(MountainSearch, NothingInTheDisplayedRangeWidensToAllJapan) {
    auto state = makeAppState();
    test::fillMountains(*state, {test::mountain("北岳", "35.4027", "138.1411"),
                                 test::mountain("幌尻岳", "42.4308", "142.4100")});
    OverviewRange range{};
    range[kSouth] = "35.2";
    range[kNorth] = "36.0";
    range[kWest] = " 138.0";
    range[kEast] = " 139.0";
    struct Case {
        const char* text;
        SearchArea asked;
        SearchArea searched;
        std::vector<int> records;
        const char* status;
    };
    const Case cases[] = {
        {"幌尻", SearchArea::DisplayedRange, SearchArea::AllJapan, {2},
         "表示範囲内には見つかりませんでした。全国では 1 山が見つかりました。"},
        {"北", SearchArea::DisplayedRange, SearchArea::DisplayedRange, {1}, "1 山が見つかりました。"},
        {"富士", SearchArea::DisplayedRange, SearchArea::DisplayedRange, {}, "0 山が見つかりました。"},
        {"富士", SearchArea::AllJapan, SearchArea::AllJapan, {}, "0 山が見つかりました。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const DestinationSearch search = searchDestinationMountains(*state, c.text, c.asked, range);
        EXPECT_EQ(search.area, c.searched);
        EXPECT_EQ(search.result.records, c.records);
        EXPECT_EQ(search.result.status, c.status);
    }
}

TEST(MountainSearch, ListRowsAlignTheirColumns) {
    struct Case {
        const char* what;
        MountainRecord record;
        std::string row;
    };
    const std::vector<Case> cases{
        {"a mountain of a known sheet", test::mountain("北岳", "35.4027", "138.1411", "3192"),
         "北岳" + blanks(15) + "3192" + blanks(5) + "5338  甲府" + blanks(23) + "35.40270" + blanks(4) +
             "138.14110" + blanks(3)},
        {"a sheet code not in the region table shows alone",
         test::mountain("無名峰", "36.5", "135.3", "801"),
         "無名峰" + blanks(13) + "801" + blanks(6) + "5535" + blanks(29) + "36.50000" + blanks(4) +
             "135.30000" + blanks(3)},
        {"a name wider than 19 columns is not padded",
         test::mountain("幌尻岳北カール上の肩の小ピーク", "42.431", "142.4058", "2052"),
         "幌尻岳北カール上の肩の小ピーク2052" + blanks(5) + "6442  夕張岳" + blanks(21) + "42.43100" +
             blanks(4) + "142.40580" + blanks(3)},
        {"half-width katakana take one column",
         test::mountain("ﾎﾟﾛｼﾘ", "42.431", "142.4058", "2052"),
         "ﾎﾟﾛｼﾘ" + blanks(14) + "2052" + blanks(5) + "6442  夕張岳" + blanks(21) + "42.43100" +
             blanks(4) + "142.40580" + blanks(3)},
        {"the elevation field is cut at nine characters",
         test::mountain("山", "35.4027", "138.1411", "3192.123456789"),
         "山" + blanks(17) + "3192.1234" + "5338  甲府" + blanks(23) + "35.40270" + blanks(4) +
             "138.14110" + blanks(3)},
        {"the elevation field counts characters", test::mountain("山", "35.4027", "138.1411", "約３千ｍ"),
         "山" + blanks(17) + "約３千ｍ" + blanks(5) + "5338  甲府" + blanks(23) + "35.40270" +
             blanks(4) + "138.14110" + blanks(3)},
    };
    for (const auto& c : cases) EXPECT_EQ(mountainListRow(c.record), c.row) << c.what;
}

TEST(MountainSearch, ATableCountOutOfRangeReadsNoFurtherThanTheTable) {
    auto state = makeAppState();
    test::fillMountains(*state, {test::mountain("北岳", "35.4027", "138.1411")});
    state->mountainCount = kMaxMountains + 50;
    EXPECT_EQ(searchMountains(*state, "北岳", SearchArea::AllJapan, kNoRange).records,
              (std::vector<int>{1}));
    state->mountainCount = -3;
    EXPECT_TRUE(searchMountains(*state, "", SearchArea::AllJapan, kNoRange).records.empty());
}

TEST(SearchDestination, ARepeatedSearchIsAskedFirst) {
    auto state = makeAppState();
    test::ScriptedDialogs dialogs;
    EXPECT_TRUE(confirmSearchAgain(*state, dialogs));
    EXPECT_TRUE(dialogs.asked().empty());

    state->mountainConfirmed = true;
    dialogs.answerMessage(Answer::Cancel);
    dialogs.answerMessage(Answer::Ok);
    EXPECT_FALSE(confirmSearchAgain(*state, dialogs));
    EXPECT_TRUE(confirmSearchAgain(*state, dialogs));
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 2u);
    const auto& asked = messages[0];
    EXPECT_EQ(asked.text, "すでに検索され確定していますが、再度検索しますか。");
    EXPECT_EQ(asked.title, "検索問い合わせ");
    EXPECT_EQ(asked.buttons, Buttons::OkCancel);
    EXPECT_EQ(asked.icon, Icon::Question);
}

TEST(SearchDestination, TheConfirmedMountainBecomesTheCentreMesh) {
    auto state = makeAppState();
    test::fillMountains(*state, {test::mountain("間ノ岳", "35.3846", "138.1339"),
                                 test::mountain("北岳", "35.4027", "138.1411")});
    state->mountainConfirmed = true;
    EXPECT_TRUE(takeDestination(*state, 2));
    EXPECT_EQ(state->selectedMountain, 2);
    EXPECT_EQ(state->centreMeshCode, "533841");

    for (std::optional<int> picked : {std::optional<int>(), std::optional<int>(0), std::optional<int>(3)}) {
        EXPECT_FALSE(takeDestination(*state, picked));
        EXPECT_EQ(state->selectedMountain, 2);
    }
    state->mountainConfirmed = false;
    EXPECT_FALSE(takeDestination(*state, 1));
}

}  // namespace
}  // namespace orv
