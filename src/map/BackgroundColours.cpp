// The colour rules of the terrain background: working colours, the pale tint, the pixel
// colour of a cell, and the pixel loop that paints rows of a layer.
#include "map/Background.h"

#include "core/Rounding.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The eight-cell path is compiled for AVX2 whatever the target, and used only where the
// processor has it (GCC's target pragma; other compilers keep to the four-cell path).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ORV_EIGHT_CELL_PATH 1
#include <immintrin.h>
#endif

namespace orv {

namespace {

// Cells below this height are sea (or no data): band 0, no shading.
constexpr float kSeaBelow = -2.0f;
// The lower band of a height is chosen by these fixed thresholds, whatever the band elevations.
constexpr std::array<float, 4> kBandThresholds{1000.0f, 2000.0f, 3000.0f, 4000.0f};
constexpr int kTopBand = 5;

constexpr float kBandColourDivisor = 20.0f;
constexpr std::array<float, 5> kShadedDivisors{0.6f, 0.3f, 0.15f, 0.13f, 0.1f};

int clampedSet(int set) { return std::clamp(set, 0, kColourSets - 1); }

// A packed colour (red in the low byte) as an opaque 0xAARRGGBB picture pixel.
uint32_t pictureBits(Colour c) {
    return 0xFF000000u | (static_cast<uint32_t>(redOf(c)) << 16) |
           (static_cast<uint32_t>(greenOf(c)) << 8) | static_cast<uint32_t>(blueOf(c));
}

// Everything the pixel rule needs of the working colours, worked out once per call. The slopes
// are the float32 quotients (c[k+1] − c[k]) / (elev[k+1] − elev[k]) of the rule itself.
struct BandRamp {
    Colour sea = 0;
    // Bands 1..5: the band's elevation and, per component (blue, green, red), the slope towards
    // the next band and the band's own value. Band 5 has slope 0: from 4000 m up its colour
    // stays band 5's, shaded like every other.
    std::array<float, kTopBand + 1> elevations{};
    std::array<std::array<float, 3>, kTopBand + 1> slopes{};
    std::array<std::array<float, 3>, kTopBand + 1> bases{};

    explicit BandRamp(const ColourSet& w) {
        sea = makeColour(w[0].red, w[0].green, w[0].blue);
        for (int k = 1; k <= kTopBand; ++k) {
            const ColourBand& lo = w[k];
            const std::array<int16_t, 3> low{lo.blue, lo.green, lo.red};
            elevations[k] = k < kTopBand ? lo.elevation : 0.0f;
            for (int c = 0; c < 3; ++c) bases[k][c] = static_cast<float>(low[c]);
            if (k == kTopBand) continue;
            const ColourBand& hi = w[k + 1];
            const std::array<int16_t, 3> high{hi.blue, hi.green, hi.red};
            const float span = hi.elevation - lo.elevation;
            for (int c = 0; c < 3; ++c) slopes[k][c] = static_cast<float>(high[c] - low[c]) / span;
        }
    }

    static int band(float elevation) {
        for (int i = 0; i < static_cast<int>(kBandThresholds.size()); ++i)
            if (elevation < kBandThresholds[i]) return i + 1;
        return kTopBand;
    }

