// The GPS format dialog: its texts, the recorded option and check box, and how it closes.
#include "gps/ui/SelectTrackDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(SelectTrackDialogTest, ShowsItsTextsAndStartsWithTheFirstOption) {
    SelectTrackDialog dialog;
    EXPECT_EQ(dialog.objectName(), "ORV_SELTRK");
    EXPECT_EQ(dialog.windowTitle(), "TRKデータの選択");
    EXPECT_EQ(dialog.findChild<QLabel*>("note")->text(), "読み込めるのはテキスト形式のＴＲＫデータのみです。");
    const QStringList expected{"PCXﾌｫｰﾏｯﾄ　ﾃｷｽﾄﾃﾞｰﾀ", "Waypoint＋ﾌｫｰﾏｯﾄ　ﾃｷｽﾄﾃﾞｰﾀ",
                               "POTﾌｫｰﾏｯﾄ　ﾃｷｽﾄﾃﾞｰﾀ", "山行計画で作成したルートデータ"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(dialog.findChild<QRadioButton*>(QStringLiteral("option%1").arg(i))->text(),
                  expected[i]);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("option0")->isChecked());
    EXPECT_EQ(dialog.findChild<QCheckBox*>("readWaypoints")->text(), "WPTデータも読む");
    EXPECT_EQ(dialog.findChild<QPushButton*>("execute")->text(), "実行");
    EXPECT_EQ(dialog.choice().option, 0);
    EXPECT_FALSE(dialog.choice().readWaypoints);
}

TEST(SelectTrackDialogTest, RecordsTheClickedOptionAndTheCheckBox) {
    SelectTrackDialog dialog;
    dialog.findChild<QRadioButton*>("option2")->click();
    dialog.findChild<QCheckBox*>("readWaypoints")->click();
    EXPECT_EQ(dialog.choice().option, 2);
    EXPECT_TRUE(dialog.choice().readWaypoints);
    dialog.findChild<QRadioButton*>("option1")->click();
    EXPECT_EQ(dialog.choice().option, 1);
}

// Acts on the modal dialog once it is shown.
void whenShown(std::function<void(SelectTrackDialog&)> act) {
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<SelectTrackDialog*>(w); dialog && dialog->isVisible()) {
                act(*dialog);
                return;
            }
        ADD_FAILURE() << "the dialog is not shown";
    });
}

TEST(SelectTrackDialogTest, ExecuteReturnsTheChoiceAndClosingReturnsNothing) {
    whenShown([](SelectTrackDialog& dialog) {
        dialog.findChild<QRadioButton*>("option3")->click();
        dialog.findChild<QPushButton*>("execute")->click();
    });
    const auto chosen = runSelectTrackDialog(nullptr);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->option, 3);
    EXPECT_FALSE(chosen->readWaypoints);

    whenShown([](SelectTrackDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(runSelectTrackDialog(nullptr).has_value());
}

TEST(SelectTrackDialogTest, OffersGpxAsTheThirdFormat) {
    SelectTrackDialog dialog;
    auto* gpx = dialog.findChild<QRadioButton*>(QStringLiteral("option%1").arg(kGpsFormatGpx));
    ASSERT_NE(gpx, nullptr);
    EXPECT_EQ(gpx->text(), "GPXﾌｫｰﾏｯﾄ　ﾌｧｲﾙ");
    // Below the two GPS text formats, above the other choices.
    const QList<QRadioButton*> options = dialog.findChildren<QRadioButton*>();
    ASSERT_EQ(options.size(), 5);
    EXPECT_EQ(options.indexOf(gpx), 2);
    gpx->click();
    EXPECT_EQ(dialog.choice().option, kGpsFormatGpx);
}

}  // namespace
}  // namespace orv
