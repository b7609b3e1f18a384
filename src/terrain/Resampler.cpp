#include "terrain/Resampler.h"

#include "geo/Angles.h"
#include "geo/MeshCode.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

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
    ShiftField(const MeshFrame& frame, const TokyoToJgd& datum) {
        for (int i = 0; i < kShiftNodes; ++i)
            for (int j = 0; j < kShiftNodes; ++j) {
                const double lat = frame.north - i * kShiftSpacing * kRowSeconds;
                const double lon = frame.west + j * kShiftSpacing * kColumnSeconds;
                const auto [jlat, jlon] = datum.convert(lat / 3600.0, lon / 3600.0);
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

    // The surface at continuous lattice position (u, v) (sample centres at whole numbers):
    // bilinear over the four samples around it, renormalised over those with data; no data when
    // those hold less than half the weight.
    float at(double u, double v) const {
        const double fu = u - static_cast<double>(u0), fv = v - static_cast<double>(v0);
        const int i = static_cast<int>(std::floor(fu)), j = static_cast<int>(std::floor(fv));
        if (i < 0 || j < 0 || i + 1 >= columns || j + 1 >= rows) return kNoHeight;
        const double a = fu - i, b = fv - j;
        const float* p = &h[static_cast<size_t>(j) * static_cast<size_t>(columns) + static_cast<size_t>(i)];
        const float h00 = p[0], h01 = p[1], h10 = p[columns], h11 = p[columns + 1];
        const double w00 = (1 - a) * (1 - b), w01 = a * (1 - b), w10 = (1 - a) * b, w11 = a * b;
        if (!std::isnan(h00) && !std::isnan(h01) && !std::isnan(h10) && !std::isnan(h11))
            return static_cast<float>(h00 * w00 + h01 * w01 + h10 * w10 + h11 * w11);
        double sum = 0, weight = 0;
        if (!std::isnan(h00)) sum += h00 * w00, weight += w00;
        if (!std::isnan(h01)) sum += h01 * w01, weight += w01;
        if (!std::isnan(h10)) sum += h10 * w10, weight += w10;
        if (!std::isnan(h11)) sum += h11 * w11, weight += w11;
        return weight < 0.5 ? kNoHeight : static_cast<float>(sum / weight);
    }

    // Lattice samples per arc-second of longitude and of latitude near `latitude`.
    std::pair<double, double> samplesPerSecond(double latitude) const {
        if (key.lattice == Lattice::LatLon) return {1.0 / key.stepSeconds, 1.0 / key.stepSeconds};
        const double perSecond = 256.0 * std::ldexp(1.0, key.zoom) / 1296000.0;
        return {perSecond, perSecond / std::cos(latitude * 3.14159265358979 / 180.0)};
    }

    // Mean of the surface over the cell with JGD north-west corner (north, west), arc-seconds.
    std::optional<double> cellMean(double north, double west) const {
        const auto [perLon, perLat] = samplesPerSecond(north / 3600.0);
        const int nu = std::max(2, static_cast<int>(std::ceil(kColumnSeconds * perLon - 1e-9)));
        const int nv = std::max(2, static_cast<int>(std::ceil(kRowSeconds * perLat - 1e-9)));
        double sum = 0;
        int count = 0;
        for (int j = 0; j < nv; ++j) {
            const double lat = north - (j + 0.5) / nv * kRowSeconds;
            double v, uWest, uPerSecond;
            if (key.lattice == Lattice::LatLon) {
                v = -lat / key.stepSeconds - 0.5;
                uWest = west / key.stepSeconds - 0.5;
                uPerSecond = 1.0 / key.stepSeconds;
            } else {
                v = mercatorV(lat / 3600.0, key.zoom);
                uWest = mercatorU(west / 3600.0, key.zoom);
                uPerSecond = perLon;
            }
            for (int i = 0; i < nu; ++i) {
                const float s = at(uWest + (i + 0.5) / nu * kColumnSeconds * uPerSecond, v);
                if (!std::isnan(s)) sum += s, ++count;
            }
        }
        if (count * 2 < nu * nv) return std::nullopt;
        return sum / count;
    }
};

bool finerFirst(const LayerKey& a, const LayerKey& b) {
    const double ma = a.nominalMetres(), mb = b.nominalMetres();
    if (std::abs(ma - mb) > 1e-6) return ma < mb;
    return a < b;
}

}  // namespace

Resampler::Resampler(const std::vector<SourceGrid>& grids, const TokyoToJgd& datum)
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
                if (l > 0) ++out.cellsFromCoarser;
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
