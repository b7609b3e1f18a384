// The "標高データの作成" window: its fields follow the model, buttons reach the model's commands,
// and a build from the window writes the block. The summary's box keeps the cause in sight and
// the lists behind its details button.
#include "terrain/ui/DemCreationDialog.h"

#include "platform/qt/QtDialogs.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "terrain/DemMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

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

// Opened from a plan, the window proposes the output folder: a build needs no choice of it, and
// the folder is made.
TEST(DemCreationDialogTest, AProposedOutputFolderIsWhereTheMeshesGo) {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    const std::filesystem::path proposed = dir / "Data" / "dem";
    DemCreationDialog dialog(dialogs, "644205", "", nullptr, proposed.string());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("outFolder")->text().toStdString(), proposed.string());
    dialogs.answerFolder(ORVANE_REALDATA);
    dialog.findChild<QPushButton*>("ActDemTileFolder")->click();
    dialogs.answerMessage(Answer::Ok);
    dialog.findChild<QPushButton*>("ActDemRun")->click();
    EXPECT_EQ(dialog.model().lastOutcome(), terrain::DemBuildOutcome::Written);
    EXPECT_TRUE(std::filesystem::exists(proposed / "644205.MEM"));
}

// The box as it opened: its height, text and details; closed with OK.
struct OpenedBox {
    int height = 0;
    QString text;
    QString details;
};

void closeNextBox(OpenedBox& seen, int attempts = 200) {
    QTimer::singleShot(10, [&seen, attempts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (attempts > 0) closeNextBox(seen, attempts - 1);
            return;
        }
        seen = {box->height(), box->text(), box->detailedText()};
        box->button(QMessageBox::Ok)->click();
    });
}

TEST(DemSummaryBox, DownloadFailureShowsTheCauseAndKeepsTheTilesBehindDetails) {
    // The survey's server out of reach on the way to a block: every mesh unwritten, every
    // tile failed alike.
    terrain::DemBuildReport report;
    report.offline = true;
    report.offlineHost = "cyberjapandata.gsi.go.jp";
    report.offlineCause = "ホストが見つかりません";
    const std::string tile = "https://cyberjapandata.gsi.go.jp/xyz/dem5a_png/15/29341/12";
    for (int i = 0; i < 9; ++i) {
        report.meshes[static_cast<size_t>(i)].code = "64420" + std::to_string(i);
        report.meshes[static_cast<size_t>(i)].notWritten = "読めなかったデータ " + tile + "100.png の範囲です";
    }
    for (int i = 0; i < 40; ++i)
        report.problems.push_back({tile + std::to_string(100 + i) + ".png",
                                   Problem{ProblemKind::CannotRead, 0, "ホストが見つかりません：Host cyberjapandata.gsi.go.jp not found"},
                                   std::nullopt});
    const terrain::DemSummary summary = terrain::summaryParts(report);

    QWidget parent;
    QtDialogs dialogs(&parent);
    OpenedBox seen;
    closeNextBox(seen);
    dialogs.messageWithDetails(summary.text, summary.details, terrain::kDemBuildTitle, Buttons::Ok, Icon::Warning);
    EXPECT_EQ(seen.text.section('\n', 0, 1).toStdString(),
              "標高データを作成できませんでした。\n国土地理院のサーバーに接続できません（ホストが見つかりません）。"
              "ネットワークの接続を確かめてください。");
    EXPECT_TRUE(seen.details.contains(QString::fromStdString(tile + "139.png: ホストが見つかりません：Host")));
    EXPECT_FALSE(seen.text.contains(QString::fromStdString(tile)));

    // Everything in the text instead, as one box: the lists make it tall.
    OpenedBox whole;
    closeNextBox(whole);
    dialogs.message(terrain::summaryText(report), terrain::kDemBuildTitle, Buttons::Ok, Icon::Warning);
    EXPECT_LT(seen.height, 300);
    EXPECT_GT(whole.height, 2 * seen.height);
}

}  // namespace
}  // namespace orv
