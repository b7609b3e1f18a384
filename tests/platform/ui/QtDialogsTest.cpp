// The parts of the desktop dialogs that need no user: filter lists, default extensions and
// finding help pages.
#include "platform/qt/QtDialogs.h"

#include "platform/PictureSave.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <set>
#include <string>

namespace orv {
namespace {

TEST(QtFileFilter, PairsBecomeQtEntries) {
    struct Case {
        const char* filter;
        const char* expected;
    };
    const Case cases[] = {
        {"テキストファイル(*.TXT)|*.TXT", "テキストファイル(*.TXT)"},
        {"テキストファイル(*.TXT)|*.TXT|", "テキストファイル(*.TXT)"},
        {"ビットマップ|*.bmp|全てのファイル|*.*|", "ビットマップ (*.bmp);;全てのファイル (*.*)"},
        {"画像(*.bmp;*.jpg)|*.bmp;*.jpg|", "画像(*.bmp;*.jpg)"},
        {"地図画像|*.bmp;*.jpg", "地図画像 (*.bmp *.jpg)"},
        // A description naming its pair's patterns in another letter case is shown as written:
        // the dialog matches without regard to case.
        {"TRKファイル(*.TRK)|*.TRK;*.trk|", "TRKファイル(*.TRK)"},
        {"PCXテキストファイル(*.TRK)|*.TRK;*.trk", "PCXテキストファイル(*.TRK)"},
        // A description naming other patterns than its pair keeps them, and gets the real ones.
        {"TRKファイル(*.TRK)|*.TRK;*.GPX|", "TRKファイル(*.TRK) (*.TRK *.GPX)"},
        {"|*.YMD|", "*.YMD"},
        {"山名ファイル", "山名ファイル (*)"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qtFileFilter(c.filter).toStdString(), c.expected) << c.filter;
}

TEST(QtFileFilter, DefaultExtensionIsAddedOnlyWhenMissing) {
    struct Case {
        const char* path;
        const char* extension;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/u/予定", "TXT", "/home/u/予定.TXT"},
        {"/home/u/予定", ".TXT", "/home/u/予定.TXT"},
        {"/home/u/予定.txt", "TXT", "/home/u/予定.txt"},
        {"/home/u.dir/map", "bmp", "/home/u.dir/map.bmp"},
        {"/home/u/map", "", "/home/u/map"},
        {"", "bmp", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withDefaultExtension(c.path, c.extension), c.expected) << c.path;
}

TEST(QtHelpPages, HelpFilesMapToHtmlPagesBesideTheProgramOrInstalled) {
    QTemporaryDir root;
    const std::filesystem::path base(root.path().toStdString());
    const std::filesystem::path program = base / "bin";
    std::filesystem::create_directories(program / "help");
    std::filesystem::create_directories(base / "share" / "orvane" / "help");
    const auto touch = [](const std::filesystem::path& p) {
        QFile f(QString::fromStdString(p.string()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><head><title>ヘルプ</title></head></html>");
    };
    touch(program / "help" / "ORVANE1.html");
    touch(program / "help" / "orvane4.html");
    touch(base / "share" / "orvane" / "help" / "ORVANE14.html");

    EXPECT_EQ(helpPagePath("ORVANE1.hlp", program),
              (program / "help" / "ORVANE1.html").lexically_normal());
    EXPECT_EQ(helpPagePath("ORVANE4.hlp", program),
              (program / "help" / "orvane4.html").lexically_normal());
    EXPECT_EQ(helpPagePath("ORVANE14.hlp", program),
              (base / "share" / "orvane" / "help" / "ORVANE14.html").lexically_normal());
    EXPECT_TRUE(helpPagePath("ORVANE2.hlp", program).empty());
    EXPECT_TRUE(helpPagePath("", program).empty());
    EXPECT_TRUE(helpPagePath("ORVANE1.hlp", base / "nowhere").empty());
}

// Every help file a "ヘルプ" button or menu entry names in the program has its page among the
// program's assets: the names are gathered from the sources, so a new button is checked too.
TEST(QtHelpPages, EveryHelpFileTheProgramNamesHasItsPage) {
    const std::filesystem::path assets = ORVANE_ASSETS;
    const std::regex helpFile(R"re("([A-Za-z0-9_]+\.hlp)")re");
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(assets.parent_path() / "src")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") continue;
        std::ifstream in(entry.path());
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (std::sregex_iterator it(text.begin(), text.end(), helpFile), end; it != end; ++it)
            names.insert((*it)[1].str());
    }
    // The start menu, its plan start, the route map and its panels, the windows they open.
    EXPECT_GE(names.size(), 15u);
    for (const std::string& name : names)
        EXPECT_FALSE(helpPagePath(name, assets).empty()) << name;
}

// What a message box showed, and how the test answered it.
struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next message box once it is open: `answer` presses a button or a key on it.
void answerNextBox(SeenBox& seen, std::function<void(QMessageBox&)> answer, int attempts = 200) {
    QTimer::singleShot(10, [&seen, answer, attempts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            if (attempts > 0) answerNextBox(seen, answer, attempts - 1);
            return;
        }
        seen = {box->text(), box->windowTitle(), box->icon(), box->standardButtons()};
        answer(*box);
    });
}

void press(QMessageBox& box, QMessageBox::StandardButton button) { box.button(button)->click(); }

void escape(QMessageBox& box) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &key);
}

TEST(QtMessageBox, ShowsLineBreaksIconAndButtonsAndReturnsTheAnswer) {
    QWidget parent;
    QtDialogs dialogs(&parent);
    SeenBox seen;

    answerNextBox(seen, [](QMessageBox& box) { press(box, QMessageBox::Yes); });
    EXPECT_EQ(dialogs.message("一行目\r\n二行目", "確認", Buttons::YesNo, Icon::Question),
              Answer::Yes);
    EXPECT_EQ(seen.text, QString::fromUtf8("一行目\n二行目"));
    EXPECT_EQ(seen.title, QString::fromUtf8("確認"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);

    answerNextBox(seen, [](QMessageBox& box) { press(box, QMessageBox::Cancel); });
    EXPECT_EQ(dialogs.message("保存しますか？", "終了", Buttons::YesNoCancel, Icon::Warning),
              Answer::Cancel);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    struct Escaped {
        Buttons buttons;
        Answer answer;
    };
    for (const Escaped e :
         {Escaped{Buttons::Ok, Answer::Ok}, Escaped{Buttons::OkCancel, Answer::Cancel},
          Escaped{Buttons::YesNo, Answer::No}, Escaped{Buttons::YesNoCancel, Answer::Cancel}}) {
        answerNextBox(seen, escape);
        EXPECT_EQ(dialogs.message("中断", "", e.buttons, Icon::Error), e.answer);
        EXPECT_EQ(seen.icon, QMessageBox::Critical);
    }
}

// The open-file dialog starts with the chosen filter pair and lists its files in either letter
// case; a pair number past the last leaves the first.
TEST(QtFileDialog, OpenStartsWithTheChosenFilterInEitherCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"644205.JPG", "644206.jpg", "644207.BMP"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const std::string filter = "BMP地図画像(*.BMP)|*.BMP|JPG地図画像(*.JPG)|*.JPG|";
    struct Case {
        size_t selected;
        const char* shownFilter;
        QStringList files;
    };
    const Case cases[] = {
        {1, "JPG地図画像(*.JPG)", {"644205.JPG", "644206.jpg"}},
        {0, "BMP地図画像(*.BMP)", {"644207.BMP"}},
        {5, "BMP地図画像(*.BMP)", {"644207.BMP"}},
    };
    QWidget parent;
    QtDialogs dialogs(&parent);
    for (const Case& c : cases) {
        QString shown;
        QStringList listed;
        QTimer::singleShot(10, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                ADD_FAILURE() << "no file dialog";
                return;
            }
            shown = dialog->selectedNameFilter();
            // The folder is read in the background: wait for the listing.
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            for (int attempt = 0; view != nullptr && attempt < 300; ++attempt) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
                if (view->model()->rowCount(view->rootIndex()) >= c.files.size()) break;
            }
            if (view != nullptr) {
                for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                    listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            }
            dialog->reject();
        });
        EXPECT_FALSE(dialogs.openFile("地図画像を開く", filter, dir.path().toStdString(), c.selected));
        EXPECT_EQ(shown, QString::fromUtf8(c.shownFilter)) << c.selected;
        listed.sort();
        EXPECT_EQ(listed, c.files) << c.selected;
    }
}

