// Every reader of the survey's products against damaged bytes: cut at every few bytes, bytes
// replaced by markup, zero and high bytes. Each answer is data or a problem; nothing crashes
// (the sanitizers watch every access).
#include "terrain/ElevationTile.h"
#include "terrain/GmlDem.h"
#include "terrain/GmlSources.h"

#include "core/TextFile.h"
#include "support/TempDir.h"
#include "terrain/SyntheticDem.h"

#include <gtest/gtest.h>

#include <optional>

namespace orv::terrain {
namespace {

using namespace orv::terrain::test;

template <typename Read>
void damage(const std::string& good, size_t stride, Read read) {
    for (size_t at = 0; at < good.size(); at += stride) {
        read(good.substr(0, at));
        for (char c : {'<', '&', '\0', '\xff', ',', '\n'}) {
            std::string bad = good;
            bad[at] = c;
            read(bad);
        }
    }
}

TEST(HostileInputTest, GmlDocumentsInWholeAndInPieces) {
    DemShape shape = secondaryMeshShape(52, 38, 7, 4);
    shape.columns = 12;
    shape.rows = 6;
    const std::string good = gmlDocument(shape, [](double lat, double lon) { return lat * 10 + lon; });
    int problems = 0;
    damage(good, 5, [&](const std::string& bytes) {
        for (size_t piece : {bytes.size() + 1, size_t{13}}) {
            GmlDemParser parser("x.xml");
            for (size_t at = 0; at < bytes.size() && parser.feed(std::string_view(bytes).substr(at, piece)); at += piece) {
            }
            const auto read = parser.finish();
            if (!read) {
                ++problems;
                EXPECT_FALSE(read.problem().detail.empty());
            } else if (read->has_value()) {
                EXPECT_EQ((*read)->heights.size(), 72u);
            }
        }
    });
    EXPECT_GT(problems, 0);
}

// Markup that would take memory growing with its depth or length, or time growing with its
// square: refused at the line where it starts (or read, within the bounds), in whole and in
// pieces alike, alone and inside an archive.
TEST(HostileInputTest, GmlMarkupIsBoundedInDepthAndLength) {
    DemShape shape = secondaryMeshShape(52, 38, 7, 4);
    shape.columns = 12;
    shape.rows = 6;
    const std::string good = gmlDocument(shape, [](double, double) { return 5.0; });
    const auto insert = [&](const std::string& markup) {
        std::string s = good;
        s.insert(s.find("<DEM "), markup);
        return s;
    };
    std::string nested = "\n";
    for (int i = 0; i < 100000; ++i) nested += "<a>";
    std::string manyEmpty = "\n";
    for (int i = 0; i < 300000; ++i) manyEmpty += "<trk/>";
    std::string lines;  // a comment of 3 MB in lines of 64 bytes
    while (lines.size() < (size_t{3} << 20)) lines += std::string(63, 'x') + "\n";
    const struct {
        const char* what;
        std::string bytes;
        std::optional<ProblemKind> kind;  // none: read
        int line;
        const char* detail;
    } cases[] = {
        {"elements nested 100 000 deep", insert(nested), ProblemKind::BadFormat, 4, "入れ子が深すぎます（64 段まで）"},
        {"300 000 empty elements", insert(manyEmpty + "\n"), std::nullopt, 0, ""},
        {"a comment of 3 MB on 49 152 lines", insert("<!--\n" + lines + "-->\n"), std::nullopt, 0, ""},
        {"a comment of 5 MB on one line", insert("\n<!--" + std::string(5 << 20, 'x') + "-->\n"), ProblemKind::TooLarge, 4, "コメントやタグが長すぎます（4 MBを超えています）"},
        {"a tag of 5 MB", insert("\n\n<x a=\"" + std::string(5 << 20, 'x') + "\"/>\n"), ProblemKind::TooLarge, 5, "長すぎます"},
        {"entities", "<?xml version=\"1.0\"?>\n<!DOCTYPE Dataset [<!ENTITY a \"aaaaaaaaaa\">]>\n<Dataset>&a;</Dataset>\n", ProblemKind::Unsupported, 2, "DOCTYPE"},
    };
    orv::test::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (size_t piece : {c.bytes.size(), size_t{1} << 18, size_t{65537}}) {
            GmlDemParser parser("FG-GML-5238-74-DEM10B.xml");
            for (size_t at = 0; at < c.bytes.size() && parser.feed(std::string_view(c.bytes).substr(at, piece)); at += piece) {
            }
            const auto read = parser.finish();
            ASSERT_EQ(read.ok(), !c.kind) << (read.ok() ? "" : read.problem().detail);
            if (!c.kind) {
                EXPECT_EQ((*read)->heights, std::vector<float>(72, 5.0f));
                continue;
            }
            EXPECT_EQ(read.problem().kind, *c.kind);
            EXPECT_EQ(read.problem().line, c.line);
            EXPECT_NE(read.problem().detail.find(c.detail), std::string::npos) << read.problem().detail;
        }
        if (!c.kind) continue;
        // Inside an archive: the member and its line.
        ASSERT_TRUE(writeZip((dir / "hostile.zip").string(), {{"FG-GML-5238-74-DEM10B.xml", c.bytes}}));
        const auto loaded = readGmlSources({(dir / "hostile.zip").string()}, {20, 50, 120, 160});
        ASSERT_EQ(loaded.problems.size(), 1u);
        EXPECT_EQ(loaded.problems[0].file, (dir / "hostile.zip").string() + ":FG-GML-5238-74-DEM10B.xml");
        EXPECT_EQ(loaded.problems[0].problem.line, c.line);
    }
}

// A long file can be cancelled while it is read: the progress is asked again every few
// megabytes.
TEST(HostileInputTest, ALongGmlFileCanBeCancelledWhileItIsRead) {
    DemShape shape = secondaryMeshShape(52, 38, 7, 4);
    shape.columns = 12;
    shape.rows = 6;
    std::string doc = gmlDocument(shape, [](double, double) { return 5.0; });
    doc.insert(doc.find("<DEM "), std::string(size_t{12} << 20, ' '));
    orv::test::TempDir dir;
    const std::string path = dir.write("FG-GML-5238-74-DEM10B.xml", doc).string();
    for (const bool cancel : {false, true}) {
        int asked = 0;
        const auto loaded = readGmlSources({path}, {20, 50, 120, 160}, [&](int, int, const std::string&) {
            ++asked;
            return !cancel || asked < 2;
        });
        EXPECT_EQ(loaded.cancelled, cancel);
        EXPECT_EQ(loaded.grids.size(), cancel ? 0u : 1u);
        EXPECT_TRUE(loaded.problems.empty());
        EXPECT_EQ(asked, cancel ? 2 : 5);  // the file's start, every 4 MB of it, the end
    }
}

TEST(HostileInputTest, TilesAndArchives) {
    std::string text, png;
    ASSERT_EQ(readBytes(std::string(ORVANE_REALDATA) + "/dem-8-229-94.txt", text), FileError::None);
    ASSERT_EQ(readBytes(std::string(ORVANE_REALDATA) + "/dem_png-8-229-94.png", png), FileError::None);
    const auto tile = [](const std::string& bytes) {
        const auto read = parseElevationTile(bytes, {8, 229, 94}, "t");
        if (read) {
            EXPECT_EQ(read->heights.size(), 65536u);
        }
    };
    damage(text, 4099, tile);
    damage(png, 1201, tile);

    orv::test::TempDir dir;
    DemShape shape = secondaryMeshShape(52, 38, 7, 4);
    shape.columns = 12;
    shape.rows = 6;
    ASSERT_TRUE(writeZip((dir / "good.zip").string(), {{"FG-GML-5238-74-DEM10B.xml", gmlDocument(shape, [](double, double) { return 5.0; })}}));
    std::string zip;
    ASSERT_EQ(readBytes(dir / "good.zip", zip), FileError::None);
    damage(zip, 17, [&](const std::string& bytes) {
        dir.write("bad.zip", bytes);
        const auto loaded = readGmlSources({(dir / "bad.zip").string()}, {20, 50, 120, 160});
        EXPECT_EQ(loaded.grids.size() + loaded.problems.size(), 1u);
    });
}

TEST(HostileInputTest, AnArchiveInsideAnArchiveTooLargeIsRefusedBeforeUnpacking) {
    // 358 bytes holding an "inner.zip" of 300 MB of zeros (bzip2).
    std::string bomb;
    ASSERT_EQ(readBytes(std::string(ORVANE_FIXTURES) + "/fuzz/zip/nested-archive-of-300-MB.zip", bomb),
              FileError::None);
    const LoadedSources loaded = readGmlSourceBytes(bomb, "bomb.zip", {20, 50, 120, 160});
    ASSERT_EQ(loaded.problems.size(), 1u);
    EXPECT_EQ(loaded.problems[0].file, "bomb.zip:inner.zip");
    EXPECT_EQ(loaded.problems[0].problem.kind, ProblemKind::TooLarge);
}

}  // namespace
}  // namespace orv::terrain
