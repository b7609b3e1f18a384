// The search dialog: its controls, and its buttons driving the search, the pick and the
// confirmation.
#include "names/ui/MountainSearchDialog.h"

#include "names/MountainFile.h"
#include "names/MountainFixtures.h"
#include "platform/qt/ListHeader.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/TabStopDelegate.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

struct MountainSearchDialogTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    OverviewRange range{"35.2", "36.0", " 138.0", " 139.0"};  // south, north, west, east
    int clears = 0;

    MountainSearchDialogTest() {
        test::fillMountains(*state, {test::mountain("北岳", "35.4027", "138.1411", "3192"),
                                     test::mountain("利尻山", "45.1042", "141.1431", "1721"),
                                     test::mountain("間ノ岳", "35.3846", "138.1339", "3190")});
    }

    std::unique_ptr<MountainSearchDialog> makeDialog() {
        return std::make_unique<MountainSearchDialog>(*state, range, [this] { ++clears; });
    }

    template <typename T>
    static T* child(QWidget& w, const char* name) {
        return w.findChild<T*>(QString::fromLatin1(name));
    }
    static QStringList rows(QWidget& w) {
        QStringList out;
        auto* list = child<QListWidget>(w, "results");
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
};

TEST_F(MountainSearchDialogTest, OpensWithTheRangeOptionAndNothingToConfirm) {
    auto dialog = makeDialog();
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("山の検索"));
    auto* within = child<QRadioButton>(*dialog, "withinRange");
    auto* all = child<QRadioButton>(*dialog, "allJapan");
    EXPECT_EQ(within->text(), QString::fromUtf8("表示範囲内で検索"));
    EXPECT_EQ(all->text(), QString::fromUtf8("日本全域で検索"));
    EXPECT_TRUE(within->isChecked());
    EXPECT_FALSE(all->isChecked());
    EXPECT_EQ(child<QPushButton>(*dialog, "searchButton")->text(), QString::fromUtf8("検索"));
    EXPECT_EQ(child<QPushButton>(*dialog, "cancelButton")->text(), QString::fromUtf8("キャンセル"));
    auto* confirm = child<QPushButton>(*dialog, "confirmButton");
    EXPECT_EQ(confirm->text(), QString::fromUtf8("確定"));
    EXPECT_FALSE(confirm->isEnabled());
    // Columns line up: a Japanese character is exactly as wide as two Latin ones.
    const QFontMetrics metrics(child<QListWidget>(*dialog, "results")->font());
    EXPECT_EQ(metrics.horizontalAdvance(QString::fromUtf8("北岳間ノ岳ﾎﾟﾛｼﾘ")),
              metrics.horizontalAdvance(QStringLiteral("012345678901234")));
}

TEST_F(MountainSearchDialogTest, SearchPickAndConfirm) {
    auto dialog = makeDialog();
    dialog->show();
    state->mountainConfirmed = true;  // an earlier choice is cleared by a new search

    child<QLineEdit>(*dialog, "searchText")->setText(QString::fromUtf8("岳"));
    child<QPushButton>(*dialog, "searchButton")->click();
    EXPECT_FALSE(state->mountainConfirmed);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(rows(*dialog), (QStringList{QString::fromStdString(mountainListRow(state->mountainTable[1])),
                                          QString::fromStdString(mountainListRow(state->mountainTable[3]))}));
    EXPECT_EQ(child<QLabel>(*dialog, "status")->text(), QString::fromUtf8("2 山が見つかりました。"));
    auto* confirm = child<QPushButton>(*dialog, "confirmButton");
    EXPECT_FALSE(confirm->isEnabled());

    child<QListWidget>(*dialog, "results")->setCurrentRow(1);
    EXPECT_TRUE(confirm->isEnabled());
    confirm->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->confirmedRecord(), 3);
    EXPECT_TRUE(state->mountainConfirmed);
    EXPECT_EQ(clears, 2);
}

