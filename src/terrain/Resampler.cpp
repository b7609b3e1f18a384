#include "terrain/Resampler.h"

#include "geo/Angles.h"
#include "geo/MeshCode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace orv::terrain {

namespace {

constexpr int kShiftNodes = 9;                               // every 25 points, edges included
constexpr int kShiftSpacing = kMeshSide / (kShiftNodes - 1);  // 25
constexpr double kMarginSeconds = 1.0;

struct MeshFrame {
    double north = 0;  // Tokyo datum, arc-seconds
    double west = 0;
};

MeshFrame frameOf(std::string_view code) {
    return {static_cast<double>(dmsToSeconds(meshSouthLatitude(code))) + 300.0,
            static_cast<double>(dmsToSeconds(meshWestLongitude(code)))};
}

// The datum shift over a mesh (arc-seconds), from PROJ at 9 × 9 points and bilinear between:
// it changes by well under a millimetre over 1 km.
class ShiftField {
public:
    ShiftField(const MeshFrame& frame, const DatumShift& datum) {
        for (int i = 0; i < kShiftNodes; ++i)
            for (int j = 0; j < kShiftNodes; ++j) {
                const double lat = frame.north - i * kShiftSpacing * kRowSeconds;
                const double lon = frame.west + j * kShiftSpacing * kColumnSeconds;
                const auto [jlat, jlon] = datum.fromTokyo(lat / 3600.0, lon / 3600.0);
                dLat_[i][j] = jlat * 3600.0 - lat;
                dLon_[i][j] = jlon * 3600.0 - lon;
            }
    }
    // Shift at a point given in mesh rows and columns (0..200).
    std::pair<double, double> at(double row, double column) const {
        const double r = std::clamp(row / kShiftSpacing, 0.0, kShiftNodes - 1.0);
        const double c = std::clamp(column / kShiftSpacing, 0.0, kShiftNodes - 1.0);
        const int i = std::min(static_cast<int>(r), kShiftNodes - 2);
        const int j = std::min(static_cast<int>(c), kShiftNodes - 2);
        const double fr = r - i, fc = c - j;
        const auto mix = [&](const auto& a) {
            return (a[i][j] * (1 - fc) + a[i][j + 1] * fc) * (1 - fr) +
                   (a[i + 1][j] * (1 - fc) + a[i + 1][j + 1] * fc) * fr;
        };
        return {mix(dLat_), mix(dLon_)};
    }
    std::pair<double, double> range(bool latitude) const {
        const auto& a = latitude ? dLat_ : dLon_;
        double lo = a[0][0], hi = a[0][0];
        for (const auto& row : a)
            for (double v : row) lo = std::min(lo, v), hi = std::max(hi, v);
        return {lo, hi};
    }

private:
    std::array<std::array<double, kShiftNodes>, kShiftNodes> dLat_{};
    std::array<std::array<double, kShiftNodes>, kShiftNodes> dLon_{};
};

GeoBox boxOf(const MeshFrame& frame, const ShiftField& shift) {
    const auto [latLo, latHi] = shift.range(true);
    const auto [lonLo, lonHi] = shift.range(false);
    return {(frame.north - 300.0 + latLo - kMarginSeconds) / 3600.0,
            (frame.north + latHi + kMarginSeconds) / 3600.0,
            (frame.west + lonLo - kMarginSeconds) / 3600.0,
            (frame.west + 450.0 + lonHi + kMarginSeconds) / 3600.0};
}

// One source over one mesh: its grids laid side by side on their lattice.
struct Mosaic {
    LayerKey key;
    int64_t u0 = 0, v0 = 0;
    int columns = 0, rows = 0;
    std::vector<float> h;

