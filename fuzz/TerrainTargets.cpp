// Today's survey products: FG-GML DEM documents, ZIP archives of them, elevation tiles.
#include "FuzzTargets.h"

#include "terrain/ElevationTile.h"
#include "terrain/GmlDem.h"
#include "terrain/GmlSources.h"
#include "terrain/ZipArchive.h"

#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>

namespace orv::fuzz {

namespace {

using terrain::SourceGrid;
using GmlRead = Result<std::optional<SourceGrid>>;

void checkGrid(const SourceGrid& grid, Checks& checks) {
    checks.expect(grid.columns >= 1 && grid.rows >= 1 &&
                      grid.heights.size() == static_cast<size_t>(grid.columns) * static_cast<size_t>(grid.rows),
                  "a grid whose heights do not fill its rows and columns");
    for (const float h : grid.heights) checks.expect(!std::isinf(h), "an infinite height");
}

// The document fed in pieces of `piece` bytes.
GmlRead readGml(std::string_view bytes, size_t piece) {
    terrain::GmlDemParser parser("FG-GML-5238-74-00-DEM5A-20161001.xml");
    for (size_t at = 0; at < bytes.size(); at += piece)
        if (!parser.feed(bytes.substr(at, piece))) break;
    return parser.finish();
}

bool sameGrid(const SourceGrid& a, const SourceGrid& b) {
    return a.columns == b.columns && a.rows == b.rows && a.u0 == b.u0 && a.v0 == b.v0 &&
           a.heights.size() == b.heights.size() &&
           std::memcmp(a.heights.data(), b.heights.data(), a.heights.size() * sizeof(float)) == 0;
}

// The same answer however the document was cut into pieces.
bool sameRead(const GmlRead& a, const GmlRead& b) {
    if (a.ok() != b.ok()) return false;
    if (!a.ok()) return a.problem() == b.problem();
    if (a->has_value() != b->has_value()) return false;
    return !a->has_value() || sameGrid(**a, **b);
}

void checkTile(const Result<SourceGrid>& read, std::string_view bytes, Checks& checks) {
    if (!read) {
        checks.expect(lineInFile(read.problem().line, bytes), "the problem names a line outside the tile");
        return;
    }
    checks.expect(read->columns == terrain::kTilePixels && read->rows == terrain::kTilePixels,
                  "a tile that is not 256 × 256");
    checkGrid(*read, checks);
}

constexpr terrain::TileId kTile{14, 14552, 6451};

}  // namespace

void fuzzGmlDem(std::string_view bytes, Checks& checks) {
    const GmlRead whole = readGml(bytes, bytes.size() + 1);
    if (whole && whole->has_value()) checkGrid(**whole, checks);
    // Files arrive in pieces of any size: the cuts must not change the answer.
    checks.expect(sameRead(whole, readGml(bytes, 1 + bytes.size() % 97)), "pieces gave another answer");
    if (bytes.size() <= 4096) checks.expect(sameRead(whole, readGml(bytes, 1)), "single bytes gave another answer");
}

void fuzzZipArchive(std::string_view bytes, Checks& checks) {
    // Every member of the archive, as far as it can be read.
    if (auto archive = terrain::ZipArchive::fromBytes(std::string(bytes), "archive.zip")) {
        constexpr uint64_t kLimit = 1 << 20;
        for (int i = 0; i < archive->count() && i < 64; ++i) {
            (void)archive->name(i);
            (void)archive->size(i);
            uint64_t total = 0;
            const Status read = archive->read(i, kLimit, [&](std::string_view piece) {
                total += piece.size();
                return true;
            });
            checks.expect(total <= kLimit, "a member read past its limit");
            checks.expect(read.ok() || !read.problem().detail.empty(), "a member's problem without a detail");
        }
    }
    // And as the elevation data builder reads it: the documents inside, archives inside too.
    const terrain::GeoBox everywhere{-90, 90, -180, 180};
    const terrain::LoadedSources sources = terrain::readGmlSourceBytes(std::string(bytes), "archive.zip", everywhere);
    for (const SourceGrid& grid : sources.grids) checkGrid(grid, checks);
    for (const auto& problem : sources.problems)
        checks.expect(!problem.file.empty() && !problem.problem.detail.empty(), "a problem without its file or detail");
}

void fuzzTextTile(std::string_view bytes, Checks& checks) {
    checkTile(terrain::parseTextTile(bytes, kTile, "tile.txt"), bytes, checks);
}

void fuzzPngTile(std::string_view bytes, Checks& checks) {
    checkTile(terrain::parsePngTile(bytes, kTile, "tile.png"), bytes, checks);
}

}  // namespace orv::fuzz