// The column titles stand over the results, each over its column, and follow the list when it
// scrolls sideways; the rows keep their texts.
TEST_F(MountainSearchDialogTest, ColumnTitlesStandOverTheirColumns) {
    auto dialog = makeDialog();
    dialog->show();
    child<QPushButton>(*dialog, "searchButton")->click();
    auto* list = child<QListWidget>(*dialog, "results");
    // Narrower than a row: the list scrolls sideways.
    list->setMinimumWidth(0);
    dialog->setMinimumWidth(0);
    dialog->resize(300, 400);
    QCoreApplication::processEvents();
    auto* header = child<ListHeader>(*dialog, "resultsHeader");
    ASSERT_NE(header, nullptr);
    const QString titles = header->titles();
    EXPECT_EQ(titles.simplified(), QString::fromUtf8("山名 標高 図葉 緯度 経度"));
    EXPECT_EQ(list->item(0)->text(), QString::fromStdString(mountainListRow(state->mountainTable[1])));

    const QFontMetrics metrics(list->font());
    const QString row = list->item(0)->text();
    const auto textLeft = [&] { return header->mapTo(dialog.get(), QPoint(header->textLeft(), 0)).x(); };
    const int rowLeft =
        list->viewport()->mapTo(dialog.get(), list->visualItemRect(list->item(0)).topLeft()).x() + kTabStopTextMargin;
    EXPECT_EQ(textLeft(), rowLeft);
    // 標高 starts over the elevation "3192", 緯度 over the latitude "35.4027".
    EXPECT_EQ(metrics.horizontalAdvance(titles.left(titles.indexOf(QString::fromUtf8("標高")))),
              metrics.horizontalAdvance(row.left(row.indexOf(QStringLiteral("3192")))));
    EXPECT_EQ(metrics.horizontalAdvance(titles.left(titles.indexOf(QString::fromUtf8("緯度")))),
              metrics.horizontalAdvance(row.left(row.indexOf(QStringLiteral("35.40270")))));

    ASSERT_GT(list->horizontalScrollBar()->maximum(), 40);
    list->horizontalScrollBar()->setValue(40);
    EXPECT_EQ(textLeft(), rowLeft - 40);
}

// A double click on a result confirms it, as "確定" does.
TEST_F(MountainSearchDialogTest, DoubleClickOnAResultConfirmsIt) {
    auto dialog = makeDialog();
    dialog->show();
    child<QPushButton>(*dialog, "searchButton")->click();
    auto* list = child<QListWidget>(*dialog, "results");
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->confirmedRecord(), 3);
    EXPECT_TRUE(state->mountainConfirmed);
}

TEST_F(MountainSearchDialogTest, OptionsChooseTheRangeAndANewSearchDropsThePick) {
    auto dialog = makeDialog();
    dialog->show();
    auto* search = child<QPushButton>(*dialog, "searchButton");
    auto* confirm = child<QPushButton>(*dialog, "confirmButton");
    search->click();
    EXPECT_EQ(rows(*dialog).size(), 2);  // 利尻山 is outside the displayed range
    child<QListWidget>(*dialog, "results")->setCurrentRow(0);
    EXPECT_TRUE(confirm->isEnabled());

    child<QRadioButton>(*dialog, "allJapan")->click();
    child<QLineEdit>(*dialog, "searchText")->setText(QString::fromUtf8("富士"));
    search->click();
    EXPECT_TRUE(rows(*dialog).isEmpty());
    EXPECT_EQ(child<QLabel>(*dialog, "status")->text(), QString::fromUtf8("0 山が見つかりました。"));
    EXPECT_FALSE(confirm->isEnabled());

    child<QLineEdit>(*dialog, "searchText")->clear();
    search->click();
    EXPECT_EQ(rows(*dialog).size(), 3);
}

TEST_F(MountainSearchDialogTest, CancelConfirmsNothing) {
    auto dialog = makeDialog();
    dialog->show();
    child<QPushButton>(*dialog, "searchButton")->click();
    child<QListWidget>(*dialog, "results")->setCurrentRow(0);
    state->mountainConfirmed = true;
    child<QPushButton>(*dialog, "cancelButton")->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->confirmedRecord().has_value());
    EXPECT_FALSE(state->mountainConfirmed);
}

TEST_F(MountainSearchDialogTest, RunReturnsTheConfirmedRecord) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MountainSearchDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        child<QRadioButton>(*dialog, "allJapan")->click();
        child<QLineEdit>(*dialog, "searchText")->setText(QString::fromUtf8("利尻"));
        child<QPushButton>(*dialog, "searchButton")->click();
        child<QListWidget>(*dialog, "results")->setCurrentRow(0);
        child<QPushButton>(*dialog, "confirmButton")->click();
    });
    EXPECT_EQ(runMountainSearch(*state, range, nullptr), 2);
    EXPECT_TRUE(state->mountainConfirmed);
}

// The file dialog shows each entry as written (it matches either letter case).
TEST(MountainFileFilter, ShowsAsTwoQtEntries) {
    EXPECT_EQ(qtFileFilter(kMountainFileFilter),
              QString::fromUtf8("山名ファイル (*.ndb);;山名ファイル (*.ymd)"));
}

}  // namespace
}  // namespace orv