    Mosaic(const LayerKey& k, const GeoBox& box) : key(k) {
        double uw, ue, vn, vs;
        if (k.lattice == Lattice::LatLon) {
            uw = box.west * 3600.0 / k.stepSeconds - 0.5;
            ue = box.east * 3600.0 / k.stepSeconds - 0.5;
            vn = -box.north * 3600.0 / k.stepSeconds - 0.5;
            vs = -box.south * 3600.0 / k.stepSeconds - 0.5;
        } else {
            uw = mercatorU(box.west, k.zoom);
            ue = mercatorU(box.east, k.zoom);
            vn = mercatorV(box.north, k.zoom);
            vs = mercatorV(box.south, k.zoom);
        }
        u0 = static_cast<int64_t>(std::floor(uw)) - 1;
        v0 = static_cast<int64_t>(std::floor(vn)) - 1;
        columns = static_cast<int>(static_cast<int64_t>(std::ceil(ue)) + 2 - u0);
        rows = static_cast<int>(static_cast<int64_t>(std::ceil(vs)) + 2 - v0);
        h.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), kNoHeight);
    }

    bool paste(const SourceGrid& g) {
        const int64_t c0 = std::max(u0, g.u0), c1 = std::min(u0 + columns, g.u0 + g.columns);
        const int64_t r0 = std::max(v0, g.v0), r1 = std::min(v0 + rows, g.v0 + g.rows);
        if (c0 >= c1 || r0 >= r1) return false;
        for (int64_t r = r0; r < r1; ++r) {
            float* out = &h[static_cast<size_t>(r - v0) * static_cast<size_t>(columns) + static_cast<size_t>(c0 - u0)];
            const float* in = &g.heights[static_cast<size_t>(r - g.v0) * static_cast<size_t>(g.columns) +
                                         static_cast<size_t>(c0 - g.u0)];
            for (int64_t c = c0; c < c1; ++c, ++out, ++in)
                if (std::isnan(*out)) *out = *in;
        }
        return true;
    }

    // Continuous lattice coordinates (sample centres at whole numbers) of a position, seconds.
    double u(double lonSeconds) const {
        return key.lattice == Lattice::LatLon ? lonSeconds / key.stepSeconds - 0.5
                                              : mercatorU(lonSeconds / 3600.0, key.zoom);
    }
    double v(double latSeconds) const {
        return key.lattice == Lattice::LatLon ? -latSeconds / key.stepSeconds - 0.5
                                              : mercatorV(latSeconds / 3600.0, key.zoom);
    }

    // Mean of the surface over the cell with JGD north-west corner (north, west), arc-seconds.
    // The surface joins the samples bilinearly (each sample's weight a hat one sample wide each
    // way), so its mean over a box is exact from the hats' integrals: a 5 m source is averaged,
    // not point-sampled. Samples without data drop out and the rest are weighted up; less than
    // half the weight with data is no data. (Over one cell the Mercator rows are straight to
    // 1e-5, so the tiles are treated the same way.)
    std::optional<double> cellMean(double north, double west) const {
        const double ua = u(west) - static_cast<double>(u0);
        const double ub = u(west + kColumnSeconds) - static_cast<double>(u0);
        const double va = v(north) - static_cast<double>(v0);
        const double vb = v(north - kRowSeconds) - static_cast<double>(v0);
        const int i0 = static_cast<int>(std::floor(ua)), i1 = static_cast<int>(std::ceil(ub));
        const int j0 = static_cast<int>(std::floor(va)), j1 = static_cast<int>(std::ceil(vb));
        if (i0 < 0 || j0 < 0 || i1 >= columns || j1 >= rows) return std::nullopt;
        std::array<double, kMaxHats> wu{}, wv{};
        const int nu = hatWeights(ua, ub, i0, i1, wu), nv = hatWeights(va, vb, j0, j1, wv);
        double sum = 0, weight = 0, all = 0;
        for (int j = 0; j < nv; ++j) {
            const float* row = &h[static_cast<size_t>(j0 + j) * static_cast<size_t>(columns) + static_cast<size_t>(i0)];
            double rowSum = 0, rowWeight = 0, rowAll = 0;
            for (int i = 0; i < nu; ++i) {
                rowAll += wu[static_cast<size_t>(i)];
                if (std::isnan(row[i])) continue;
                rowSum += wu[static_cast<size_t>(i)] * row[i];
                rowWeight += wu[static_cast<size_t>(i)];
            }
            sum += wv[static_cast<size_t>(j)] * rowSum;
            weight += wv[static_cast<size_t>(j)] * rowWeight;
            all += wv[static_cast<size_t>(j)] * rowAll;
        }
        if (weight <= 0 || weight < 0.5 * all) return std::nullopt;
        return sum / weight;
    }

    // Enough hats for a cell over the coarsest tile and the finest 5 m model alike.
    static constexpr int kMaxHats = 64;

    // The integral of the hat of sample i over a..b: H(b − i) − H(a − i), H the hat's
    // running integral.
    static int hatWeights(double a, double b, int first, int last, std::array<double, kMaxHats>& w) {
        const auto running = [](double x) {
            if (x <= -1) return 0.0;
            if (x <= 0) return (x + 1) * (x + 1) / 2;
            if (x < 1) return 1 - (1 - x) * (1 - x) / 2;
            return 1.0;
        };
        const int n = std::min(last - first + 1, kMaxHats);
        for (int k = 0; k < n; ++k) w[static_cast<size_t>(k)] = running(b - (first + k)) - running(a - (first + k));
        return n;
    }
};

