// The plan start dialog's widgets over its model: the saved plans, the check boxes, the disc
// icons and the buttons.
#include "app/ui/PlanStartDialog.h"

#include "core/TextFile.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace orv {
namespace {

namespace fs = std::filesystem;

struct PlanStartDialogTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    std::vector<fs::path> discs{"/media/cdrom0", "/media/cdrom1", "/media/dvd"};

    void SetUp() override {
        state->appFolder = ORVANE_ASSETS;
        state->dataFolder = dir / "Data";
        fs::create_directories(state->dataFolder);
        ASSERT_EQ(writeTextLines(state->dataFolder / "Orvane.LST", {"槍ヶ岳980707 1998/07/07", "穂高 1999/10/12"}),
                  FileError::None);
    }
    PlanStart model() {
        return PlanStart(*state, dialogs, [this] { return discs; });
    }
    template <typename T>
    static T* child(QWidget& parent, const char* name) {
        T* widget = parent.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

TEST_F(PlanStartDialogTest, ShowsThePlansAndTheDiscsAndForwardsTheClicks) {
    PlanStart start = model();
    start.open();
    PlanStartDialog dialog(start);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "ルート作成");

    auto* list = child<QTreeWidget>(dialog, "planList");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "槍ヶ岳980707");
    EXPECT_EQ(list->topLevelItem(0)->text(1), "1998/07/07");
    emit list->itemClicked(list->topLevelItem(1), 0);
    EXPECT_EQ(child<QLineEdit>(dialog, "nameBox")->text(), "穂高");
    EXPECT_EQ(start.name(), "穂高");
    EXPECT_EQ(child<QLineEdit>(dialog, "mountainBox")->text().toStdString(),
              std::string(ORVANE_ASSETS) + "/sample/japan.ndb");
    EXPECT_TRUE(child<QPushButton>(dialog, "newMountainFile")->isEnabled());

    // Three discs: three icons with their mount points and the prompt; a click chooses one.
    auto* useDisc = child<QCheckBox>(dialog, "useDisc");
    EXPECT_TRUE(useDisc->isChecked());
    auto* prompt = child<QLabel>(dialog, "discPrompt");
    EXPECT_TRUE(prompt->isVisible());
    EXPECT_EQ(prompt->text(), "複数検出されました。選択してアイコンをクリックして下さい。");
    for (int i = 0; i < 3; ++i) {
        auto* icon = child<QToolButton>(dialog, ("disc" + std::to_string(i)).c_str());
        EXPECT_TRUE(icon->isVisible());
        EXPECT_EQ(icon->text().toStdString(), discs[static_cast<size_t>(i)].string());
    }
    child<QToolButton>(dialog, "disc1")->click();
    EXPECT_EQ(state->demFolder, "/media/cdrom1/Data");
    EXPECT_TRUE(child<QToolButton>(dialog, "disc1")->isChecked());
    EXPECT_FALSE(child<QToolButton>(dialog, "disc0")->isChecked());
    child<QToolButton>(dialog, "disc2")->click();
    EXPECT_FALSE(child<QToolButton>(dialog, "disc1")->isChecked());
    EXPECT_TRUE(child<QToolButton>(dialog, "disc2")->isChecked());

    // Unchecking hides them; unchecking the elevation data disables the disc box.
    useDisc->click();
    EXPECT_FALSE(prompt->isVisible());
    EXPECT_FALSE(child<QToolButton>(dialog, "disc0")->isVisible());
    child<QCheckBox>(dialog, "useDem")->click();
    EXPECT_FALSE(useDisc->isEnabled());
    EXPECT_FALSE(start.useDem());

    // No discs at all: checking the box tells so and unchecks it again.
    discs.clear();
    child<QCheckBox>(dialog, "useDem")->click();
    useDisc->click();
    EXPECT_FALSE(useDisc->isChecked());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "CD-ROMは接続されていません。");
}

