#include "terrain/ElevationTile.h"

#include "core/LineReader.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace orv::terrain {

namespace {

SourceGrid emptyTile(TileId tile, const std::string& origin) {
    SourceGrid grid;
    grid.key.lattice = Lattice::WebMercator;
    grid.key.zoom = tile.z;
    grid.u0 = static_cast<int64_t>(tile.x) * kTilePixels;
    grid.v0 = static_cast<int64_t>(tile.y) * kTilePixels;
    grid.columns = kTilePixels;
    grid.rows = kTilePixels;
    grid.heights.assign(static_cast<size_t>(kTilePixels) * kTilePixels, kNoHeight);
    grid.origin = origin;
    return grid;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

Result<SourceGrid> parseElevationTile(std::string_view bytes, TileId tile, const std::string& origin) {
    if (bytes.size() >= 8 && bytes.substr(0, 8) == "\x89PNG\r\n\x1a\n") return parsePngTile(bytes, tile, origin);
    return parseTextTile(bytes, tile, origin);
}

Result<SourceGrid> parseTextTile(std::string_view bytes, TileId tile, const std::string& origin) {
    SourceGrid grid = emptyTile(tile, origin);
    LineReader lines(bytes, LineEncoding::Utf8);
    int row = 0;
    while (lines.next()) {
        std::string_view line = lines.bytes();
        if (trimmed(line).empty()) continue;
        if (row >= kTilePixels)
            return Problem{ProblemKind::BadFormat, lines.number(), "タイルの行が256行を超えています"};
        int column = 0;
        while (true) {
            const size_t comma = line.find(',');
            const std::string_view field = trimmed(line.substr(0, comma));
            if (column >= kTilePixels)
                return Problem{ProblemKind::BadFormat, lines.number(), "タイルの行の値が256個を超えています"};
            float value = kNoHeight;
            if (field != "e") {
                double v = 0;
                const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
                if (field.empty() || ec != std::errc() || end != field.data() + field.size() ||
                    !(std::abs(v) < kImpossibleHeight))
                    return Problem{ProblemKind::BadRecord, lines.number(),
                                   "タイルの値 \"" + std::string(field.substr(0, 20)) + "\" が読めません"};
                value = static_cast<float>(v);
            }
            grid.heights[static_cast<size_t>(row) * kTilePixels + static_cast<size_t>(column)] = value;
            ++column;
            if (comma == std::string_view::npos) break;
            line.remove_prefix(comma + 1);
        }
        if (column != kTilePixels)
            return Problem{ProblemKind::BadFormat, lines.number(),
                           "タイルの行の値が" + std::to_string(column) + "個です（256個のはずです）"};
        ++row;
    }
    if (row != kTilePixels)
        return Problem{ProblemKind::TooFew, lines.number(),
                       "タイルが" + std::to_string(row) + "行です（256行のはずです）"};
    return grid;
}

Result<SourceGrid> parsePngTile(std::string_view bytes, TileId tile, const std::string& origin) {
    // The size comes from the header: a picture of any other size is refused before it is
    // decoded, so a small file cannot make the reader fill a huge picture.
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    const QSize size = reader.size();
    if (!size.isValid()) return Problem{ProblemKind::BadFormat, 0, "PNG画像として読めません"};
    if (size.width() != kTilePixels || size.height() != kTilePixels)
        return Problem{ProblemKind::BadFormat, 0,
                       "タイルの大きさが " + std::to_string(size.width()) + " × " +
                           std::to_string(size.height()) + " です（256 × 256 のはずです）"};
    QImage image = reader.read();
    if (image.isNull() || image.size() != size) return Problem{ProblemKind::BadFormat, 0, "PNG画像として読めません"};
    // The survey's tiles decode as RGB32 (opaque) or ARGB32: both are read as they are; any
    // other form (a palette, premultiplied alpha) is converted first.
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    SourceGrid grid = emptyTile(tile, origin);
    for (int j = 0; j < kTilePixels; ++j) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(j));
        for (int i = 0; i < kTilePixels; ++i) {
            const QRgb p = line[i];
            if (qAlpha(p) == 0) continue;
            const int32_t x = (qRed(p) << 16) | (qGreen(p) << 8) | qBlue(p);
            if (x == (1 << 23)) continue;  // (128, 0, 0): no data
            const int32_t signedX = x < (1 << 23) ? x : x - (1 << 24);
            grid.heights[static_cast<size_t>(j) * kTilePixels + static_cast<size_t>(i)] =
                static_cast<float>(signedX * 0.01);
        }
    }
    return grid;
}

TileRange tilesCovering(const GeoBox& box, int zoom) {
    const int last = (1 << zoom) - 1;
    const auto tileOf = [&](double pixel) {
        return std::clamp(static_cast<int>(std::floor((pixel + 0.5) / kTilePixels)), 0, last);
    };
    return {tileOf(mercatorU(box.west, zoom)), tileOf(mercatorU(box.east, zoom)),
            tileOf(mercatorV(box.north, zoom)), tileOf(mercatorV(box.south, zoom))};
}

GeoBox tileBox(TileId tile) {
    const double u0 = static_cast<double>(tile.x) * kTilePixels - 0.5;
    const double v0 = static_cast<double>(tile.y) * kTilePixels - 0.5;
    return {mercatorLatitude(v0 + kTilePixels, tile.z), mercatorLatitude(v0, tile.z),
            mercatorLongitude(u0, tile.z), mercatorLongitude(u0 + kTilePixels, tile.z)};
}

}  // namespace orv::terrain
