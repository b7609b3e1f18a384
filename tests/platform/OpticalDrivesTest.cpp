#include "platform/OpticalDrives.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(OpticalDrives, MountPointsOfDiscFileSystemsInOrder) {
    const char* table =
        "/dev/vda / ext4 rw,relatime 0 0\n"
        "/dev/sr0 /media/user/GSI\\04050M iso9660 ro,nosuid 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sr1 /mnt/dvd udf ro 0 0\n"
        "garbage\n"
        "\n"
        "/dev/sr2 /mnt/cd\\ iso9660 ro 0 0\n";  // a lone backslash stays as it is
    const auto points = opticalMountPoints(table);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0], "/media/user/GSI 50M");
    EXPECT_EQ(points[1], "/mnt/dvd");
    EXPECT_EQ(points[2], "/mnt/cd\\");
    EXPECT_TRUE(opticalMountPoints("").empty());
}

TEST(OpticalDrives, DataFolderIgnoringCase) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "disc/DATA/5339");
    EXPECT_EQ(discDataFolder(dir / "disc"), dir / "disc/DATA");
    EXPECT_EQ(discDataFolder(dir / "none"), dir / "none/Data");
}

}  // namespace
}  // namespace orv
