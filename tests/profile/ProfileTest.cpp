// The profile window's logic driven through dispatch(toolId) on a route to 幌尻岳 over the real
// sample block: activation, the picture, each command with its exact texts, deletion on the
// profile with each answer, both outputs, and the live link.
#include "profile/Profile.h"

#include "profile/ProfileTools.h"
#include "route/MarkIcons.h"
#include "SummitRoute.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

using namespace profileTool;

struct ProfileTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<Profile> profile;

    void SetUp() override {
        test::planSummitRoute(*state);
        profile = std::make_unique<Profile>(*state, dialogs);
    }
    void TearDown() override { EXPECT_TRUE(dialogs.allAnswersUsed()); }

    void activateWithSchedule() {
        test::scheduleRoute(*state);
        profile->activate();
    }
    Colour at(int x, int y) const { return profile->surface().pixelAt(x, y); }
    QImage picture() const { return profile->surface().image().copy(); }
    std::vector<PixelPoint> points() const { return profilePoints(*state, profile->scale()); }
    int endX(int entry) const {
        return points()[static_cast<size_t>(state->segments[static_cast<size_t>(entry)].endPoint)].x;
    }
    // Pixels of a colour in a box.
    int count(Colour colour, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += at(x, y) == colour ? 1 : 0;
        return n;
    }
};

TEST(ProfileScaleTest, TopElevationFromTheHighestPoint) {
    struct Case {
        int highest;
        int top;
    };
    for (const Case c : {Case{2899, 3300}, Case{850, 1100}, Case{849, 1000}, Case{1000, 1500},
                         Case{999, 1200}, Case{0, 200}})
        EXPECT_EQ(topElevation(c.highest), c.top) << c.highest;
    auto state = makeAppState();
    state->routeCount = 1;
    state->route[1].elevation = 2899;
    EXPECT_DOUBLE_EQ(profileScale(*state, 0).vertical, 13.75);
}

