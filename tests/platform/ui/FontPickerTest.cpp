// The font picker: the desktop font chooser with a colour choice, returning the whole style.
#include "platform/qt/FontPicker.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace orv {
namespace {

TextStyle labelStyle() {
    TextStyle style;
    style.face = "ＭＳ ゴシック";
    style.size = 9.0f;
    style.colour = makeColour(0, 0, 255);
    return style;
}

TEST(FontPicker, KeepsTheStoredFaceAndTakesTheChosenFontAndColour) {
    FontPicker picker(labelStyle());
    EXPECT_EQ(picker.windowTitle(), "フォント");
    auto* colour = picker.findChild<QPushButton*>("colour");
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->text(), "文字の色...");

    // Untouched: the style as it came (the stored face stands for an installed font).
    EXPECT_EQ(picker.chosenStyle(), labelStyle());

    picker.setColour(makeColour(255, 0, 0));
    auto* fonts = picker.findChild<QFontDialog*>("fonts");
    ASSERT_NE(fonts, nullptr);
    QFont bold = fonts->currentFont();
    bold.setBold(true);
    bold.setPointSizeF(12.0);
    fonts->setCurrentFont(bold);
    const TextStyle chosen = picker.chosenStyle();
    EXPECT_EQ(chosen.colour, makeColour(255, 0, 0));
    EXPECT_TRUE(chosen.bold);
    EXPECT_EQ(chosen.size, 12.0f);
    EXPECT_EQ(chosen.face, "ＭＳ ゴシック");
}

TEST(FontPicker, RunsModallyAndCancelGivesNothing) {
    for (const QDialogButtonBox::StandardButton button :
         {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        QTimer::singleShot(0, [button] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* picker = qobject_cast<FontPicker*>(top);
                if (picker == nullptr || !picker->isVisible()) continue;
                EXPECT_TRUE(picker->isModal());
                picker->setColour(makeColour(0, 128, 0));
                picker->findChild<QDialogButtonBox*>()->button(button)->click();
                return;
            }
            ADD_FAILURE() << "no font picker shown";
        });
        const std::optional<TextStyle> chosen = pickTextStyle(labelStyle(), nullptr);
        if (button == QDialogButtonBox::Cancel) {
            EXPECT_FALSE(chosen.has_value());
        } else {
            ASSERT_TRUE(chosen.has_value());
            EXPECT_EQ(chosen->colour, makeColour(0, 128, 0));
        }
    }
}

}  // namespace
}  // namespace orv