    Colour colour(float elevation, float eastElevation, float divisor) const {
        if (elevation < kSeaBelow) return sea;
        const int k = band(elevation);
        const int32_t shade = floorToInt((eastElevation - elevation) / divisor);
        const float rise = elevation - elevations[k];
        std::array<int, 3> out{};
        for (int c = 0; c < 3; ++c) {
            const float value = k == kTopBand ? bases[k][c] : slopes[k][c] * rise + bases[k][c];
            const int32_t base = floorToInt(value);
            out[c] = static_cast<int>(std::clamp<int64_t>(int64_t{base} + shade, 0, 255));
        }
        return makeColour(out[2], out[1], out[0]);
    }
};

#if defined(__SSE2__)
// The same rule for four neighbouring cells at once, with the same float32 operations in the
// same order, so every pixel comes out exactly as BandRamp::colour gives it. Cells whose
// intermediate values leave the range where the fast floor is exact (non-finite heights,
// nonsense band tables) are left to the one-cell rule.
class FourCellRamp {
public:
    FourCellRamp(const BandRamp& ramp, float divisor)
        : sea_(_mm_set1_epi32(static_cast<int>(pictureBits(ramp.sea)))),
          divisor_(_mm_set1_ps(divisor)) {
        for (int k = 1; k <= kTopBand; ++k) {
            elevation_[k] = _mm_set1_ps(ramp.elevations[k]);
            for (int c = 0; c < 3; ++c) {
                slope_[k][c] = _mm_set1_ps(ramp.slopes[k][c]);
                base_[k][c] = _mm_set1_ps(ramp.bases[k][c]);
            }
        }
        for (size_t i = 0; i < kBandThresholds.size(); ++i)
            threshold_[i] = _mm_set1_ps(kBandThresholds[i]);
    }

    // Pixels of cells[0..3], each with its east neighbour cells[1..4]. False (out untouched)
    // when a value falls outside the fast range.
    bool paint(const float* cells, uint32_t* out) const {
        const __m128 e = _mm_loadu_ps(cells);
        const __m128 east = _mm_loadu_ps(cells + 1);
        const __m128 shade = _mm_div_ps(_mm_sub_ps(east, e), divisor_);

        // The lower band of each lane. Neighbouring cells nearly always share one, and then its
        // parameters serve all four lanes as they are.
        int shared = kTopBand;
        bool uniform = true;
        for (int i = static_cast<int>(kBandThresholds.size()) - 1; i >= 0; --i) {
            const int below = _mm_movemask_ps(_mm_cmplt_ps(e, threshold_[i]));
            if (below == 0xF)
                shared = i + 1;
            else if (below != 0)
                uniform = false;
        }
        __m128 elevation = elevation_[shared];
        __m128 slope[3] = {slope_[shared][0], slope_[shared][1], slope_[shared][2]};
        __m128 base[3] = {base_[shared][0], base_[shared][1], base_[shared][2]};
        if (!uniform) {
            // Start from band 5 and let each lower threshold take over its lanes.
            elevation = elevation_[kTopBand];
            for (int c = 0; c < 3; ++c) {
                slope[c] = slope_[kTopBand][c];
                base[c] = base_[kTopBand][c];
            }
            for (int k = kTopBand - 1; k >= 1; --k) {
                const __m128 below = _mm_cmplt_ps(e, threshold_[k - 1]);
                elevation = select(below, elevation_[k], elevation);
                for (int c = 0; c < 3; ++c) {
                    slope[c] = select(below, slope_[k][c], slope[c]);
                    base[c] = select(below, base_[k][c], base[c]);
                }
            }
        }
        const __m128 rise = _mm_sub_ps(e, elevation);
        __m128 value[3];
        for (int c = 0; c < 3; ++c) value[c] = _mm_add_ps(_mm_mul_ps(slope[c], rise), base[c]);

        __m128 fits = inRange(shade);
        for (int c = 0; c < 3; ++c) fits = _mm_and_ps(fits, inRange(value[c]));
        if (_mm_movemask_ps(fits) != 0xF) return false;

        const __m128i d = floorOf(shade);
        const __m128i blue = _mm_add_epi32(floorOf(value[0]), d);
        const __m128i green = _mm_add_epi32(floorOf(value[1]), d);
        const __m128i red = _mm_add_epi32(floorOf(value[2]), d);
        // Saturating packs clamp every component to 0..255; then bytes are put in pixel order.
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(blue, green),
                                               _mm_packs_epi32(red, _mm_set1_epi32(0xFF)));
        const __m128i blueGreen = _mm_unpacklo_epi8(bytes, _mm_srli_si128(bytes, 4));
        const __m128i redAlpha =
            _mm_unpacklo_epi8(_mm_srli_si128(bytes, 8), _mm_srli_si128(bytes, 12));
        const __m128i pixels = _mm_unpacklo_epi16(blueGreen, redAlpha);

