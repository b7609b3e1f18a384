#include "core/Blanks.h"
#include "core/Cp932.h"
#include "core/LineReader.h"
#include "core/Result.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {
namespace {

std::vector<std::string> allLines(std::string_view bytes, LineEncoding encoding) {
    LineReader reader(bytes, encoding);
    std::vector<std::string> lines;
    while (reader.next()) lines.push_back(reader.text());
    return lines;
}

TEST(LineReader, EveryLineEndEndsOneLine) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases{
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(allLines(c.bytes, LineEncoding::Utf8), c.lines) << c.bytes;
}

TEST(LineReader, CountsLinesAndCharactersForProgress) {
    LineReader reader("ab\r\nc\n");
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.number(), 1);
    EXPECT_EQ(reader.charactersRead(), 3u);
    EXPECT_EQ(reader.offset(), 4u);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.number(), 2);
    EXPECT_EQ(reader.charactersRead(), 5u);
    EXPECT_FALSE(reader.next());
}

TEST(LineReader, DecodesCp932AndKeepsUtf8WhereAsked) {
    const std::string cp932 = "\x8E\x52";  // 山
    EXPECT_EQ(allLines(cp932, LineEncoding::Cp932), std::vector<std::string>{"山"});
    const std::string utf8 = "À山";  // 0x80 is no CP932 byte
    EXPECT_EQ(allLines(utf8, LineEncoding::Cp932OrUtf8), std::vector<std::string>{utf8});
    LineReader strict(utf8, LineEncoding::Cp932);
    ASSERT_TRUE(strict.next());
    EXPECT_NE(strict.text(), utf8);
    EXPECT_FALSE(strict.lossless());
}

TEST(Utf8Check, RefusesMalformedSequences) {
    EXPECT_TRUE(isValidUtf8("abc 山 😀"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE5\xB1"));          // cut off
}

TEST(Blanks, TheBlankSetDecides) {
    EXPECT_EQ(trimBlanks("  a b \t", kSpaces), "a b \t");
    EXPECT_EQ(trimBlanks("  a b \t", kSpacesAndTabs), "a b");
    EXPECT_EQ(trimBlanks("\t a", kSpaces), "\t a");
    EXPECT_EQ(trimLeadingBlanks(" \t a ", kSpacesAndTabs), "a ");
    EXPECT_EQ(trimBlanks("   ", kSpaces), "");
}

TEST(Result, HoldsDataOrProblem) {
    Result<int> good(3);
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(*good, 3);
    Result<int> bad(Problem{ProblemKind::BadRecord, 7, "x"});
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.problem().line, 7);
    EXPECT_FALSE(problemOf(FileError::None));
    EXPECT_EQ(problemOf(FileError::TooLarge)->kind, ProblemKind::TooLarge);
    Status done;
    EXPECT_TRUE(done.ok());
    Status failed(problemOf(FileError::CannotWrite, "f"));
    EXPECT_EQ(failed.problem().detail, "f");
}

}  // namespace
}  // namespace orv
