// The end-of-route-map window: its texts and buttons per mode, and clicks reaching the model.
#include "app/ui/EndOfMapDialog.h"

#include "plans/PlanName.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

namespace fs = std::filesystem;

struct EndOfMapDialogTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;

    EndOfMapDialogTest() {
        state->dataFolder = dir.path();
        state->planName = "Yari980707";
        state->routeCount = 1;
        state->route[1].number = 1;
        state->route[1].latitude = "35.2";
        state->route[1].longitude = "139.4";
    }

    static QStringList buttonTexts(QWidget& dialog) {
        QStringList texts;
        for (auto* b : dialog.findChildren<QPushButton*>()) texts << b->text();
        return texts;
    }
};

TEST_F(EndOfMapDialogTest, SaveModeShowsTheNameBoxAndThreeButtons) {
    EndOfMapDialog dialog(*state, dialogs, nullptr, [] { return std::string("2024/05/06"); });
    EXPECT_EQ(dialog.objectName(), "ORV_TVEND");
    EXPECT_EQ(dialog.findChild<QLabel*>("message")->text(),
              "ルートデータを管理ファイルに保存します\n同じ名前の場合は上書きされます。");
    EXPECT_EQ(buttonTexts(dialog), (QStringList{"はい (&Y)", "ｷｬﾝｾﾙ", "保存せずに終了"}));
    dialog.show();
    auto* name = dialog.findChild<QLineEdit*>("nameBox");
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->isVisible());
    EXPECT_EQ(name->text(), "Yari980707");
    EXPECT_FALSE(dialog.findChild<QWidget*>("progress")->isVisible());

    // A refused name keeps the dialog open; a good one saves and closes it.
    name->setText("槍 ヶ岳");
    emit name->textEdited(name->text());
    dialogs.answerMessage(Answer::Ok);
    dialog.findChild<QPushButton*>("yes")->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kPlanNameBlank);

    name->setText("槍ヶ岳980707");
    emit name->textEdited(name->text());
    dialog.findChild<QPushButton*>("yes")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(fs::exists(dir / "槍ヶ岳980707.RTD"));
    EXPECT_EQ(state->planName, "槍ヶ岳980707");
}

TEST_F(EndOfMapDialogTest, PlainModeHasTwoButtonsAndNoNameBox) {
    state->route[1].latitude.clear();
    EndOfMapDialog dialog(*state, dialogs);
    dialog.show();
    EXPECT_EQ(dialog.findChild<QLabel*>("message")->text(), "ルート図を終了します。");
    EXPECT_EQ(buttonTexts(dialog), (QStringList{"はい (&Y)", "ｷｬﾝｾﾙ"}));
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("nameBox")->isVisible());
    dialog.findChild<QPushButton*>("yes")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.model().outcome(), DialogOutcome::Accepted);
}

TEST_F(EndOfMapDialogTest, CancelEscapeAndLeavingWithoutSaving) {
    {
        EndOfMapDialog dialog(*state, dialogs);
        dialog.show();
        dialog.findChild<QPushButton*>("cancel")->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(dialog.model().outcome(), DialogOutcome::Cancelled);
    }
    {
        EndOfMapDialog dialog(*state, dialogs);
        dialog.show();
        dialog.reject();
        EXPECT_EQ(dialog.model().outcome(), DialogOutcome::Cancelled);
    }
    {
        EndOfMapDialog dialog(*state, dialogs);
        dialog.show();
        dialog.findChild<QPushButton*>("leave")->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.model().outcome(), DialogOutcome::Accepted);
    }
    EXPECT_FALSE(fs::exists(dir / "Yari980707.RTD"));
}

TEST_F(EndOfMapDialogTest, RunOpensItModally) {
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<EndOfMapDialog*>(window);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            EXPECT_TRUE(dialog->isModal());
            dialog->findChild<QPushButton*>("cancel")->click();
            return;
        }
        ADD_FAILURE() << "no end-of-map dialog shown";
    });
    EXPECT_EQ(runEndOfMapDialog(*state, dialogs, nullptr), DialogOutcome::Cancelled);
}

}  // namespace
}  // namespace orv
