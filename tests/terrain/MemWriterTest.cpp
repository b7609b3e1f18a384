// Mesh files as the loader reads them: the layout, rounding, no data and out-of-range heights.
#include "terrain/MemWriter.h"

#include "geo/MemFile.h"
#include "terrain/Resampler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace orv::terrain {
namespace {

TEST(MemWriterTest, FieldsRoundHalfToEvenAndStayInsideTheirWidth) {
    const struct {
        float metres;
        const char* field;
    } cases[] = {{0.0f, "    0"}, {12.34f, "  123"}, {12.25f, "  122"}, {12.35f, "  124"}, {-3.0f, "  -30"},
                 {3776.24f, "37762"}, {12345.6f, "99999"}, {-2000.0f, "-9998"}, {NAN, "-9999"}};
    for (const auto& c : cases) EXPECT_EQ(memField(c.metres), c.field) << c.metres;
}

TEST(MemWriterTest, TheLoaderReadsWhatIsWritten) {
    std::vector<float> heights(kMeshSide * kMeshSide);
    for (int n = 0; n < kMeshSide; ++n)
        for (int k = 0; k < kMeshSide; ++k) heights[static_cast<size_t>(n * kMeshSide + k)] = static_cast<float>(n * 10 + k * 0.1);
    heights[5] = NAN;
    const std::string text = formatMemFile("644205", heights, "test");
    EXPECT_EQ(text.substr(0, 21), "644205 200 200 test\r\n");
    // 201 lines of which every record is 1009 characters and CR LF.
    size_t lines = 0, at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2, ++lines)
        if (lines > 0) {
            EXPECT_EQ(end - at, 1009u);
        }
    EXPECT_EQ(lines, 201u);
    EXPECT_EQ(at, text.size());
    EXPECT_EQ(text.substr(21, 9), "644205001");

    auto grid = std::make_unique<ElevationGrid>();
    parseMemFile(text, *grid, 200, 400, 1);
    EXPECT_FLOAT_EQ(grid->get(200, 400, 1), 0.0f);
    EXPECT_FLOAT_EQ(grid->get(200, 405, 1), ElevationGrid::kNoData);
    EXPECT_NEAR(grid->get(399, 599, 1), 1990 + 19.9, 1e-3);
    EXPECT_NEAR(grid->get(250, 410, 1), 501.0, 1e-3);
}

}  // namespace
}  // namespace orv::terrain
