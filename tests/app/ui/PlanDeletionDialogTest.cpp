// The deletion window: its texts, the list, the number box and "削　除" following the model.
#include "app/ui/PlanDeletionDialog.h"

#include "core/Cp932.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

namespace fs = std::filesystem;

struct PlanDeletionDialogTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    PlanDeletionDialogTest() {
        state->dataFolder = dir.path();
        dir.write("Orvane.LST", utf8ToCp932("槍ヶ岳980707 1998/07/07\r\nHidaka 2001/08/15\r\n").text);
        dir.write("Hidaka.RTD", "r");
    }
};

TEST_F(PlanDeletionDialogTest, PickDeleteAndFinish) {
    PlanDeletionDialog dialog(*state, dialogs);
    EXPECT_EQ(dialog.objectName(), "ORV_CRTFDEL");
    EXPECT_EQ(dialog.windowTitle(), "登録されているルートファイルの削除");
    QStringList labels;
    for (auto* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.contains("削除するファイルの番号をクリックして下さい。"));
    dialog.show();

    auto* list = dialog.findChild<QListWidget*>("plans");
    auto* number = dialog.findChild<QLineEdit*>("number");
    auto* remove = dialog.findChild<QPushButton*>("delete");
    auto* finish = dialog.findChild<QPushButton*>("finish");
    EXPECT_EQ(remove->text(), "削　除");
    EXPECT_EQ(finish->text(), "終了");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "Hidaka\t2001/08/15");
    EXPECT_FALSE(remove->isEnabled());

    emit list->itemClicked(list->item(1));
    EXPECT_EQ(number->text(), "2");
    EXPECT_TRUE(remove->isEnabled());
    dialogs.answerMessage(Answer::Yes);
    remove->click();
    EXPECT_FALSE(fs::exists(dir / "Hidaka.RTD"));
    ASSERT_EQ(list->count(), 1);
    // After the deletion the lines keep their tab, so the date stays at the tab stop.
    EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("槍ヶ岳980707\t1998/07/07"));
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(number->text().isEmpty());

    // A typed number that names no plan is refused.
    emit list->itemClicked(list->item(0));
    number->setText("5");
    emit number->textEdited("5");
    dialogs.answerMessage(Answer::Ok);
    remove->click();
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(list->count(), 1);

    // The list items are drawn by the tab-stop delegate.
    EXPECT_FALSE(list->grab().isNull());
    finish->click();
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PlanDeletionDialogTest, RunOpensItModally) {
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<PlanDeletionDialog*>(window);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            EXPECT_TRUE(dialog->isModal());
            dialog->findChild<QPushButton*>("finish")->click();
            return;
        }
        ADD_FAILURE() << "no deletion dialog shown";
    });
    runPlanDeletionDialog(*state, dialogs, nullptr);
    EXPECT_TRUE(fs::exists(dir / "Hidaka.RTD"));
}

}  // namespace
}  // namespace orv
