#include "geo/MemFile.h"

#include "support/MemFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>

namespace orv {
namespace {

using test::memFile;
using test::memRecord;

int tenthsAt(int n, int k) { return n * 1000 + k; }  // distinct everywhere, up to 200199

struct MemFileTest : ::testing::Test {
    std::unique_ptr<ElevationGrid> grid = std::make_unique<ElevationGrid>();
    float at(int row, int column) const { return grid->get(row, column, 1); }
};

TEST_F(MemFileTest, RecordsInAnyOrderFillTheSameRows) {
    auto small = [](int n, int k) { return (n * 7 + k * 3) % 30000; };
    std::vector<int> ascending(200);
    std::iota(ascending.begin(), ascending.end(), 1);
    std::vector<int> reversed(ascending.rbegin(), ascending.rend());

    auto other = std::make_unique<ElevationGrid>();
    parseMemFile(memFile("533945", small, ascending), *grid, 200, 200, 1);
    parseMemFile(memFile("533945", small, reversed), *other, 200, 200, 1);
    for (int row = 200; row < 400; ++row)
        for (int column = 200; column < 400; ++column)
            ASSERT_EQ(at(row, column), other->get(row, column, 1)) << row << "," << column;
    EXPECT_FLOAT_EQ(at(200, 200), static_cast<float>(small(1, 0)) / 10.0f);
    EXPECT_FLOAT_EQ(at(399, 399), static_cast<float>(small(200, 199) / 10.0));
}

TEST_F(MemFileTest, MissingRecordGivesNoDataInItsOwnRowOnly) {
    std::vector<int> without200(199);
    std::iota(without200.begin(), without200.end(), 1);
    parseMemFile(memFile("533945", [](int, int) { return 1234; }, without200), *grid, 0, 400, 1);
    for (int column = 400; column < 600; ++column) {
        EXPECT_EQ(at(199, column), ElevationGrid::kNoData);
        EXPECT_FLOAT_EQ(at(198, column), 123.4f);
    }
    // The neighbouring block is untouched.
    EXPECT_EQ(at(199, 399), 0.0f);
    EXPECT_EQ(at(200, 400), 0.0f);
}

TEST_F(MemFileTest, FieldTexts) {
    struct Case {
        const char* field;
        float metres;
    } cases[] = {
        {"  123", 12.3f}, {"-9999", -999.9f}, {"    0", 0.0f},   {"     ", 0.0f},
        {"12345", 1234.5f}, {" -12 ", -1.2f}, {"abcde", 0.0f},  {" 12ab", 1.2f},
        {"1.5  ", 0.15f},  {"  -  ", 0.0f},  {"\x81\x40  7", 0.0f},
    };
    for (const auto& c : cases) {
        std::string line = "533945001" + std::string(c.field) + std::string(995, ' ');
        parseMemFile("header\r\n" + line + "\r\n", *grid, 0, 0, 1);
        EXPECT_FLOAT_EQ(at(0, 0), c.metres) << '"' << c.field << '"';
    }
}

TEST_F(MemFileTest, FieldsWithExponentsOrNonNumbersAreNoDataAndCounted) {
    // Fields 0..5 odd, field 6 a plain number, the rest blank (plain zeros).
    const std::string fields = "1e10 1e99 nan  -inf Inf  1E3    77";
    const std::string line = "533945001" + fields + std::string(1000 - fields.size(), ' ');
    const MeshBlock block = parseMeshBlock("header\r\n" + line + "\r\n");
    for (int k = 0; k < 6; ++k) EXPECT_EQ(block.at(0, k), ElevationGrid::kNoData) << k;
    EXPECT_FLOAT_EQ(block.at(0, 6), 7.7f);
    EXPECT_EQ(block.oddFields, 6);
    // An exponent after the point is one too.
    const MeshBlock pointed = parseMeshBlock("header\n5339450011.e38-1.E9\n");
    EXPECT_EQ(pointed.at(0, 0), ElevationGrid::kNoData);
    EXPECT_EQ(pointed.at(0, 1), ElevationGrid::kNoData);
    EXPECT_EQ(pointed.oddFields, 2);
    // Text that is no number at all keeps reading as its leading number, and is counted too.
    EXPECT_EQ(parseMeshBlock("header\n533945001 12ab\n").oddFields, 1);
}

TEST_F(MemFileTest, ShortLinesGiveZeroForMissingFields) {
    std::string line = memRecord("533945", 1, [](int, int) { return 5000; }).substr(0, 9 + 5 * 10 + 2);
    parseMemFile("header\n" + line + "\n", *grid, 0, 0, 1);
    for (int k = 0; k < 10; ++k) EXPECT_FLOAT_EQ(at(0, k), 500.0f);
    EXPECT_FLOAT_EQ(at(0, 10), 0.5f);  // the cut field " 5" reads as its leading number
    for (int k = 11; k < 200; ++k) EXPECT_EQ(at(0, k), 0.0f) << k;
}

TEST_F(MemFileTest, HostileLinesNeverBreakTheLoad) {
    std::string bytes = "header";  // no line end at all after the header
    bytes += "\n";
    bytes += "533945000" + std::string(1000, '9') + "\n";   // record 0: ignored
    bytes += "533945201" + std::string(1000, '9') + "\n";   // record 201: ignored
    bytes += "533945-05" + std::string(1000, '9') + "\n";   // negative: ignored
    bytes += "53394";                                        // shorter than a record number
    bytes += "\n";
    bytes += std::string(3 * 1024 * 1024, '\xFF') + "\n";    // megabytes of binary
    bytes += std::string("5339450\0" "2", 9) + std::string(1000, '\0') + "\n";  // NUL bytes
    bytes += "533945  3" + std::string(10, '7');             // last line without line end
    parseMemFile(bytes, *grid, 400, 0, 1);
    EXPECT_EQ(at(400, 0), ElevationGrid::kNoData);            // record 1 missing
    EXPECT_FLOAT_EQ(at(402, 0), 7777.7f);                     // record "  3", ten digits:
    EXPECT_FLOAT_EQ(at(402, 1), 7777.7f);                     // two whole fields
    EXPECT_EQ(at(402, 2), 0.0f);                              // and nothing after them
}

TEST_F(MemFileTest, LaterLineWithTheSameNumberWins) {
    std::string bytes = "header\r\n" + memRecord("533945", 5, [](int, int) { return 10; }) + "\r\n" +
                        memRecord("533945", 5, [](int, int) { return 20; }) + "\r\n";
    parseMemFile(bytes, *grid, 0, 0, 1);
    EXPECT_FLOAT_EQ(at(4, 0), 2.0f);
}

TEST_F(MemFileTest, BlockOutsideTheGridIsRefused) {
    parseMemFile(memFile("533945", tenthsAt), *grid, 500, 500, 1);  // would run past row 600
    EXPECT_EQ(at(500, 500), 0.0f);
    fillNoData(*grid, 500, 500, 1);  // clipped, no overflow
    EXPECT_EQ(at(600, 600), ElevationGrid::kNoData);
}

TEST(MeshFilePath, DiscAndFolderLayoutsIgnoringCase) {
    test::TempDir dir;
    dir.write("Data/5339/533945.MEM", "x");
    dir.write("Data/5339/533946.mem", "x");
    dir.write("DEM/533945.MEM", "x");
    dir.write("dem2/data/533945.Mem", "x");
    EXPECT_EQ(meshFilePath(dir / "Data", "533945", true), dir / "Data/5339/533945.MEM");
    EXPECT_EQ(meshFilePath(dir / "Data", "533946", true), dir / "Data/5339/533946.mem");
    EXPECT_EQ(meshFilePath(dir / "DEM", "533945", false), dir / "DEM/533945.MEM");
    EXPECT_EQ(meshFilePath(dir / "dem2/data", "533945", false), dir / "dem2/data/533945.Mem");
    // A code that names no mesh gives no path at all.
    for (const char* bad : {"../sec", "/etc/x", "53394", "533948"})
        EXPECT_TRUE(meshFilePath(dir / "Data", bad, true).empty()) << bad;
    // Nothing there: the path as built.
    EXPECT_EQ(meshFilePath(dir / "Data", "533947", true), dir / "Data/5339/533947.MEM");
    EXPECT_EQ(meshFilePath(dir / "none", "533947", true), dir / "none/5339/533947.MEM");
}

}  // namespace
}  // namespace orv
