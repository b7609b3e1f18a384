// Qt's standard buttons speak Japanese once the translation is installed.
#include "platform/qt/Translation.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(JapaneseTranslation, StandardButtonsReadInJapanese) {
    if (!QFileInfo::exists(qtTranslationsFolder() + "/qtbase_ja.qm"))
        GTEST_SKIP() << "qtbase_ja is not installed";
    ASSERT_TRUE(installJapaneseTranslation());
    QMessageBox box(QMessageBox::Question, "確認", "よろしいですか？",
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    // Mnemonics ("(&Y)") may follow the words.
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith("はい"))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith("いいえ"))
        << box.button(QMessageBox::No)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith("キャンセル"))
        << box.button(QMessageBox::Cancel)->text().toStdString();
}

}  // namespace
}  // namespace orv