// The desktop's save dialog hands the entry chosen in it to the picture save: PNG chosen and
// "map2" typed is map2.PNG written as PNG, starting in the folder it was given.
TEST(QtFileDialog, TheChosenFilterOfTheSaveDialogReachesTheCaller) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QWidget parent;
    QtDialogs dialogs(&parent);
    QString startedIn;
    QTimer::singleShot(10, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no file dialog";
            return;
        }
        startedIn = dialog->directory().absolutePath();
        dialog->selectNameFilter(dialog->nameFilters().at(1));
        dialog->selectFile(QStringLiteral("map2"));
        static_cast<QDialog*>(dialog)->accept();  // as the dialog's save button does
    });
    FileFolders folders;
    const std::filesystem::path data = dir.path().toStdString();
    const std::optional<PictureFile> file = askPictureFile(dialogs, "画像の保存", folders, data, data / "program");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(startedIn, dir.path());
    EXPECT_EQ(file->path, data / "map2.PNG");
    EXPECT_EQ(file->format, PictureFormat::Png);
}

TEST(QtMessageBox, MissingHelpPageIsReported) {
    QWidget parent;
    QtDialogs dialogs(&parent);
    SeenBox seen;
    answerNextBox(seen, [](QMessageBox& box) { press(box, QMessageBox::Ok); });
    dialogs.showHelp("ORVANE99.hlp");
    EXPECT_EQ(seen.text, QString::fromUtf8("ヘルプファイルが見つかりません。ORVANE99.hlp"));
}

}  // namespace
}  // namespace orv
