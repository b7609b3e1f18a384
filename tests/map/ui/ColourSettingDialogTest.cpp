// The colour dialog window: it builds with its swatches, labels and buttons, and every click
// goes to its model.
#include "map/ui/ColourSettingDialog.h"

#include "platform/MenuModel.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

struct ColourSettingDialogTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    ColourSet working{};
    test::ScriptedDialogs dialogs;

    ColourSettingDialogTest() {
        state->settings.colourTable[0] = kDefaultColourSet;
        state->settings.registeredSets = {1, 0, 0, 0, 0};
        state->settings.savedBackgroundLevel = 0.9f;
        state->settings.colourSetIndex = 2;
    }

    static QPushButton* button(QWidget& dialog, const QString& caption) {
        for (auto* b : dialog.findChildren<QPushButton*>())
            if (b->text() == caption) return b;
        return nullptr;
    }
};

TEST_F(ColourSettingDialogTest, BuildsWithItsControls) {
    ColourSettingDialog dialog(*state, working, dialogs);
    EXPECT_EQ(dialog.windowTitle(), "表示色の設定");
    QStringList labels;
    for (auto* label : dialog.findChildren<QLabel*>()) labels << label->text();
    for (const char* text : {"海", "1000m", "2000m", "3000m", "4000m", "5000m", "等高線（計曲線）",
                             "背景レベル", "指定色は現在未登録です。デフォルト色を参照して作成して下さい。"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    for (const char* caption : {"登録", "ｷｬﾝｾﾙ", "戻す", "ヘルプ"})
        EXPECT_NE(button(dialog, QString::fromUtf8(caption)), nullptr) << caption;
    for (int band = 0; band < kColourBands; ++band)
        EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("swatch%1").arg(band)), nullptr);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("levelText")->text(), "0.9");
    EXPECT_EQ(dialog.findChild<QSlider*>()->value(), 90);
    EXPECT_EQ(working, kDefaultColourSet);
}

TEST_F(ColourSettingDialogTest, ClicksDriveTheModel) {
    ColourSettingDialog dialog(*state, working, dialogs);
    dialog.show();

    dialogs.answerColour(makeColour(1, 2, 3));
    dialog.findChild<QPushButton*>("swatch4")->click();
    EXPECT_EQ(working[4], (ColourBand{3, 2, 1, 3000.0f}));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("swatch4")->styleSheet().contains("rgb(1, 2, 3)"));

    dialog.findChild<QSlider*>()->setValue(95);
    EXPECT_TRUE(state->contoursShown);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("levelText")->text(), "0.95");

    button(dialog, "戻す")->click();
    EXPECT_EQ(working, kDefaultColourSet);

    button(dialog, "ヘルプ")->click();
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE14.hlp");

    // A level text that is no number keeps the dialog open.
    auto* level = dialog.findChild<QLineEdit*>("levelText");
    level->setText("abc");
    emit level->textEdited("abc");
    dialogs.answerMessage(Answer::Ok);
    button(dialog, "登録")->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.messages().size(), 1u);

    level->setText("0.95");
    emit level->textEdited("0.95");
    button(dialog, "登録")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_NE(state->settings.registeredSets[2], 0);
    EXPECT_EQ(state->settings.savedBackgroundLevel, 0.95f);
}

TEST_F(ColourSettingDialogTest, CancelAndEscapeReportACancel) {
    {
        ColourSettingDialog dialog(*state, working, dialogs);
        dialog.show();
        button(dialog, "ｷｬﾝｾﾙ")->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.model().outcome(), DialogOutcome::Cancelled);
        EXPECT_EQ(state->settings.colourTable[2], kDefaultColourSet);
        EXPECT_EQ(state->settings.registeredSets[2], 0);
    }
    state->settings.colourTable[2] = ColourSet{};
    {
        ColourSettingDialog dialog(*state, working, dialogs);
        dialog.show();
        dialog.reject();
        EXPECT_EQ(dialog.model().outcome(), DialogOutcome::Cancelled);
        EXPECT_EQ(state->settings.colourTable[2], ColourSet{});
    }
}

TEST_F(ColourSettingDialogTest, RunColourDialogOpensItModally) {
    MapState map;
    MapPictures pictures;
    MenuModel menus;
    MapContext ctx{*state, map, pictures, menus, dialogs, {}, {}};
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<ColourSettingDialog*>(window);
            if (dialog == nullptr || !dialog->isVisible()) continue;
            EXPECT_TRUE(dialog->isModal());
            button(*dialog, "登録")->click();
            return;
        }
        ADD_FAILURE() << "no colour dialog shown";
    });
    EXPECT_EQ(runColourSettingDialog(ctx, nullptr), DialogOutcome::Accepted);
    EXPECT_EQ(map.workingColours, kDefaultColourSet);
    EXPECT_NE(state->settings.registeredSets[2], 0);
}

}  // namespace
}  // namespace orv