bool finerFirst(const LayerKey& a, const LayerKey& b) {
    const double ma = a.nominalMetres(), mb = b.nominalMetres();
    if (std::abs(ma - mb) > 1e-6) return ma < mb;
    return a < b;
}

}  // namespace

Resampler::Resampler(const std::vector<SourceGrid>& grids, const DatumShift& datum)
    : grids_(grids), datum_(datum) {}

GeoBox Resampler::jgdBox(std::string_view code) const {
    const MeshFrame frame = frameOf(code);
    return boxOf(frame, ShiftField(frame, datum_));
}

MeshHeights Resampler::resample(std::string_view code) const {
    const MeshFrame frame = frameOf(code);
    const ShiftField shift(frame, datum_);
    const GeoBox box = boxOf(frame, shift);

    std::vector<LayerKey> keys;
    for (const auto& g : grids_)
        if (g.box().intersects(box) && std::find(keys.begin(), keys.end(), g.key) == keys.end())
            keys.push_back(g.key);
    std::sort(keys.begin(), keys.end(), finerFirst);
    std::vector<Mosaic> layers;
    for (const auto& key : keys) {
        Mosaic m(key, box);
        bool any = false;
        for (const auto& g : grids_)
            if (g.key == key) any = m.paste(g) || any;
        if (any) layers.push_back(std::move(m));
    }

    // A source's cells are measured at the middle of the mesh (a tile pixel's size changes by
    // well under 1 % across it).
    const double latitude = (frame.north - 150.0) / 3600.0;
    std::vector<bool> coarse;
    for (const auto& layer : layers) coarse.push_back(layer.key.cellMetres(latitude) > kCoarseCellMetres);

    MeshHeights out;
    out.heights.assign(static_cast<size_t>(kMeshSide) * kMeshSide, kNoHeight);
    std::vector<bool> used(layers.size(), false);
    for (int n = 0; n < kMeshSide; ++n) {
        for (int k = 0; k < kMeshSide; ++k) {
            const auto [dLat, dLon] = shift.at(n + 0.5, k + 0.5);
            const double north = frame.north - n * kRowSeconds + dLat;
            const double west = frame.west + k * kColumnSeconds + dLon;
            for (size_t l = 0; l < layers.size(); ++l) {
                const auto mean = layers[l].cellMean(north, west);
                if (!mean) continue;
                out.heights[static_cast<size_t>(n) * kMeshSide + static_cast<size_t>(k)] = static_cast<float>(*mean);
                ++out.cellsWithData;
                if (coarse[l]) ++out.cellsCoarse;
                used[l] = true;
                break;
            }
        }
    }
    for (size_t l = 0; l < layers.size(); ++l)
        if (used[l]) out.layersUsed.push_back(layers[l].key);
    return out;
}

}  // namespace orv::terrain
