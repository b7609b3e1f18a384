#include "core/Cp932.h"
#include "core/TextFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace orv {
namespace {

TEST(Cp932, RoundTripKeepsTheWindowsOnlyCharacters) {
    // ～ (wave dash as Windows writes it), ① and the NEC/IBM extensions exist only in CP932.
    for (const char* text : {"北岳　3192m", "ｶﾀｶﾅ", "～①Ⅲ㈱髙", "ABC abc 123", ""}) {
        const auto bytes = utf8ToCp932(text);
        EXPECT_TRUE(bytes.lossless) << text;
        const auto back = cp932ToUtf8(bytes.text);
        EXPECT_TRUE(back.lossless) << text;
        EXPECT_EQ(back.text, text);
    }
    EXPECT_EQ(utf8ToCp932("槍").text, "\x91\x84");
    EXPECT_EQ(utf8ToCp932("ｱ").text, "\xB1");
}

TEST(Cp932, BrokenBytesAndForeignCharactersAreReplacedNotFatal) {
    const auto decoded = cp932ToUtf8("A\x81\x20" "B\xFF" "C\x82");  // bad trail, bad lead, cut pair
    EXPECT_FALSE(decoded.lossless);
    EXPECT_EQ(decoded.text.substr(0, 1), "A");
    EXPECT_NE(decoded.text.find('B'), std::string::npos);
    EXPECT_NE(decoded.text.find('C'), std::string::npos);

    const auto encoded = utf8ToCp932("a😀b\xC3");  // no CP932 form; broken UTF-8 at the end
    EXPECT_FALSE(encoded.lossless);
    EXPECT_EQ(encoded.text, "a?b?");
    EXPECT_FALSE(representableInCp932("😀"));
    EXPECT_TRUE(representableInCp932("幌尻岳"));
}

TEST(DisplayWidth, CountsCp932Bytes) {
    struct Case {
        const char* text;
        int width;
    } cases[] = {{"", 0}, {"abc", 3}, {"北岳", 4}, {"ﾙｰﾄ", 3}, {"北岳 3192", 9}, {"　", 2}, {"😀", 2}};
    for (const auto& c : cases) EXPECT_EQ(displayWidth(c.text), c.width) << c.text;
}

TEST(TextFile, LinesSplitAtEveryKindOfLineEnd) {
    test::TempDir dir;
    const auto path = dir.write("a.txt", "one\r\ntwo\nthree\rfour\r\n\r\n\x96\x6B\x8A\x43");  // 北海 in CP932
    const TextLines read = readTextLines(path);
    ASSERT_EQ(read.error, FileError::None);
    EXPECT_EQ(read.lines, (std::vector<std::string>{"one", "two", "three", "four", "", "北海"}));
    EXPECT_TRUE(read.lossless);

    EXPECT_EQ(readTextLines(path, 2).lines.size(), 2u);
    EXPECT_EQ(readTextLines(dir / "missing.txt").error, FileError::NotFound);
    EXPECT_EQ(readTextLines(dir.path()).error, FileError::NotAFile);
    EXPECT_TRUE(readTextLines(dir.write("empty.txt", "")).lines.empty());
}

TEST(TextFile, WritesCp932WithCrLfAtomically) {
    test::TempDir dir;
    const auto path = dir / "plan.txt";
    ASSERT_EQ(writeTextLines(path, {"幌尻岳 2052", "", "end"}), FileError::None);
    std::string bytes;
    ASSERT_EQ(readBytes(path, bytes), FileError::None);
    EXPECT_EQ(bytes, utf8ToCp932("幌尻岳 2052").text + "\r\n\r\nend\r\n");

    // A write that cannot finish leaves the old file and no temporary file behind.
    std::filesystem::create_directory(dir / "plan.txt.orvtmp");
    EXPECT_EQ(writeTextLines(path, {"new"}), FileError::CannotWrite);
    ASSERT_EQ(readBytes(path, bytes), FileError::None);
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "end\r\n");
    EXPECT_EQ(writeTextLines(dir / "no/such/folder.txt", {"x"}), FileError::CannotWrite);
}

TEST(TextFile, AtomicWritesGoThroughLinksAndKeepPermissions) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    const auto real = dir.write("real/settings.ini", "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(dir / "config");
    fs::create_symlink("../real/settings.ini", dir / "config/settings.ini");

    ASSERT_EQ(writeBytesAtomic(dir / "config/settings.ini", "new"), FileError::None);
    EXPECT_TRUE(fs::is_symlink(dir / "config/settings.ini"));
    std::string bytes;
    ASSERT_EQ(readBytes(real, bytes), FileError::None);
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace orv
