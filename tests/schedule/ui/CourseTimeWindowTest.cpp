// The course-time window over its model: labels and controls, "計算" filling the list and the
// forecast, the spinners, and the controls a GPS record disables.
#include "schedule/ui/CourseTimeWindow.h"

#include "platform/qt/WindowShortcuts.h"
#include "support/ScriptedDialogs.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

size_t at(int i) { return static_cast<size_t>(i); }

struct CourseTimeWindowTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    // Five points 30 flat minutes apart (60″ north and 28″ east in the southernmost band).
    void SetUp() override {
        setStartValues(*state);
        state->demUnused = 1;
        state->currentLevel = 1;
        state->levelCorners[1] = {"25", "27.4640", "127", "128"};
        const char* times[] = {"09:00:00", "09:12:30", "09:40:00", "10:20:00", "10:30:00"};
        for (int k = 0; k < 5; ++k) {
            RoutePoint& p = state->route[at(++state->routeCount)];
            p.number = state->routeCount;
            p.latitude = secondsToDms(90000 + 60 * k);
            p.longitude = secondsToDms(460000 + 28 * k);
            p.elevation = 1000;
            p.timeText = times[k];
        }
    }

    template <typename T>
    static T* child(QWidget& w, const char* name) {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QStringList row(QTreeWidget* list, int r) {
        QStringList out;
        QTreeWidgetItem* item = list->topLevelItem(r);
        for (int c = 0; item != nullptr && c < item->columnCount(); ++c) out << item->text(c);
        return out;
    }
    static bool hasLabel(QWidget& w, const char* text) {
        for (QLabel* label : w.findChildren<QLabel*>())
            if (label->text() == QString::fromUtf8(text)) return true;
        return false;
    }
};

TEST_F(CourseTimeWindowTest, CalculateFillsTheListAndTheForecast) {
    CourseTimeWindow window(*state, dialogs);
    window.show();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("ｺｰｽﾀｲﾑの計算"));
    for (const char* text :
         {"登り速度(m/Hr)", "下り速度(m/Hr)", "平地速度(m/Hr)", "小休止", "大休止", "分",
          "疲労度・年齢等による補正値(%)", "区間時間（分）", "登山開始１ピッチ目は３０分で計算しています。",
          "登山開始時間 (時：分)", "下山予測時間", "地名位置は自動的に組込まれます。",
          "計算結果はあくまで目安として考えて下さい。"})
        EXPECT_TRUE(hasLabel(window, text)) << text;
    auto* list = child<QTreeWidget>(window, "schedule");
    QStringList headings;
    for (int c = 0; c < list->columnCount(); ++c) headings << list->headerItem()->text(c);
    EXPECT_EQ(headings, QStringList({QString::fromUtf8("区間"), QString::fromUtf8("地名点"),
                                     QString::fromUtf8("標高ｍ"), QString::fromUtf8("着/発時間")}));
    EXPECT_EQ(list->toolTip(), QString::fromUtf8("右クリックでメニュー"));
    EXPECT_EQ(child<QLineEdit>(window, "startTime")->text(), QStringLiteral("07:00"));
    EXPECT_EQ(child<QLineEdit>(window, "correction")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>(window, "pitch")->text(), QStringLiteral("55"));
    EXPECT_EQ(list->topLevelItemCount(), 0);

    // Typed values are what "計算" reads.
    auto* shortRest = child<QLineEdit>(window, "shortRest");
    shortRest->selectAll();
    shortRest->insert(QStringLiteral("10"));
    child<QPushButton>(window, "calculateButton")->click();

    EXPECT_TRUE(dialogs.asked().empty());
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(row(list, 0), QStringList({"0", QString::fromUtf8("　　　"), "1000", "     /07:00"}));
    EXPECT_EQ(row(list, 1), QStringList({"1", QString::fromUtf8("小休止"), "1000", "07:30/07:40"}));
    EXPECT_EQ(row(list, 3), QStringList({"3", QString::fromUtf8("　　　"), "1000", "09:20/     "}));
    EXPECT_EQ(child<QLabel>(window, "forecast")->text(), QStringLiteral("09:20"));
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(state->settings.shortRest, 10);

    // A row click is the selected position of the commands.
    list->setCurrentItem(list->topLevelItem(2));
    EXPECT_EQ(window.model().selectedRow(), 2);
}