        const __m128i sea = _mm_castps_si128(_mm_cmplt_ps(e, _mm_set1_ps(kSeaBelow)));
        const __m128i result =
            _mm_or_si128(_mm_and_si128(sea, sea_), _mm_andnot_si128(sea, pixels));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), result);
        return true;
    }

private:
    static __m128 select(__m128 mask, __m128 ifSet, __m128 otherwise) {
        return _mm_or_ps(_mm_and_ps(mask, ifSet), _mm_andnot_ps(mask, otherwise));
    }
    // |v| < 2^30: the truncation below is exact and sums of two such values stay in int32.
    static __m128 inRange(__m128 v) {
        const __m128 magnitude = _mm_andnot_ps(_mm_set1_ps(-0.0f), v);
        return _mm_cmplt_ps(magnitude, _mm_set1_ps(1073741824.0f));
    }
    // Floor of values in range: truncate, then step down where truncation went up.
    static __m128i floorOf(__m128 v) {
        const __m128i truncated = _mm_cvttps_epi32(v);
        const __m128 up = _mm_cmpgt_ps(_mm_cvtepi32_ps(truncated), v);
        return _mm_add_epi32(truncated, _mm_castps_si128(up));  // the mask is -1 where set
    }

    __m128i sea_;
    __m128 divisor_;
    // Vector types do not go into std::array (their alignment attribute would be dropped).
    __m128 elevation_[kTopBand + 1]{};
    __m128 slope_[kTopBand + 1][3]{};
    __m128 base_[kTopBand + 1][3]{};
    __m128 threshold_[kBandThresholds.size()]{};
};
#endif

#if defined(ORV_EIGHT_CELL_PATH)
#pragma GCC push_options
#pragma GCC target("avx2")
// The rule for eight neighbouring cells at once, on the processor's 256-bit registers: the
// same float32 operations in the same order as the one-cell rule (multiply, then add: never
// fused), the same lanes left to it.
class EightCellRamp {
public:
    EightCellRamp(const BandRamp& ramp, float divisor)
        : sea_(_mm256_set1_epi32(static_cast<int>(pictureBits(ramp.sea)))),
          divisor_(_mm256_set1_ps(divisor)) {
        for (int k = 1; k <= kTopBand; ++k) {
            elevation_[k] = _mm256_set1_ps(ramp.elevations[k]);
            for (int c = 0; c < 3; ++c) {
                slope_[k][c] = _mm256_set1_ps(ramp.slopes[k][c]);
                base_[k][c] = _mm256_set1_ps(ramp.bases[k][c]);
            }
        }
        for (size_t i = 0; i < kBandThresholds.size(); ++i)
            threshold_[i] = _mm256_set1_ps(kBandThresholds[i]);
    }