// Pixels whose quotient is whole on paper land on it: the last point on the right edge, a point
// at the base elevation on the bottom edge, equal steps on equal columns.
TEST(ProfileScaleTest, WholeQuotientsLandOnTheirPixels) {
    const struct {
        const char* what;
        std::vector<float> distances;  // mapDistance of points 1..n
        std::vector<float> elevations;
        double base;
        std::vector<PixelPoint> pixels;
    } cases[] = {
        {"two points 24.5 m apart at the base, T 1100", {0, 24.5f}, {850, 850}, 850, {{50, 310}, {750, 310}}},
        {"half way, the lowest points at the base, T 1900", {0, 35, 35}, {1000, 1400, 1000}, 1000,
         {{50, 310}, {400, 203}, {750, 310}}},
        {"seven steps of 0.1 m", {0, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f}, {850, 850, 850, 850, 850, 850, 850, 850},
         850, {{50, 310}, {150, 310}, {250, 310}, {350, 310}, {450, 310}, {550, 310}, {650, 310}, {750, 310}}},
        {"tenths of a metre, base 0, T 1600", {0, 0.1f, 0.2f}, {850, 1100, 900}, 0, {{50, 182}, {283, 145}, {750, 175}}},
        {"T 3300 from 2899 m, base 0", {0, 1234.5f}, {2899, 300}, 0, {{50, 99}, {750, 288}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto state = makeAppState();
        state->routeCount = static_cast<int16_t>(c.distances.size());
        double length = 0;
        for (size_t v = 1; v <= c.distances.size(); ++v) {
            state->route[v].mapDistance = c.distances[v - 1];
            state->route[v].elevation = c.elevations[v - 1];
            length += c.distances[v - 1];
        }
        const ProfileScale scale = profileScale(*state, c.base);
        std::vector<PixelPoint> pixels = profilePoints(*state, scale);
        pixels.erase(pixels.begin());
        EXPECT_EQ(pixels, c.pixels);
        // The route map's mouse at the far end stands on the last column.
        EXPECT_EQ(columnOfDistance(*state, scale, length), std::optional<int>(kPlotRight));
    }
}

TEST(ProfileScaleTest, ARouteWithoutLengthStandsAtTheLeftEdge) {
    auto state = makeAppState();
    test::ScriptedDialogs dialogs;
    for (int count : {1, 3}) {
        state->routeCount = static_cast<int16_t>(count);
        for (int v = 1; v <= count; ++v) state->route[static_cast<size_t>(v)].elevation = 500.0f + static_cast<float>(v);
        Profile profile(*state, dialogs);
        profile.activate();
        EXPECT_EQ(profile.scale().horizontal, 0.0);
        for (int v = 1; v <= count; ++v) EXPECT_EQ(profilePoints(*state, profile.scale())[static_cast<size_t>(v)].x, kPlotLeft);
        profile.mouseMove(400, 100);
        EXPECT_EQ(profile.statusLine().rfind("距離 0m", 0), 0u) << profile.statusLine();
    }
}

TEST(ProfileToolsTest, BandsCaptionsAndCategories) {
    MenuModel menus;
    buildProfileMenus(menus);
    const auto captions = [&](const char* band) {
        std::vector<std::string> out;
        for (const MenuCommand& c : menus.band(band)->commands) out.push_back(c.toolId + " " + c.caption + " " + c.category);
        return out;
    };
    const std::vector<std::string> main{
        "ActTVHightV 表示基準標高値 ﾒｲﾝﾒﾆｭｰ", "ActTVCTime ｺｰｽﾀｲﾑ ﾒｲﾝﾒﾆｭｰ", "ActTVDataDisp ﾃﾞｰﾀ表示 ﾒｲﾝﾒﾆｭｰ",
        "ActTVEreaDel 区間の削除 ﾒｲﾝﾒﾆｭｰ", "ActTVCopyClipB ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ ﾒｲﾝﾒﾆｭｰ",
        "ActTVCopyFile ﾌｧｲﾙにｺﾋﾟｰ ﾒｲﾝﾒﾆｭｰ", "ActTVDispConfig 表示文字・色の変更 ﾒｲﾝﾒﾆｭｰ",
        "ActTVExitDMZ 断面図の終了 ﾒｲﾝﾒﾆｭｰ"};
    EXPECT_EQ(captions(kProfileMenuBarBand), main);
    EXPECT_EQ(menus.band(kProfileMenuBarBand)->caption, "主ﾒﾆｭｰ");
    EXPECT_EQ(captions(kProfilePopupBand), main);
    EXPECT_EQ(captions(kProfileDataBand),
              (std::vector<std::string>{"ActTVData1 区間距離 ﾃﾞｰﾀ表示ﾒﾆｭｰ", "ActTVData2 標高値 ﾃﾞｰﾀ表示ﾒﾆｭｰ",
                                        "ActTVData3 傾斜角 ﾃﾞｰﾀ表示ﾒﾆｭｰ", "ActTVData4 区間時間 ﾃﾞｰﾀ表示ﾒﾆｭｰ",
                                        "ActTVData5 区間標高差 ﾃﾞｰﾀ表示ﾒﾆｭｰ"}));
    EXPECT_EQ(captions(kProfileDisplayBand),
              (std::vector<std::string>{
                  "ActTVFontConf 【表示文字・色】 表示設定ﾒﾆｭｰ", "ActTVFont1 区間距離 表示設定ﾒﾆｭｰ",
                  "ActTVFont2 標高値 表示設定ﾒﾆｭｰ", "ActTVFont3 傾斜角 表示設定ﾒﾆｭｰ", "ActTVFont4 区間時間 表示設定ﾒﾆｭｰ",
                  "ActTVFont5 区間標高差 表示設定ﾒﾆｭｰ", "ActTVBColor 【背景色】 表示設定ﾒﾆｭｰ",
                  "ActTVBC1 設定色を使用 表示設定ﾒﾆｭｰ", "ActTVBC2 単色を使用 表示設定ﾒﾆｭｰ", "ActTVBC3 なし 表示設定ﾒﾆｭｰ"}));
    // The two headings of the display menu are headings, nothing else is.
    std::vector<std::string> headings;
    for (const MenuBand& band : menus.bands())
        for (const MenuCommand& c : band.commands)
            if (c.heading) headings.push_back(c.toolId);
    EXPECT_EQ(headings, (std::vector<std::string>{"ActTVFontConf", "ActTVBColor"}));
}

TEST_F(ProfileTest, ActivationWithoutScheduleSetsTextsScaleAndMenus) {
    profile->activate();
    EXPECT_EQ(profile->title(), "幌尻岳  ルート断面図");
    EXPECT_EQ(profile->toolTip(), "右クリックでメニュー");
    EXPECT_EQ(profile->status(), "コースタイム計算をすると区間表示されます。");
    const ElevationRange range = routeElevationRange(*state);
    EXPECT_GT(range.highest, 1500);
    EXPECT_EQ(profile->scale().top, 100 * (range.highest / 100) + 500);
    EXPECT_EQ(profile->scale().base, 0.0);
    const RoutePoint& totals = state->route[0];
    EXPECT_EQ(profile->summaries()[0], "地図上距離　：" + std::to_string(static_cast<int>(totals.mapDistance)) + "m");
    EXPECT_EQ(profile->summaries()[1], "総歩行距離　：" + std::to_string(static_cast<int>(totals.walkDistance)) + "m");
    EXPECT_EQ(profile->summaries()[2], "標高差　　　：" + std::to_string(range.highest - range.lowest) + "m");
    EXPECT_EQ(profile->summaries()[3], "総歩行時間　：" + std::to_string(static_cast<int>(totals.minutesOut)) + "分");
    for (const ToolId id : {kDataMenu, kDeleteSegments, kFontHeading, kFonts[0], kFonts[4]})
        EXPECT_FALSE(profile->menus().isEnabled(id)) << id.text();
    for (const ToolId id : kDataLabels) EXPECT_FALSE(profile->menus().isChecked(id)) << id.text();
    EXPECT_TRUE(profile->menus().isEnabled(kBaseElevation));

    // The data switches do nothing without a schedule, even when sent.
    profile->dispatch(kDataLabels[1].text());
    EXPECT_FALSE(state->profileLabels[1]);
    // No dividers: nothing in the etched shadow colour.
    EXPECT_EQ(count(colours::shadow3D, 0, kPlotTop, kProfileWidth - 1, kDividerBottom), 0);
}

TEST_F(ProfileTest, ThePictureOnTheSampleBlock) {
    profile->activate();
    const std::vector<PixelPoint> p = points();
    const PixelPoint first = p[1];
    const PixelPoint last = p[static_cast<size_t>(state->routeCount)];
    EXPECT_EQ(first.x, kPlotLeft);
    EXPECT_EQ(last.x, kPlotRight);
    // Sky above the line, terrain colours under it, the line itself black.
    EXPECT_EQ(at(kPlotLeft + 100, kPlotTop + 5), kSkyColour);
    EXPECT_NE(at(first.x + 2, kDividerBottom - 2), kSkyColour);
    EXPECT_EQ(at(p[5].x, p[5].y), colours::black);
    // The summit's name stands in a column just above it; the start's place name too.
    EXPECT_GT(count(colours::blue, last.x - 8, last.y - 24 - 4 * 12, last.x + 10, last.y - 24), 5);
    EXPECT_EQ(state->route[1].placeName, "額平川");
    EXPECT_GT(count(colours::black, first.x - 6, first.y - 24 - 3 * 12, first.x + 10, first.y - 25), 5);
    // The elevation scale: the top value in blue at the left edge.
    EXPECT_GT(count(colours::blue, 0, kPlotTop - 7, 45, kPlotTop + 5), 5);
    // The water mark half way.
    const PixelPoint mark = p[static_cast<size_t>(state->routeCount / 2)];
    int blueish = 0;
    for (int y = mark.y - 8; y < mark.y + 8; ++y)
        for (int x = mark.x - 8; x < mark.x + 8; ++x) blueish += blueOf(at(x, y)) > 150 && redOf(at(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(blueish, 10);
}

TEST_F(ProfileTest, ScheduleShowsDividersSegmentLabelsAndEachDataSwitch) {
    activateWithSchedule();
    EXPECT_EQ(profile->status(), "ﾃﾞﾌｫﾙﾄではｽﾀｰﾄの区間は 30分で後の区間はおおよそ 30分　です。区間調整をした場合は適用されません。");
    for (const ToolId id : {kDataMenu, kDeleteSegments, kFontHeading, kFonts[2]}) EXPECT_TRUE(profile->menus().isEnabled(id));
    EXPECT_TRUE(profile->menus().isChecked(kDataLabels[0]));
    EXPECT_FALSE(profile->menus().isChecked(kDataLabels[1]));
    // Entry 0's divider at the left edge, one per entry.
    EXPECT_EQ(at(kPlotLeft, kDividerBottom - 1), colours::shadow3D);
    EXPECT_EQ(at(kPlotLeft + 1, kDividerBottom - 1), colours::highlight3D);
    for (int j = 1; j <= state->segmentCount; ++j) EXPECT_EQ(at(endX(j), kDividerBottom - 1), colours::shadow3D) << j;

    // Each switch changes the picture where its label goes and flips its check mark.
    const int m = (endX(1) + endX(2)) / 2;
    struct Band {
        int y0, y1;
    };
    const std::array<Band, 5> bands{Band{312, 325}, Band{0, kDividerBottom}, Band{296, 309}, Band{268, 281}, Band{282, 295}};
    for (size_t k = 0; k < kDataLabels.size(); ++k) {
        const QImage before = picture();
        const bool was = state->profileLabels[k];
        profile->dispatch(kDataLabels[k].text());
        EXPECT_NE(state->profileLabels[k], was) << k;
        EXPECT_EQ(profile->menus().isChecked(kDataLabels[k]), state->profileLabels[k]) << k;
        const QImage after = picture();
        const int x0 = k == 1 ? 0 : m - 12;
        const int x1 = k == 1 ? kProfileWidth - 1 : m + 40;
        EXPECT_NE(before.copy(x0, bands[k].y0, x1 - x0, bands[k].y1 - bands[k].y0),
                  after.copy(x0, bands[k].y0, x1 - x0, bands[k].y1 - bands[k].y0)) << k;
    }
}

TEST_F(ProfileTest, TwoEntriesEndingAtOnePointMarkOnlyTheFirst) {
    test::scheduleRoute(*state);
    ASSERT_GE(state->segmentCount, 3);
    state->segments[2].endPoint = state->segments[1].endPoint;
    profile->activate();
    EXPECT_EQ(at(endX(1), kDividerBottom - 1), colours::shadow3D);
    const int lastX = endX(state->segmentCount);
    EXPECT_NE(at(lastX, kDividerBottom - 1), colours::shadow3D);
}

TEST_F(ProfileTest, BaseElevationRefusedAboveTheLowestPointAndAcceptedAtIt) {
    profile->activate();
    const int lowest = routeElevationRange(*state).lowest;

    dialogs.answerInput("");
    profile->dispatch(kBaseElevation.text());
    EXPECT_EQ(profile->scale().base, 0.0);

    dialogs.answerInput(std::to_string(lowest + 1));
    profile->dispatch(kBaseElevation.text());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "作成されている最低標高値以上では無効です。");
    EXPECT_EQ(dialogs.messages()[0].title, "最低標高値以上を指定");
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Error);
    EXPECT_EQ(profile->scale().base, lowest);
    const test::Asked& asked = dialogs.asked()[0];
    EXPECT_EQ(asked.text, "基準標高値（単位はｍ）を入力して下さい。");
    EXPECT_EQ(asked.title, "基準標高値設定");

    dialogs.answerInput(std::to_string(lowest));
    profile->dispatch(kBaseElevation.text());
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(profile->scale().base, lowest);
    // The lowest point touches the bottom edge; the top stays.
    int bottom = 0;
    for (const PixelPoint& p : points()) bottom = std::max(bottom, p.y);
    EXPECT_EQ(bottom, kDividerBottom);
    EXPECT_EQ(profile->scale().top, topElevation(routeElevationRange(*state).highest));

    // The next activation starts from 0 m again.
    profile->activate();
    EXPECT_EQ(profile->scale().base, 0.0);
}

// A change on the route map reaches the profile through followRoute: only a change of the
// route or its schedule redraws, and a chosen base elevation stays unless the route now goes
// below it.
TEST_F(ProfileTest, FollowsTheRouteKeepingTheChosenBase) {
    activateWithSchedule();
    const int lowest = routeElevationRange(*state).lowest;
    dialogs.answerInput(std::to_string(lowest - 100));
    profile->dispatch(kBaseElevation.text());
    profile->dispatch(kDeleteSegments.text());
    const QImage before = picture();
    int changes = 0;
    profile->changed = [&] { ++changes; };

    profile->followRoute();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(profile->status(), kProfileDeletionStatus);

    state->route[static_cast<size_t>(state->routeCount)].mountainName = "ポロシリ";
    profile->followRoute();
    EXPECT_EQ(changes, 1);
    EXPECT_NE(picture(), before);
    EXPECT_EQ(profile->scale().base, lowest - 100);

    // A point below the base: the base comes down to it, and the point stands on the bottom edge.
    const size_t low = 3;
    state->route[low].elevation = static_cast<float>(lowest - 150);
    profile->followRoute();
    EXPECT_EQ(profile->scale().base, lowest - 150);
    EXPECT_EQ(points()[low].y, kDividerBottom);

    // The route gone: an empty profile, the summaries at zero, the schedule's menus disabled.
    clearRoute(*state);
    clearSegments(*state);
    state->routeCount = 0;
    state->segmentCount = 0;
    profile->followRoute();
    EXPECT_EQ(profile->summaries()[0], "地図上距離　：0m");
    EXPECT_EQ(count(colours::black, kPlotLeft, kPlotTop, kPlotRight, kDividerBottom), 0);
    EXPECT_FALSE(profile->menus().isEnabled(kDeleteSegments));
    EXPECT_EQ(profile->status(), "コースタイム計算をすると区間表示されます。");
}

TEST_F(ProfileTest, DeletionOnTheProfileWithEachAnswer) {
    activateWithSchedule();
    const int segments = state->segmentCount;
    profile->dispatch(kDeleteSegments.text());
    EXPECT_TRUE(profile->deleting());
    EXPECT_EQ(profile->status(), "削除する区間を選択し右クリックして下さい。「ｷｬﾝｾﾙ」で区間削除処理を終了します。");
    EXPECT_EQ(profile->toolTip(), "右クリックで削除区間選択");

    // Left of entry 2's end: entry 2. No changes nothing and keeps the mode.
    dialogs.answerMessage(Answer::No);
    profile->rightRelease(kPlotLeft + 1, 200);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "区間 2 を削除し：区間 1 に取込みますか");
    EXPECT_EQ(dialogs.messages()[0].title, "区間の削除");
    EXPECT_EQ(dialogs.messages()[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(dialogs.messages()[0].icon, Icon::Question);
    EXPECT_EQ(state->segmentCount, segments);
    EXPECT_TRUE(profile->deleting());

    // Beyond the last end: segmentCount + 1; Yes drops the last segment, the mode stays and the
    // redraw puts the normal status back.
    dialogs.answerMessage(Answer::Yes);
    profile->rightRelease(kPlotRight, 200);
    EXPECT_EQ(dialogs.messages()[1].text, "区間 " + std::to_string(segments + 1) + " を削除し：区間 " +
                                              std::to_string(segments) + " に取込みますか");
    EXPECT_EQ(state->segmentCount, segments - 1);
    EXPECT_TRUE(profile->deleting());
    EXPECT_EQ(profile->status().rfind("ﾃﾞﾌｫﾙﾄでは", 0), 0u);

    // Between entry 2's end and entry 3's: entry 3 merges into 2.
    const int x = endX(2);
    dialogs.answerMessage(Answer::Yes);
    profile->rightRelease(x, 200);
    EXPECT_EQ(dialogs.messages()[2].text, "区間 3 を削除し：区間 2 に取込みますか");
    EXPECT_EQ(state->segmentCount, segments - 2);

    // Cancel ends the mode.
    dialogs.answerMessage(Answer::Cancel);
    profile->rightRelease(x, 200);
    EXPECT_FALSE(profile->deleting());
    EXPECT_EQ(profile->toolTip(), "右クリックでメニュー");
    EXPECT_EQ(state->segmentCount, segments - 2);

    // Back in normal mode a right click pops up the menu.
    std::string popped;
    profile->popup = [&](const std::string& band) { popped = band; };
    profile->rightRelease(x, 200);
    EXPECT_EQ(popped, "PPMainMenu");
}

TEST_F(ProfileTest, ADeletionPastAFullTableIsRefused) {
    activateWithSchedule();
    // A full table: 120 entries, all ending on the first half of the route.
    for (int j = 1; j <= kMaxSegments; ++j) state->segments[static_cast<size_t>(j)].endPoint = static_cast<int16_t>(std::min(j + 1, state->routeCount / 2));
    state->segmentCount = kMaxSegments;
    const CourseSegmentTable before = state->segments;
    profile->dispatch(kDeleteSegments.text());
    dialogs.answerMessage(Answer::Ok);
    profile->rightRelease(kPlotRight, 200);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "区間 121 はありません。区間 120 までの区間を選択して下さい。");
    EXPECT_EQ(dialogs.messages()[0].title, "区間の削除");
    EXPECT_EQ(state->segmentCount, kMaxSegments);
    EXPECT_EQ(state->segments[kMaxSegments].endPoint, before[kMaxSegments].endPoint);
}

TEST_F(ProfileTest, SavedPicturesCarryThePlanNameAndTheWindowDoesNot) {
    profile->activate();
    test::TempDir dir;
    const QImage clean = picture();
    state->dataFolder = dir / "data";
    // Typed name, chosen filter entry, the file written.
    struct Case {
        const char* typed;
        int entry;
        const char* written;
    };
    for (const Case& c : {Case{"profile.BMP", 0, "profile.BMP"}, Case{"profile.png", 0, "profile.png"},
                          Case{"profile2", 1, "profile2.PNG"}}) {
        const char* name = c.written;
        const bool first = dialogs.asked().empty();
        dialogs.answerFile((dir / c.typed).string());
        dialogs.chooseFilter(c.entry);
        profile->dispatch(kCopyToFile.text());
        const test::Asked& asked = dialogs.asked().back();
        EXPECT_EQ(asked.kind, "saveFile");
        EXPECT_EQ(asked.title, "画像の保存");
        EXPECT_EQ(asked.text, "BMPデータファイル(*.BMP)|*.BMP;*.bmp|PNGデータファイル(*.PNG)|*.PNG;*.png");
        EXPECT_EQ(asked.initialPath, first ? (dir / "data").string() : dir.path().string());
        QImage saved(QString::fromStdString((dir / name).string()), std::string(name).ends_with("BMP") ? "BMP" : "PNG");
        ASSERT_FALSE(saved.isNull()) << name;
        EXPECT_EQ(saved.size(), QSize(kProfileWidth, kProfileHeight));
        saved = saved.convertToFormat(QImage::Format_RGB32);
        // The stamp in the corner, nothing else changed.
        EXPECT_NE(saved.copy(0, 0, 120, 20), clean.copy(0, 0, 120, 20)) << name;
        EXPECT_EQ(saved.copy(0, 30, kProfileWidth, kProfileHeight - 30), clean.copy(0, 30, kProfileWidth, kProfileHeight - 30));
        EXPECT_EQ(picture(), clean) << name;
    }
    // Cancelled: nothing written, the picture redrawn clean.
    dialogs.answerFile(std::nullopt);
    profile->dispatch(kCopyToFile.text());
    EXPECT_EQ(picture(), clean);
    // A folder that cannot be written says so.
    dialogs.answerFile((dir / "missing" / "x.bmp").string());
    dialogs.answerMessage(Answer::Ok);
    profile->dispatch(kCopyToFile.text());
    EXPECT_EQ(dialogs.messages().back().text, "「" + (dir / "missing" / "x.bmp").string() + "」に画像を保存できませんでした。");

    profile->dispatch(kCopyToClipboard.text());
    const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    if (!copied.isNull()) {
        EXPECT_EQ(copied.size(), QSize(kProfileWidth, kProfileHeight));
        EXPECT_NE(copied.copy(0, 0, 120, 20), clean.copy(0, 0, 120, 20));
    }
    EXPECT_EQ(picture(), clean);
}

TEST_F(ProfileTest, BackgroundModesAndTheCancelledColour) {
    profile->activate();
    const int x = kPlotLeft + 3;
    const int y = kDividerBottom - 1;
    const Colour configured = at(x, y);
    EXPECT_NE(configured, kSkyColour);

    profile->dispatch(kBackgrounds[2].text());
    EXPECT_EQ(at(x, y), kSkyColour);
    EXPECT_TRUE(profile->menus().isChecked(kBackgrounds[2]));

    // Cancelled: single-colour mode, nothing redrawn; the next redraw paints black.
    dialogs.answerColour(std::nullopt);
    profile->dispatch(kBackgrounds[1].text());
    EXPECT_EQ(dialogs.asked().back().title, "断面図塗りつぶし色の指定");
    EXPECT_EQ(profile->look().background, ProfileBackground::Single);
    EXPECT_EQ(at(x, y), kSkyColour);
    profile->redraw();
    EXPECT_EQ(at(x, y), colours::black);

    dialogs.answerColour(makeColour(10, 200, 30));
    profile->dispatch(kBackgrounds[1].text());
    EXPECT_EQ(at(x, y), makeColour(10, 200, 30));

    profile->dispatch(kBackgrounds[0].text());
    EXPECT_EQ(at(x, y), configured);
}

TEST_F(ProfileTest, LabelFontsThroughTheFontPicker) {
    activateWithSchedule();
    TextStyle red = state->textStyles[7];
    red.colour = colours::red;
    red.bold = true;
    dialogs.answerFont(red);
    profile->dispatch(kFonts[0].text());
    EXPECT_EQ(state->textStyles[7], red);
    EXPECT_GT(count(colours::red, 0, 312, kProfileWidth - 1, 340), 10);
    // Cancel changes nothing.
    dialogs.answerFont(std::nullopt);
    profile->dispatch(kFonts[3].text());
    EXPECT_EQ(state->textStyles[6], initialTextStyles()[6]);
}

TEST_F(ProfileTest, CourseTimeTurnsSegmentDistancesOnAndRefreshesTheMap) {
    profile->activate();
    state->profileLabels[0] = false;
    bool mapShown = false;
    profile->courseTimeWindow = [&] { test::scheduleRoute(*state); };
    profile->refreshMap = [&](bool turnOn) { mapShown = turnOn; };
    profile->dispatch(kCourseTime.text());
    EXPECT_TRUE(state->profileLabels[0]);
    EXPECT_TRUE(profile->menus().isChecked(kDataLabels[0]));
    EXPECT_TRUE(profile->menus().isEnabled(kDeleteSegments));
    EXPECT_TRUE(mapShown);
    EXPECT_EQ(at(endX(1), kDividerBottom - 1), colours::shadow3D);
}

TEST_F(ProfileTest, HideAndHelp) {
    profile->activate();
    bool hidden = false;
    profile->hideRequested = [&] { hidden = true; };
    profile->dispatch(kHide.text());
    EXPECT_TRUE(hidden);
    profile->showHelp();
    EXPECT_EQ(dialogs.asked().back().kind, "help");
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE6.hlp");
}

TEST_F(ProfileTest, LiveLinkLeavesNoTraceInThePicture) {
    activateWithSchedule();
    const QImage clean = picture();
    std::optional<double> marked;
    int marks = 0;
    profile->markOnMap = [&](std::optional<double> d) {
        marked = d;
        ++marks;
    };
    profile->mouseMove(400, 200);
    ASSERT_TRUE(marked.has_value());
    EXPECT_NEAR(*marked, 350 * profile->scale().horizontal, 1e-6);
    const std::optional<ProfileReading> reading = readingAtColumn(*state, profile->scale(), 400);
    ASSERT_TRUE(reading);
    EXPECT_EQ(profile->statusLine(), readingText(*reading));
    EXPECT_GT(reading->elevation, routeElevationRange(*state).lowest - 1);
    EXPECT_GT(reading->minutes, 0.0);
    EXPECT_EQ(profile->status().rfind("ﾃﾞﾌｫﾙﾄでは", 0), 0u);
    // Off the plot: no reading, the mark goes.
    profile->mouseMove(10, 200);
    EXPECT_FALSE(marked.has_value());
    EXPECT_EQ(profile->statusLine(), profile->status());

    profile->showRoutePosition(reading->distance + 0.5 * profile->scale().horizontal);
    EXPECT_EQ(profile->cursorColumn(), std::optional<int>(400));
    profile->showRoutePosition(std::nullopt);
    EXPECT_FALSE(profile->cursorColumn());
    EXPECT_EQ(picture(), clean);
    EXPECT_EQ(marks, 2);
}

}  // namespace
}  // namespace orv
