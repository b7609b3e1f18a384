// XML errors of the GPX reader said in Japanese, with expat's own words after the cause.
#include "exchange/XmlErrorText.h"

#include "exchange/GpxReader.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(XmlErrorText, ReaderProblemsGetTheirCauseBeforeExpatsWords) {
    const struct {
        const char* what;
        const char* bytes;
        const char* detail;
    } cases[] = {
        {"plain text", "T  N354512.3 E1394512.3 08-OCT-99 15:20:00\r\n",
         "XMLとして正しくありません（XMLの規則に合わない書き方があります：syntax error）。"},
        {"control character", "<gpx><wpt lat=\"1\" lon=\"2\"/>\x01</gpx>",
         "XMLとして正しくありません（使えない文字か、崩れたタグがあります：not well-formed (invalid token)）。"},
        {"tags crossed", "<gpx>\n<trk>\n<trkseg>\n</trk>\n</gpx>",
         "XMLとして正しくありません（開始タグと終了タグが合っていません：mismatched tag）。"},
        {"text after the end", "<gpx><wpt lat=\"1\" lon=\"2\"/></gpx>\n<gpx/>",
         "XMLとして正しくありません（文書の終わりの後に余分なものがあります：junk after document element）。"},
        {"unknown entity", "<gpx><wpt lat=\"1\" lon=\"2\"><name>&nbsp;</name></wpt></gpx>",
         "XMLとして正しくありません（定義されていない実体参照（&…;）があります：undefined entity）。"},
    };
    for (const auto& c : cases) {
        const auto read = readGpx(c.bytes);
        ASSERT_FALSE(read.ok()) << c.what;
        EXPECT_EQ(explainedXmlDetail(read.problem().detail), c.detail) << c.what;
        EXPECT_EQ(explainedXmlDetail(c.detail), c.detail) << c.what;  // explained once only
    }
    // A detail of the reader's own words stays as it is.
    EXPECT_EQ(explainedXmlDetail("ファイルが途中で終わっています。"), "ファイルが途中で終わっています。");
    EXPECT_EQ(xmlErrorCause(9999), "XMLの書き方が正しくありません");
}

}  // namespace
}  // namespace orv
