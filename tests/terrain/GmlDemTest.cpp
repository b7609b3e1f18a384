// FG-GML DEM documents: the survey's real DEM5A file against an independent count of its
// lines, pieces of any size, the grid placement rules, archives, and every kind of bad input.
#include "terrain/GmlDem.h"
#include "terrain/GmlSources.h"
#include "terrain/ZipArchive.h"

#include "core/TextFile.h"
#include "support/TempDir.h"
#include "terrain/SyntheticDem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

namespace orv::terrain {
namespace {

using namespace orv::terrain::test;

const std::string kRealDem = std::string(ORVANE_REALDATA) + "/FG-GML-5238-74-00-DEM5A-20161001.xml";
const GeoBox kEverywhere{20, 50, 120, 160};

std::string fileBytes(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(readBytes(path, bytes), FileError::None) << path;
    return bytes;
}

Result<std::optional<SourceGrid>> parseInPieces(std::string_view bytes, size_t piece, const std::string& name = "t.xml") {
    GmlDemParser parser(name);
    for (size_t at = 0; at < bytes.size() && parser.feed(bytes.substr(at, piece)); at += piece) {
    }
    return parser.finish();
}

size_t noDataCount(const SourceGrid& g) {
    size_t n = 0;
    for (float h : g.heights) n += std::isnan(h) ? 1 : 0;
    return n;
}

TEST(GmlDemTest, RealDem5aFileMatchesItsOwnLines) {
    const std::string bytes = fileBytes(kRealDem);
    // The independent reading: the lines between the tupleList tags, split by hand.
    const size_t open = bytes.find("<gml:tupleList>"), close = bytes.find("</gml:tupleList>");
    ASSERT_NE(open, std::string::npos);
    std::vector<std::string> tuples;
    std::istringstream list(bytes.substr(open + 15, close - open - 15));
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) tuples.push_back(line);
    }
    size_t noData = 0;
    for (const auto& t : tuples) noData += t.find(",-9999.") != std::string::npos ? 1 : 0;
    ASSERT_EQ(tuples.size(), 33750u);  // 225 × 150
    ASSERT_EQ(noData, 302u);           // the "内水面" points

    std::optional<GeoBox> box;
    const auto read = readGmlDemFile(kRealDem, {}, &box);
    ASSERT_TRUE(read.ok()) << read.problem().detail;
    ASSERT_TRUE(read->has_value());
    const SourceGrid& g = **read;
    EXPECT_EQ(g.columns, 225);
    EXPECT_EQ(g.rows, 150);
    EXPECT_EQ(g.key.lattice, Lattice::LatLon);
    EXPECT_DOUBLE_EQ(g.key.stepSeconds, 0.2);
    EXPECT_EQ(g.key.grade, 'A');
    EXPECT_EQ(g.key.name(), "DEM5A");
    EXPECT_EQ(noDataCount(g), noData);
    // 35°15′ N, 138°30′ E: the lattice indices of the north-west sample.
    EXPECT_EQ(g.u0, 138 * 3600 * 5 + 30 * 60 * 5);
    EXPECT_EQ(g.v0, -(35 * 3600 + 15 * 60 + 30) * 5);
    ASSERT_TRUE(box.has_value());
    EXPECT_NEAR(box->south, 35.25, 1e-9);
    EXPECT_NEAR(box->east, 138.5125, 1e-9);
    // Points by their place in the list: "+x-y" from the north-west corner.
    for (size_t i : {size_t{0}, size_t{1}, size_t{224}, size_t{225}, size_t{17000}, size_t{33749}}) {
        const std::string& t = tuples[i];
        const float expected = t.find(",-9999.") != std::string::npos ? NAN : std::stof(t.substr(t.find(',') + 1));
        const float got = g.at(static_cast<int>(i / 225), static_cast<int>(i % 225));
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(got)) << i;
        } else {
            EXPECT_FLOAT_EQ(got, expected) << i << " " << t;
        }
    }
    EXPECT_FLOAT_EQ(g.at(0, 0), 145.30f);
    EXPECT_FLOAT_EQ(g.at(149, 224), 261.59f);
}

