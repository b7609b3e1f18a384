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

// The font part is the desktop's own chooser (what it offers depends on the installed fonts);
// the picker adds the colour, which starts at the style's and follows the choice.
TEST(FontPicker, StartsAtTheStylesColourAndTakesTheChosenOne) {
    FontPicker picker(labelStyle());
    EXPECT_EQ(picker.windowTitle(), "フォント");
    auto* colour = picker.findChild<QPushButton*>("colour");
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(colour->text(), "文字の色...");
    ASSERT_NE(picker.findChild<QFontDialog*>("fonts"), nullptr);
    EXPECT_EQ(picker.chosenStyle().colour, makeColour(0, 0, 255));

    picker.setColour(makeColour(255, 0, 0));
    const TextStyle chosen = picker.chosenStyle();
    EXPECT_EQ(chosen.colour, makeColour(255, 0, 0));
    EXPECT_GT(chosen.size, 0.0f);
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