// Entries that pass beyond the elevation data carry the mark, and the legend under the
// parameters says what it means; it is hidden while no entry carries it.
TEST_F(CourseTimeWindowTest, EntriesBeyondTheElevationDataAreMarkedWithALegend) {
    CourseTimeWindow window(*state, dialogs);
    window.show();
    auto* list = child<QTreeWidget>(window, "schedule");
    const auto legendShown = [&] {
        for (QLabel* label : window.findChildren<QLabel*>())
            if (label->text() == QString::fromUtf8("※ 標高データの範囲外を通る区間（平地として計算）")) return label->isVisible();
        return false;
    };
    child<QPushButton>(window, "calculateButton")->click();
    ASSERT_GT(list->topLevelItemCount(), 0);
    EXPECT_FALSE(legendShown());

    // The block ends 60″ east of the first point: points 4 and 5 lie beyond it.
    state->demUnused = 0;
    state->levelCorners[1][3] = secondsToDms(460060);
    child<QPushButton>(window, "calculateButton")->click();
    const int rows = list->topLevelItemCount();
    ASSERT_GE(rows, 2);
    EXPECT_TRUE(list->topLevelItem(rows - 1)->text(0).endsWith(QString::fromUtf8("※")));
    EXPECT_FALSE(list->topLevelItem(0)->text(0).contains(QString::fromUtf8("※")));
    EXPECT_TRUE(legendShown());
}

TEST_F(CourseTimeWindowTest, SpinnersStepTheCorrectionAndThePitch) {
    CourseTimeWindow window(*state, dialogs);
    auto* correction = child<QLineEdit>(window, "correction");
    auto* pitch = child<QLineEdit>(window, "pitch");
    child<QToolButton>(window, "correctionUp")->click();
    child<QToolButton>(window, "correctionUp")->click();
    EXPECT_EQ(correction->text(), QStringLiteral("1.2"));
    child<QToolButton>(window, "correctionDown")->click();
    EXPECT_EQ(correction->text(), QStringLiteral("1.1"));
    child<QToolButton>(window, "pitchUp")->click();
    EXPECT_EQ(pitch->text(), QStringLiteral("60"));
    child<QToolButton>(window, "pitchDown")->click();
    child<QToolButton>(window, "pitchDown")->click();
    EXPECT_EQ(pitch->text(), QStringLiteral("50"));
}

TEST_F(CourseTimeWindowTest, GpsLogModeDisablesTheParameters) {
    state->gpsMode = true;
    CourseTimeWindow window(*state, dialogs);
    window.show();
    for (const char* name : {"climbSpeed", "descentSpeed", "flatSpeed", "shortRest", "longRest",
                             "correction"})
        EXPECT_FALSE(child<QLineEdit>(window, name)->isEnabled()) << name;
    EXPECT_FALSE(child<QToolButton>(window, "correctionUp")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(window, "reverseButton")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(window, "pitch")->isEnabled());
    EXPECT_EQ(child<QLineEdit>(window, "climbSpeed")->text(), QStringLiteral("300"));
    EXPECT_EQ(child<QLineEdit>(window, "correction")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(window, "startTime")->text(), QStringLiteral("09:00"));
    EXPECT_EQ(child<QLabel>(window, "forecast")->text(), QStringLiteral("10:30"));
    EXPECT_FALSE(window.model().menus().isEnabled("ActDaiKyusi"));
    EXPECT_FALSE(window.model().menus().isEnabled("ActLimitDaySet"));

    child<QPushButton>(window, "calculateButton")->click();
    auto* list = child<QTreeWidget>(window, "schedule");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(row(list, 1), QStringList({"1", QString::fromUtf8("小休止"), "1000", "09:40/     "}));
}

// The buttons, and F1 and Ctrl+Q for them.
TEST_F(CourseTimeWindowTest, CloseAndHelpButtons) {
    for (const bool keys : {false, true}) {
        CourseTimeWindow window(*state, dialogs);
        window.show();
        const auto press = [&](const char* button, const QKeySequence& key) {
            if (keys) {
                QShortcut* shortcut = windowShortcut(&window, key);
                ASSERT_NE(shortcut, nullptr) << button;
                emit shortcut->activated();
            } else {
                child<QPushButton>(window, button)->click();
            }
        };
        const size_t asked = dialogs.asked().size();
        press("helpButton", QKeySequence(Qt::Key_F1));
        ASSERT_EQ(dialogs.asked().size(), asked + 1) << keys;
        EXPECT_EQ(dialogs.asked().back().text, "ORVANE5.hlp");
        press("closeButton", QKeySequence(Qt::CTRL | Qt::Key_Q));
        EXPECT_FALSE(window.isVisible()) << keys;
        EXPECT_TRUE(window.model().closed()) << keys;
    }
}

}  // namespace
}  // namespace orv