    // Pixels of cells[0..7], each with its east neighbour cells[1..8]. False (out untouched)
    // when a value falls outside the exact range.
    bool paint(const float* cells, uint32_t* out) const {
        const __m256 e = _mm256_loadu_ps(cells);
        const __m256 east = _mm256_loadu_ps(cells + 1);
        const __m256 shade = _mm256_div_ps(_mm256_sub_ps(east, e), divisor_);

        int shared = kTopBand;
        bool uniform = true;
        for (int i = static_cast<int>(kBandThresholds.size()) - 1; i >= 0; --i) {
            const int below = _mm256_movemask_ps(_mm256_cmp_ps(e, threshold_[i], _CMP_LT_OQ));
            if (below == 0xFF)
                shared = i + 1;
            else if (below != 0)
                uniform = false;
        }
        __m256 elevation = elevation_[shared];
        __m256 slope[3] = {slope_[shared][0], slope_[shared][1], slope_[shared][2]};
        __m256 base[3] = {base_[shared][0], base_[shared][1], base_[shared][2]};
        if (!uniform) {
            elevation = elevation_[kTopBand];
            for (int c = 0; c < 3; ++c) {
                slope[c] = slope_[kTopBand][c];
                base[c] = base_[kTopBand][c];
            }
            for (int k = kTopBand - 1; k >= 1; --k) {
                const __m256 below = _mm256_cmp_ps(e, threshold_[k - 1], _CMP_LT_OQ);
                elevation = _mm256_blendv_ps(elevation, elevation_[k], below);
                for (int c = 0; c < 3; ++c) {
                    slope[c] = _mm256_blendv_ps(slope[c], slope_[k][c], below);
                    base[c] = _mm256_blendv_ps(base[c], base_[k][c], below);
                }
            }
        }
        const __m256 rise = _mm256_sub_ps(e, elevation);
        __m256 value[3];
        for (int c = 0; c < 3; ++c) value[c] = _mm256_add_ps(_mm256_mul_ps(slope[c], rise), base[c]);

        // |v| < 2^30 (false for NaN): floor is exact and sums of two stay in int32.
        const __m256 limit = _mm256_set1_ps(1073741824.0f);
        const __m256 sign = _mm256_set1_ps(-0.0f);
        __m256 fits = _mm256_cmp_ps(_mm256_andnot_ps(sign, shade), limit, _CMP_LT_OQ);
        for (int c = 0; c < 3; ++c)
            fits = _mm256_and_ps(fits, _mm256_cmp_ps(_mm256_andnot_ps(sign, value[c]), limit, _CMP_LT_OQ));
        if (_mm256_movemask_ps(fits) != 0xFF) return false;

        const __m256i d = _mm256_cvttps_epi32(_mm256_floor_ps(shade));
        const __m256i zero = _mm256_setzero_si256();
        const __m256i full = _mm256_set1_epi32(255);
        __m256i component[3];
        for (int c = 0; c < 3; ++c) {
            const __m256i sum = _mm256_add_epi32(_mm256_cvttps_epi32(_mm256_floor_ps(value[c])), d);
            component[c] = _mm256_min_epi32(_mm256_max_epi32(sum, zero), full);
        }
        const __m256i pixels = _mm256_or_si256(
            _mm256_or_si256(_mm256_set1_epi32(static_cast<int>(0xFF000000u)), _mm256_slli_epi32(component[2], 16)),
            _mm256_or_si256(_mm256_slli_epi32(component[1], 8), component[0]));

        const __m256i sea = _mm256_castps_si256(_mm256_cmp_ps(e, _mm256_set1_ps(kSeaBelow), _CMP_LT_OQ));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_blendv_epi8(pixels, sea_, sea));
        return true;
    }

private:
    __m256i sea_;
    __m256 divisor_;
    __m256 elevation_[kTopBand + 1]{};
    __m256 slope_[kTopBand + 1][3]{};
    __m256 base_[kTopBand + 1][3]{};
    __m256 threshold_[kBandThresholds.size()]{};
};

// Columns x.. of one row, eight at a time while eight cells and their east neighbours remain;
// returns the first column left for the narrower paths.
int paintEightCells(const BandRamp& ramp, float divisor, const float* cells, uint32_t* out, int x,
                    int width) {
    const EightCellRamp eight(ramp, divisor);
    for (; x + 8 <= width; x += 8) {
        if (eight.paint(cells + x, out + x)) continue;
        for (int i = x; i < x + 8; ++i) out[i] = pictureBits(ramp.colour(cells[i], cells[i + 1], divisor));
    }
    return x;
}
#pragma GCC pop_options

bool eightCellPathAvailable() {
    static const bool available = __builtin_cpu_supports("avx2") != 0;
    return available;
}
#endif

}  // namespace