TEST(GmlDemTest, PiecesOfAnySizeGiveTheSameGrid) {
    const std::string bytes = fileBytes(kRealDem);
    const auto whole = parseInPieces(bytes, bytes.size());
    ASSERT_TRUE(whole.ok());
    for (size_t piece : {size_t{1}, size_t{7}, size_t{15}, size_t{4096}}) {
        const auto cut = parseInPieces(bytes, piece);
        ASSERT_TRUE(cut.ok()) << piece << ": " << cut.problem().detail;
        ASSERT_TRUE(cut->has_value());
        EXPECT_EQ(std::memcmp((*cut)->heights.data(), (*whole)->heights.data(), (*whole)->heights.size() * sizeof(float)), 0) << piece;
    }
}

TEST(GmlDemTest, LongMarkupLinesGiveTheSameAnswerInPieces) {
    DemShape shape = secondaryMeshShape(52, 38, 7, 4);
    shape.columns = 3;
    shape.rows = 2;
    const std::string good = gmlDocument(shape, [](double, double) { return 5.0; });
    const auto insert = [&](const std::string& markup) {
        std::string s = good;
        s.insert(s.find("<DEM "), markup);
        return s;
    };
    // Lines far longer than the pieces the XML reader is given, one of them with the list's
    // start tag in its middle and one with an error near its end.
    const std::string longComment = insert("<!--" + std::string(150000, 'x') + "-->\n");
    const std::string tagInLongLine = [&] {
        std::string s = good;
        s.replace(s.find("<gml:tupleList>\n"), 16, "<!--" + std::string(70000, 'y') + "--><gml:tupleList>");
        return s;
    }();
    const std::string lateError = insert("<x" + std::string(100000, ' ') + "<\n");
    for (const std::string* doc : {&longComment, &tagInLongLine, &lateError}) {
        const auto whole = parseInPieces(*doc, doc->size());
        for (size_t piece : {size_t{7}, size_t{65535}, size_t{65537}, size_t{100000}}) {
            SCOPED_TRACE(piece);
            const auto cut = parseInPieces(*doc, piece);
            ASSERT_EQ(cut.ok(), whole.ok());
            if (!whole.ok()) {
                EXPECT_EQ(cut.problem(), whole.problem());
            } else {
                ASSERT_TRUE(cut->has_value());
                EXPECT_EQ((*cut)->heights, (*whole)->heights);
            }
        }
    }
    EXPECT_TRUE(parseInPieces(longComment, longComment.size()).ok());
    EXPECT_TRUE(parseInPieces(tagInLongLine, tagInLongLine.size()).ok());
    EXPECT_FALSE(parseInPieces(lateError, lateError.size()).ok());
}

TEST(GmlDemTest, StartPointAndShortListLeaveNoDataAround) {
    DemShape s = secondaryMeshShape(53, 39, 4, 5);
    s.columns = 4;
    s.rows = 3;
    s.stepSeconds = 0.4;
    s.startX = 2;
    s.startY = 1;
    const auto doc = gmlDocument(s, [](double, double) { return 100.0; }, 5);  // points 6..10
    const auto read = parseInPieces(doc, doc.size(), "FG-GML-5339-45-DEM10B-20200101.xml");
    ASSERT_TRUE(read.ok()) << read.problem().detail;
    const SourceGrid& g = **read;
    EXPECT_EQ(g.key.grade, 'B');
    std::string pattern;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) pattern += std::isnan(g.at(r, c)) ? '.' : '#';
    EXPECT_EQ(pattern, "......#####.");
}

TEST(GmlDemTest, UnwantedDemStopsAfterItsEnvelope) {
    const std::string bytes = fileBytes(kRealDem);
    GmlDemParser parser("x.xml", [](const GeoBox& b) { return b.intersects({42, 43, 142, 143}); });
    const size_t header = bytes.find("<gml:tupleList>");
    EXPECT_FALSE(parser.feed(std::string_view(bytes).substr(0, header)));
    const auto read = parser.finish();
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read->has_value());
}

