// The font picker: the desktop font chooser with a colour choice, returning the whole style.
#include "platform/qt/FontPicker.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QKeyEvent>
#include <QListView>
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

// Escape and Enter typed in the font chooser answer for the whole picker: the chooser is a
// dialog of its own and would otherwise close just itself, leaving the colour part alone.
TEST(FontPicker, EscapeAndEnterInTheFontListAnswerForThePicker) {
    struct Case {
        Qt::Key key;
        bool chosen;
    };
    for (const Case c : {Case{Qt::Key_Escape, false}, Case{Qt::Key_Return, true}, Case{Qt::Key_Enter, true}}) {
        bool fontsStayed = true;
        QTimer::singleShot(0, [&fontsStayed, c] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* picker = qobject_cast<FontPicker*>(top);
                if (picker == nullptr || !picker->isVisible()) continue;
                auto* fonts = picker->findChild<QFontDialog*>("fonts");
                QListView* list = fonts != nullptr ? fonts->findChild<QListView*>() : nullptr;
                ASSERT_NE(list, nullptr);
                QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
                QApplication::sendEvent(list, &press);
                fontsStayed = !fonts->isHidden();
                // A picker the key did not close is closed here, so the test ends.
                if (picker->isVisible()) {
                    ADD_FAILURE() << "the picker stayed open after key " << c.key;
                    picker->reject();
                }
                return;
            }
            ADD_FAILURE() << "no font picker shown";
        });
        const std::optional<TextStyle> chosen = pickTextStyle(labelStyle(), nullptr);
        EXPECT_EQ(chosen.has_value(), c.chosen) << c.key;
        EXPECT_TRUE(fontsStayed) << c.key;
    }
}

}  // namespace
}  // namespace orv