ColourSet makeWorkingColours(const AppState& state) {
    ColourSet working = state.settings.colourTable[clampedSet(state.settings.colourSetIndex)];
    const int mode = state.settings.backgroundMethod;
    if (state.contoursShown && (mode == ShadedColour || mode == BandColour)) {
        for (ColourBand& band : working) {
            band.blue = paleComponent(band.blue, state.backgroundLevel);
            band.green = paleComponent(band.green, state.backgroundLevel);
            band.red = paleComponent(band.red, state.backgroundLevel);
        }
    }
    return working;
}

int16_t paleComponent(int16_t component, float factor) {
    // Half way to white, then scaled; the product is exact in double precision.
    const double halfway = (static_cast<double>(component) + 255.0) / 2.0;
    const int32_t v = roundHalfEven(halfway * static_cast<double>(factor));
    return static_cast<int16_t>(std::clamp<int32_t>(v, 0, 255));
}

Colour pixelColour(const ColourSet& working, float elevation, float eastElevation, float divisor) {
    return BandRamp(working).colour(elevation, eastElevation, divisor);
}

float shadeDivisor(int16_t mode, int level) {
    if (mode == BandColour) return kBandColourDivisor;
    return kShadedDivisors[static_cast<size_t>(std::clamp(level, 1, 5) - 1)];
}

bool eightCellPixelPath() {
#if defined(ORV_EIGHT_CELL_PATH)
    return eightCellPathAvailable();
#else
    return false;
#endif
}

void paintBackgroundRows(const ElevationGrid& grid, int level, const ColourSet& working,
                         float divisor, DrawingSurface& surface, int firstRow, int lastRow,
                         PixelPath path) {
    firstRow = std::max(firstRow, 0);
    lastRow = std::min({lastRow, kMapSize - 1, surface.height() - 1});
    if (firstRow > lastRow || !ElevationGrid::inside(0, 0, level)) return;
    const int width = std::min(kMapSize, surface.width());
    const int rows = lastRow - firstRow + 1;

    const BandRamp ramp(working);
#if defined(__SSE2__)
    const FourCellRamp four(ramp, divisor);
#endif
    // The rows are painted into a picture of their own, then put on the surface in one go.
    QImage picture(width, rows, QImage::Format_RGB32);
    if (picture.isNull()) return;
    // The surface's resolution, so that handing over the picture copies nothing.
    picture.setDotsPerMeterX(surface.image().dotsPerMeterX());
    picture.setDotsPerMeterY(surface.image().dotsPerMeterY());
    static_assert(ElevationGrid::kColumnStep == 1, "the loop reads a layer's row as one run of cells");
#if defined(ORV_EIGHT_CELL_PATH)
    const bool eightCells = path == PixelPath::Widest && eightCellPathAvailable();
#else
    static_cast<void>(path);  // four cells at most here
#endif
    for (int y = firstRow; y <= lastRow; ++y) {
        // The row's cells side by side; column 600 is the east neighbour of column 599.
        const float* cells = grid.data() + ElevationGrid::index(y, 0, level);

        auto* out = reinterpret_cast<uint32_t*>(picture.scanLine(y - firstRow));
        int x = 0;
#if defined(ORV_EIGHT_CELL_PATH)
        if (eightCells) x = paintEightCells(ramp, divisor, cells, out, x, width);
#endif
#if defined(__SSE2__)
        for (; x + 4 <= width; x += 4) {
            if (four.paint(cells + x, out + x)) continue;
            for (int i = x; i < x + 4; ++i)
                out[i] = pictureBits(ramp.colour(cells[i], cells[i + 1], divisor));
        }
#endif
        for (; x < width; ++x) out[x] = pictureBits(ramp.colour(cells[x], cells[x + 1], divisor));
    }
    if (firstRow == 0 && rows == surface.height() && width == surface.width())
        surface.setImage(picture);
    else
        surface.copyPicture(picture, PixelRect{0, firstRow, width, rows}, std::nullopt,
                            RasterOp::Copy);
}

}  // namespace orv
