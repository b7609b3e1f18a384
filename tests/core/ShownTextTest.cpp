// A file's text as a message quotes it: every character visible, the length bounded.
#include "core/ShownText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace orv {
namespace {

TEST(ShownText, ControlAndHiddenCharactersAreEscapedVisibly) {
    const struct {
        std::string_view text;
        std::string_view shown;
    } cases[] = {
        {"槍ヶ岳 3180 ｱｲｳ", "槍ヶ岳 3180 ｱｲｳ"},                // Japanese, half-width kana, blanks kept
        {"C:\\Data\\計画", "C:\\Data\\計画"},                  // a backslash stays as it is
        {"\x1b[2J\x1b]0;owned\x07", "\\x1b[2J\\x1b]0;owned\\x07"},  // terminal sequences
        {std::string_view("a\0b", 3), "a\\x00b"},
        {"line\r\nnext\tcol\x7f", "line\\x0d\\x0anext\\x09col\\x7f"},
        {"\xc2\x9b" "31m", "\\u009b31m"},                         // C1 control (CSI)
        {"abc\xe2\x80\xae" "txt.exe", "abc\\u202etxt.exe"},       // right-to-left override
        {"\xef\xbb\xbfname\xe2\x80\x8b", "\\ufeffname\\u200b"},   // byte order mark, zero width space
        {"\xff\xfe ok \xe3\x81", "\\xff\\xfe ok \\xe3\\x81"},      // bytes that are no UTF-8
        {"\xc0\xaf \xed\xa0\x80", "\\xc0\\xaf \\xed\\xa0\\x80"},   // overlong form, surrogate
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(shownFileText(c.text), c.shown);
    }
}

TEST(ShownText, LongTextsAreCutWholeCharactersAndEscapesAtTheLimit) {
    EXPECT_EQ(shownFileText("abcdef", 6), "abcdef");
    EXPECT_EQ(shownFileText("abcdefg", 6), "abcdef…");
    EXPECT_EQ(shownFileText("山山山山", 3), "山山山…");        // characters, not bytes
    EXPECT_EQ(shownFileText("ab\x1b" "cd", 5), "ab…");         // "\x1b" does not fit: not split
    EXPECT_EQ(shownFileText("ab\x1b" "cd", 6), "ab\\x1b…");

    // 20 MB of one line: the default limit of characters and the mark of the cut.
    const std::string huge(20u << 20, 'A');
    const std::string shown = shownFileText(huge);
    EXPECT_EQ(shown, std::string(kShownTextCharacters, 'A') + "…");
}

}  // namespace
}  // namespace orv