TEST(GmlDemTest, BadDocumentsNameTheirLine) {
    const std::string real = fileBytes(kRealDem);
    const size_t listLine = 48;  // "<gml:tupleList>" is line 48 of the survey's file
    const auto replaceFirst = [&](std::string from, std::string to) {
        std::string s = real;
        s.replace(s.find(from), from.size(), to);
        return s;
    };
    struct Case {
        const char* name;
        std::string bytes;
        ProblemKind kind;
        int line;  // 0: any line
        const char* detail;
    };
    const Case cases[] = {
        {"not XML", "PK\x03\x04 this is no XML", ProblemKind::BadFormat, 1, "XMLとして正しくありません（使えない文字か、崩れたタグがあります：not well-formed (invalid token)）"},
        {"XML but not FG-GML", "<?xml version=\"1.0\"?>\n<gpx><trk/></gpx>\n", ProblemKind::BadFormat, 2, "gpx"},
        {"FG-GML without a DEM", "<?xml version=\"1.0\"?>\n<Dataset>\n<BldL/>\n</Dataset>\n", ProblemKind::BadFormat, 0, "FG-GML DEM"},
        {"truncated inside the list", real.substr(0, real.size() / 2), ProblemKind::TooFew, 0, "途中で終わって"},
        {"truncated after the list", real.substr(0, real.size() - 40), ProblemKind::TooFew, 0, "途中で終わって"},
        {"a tuple without a comma", replaceFirst("地表面,144.90", "地表面 144.90"), ProblemKind::BadRecord, int(listLine) + 3, "「,」"},
        {"a height that is no number", replaceFirst("地表面,144.84", "地表面,1x4.84"), ProblemKind::BadRecord, int(listLine) + 5, "1x4.84"},
        {"more heights than points", replaceFirst("\n</gml:tupleList>", "\n地表面,1.00\n</gml:tupleList>"), ProblemKind::TooMany, 33799, "多く"},
        {"an order the program does not read", replaceFirst("order=\"+x-y\"", "order=\"+y+x\""), ProblemKind::Unsupported, 0, "+y+x"},
        {"a corner that is no number", replaceFirst("35.25 138.5<", "35.25 east<"), ProblemKind::BadValue, 0, "east"},
        {"a list before its extent", replaceFirst("<gml:Envelope", "<gml:Envelopx"), ProblemKind::BadFormat, 0, ""},
        {"an enormous grid", replaceFirst("<gml:high>224 149</gml:high>", "<gml:high>99999 99999</gml:high>"), ProblemKind::BadValue, 0, "扱えません"},
        // A column or a row more than the envelope holds, within a thousandth of the step: the
        // rows would come out sheared.
        {"a grid a column wider than its envelope", replaceFirst("<gml:high>224 149</gml:high>", "<gml:high>225 149</gml:high>"), ProblemKind::BadValue, int(listLine), "格子 226 × 150 が範囲（gml:Envelope）の 225 × 150 と合いません"},
        {"a grid a row taller than its envelope", replaceFirst("<gml:high>224 149</gml:high>", "<gml:high>224 150</gml:high>"), ProblemKind::Unsupported, int(listLine), "間隔"},
        {"a start point below the grid", replaceFirst("<gml:startPoint>0 0<", "<gml:startPoint>0 150<"), ProblemKind::BadValue, 0, "gml:startPoint"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (size_t piece : {c.bytes.size() + 1, size_t{1000}}) {
            const auto read = parseInPieces(c.bytes, piece);
            ASSERT_FALSE(read.ok());
            EXPECT_EQ(read.problem().kind, c.kind) << read.problem().detail;
            if (c.line) {
                EXPECT_EQ(read.problem().line, c.line) << read.problem().detail;
            } else {
                EXPECT_GT(read.problem().line, 0);
            }
            EXPECT_NE(read.problem().detail.find(c.detail), std::string::npos) << read.problem().detail;
        }
    }
}

// The heights of a document by an independent reading of its list and start point: the list's
// values from the start point on, no data before and after.
std::vector<float> heightsByHand(const std::string& bytes, size_t points) {
    const size_t open = bytes.find("<gml:tupleList>"), close = bytes.find("</gml:tupleList>");
    std::vector<float> listed;
    std::istringstream list(bytes.substr(open + 15, close - open - 15));
    for (std::string line; std::getline(list, line);)
        if (line.find(',') != std::string::npos)
            listed.push_back(line.find(",-9999.") != std::string::npos ? NAN : std::stof(line.substr(line.find(',') + 1)));
    const size_t at = bytes.find("<gml:startPoint>") + 16;
    const size_t x = std::stoul(bytes.substr(at)), y = std::stoul(bytes.substr(bytes.find(' ', at)));
    const size_t columns = std::stoul(bytes.substr(bytes.find("<gml:high>") + 10)) + 1;
    std::vector<float> heights(points, NAN);
    std::copy(listed.begin(), listed.end(), heights.begin() + static_cast<std::ptrdiff_t>(y * columns + x));
    return heights;
}

bool sameHeights(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// The survey's files with a start point inside the grid and a list that ends early (one holds
// a single line); and the DEM10B mesh with one column more than its envelope holds, refused.
TEST(GmlDemTest, RealFilesWithStartPointsAndShortLists) {
    const std::string folder = std::string(ORVANE_REALDATA) + "/fggml-okinawa/";
    std::vector<std::pair<std::string, std::string>> documents{
        {"FG-GML-3926-76-DEM10B-20161001.xml", fileBytes(folder + "FG-GML-3926-76-DEM10B-20161001.xml")}};
    const auto archive = ZipArchive::open(folder + "FG-GML-3624-30-DEM5B.zip");
    ASSERT_TRUE(archive.ok());
    for (int i = 0; i < archive->count(); ++i) {
        std::string bytes;
        ASSERT_TRUE(archive->read(i, 1 << 24, [&](std::string_view piece) {
            bytes.append(piece);
            return true;
        }).ok());
        documents.emplace_back(archive->name(i), std::move(bytes));
    }
    ASSERT_EQ(documents.size(), 9u);
    for (const auto& [name, bytes] : documents) {
        SCOPED_TRACE(name);
        const auto read = parseInPieces(bytes, 1 << 18, name);
        ASSERT_TRUE(read.ok()) << read.problem().detail;
        const SourceGrid& g = **read;
        EXPECT_EQ(g.key.name(), name.find("DEM10B") != std::string::npos ? "DEM10B" : "DEM5B");
        EXPECT_TRUE(sameHeights(g.heights, heightsByHand(bytes, g.heights.size())));
    }
    const LoadedSources loaded = readGmlSources({folder + "FG-GML-3624-30-DEM5B.zip"}, kEverywhere);
    EXPECT_EQ(loaded.grids.size(), 8u);
    EXPECT_TRUE(loaded.problems.empty());

    std::string wider = documents[0].second;
    wider.replace(wider.find("<gml:high>1124 749<"), 19, "<gml:high>1125 749<");
    const auto refused = parseInPieces(wider, 1 << 18);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.problem().kind, ProblemKind::BadValue);
    EXPECT_NE(refused.problem().detail.find("1126 × 750"), std::string::npos) << refused.problem().detail;
}

// Markup inside the list (a comment, a character reference) does not end it: the lines after
// it are read, whether the list is taken from the bytes or through the XML reader.
TEST(GmlDemTest, MarkupInsideTheListDoesNotEndIt) {
    const std::string real = fileBytes(kRealDem);
    const auto plain = parseInPieces(real, real.size());
    ASSERT_TRUE(plain.ok());
    std::string commented = real;
    commented.insert(commented.find("地表面", commented.size() / 2), "<!-- 点検済み -->");
    std::string referenced = real;
    const size_t at = referenced.find("地表面,", referenced.size() / 3) + std::string("地表面,").size();
    referenced.replace(at, 1, "&#" + std::to_string(static_cast<int>(referenced[at])) + ";");
    std::string spelt = real;
    spelt.replace(spelt.find("<gml:tupleList>"), 15, "<gml:tupleList >");
    for (const std::string* doc : {&commented, &referenced, &spelt}) {
        for (size_t piece : {doc->size(), size_t{4096}}) {
            const auto read = parseInPieces(*doc, piece);
            ASSERT_TRUE(read.ok()) << read.problem().detail;
            EXPECT_TRUE(sameHeights((*read)->heights, (*plain)->heights));
        }
    }
}

TEST(GmlDemTest, ArchivesNestedArchivesAndBrokenOnes) {
    orv::test::TempDir dir;
    const std::string real = fileBytes(kRealDem);
    const std::string name = "FG-GML-5238-74-00-DEM5A-20161001.xml";
    ASSERT_TRUE(test::writeZip((dir / "inner.zip").string(), {{name, real}, {"readme.txt", "x"}}));
    ASSERT_TRUE(test::writeZip((dir / "outer.zip").string(), {{"FG-GML-5238-74-DEM5A.zip", fileBytes((dir / "inner.zip").string())}}));
    const std::string broken = fileBytes((dir / "inner.zip").string());
    dir.write("cut.zip", broken.substr(0, broken.size() / 2));
    dir.write("fake.zip", "this is not an archive at all");
    dir.write("FG-GML-5238-74-01-DEM5A-20161001.xml", real.substr(0, 5000));

    const auto loaded = readGmlSources({(dir / "outer.zip").string(), (dir / "inner.zip").string(),
                                        (dir / "cut.zip").string(), (dir / "fake.zip").string(),
                                        (dir / "FG-GML-5238-74-01-DEM5A-20161001.xml").string(),
                                        (dir / "missing.xml").string()},
                                       kEverywhere);
    ASSERT_EQ(loaded.grids.size(), 2u);
    EXPECT_EQ(loaded.grids[0].origin, (dir / "outer.zip").string() + ":FG-GML-5238-74-DEM5A.zip:" + name);
    ASSERT_EQ(loaded.grids[0].heights.size(), loaded.grids[1].heights.size());
    EXPECT_EQ(std::memcmp(loaded.grids[0].heights.data(), loaded.grids[1].heights.data(), loaded.grids[0].heights.size() * sizeof(float)), 0);
    EXPECT_EQ(loaded.grids[0].key.grade, 'A');
    ASSERT_EQ(loaded.problems.size(), 4u);
    EXPECT_NE(loaded.problems[0].problem.detail.find("ZIP"), std::string::npos);  // cut archive
    EXPECT_FALSE(loaded.problems[0].box.has_value());
    EXPECT_NE(loaded.problems[1].problem.detail.find("ZIPファイルとして読めません"), std::string::npos);
    // A truncated document spoils the area its envelope (or its name) gives.
    EXPECT_EQ(loaded.problems[2].problem.kind, ProblemKind::TooFew);
    ASSERT_TRUE(loaded.problems[2].box.has_value());
    EXPECT_NEAR(loaded.problems[2].box->west, 138.5, 1e-9);
    EXPECT_EQ(loaded.problems[3].problem.kind, ProblemKind::NotFound);
}

TEST(GmlDemTest, MeshBoxesFromFileNames) {
    const auto tertiary = boxFromGmlName("dir/FG-GML-5238-74-01-DEM5A-20161001.xml");
    ASSERT_TRUE(tertiary);
    EXPECT_NEAR(tertiary->south, 35.25, 1e-12);
    EXPECT_NEAR(tertiary->west, 138.5 + 45.0 / 3600, 1e-12);
    EXPECT_NEAR(tertiary->east - tertiary->west, 45.0 / 3600, 1e-12);
    const auto secondary = boxFromGmlName("FG-GML-6442-05-DEM10B-20161001.xml");
    ASSERT_TRUE(secondary);
    EXPECT_NEAR(secondary->north, 42.75, 1e-12);
    EXPECT_NEAR(secondary->west, 142.625, 1e-12);
    EXPECT_FALSE(boxFromGmlName("elevation.xml"));
}

}  // namespace
}  // namespace orv::terrain
