// The save dialog of pictures: the chosen filter entry decides the format and adds its
// extension to a bare name, a typed picture extension wins, and the dialog starts where the
// last picture went (else in the data folder).
#include "platform/PictureSave.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace orv {
namespace {

TEST(PictureSave, TheChosenEntryDecidesWhatATypedNameWithoutItsExtensionBecomes) {
    test::TempDir dir;
    struct Case {
        const char* typed;
        int entry;  // 0 BMP, 1 PNG
        const char* written;
        PictureFormat format;
    };
    const Case cases[] = {
        {"map2", 1, "map2.PNG", PictureFormat::Png},
        {"map2", 0, "map2.BMP", PictureFormat::Bmp},
        {"profile2", 1, "profile2.PNG", PictureFormat::Png},
        {"map2.", 1, "map2.PNG", PictureFormat::Png},
        {"map.v2", 1, "map.v2.PNG", PictureFormat::Png},
        {"地図.jpg", 0, "地図.jpg.BMP", PictureFormat::Bmp},
        // A picture extension typed in any letter case keeps the name and names the format.
        {"map2.png", 0, "map2.png", PictureFormat::Png},
        {"map2.PnG", 0, "map2.PnG", PictureFormat::Png},
        {"map2.bmp", 1, "map2.bmp", PictureFormat::Bmp},
        {"map2.BMP", 1, "map2.BMP", PictureFormat::Bmp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        test::ScriptedDialogs dialogs;
        dialogs.answerFile((dir / c.typed).string());
        dialogs.chooseFilter(c.entry);
        const std::optional<PictureFile> file = askPictureFile(dialogs, "画像の保存", FileFolders{}, dir.path(), dir / "program");
        ASSERT_TRUE(file.has_value());
        EXPECT_EQ(file->path, dir / c.written);
        EXPECT_EQ(file->format, c.format);
        ASSERT_EQ(dialogs.asked().size(), 1u);
        EXPECT_EQ(dialogs.asked()[0].title, "画像の保存");
        EXPECT_EQ(dialogs.asked()[0].text, "BMPデータファイル(*.BMP)|*.BMP;*.bmp|PNGデータファイル(*.PNG)|*.PNG;*.png");
    }
    test::ScriptedDialogs dialogs;
    dialogs.answerFile(std::nullopt);
    EXPECT_FALSE(askPictureFile(dialogs, "画像の保存", FileFolders{}, dir.path(), dir / "program").has_value());
}

TEST(PictureSave, TheDialogStartsInTheLastPictureFolderWhileItExistsElseInTheDataFolder) {
    test::TempDir dir;
    const std::filesystem::path data = dir / "data";
    const std::filesystem::path pictures = dir / "pictures";
    const std::filesystem::path program = dir / "program";
    std::filesystem::create_directories(pictures);
    std::filesystem::create_directories(program / "sample");
    struct Case {
        std::filesystem::path last;
        std::filesystem::path start;
    };
    for (const Case& c : {Case{{}, data}, Case{pictures, pictures}, Case{dir / "gone", data},
                          Case{program / "sample", data}}) {
        test::ScriptedDialogs dialogs;
        dialogs.answerFile(std::nullopt);
        FileFolders folders;
        folders.setLast(FileKind::Picture, c.last);
        askPictureFile(dialogs, "画像の保存", folders, data, program);
        ASSERT_EQ(dialogs.asked().size(), 1u);
        EXPECT_EQ(dialogs.asked()[0].initialPath, c.start.string()) << c.last;
    }
}

}  // namespace
}  // namespace orv
