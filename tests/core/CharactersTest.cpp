// Counting and cutting texts by characters: a double-byte character of the files is one
// character, whatever its bytes in memory.
#include "core/Characters.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orv {
namespace {

TEST(Characters, CountAndSliceByCharacters) {
    struct Case {
        std::string_view text;
        size_t first, count;
        std::string_view slice;
        size_t characters;
    };
    const Case cases[] = {
        {"08-OCT-99", 3, 3, "OCT", 9},
        {"08-十月-99", 3, 3, "十月-", 8},   // three bytes a character in memory
        {"ｳｳ:20:00", 0, 2, "ｳｳ", 8},
        {"槍ヶ岳", 1, std::string_view::npos, "ヶ岳", 3},
        {"ab", 1, 5, "b", 2},               // fewer characters than asked
        {"ab", 3, 1, "", 2},                // starting past the end
        {"", 0, 2, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(characterSlice(c.text, c.first, c.count), c.slice);
        EXPECT_EQ(characterCount(c.text), c.characters);
    }
}

// Only ASCII letters change case: the bytes of a Japanese file name stay as they are.
TEST(Characters, AsciiCaseLeavesOtherBytesAlone) {
    EXPECT_EQ(asciiUpper(".trk"), ".TRK");
    EXPECT_EQ(asciiLower(".Gpx"), ".gpx");
    EXPECT_EQ(asciiUpper("幌尻岳.rtd"), "幌尻岳.RTD");
    EXPECT_EQ(asciiLower("ＡＢＣ.NDB"), "ＡＢＣ.ndb");  // full-width letters are not ASCII
    EXPECT_EQ(asciiLower(std::string("\xC0\x41", 2)), std::string("\xC0\x61", 2));
}

}  // namespace
}  // namespace orv
