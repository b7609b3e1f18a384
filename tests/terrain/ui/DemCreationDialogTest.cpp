// The "標高データの作成" window: its fields follow the model, buttons reach the model's commands,
// and a build from the window writes the block.
#include "terrain/ui/DemCreationDialog.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(DemCreationDialogTest, ButtonsReachTheModelAndABuildRuns) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    DemCreationDialog dialog(dialogs, "644205", "");
    EXPECT_EQ(dialog.objectName(), "ORV_DEMMAKE");
    EXPECT_EQ(dialog.windowTitle(), "標高データの作成");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("centre")->text(), "644205");
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("gml")->isChecked());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("tileSetting")->text().toStdString(),
              terrain::tileServersSetting(terrain::defaultTileServers()));
    EXPECT_FALSE(dialog.findChild<QPushButton*>("ActDemCancel")->isEnabled());

    dialogs.answerFile(std::string(ORVANE_REALDATA) + "/FG-GML-5238-74-00-DEM5A-20161001.xml");
    dialog.findChild<QPushButton*>("ActDemAddGml")->click();
    EXPECT_EQ(dialog.findChild<QListWidget*>("gmlFiles")->count(), 1);

    dialogs.answerFolder(ORVANE_REALDATA);
    dialogs.answerFolder(dir.path().string());
    dialog.findChild<QPushButton*>("ActDemTileFolder")->click();
    dialog.findChild<QPushButton*>("ActDemOutFolder")->click();
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("tiles")->isChecked());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("outFolder")->text().toStdString(), dir.path().string());

    dialogs.answerMessage(Answer::Ok);
    dialog.findChild<QPushButton*>("ActDemRun")->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text.substr(0, dialogs.messages()[0].text.find("\r\n")), "標高データを作成しました。");
    EXPECT_EQ(dialog.model().lastOutcome(), terrain::DemBuildOutcome::Written);
    EXPECT_TRUE(std::filesystem::exists(dir / "644205.MEM"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("ActDemRun")->isEnabled());
}

}  // namespace
}  // namespace orv
