// What the desktop remembers: the folder a file dialog of each kind starts in, and the stored
// form of a window's place.
#include "platform/DesktopPlaces.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace orv {
namespace {

namespace fs = std::filesystem;

TEST(FileFolders, ADialogStartsInItsKindsLastFolderWhileThatIsTheUsersElseInTheDataFolder) {
    test::TempDir dir;
    const fs::path data = dir / "data";
    const fs::path program = dir / "program";
    const fs::path pictures = dir / "pictures";
    for (const fs::path& folder : {data, program / "sample", pictures}) fs::create_directories(folder);

    FileFolders folders;
    EXPECT_EQ(folders.start(FileKind::GpsFile, data, program), data);
    EXPECT_EQ(folders.startPath(FileKind::GpsFile, data, program, "幌尻岳.TRK"), (data / "幌尻岳.TRK").string());

    folders.remember(FileKind::GpsFile, pictures / "track.TRK");
    EXPECT_EQ(folders.start(FileKind::GpsFile, data, program), pictures);
    // A proposed name loses any folder of its own.
    EXPECT_EQ(folders.startPath(FileKind::GpsFile, data, program, "other/幌尻岳.TRK"),
              (pictures / "幌尻岳.TRK").string());
    // Each kind keeps its own folder.
    EXPECT_EQ(folders.start(FileKind::Schedule, data, program), data);

    struct Case {
        const char* what;
        fs::path file;
        fs::path start;
    };
    const Case cases[] = {
        {"the program's sample folder", program / "sample" / "hidaka.ndb", data},
        {"the program's folder itself", program / "x.ndb", data},
        {"a folder that is gone", dir / "gone" / "x.ndb", data},
        {"a folder beside the program's with a longer name", dir / "programs" / "x.ndb", dir / "programs"},
    };
    fs::create_directories(dir / "programs");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileFolders kinds;
        kinds.remember(FileKind::MountainFile, c.file);
        EXPECT_EQ(kinds.start(FileKind::MountainFile, data, program), c.start);
    }

    // A file without an absolute folder (a bare name the dialog was offered) changes nothing.
    folders.remember(FileKind::GpsFile, "幌尻岳.TRK");
    EXPECT_EQ(folders.last(FileKind::GpsFile), pictures);
}

TEST(FileFolders, KindsHaveStoredNames) {
    for (const FileKind kind : {FileKind::Picture, FileKind::GpsFile, FileKind::Schedule, FileKind::MountainFile,
                                FileKind::MapImage, FileKind::ElevationSource})
        EXPECT_EQ(fileKindNamed(fileKindName(kind)), kind);
    EXPECT_FALSE(fileKindNamed("Picture").has_value());
}

TEST(WindowFrameText, ReadsFourIntegersAndRefusesAnythingElse) {
    EXPECT_EQ(windowFrameText(WindowFrame{-1200, 40, 800, 600}), "-1200,40,800,600");
    EXPECT_EQ(parseWindowFrame("-1200,40,800,600"), (WindowFrame{-1200, 40, 800, 600}));
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1, 2,3,4", "1,2,3,4 ", "a,2,3,4", "0,0,0,600", "0,0,800,-1",
                            "0,0,800,100001", "99999999999,0,10,10", "1.5,0,10,10", "0,0,10,"})
        EXPECT_FALSE(parseWindowFrame(bad).has_value()) << bad;
}

}  // namespace
}  // namespace orv
