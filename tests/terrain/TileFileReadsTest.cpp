// Reading a list of tile files (on several threads once the application exists): the grids,
// the problems and the progress come in the files' order, and a cancel stops the reading with
// what the files before it gave.
#include "terrain/TileSources.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace orv::terrain {
namespace {

namespace fs = std::filesystem;

// A tile of one height in the survey's PNG form (0.01 m as 2^16·R + 2^8·G + B).
std::string flatPng(double height, int size = kTilePixels) {
    QImage image(size, size, QImage::Format_RGB888);
    const int x = static_cast<int>(height * 100.0);
    image.fill(QColor(x >> 16 & 0xff, x >> 8 & 0xff, x & 0xff));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data.toStdString();
}

struct Folder {
    orv::test::TempDir dir;
    std::map<TileId, fs::path> files;
    std::vector<std::string> expected;  // per file in order: "h<metres>" or the problem's words

    Folder() {
        for (int i = 0; i < 16; ++i) {
            const TileId id{14, 14500 + i, 6000};
            const std::string name = "14/" + std::to_string(id.x) + "/6000.png";
            if (i % 5 == 2) {
                dir.write(name, "\x89PNG\r\n\x1a\nbroken");
                expected.push_back("PNG画像として読めません");
            } else if (i % 7 == 3) {
                dir.write(name, flatPng(10.0, 16));
                expected.push_back("256 × 256 のはずです");
            } else {
                dir.write(name, flatPng(100.0 + i));
                expected.push_back("h" + std::to_string(100 + i));
            }
            files.emplace(id, dir.path() / name);
        }
    }
};

// What the reading gave, file by file in order, as `expected` says it.
std::vector<std::string> outcome(const Folder& folder, const LoadedSources& got) {
    std::vector<std::string> said;
    size_t grid = 0, problem = 0;
    for (const auto& [id, path] : folder.files) {
        if (grid < got.grids.size() && got.grids[grid].u0 == int64_t{id.x} * kTilePixels) {
            said.push_back("h" + std::to_string(static_cast<int>(std::lround(got.grids[grid++].at(255, 255)))));
        } else if (problem < got.problems.size() && got.problems[problem].file == path.string()) {
            const std::string& detail = got.problems[problem++].problem.detail;
            for (const char* words : {"PNG画像として読めません", "256 × 256 のはずです"})
                if (detail.find(words) != std::string::npos) said.emplace_back(words);
        }
    }
    return said;
}

TEST(TileFileReads, GridsProblemsAndProgressComeInTheFilesOrder) {
    const Folder folder;
    for (int round = 0; round < 3; ++round) {
        std::vector<std::pair<int, std::string>> told;
        const LoadedSources got = readTileFiles(folder.files, [&](int done, int total, const std::string& text) {
            EXPECT_EQ(total, 16);
            told.emplace_back(done, text);
            return true;
        });
        EXPECT_FALSE(got.cancelled);
        EXPECT_EQ(outcome(folder, got), folder.expected);
        EXPECT_EQ(got.filesRead, static_cast<int>(got.grids.size()));
        EXPECT_EQ(got.grids.size() + got.problems.size(), 16u);
        ASSERT_EQ(told.size(), 16u);
        int i = 0;
        for (const auto& [id, path] : folder.files) {
            EXPECT_EQ(told[static_cast<size_t>(i)], std::pair(i, path.string()));
            ++i;
        }
    }
}

TEST(TileFileReads, ACancelKeepsWhatTheFilesBeforeItGave) {
    const Folder folder;
    for (const int at : {0, 1, 7, 15}) {
        int asked = 0;
        const LoadedSources got = readTileFiles(folder.files, [&](int done, int, const std::string&) {
            asked = done;
            return done < at;
        });
        EXPECT_TRUE(got.cancelled);
        EXPECT_EQ(asked, at);
        EXPECT_EQ(outcome(folder, got), std::vector(folder.expected.begin(), folder.expected.begin() + at)) << at;
    }
}

}  // namespace
}  // namespace orv::terrain