// Opening with the disc box checked and no disc: the dialog says so itself, no box before it.
TEST_F(PlanStartDialogTest, MissingDiscAtOpeningIsShownInTheDialog) {
    discs.clear();
    state->demMedia = 0;
    PlanStart start = model();
    start.open();
    PlanStartDialog dialog(start);
    dialog.show();
    EXPECT_TRUE(dialogs.messages().empty());
    auto* note = child<QLabel>(dialog, "noDisc");
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), "CD-ROMは接続されていません。");
    EXPECT_FALSE(child<QCheckBox>(dialog, "useDisc")->isChecked());

    // A disc put in and the box ticked: the note goes, the icon shows.
    discs = {"/media/cdrom0"};
    child<QCheckBox>(dialog, "useDisc")->click();
    EXPECT_FALSE(note->isVisible());
    EXPECT_TRUE(child<QToolButton>(dialog, "disc0")->isVisible());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(PlanStartDialogTest, ExecuteStaysOnARefusalAndCancelCloses) {
    state->demMedia = 1;
    PlanStart start = model();
    start.open();
    PlanStartDialog dialog(start);
    dialog.show();
    auto* nameBox = child<QLineEdit>(dialog, "nameBox");
    child<QPushButton>(dialog, "execute")->click();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, "管理ファイル名は必ず入力して下さい。");
    EXPECT_EQ(dialogs.messages()[0].title, "入力注意");

    nameBox->setText("幌尻岳");
    emit nameBox->textEdited(nameBox->text());
    child<QPushButton>(dialog, "execute")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(state->planName, "幌尻岳");
    EXPECT_EQ(start.outcome(), DialogOutcome::Accepted);

    PlanStart again = model();
    again.open();
    PlanStartDialog second(again);
    second.show();
    child<QPushButton>(second, "help")->click();
    EXPECT_EQ(dialogs.asked().back().text, "ORVANE2.hlp");
    child<QPushButton>(second, "cancel")->click();
    EXPECT_FALSE(second.isVisible());
    EXPECT_TRUE(again.closed());
    EXPECT_EQ(again.outcome(), DialogOutcome::Cancelled);
}

// A double click on a saved plan picks it and runs "実　行".
TEST_F(PlanStartDialogTest, DoubleClickOnAPlanOpensIt) {
    state->demMedia = 1;
    PlanStart start = model();
    start.open();
    PlanStartDialog dialog(start);
    dialog.show();
    auto* list = child<QTreeWidget>(dialog, "planList");
    emit list->itemDoubleClicked(list->topLevelItem(1), 0);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(state->planName, "穂高");
    EXPECT_TRUE(state->existingPlan);
    EXPECT_EQ(start.outcome(), DialogOutcome::Accepted);
    EXPECT_TRUE(dialogs.messages().empty());
}

// The hard-disk data folder follows the model, and "標高データの作成" beside it opens the window
// the owner handed in; the folder it reports replaces the shown one and unchecks the disc box.
TEST_F(PlanStartDialogTest, ElevationDataButtonShowsTheNewFolder) {
    state->demMedia = 1;
    state->demFolder = "/data/old";
    PlanStart start = model();
    int opened = 0;
    start.setDemCreation([&](const std::string&, std::string&) {
        ++opened;
        return std::optional<std::string>("/data/new");
    });
    start.open();
    PlanStartDialog dialog(start);
    dialog.show();
    auto* folder = child<QLineEdit>(dialog, "diskFolder");
    EXPECT_EQ(folder->text(), "/data/old");
    EXPECT_TRUE(folder->isReadOnly());
    auto* make = child<QPushButton>(dialog, "makeElevationData");
    EXPECT_EQ(make->text(), "標高データの作成");
    make->click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(folder->text(), "/data/new");
    EXPECT_FALSE(child<QCheckBox>(dialog, "useDisc")->isChecked());
}

}  // namespace
}  // namespace orv
