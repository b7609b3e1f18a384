// The contour pixel rule over one layer of the elevation grid: each cell's interval class and
// index class are worked out once per redraw, a row at a time, and a row's classes serve as
// the north neighbours of the next row.
#include "map/Contours.h"

#include "core/Rounding.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The row work is built twice where the compiler can: for processors with AVX2 and for the
// rest, the one for the processor at hand chosen when the program starts. The AVX2 build's
// instructions also keep their speed when earlier code (the desktop library's start-up, for
// one) has left the wide vector registers in use, which slows the plain SSE2 ones several
// times over.
#if defined(__GNUC__) && defined(__x86_64__) && !defined(__AVX2__)
#define ORV_ROW_WORK __attribute__((target_clones("avx2", "default")))
#else
#define ORV_ROW_WORK
#endif

// The helpers of the row work are built into each of its two builds.
#if defined(__GNUC__)
#define ORV_ROW_HELPER [[gnu::always_inline]] inline
#else
#define ORV_ROW_HELPER inline
#endif

namespace orv {

namespace {

constexpr int kIndexEvery = 5;       // every fifth contour is an index contour
constexpr size_t kCells = kMapSize;  // columns 0..599 of a row take part

struct RowClasses {
    std::array<int32_t, kCells> interval{};
    std::array<int32_t, kCells> index{};
};

// Interval class index floor(v / d): two heights lie on different sides of a contour exactly
// when their indexes differ, and a height is at or above the first contour when its index is
// positive. Worked out in double precision, so it is exact for every float32 height; it
// saturates at the ends of the int32 range and NaN gives 0 (floorToInt).
ORV_ROW_HELPER int32_t classIndex(float v, double d) {
    return floorToInt(static_cast<double>(v) / d);
}

// classIndex of a run of heights. With SSE2, two heights at a time: the same division in
// double precision, then the floor as the truncation of the quotient clamped to the int32
// range (one less where the truncation lies above the quotient), and 0 where it is NaN.
ORV_ROW_HELPER void classIndexes(const float* heights, size_t count, double d, int32_t* out) {
    size_t done = 0;
#if defined(__SSE2__)
    const __m128d divisor = _mm_set1_pd(d);
    const __m128d lowest = _mm_set1_pd(-2147483648.0);
    const __m128d highest = _mm_set1_pd(2147483647.0);
    // The two 32-bit lanes of a pair of 64-bit masks, in the low half.
    const auto narrow = [](__m128d mask) {
        return _mm_shuffle_epi32(_mm_castpd_si128(mask), _MM_SHUFFLE(2, 0, 2, 0));
    };
    const auto pair = [&](__m128d v) {
        const __m128d q = _mm_div_pd(v, divisor);
        const __m128d clamped = _mm_min_pd(_mm_max_pd(q, lowest), highest);  // NaN: lowest
        const __m128i truncated = _mm_cvttpd_epi32(clamped);
        const __m128i above = narrow(_mm_cmpgt_pd(_mm_cvtepi32_pd(truncated), clamped));
        const __m128i floored = _mm_add_epi32(truncated, above);  // above is -1 or 0
        return _mm_and_si128(floored, narrow(_mm_cmpord_pd(q, q)));
    };
    done = count - count % 4;
    for (size_t k = 0; k < done; k += 4) {
        const __m128 four = _mm_loadu_ps(heights + k);
        const __m128i low = pair(_mm_cvtps_pd(four));
        const __m128i high = pair(_mm_cvtps_pd(_mm_movehl_ps(four, four)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_unpacklo_epi64(low, high));
    }
#endif
    for (size_t k = done; k < count; ++k) out[k] = classIndex(heights[k], d);
}

// The classes of columns 0..599 of one row of the layer.
ORV_ROW_HELPER void classifyRow(const float* layerRow, int interval, RowClasses& out) {
    std::array<float, kCells> heights;
    for (size_t j = 0; j < kCells; ++j) heights[j] = layerRow[j * ElevationGrid::kColumnStep];
    // Both divisors are whole numbers, exact in double precision.
    classIndexes(heights.data(), kCells, interval, out.interval.data());
    classIndexes(heights.data(), kCells, kIndexEvery * static_cast<double>(interval),
                 out.index.data());
}

// What one pair of cells puts on their pixel: nothing (0, never an opaque pixel) unless both
// lie at or above the first contour; else the index colour across an index class, the thin
// colour across an interval class only.
ORV_ROW_HELPER uint32_t pairBits(int32_t otherClass, int32_t otherIndex, int32_t cellClass,
                                 int32_t cellIndex, uint32_t thin, uint32_t index) {
    const bool tested = otherClass > 0 && cellClass > 0;
    const uint32_t crossed = otherIndex != cellIndex ? index : otherClass != cellClass ? thin : 0;
    return tested ? crossed : 0;
}

// Each cell of columns 1..599 against its west and then its north neighbour, the north pair's
// colour over the west pair's, on the pixel one column to the west: pixels 0..598 of the row
// above the cells (cut to `width`).
ORV_ROW_HELPER void paintRow(const RowClasses& row, const RowClasses& north, uint32_t thin,
                             uint32_t index, uint32_t* out, size_t width) {
    const size_t end = std::min(kCells, width + 1);
    for (size_t j = 1; j < end; ++j) {
        const int32_t cellClass = row.interval[j];
        const int32_t cellIndex = row.index[j];
        const uint32_t west =
            pairBits(row.interval[j - 1], row.index[j - 1], cellClass, cellIndex, thin, index);
        const uint32_t fromNorth =
            pairBits(north.interval[j], north.index[j], cellClass, cellIndex, thin, index);
        const uint32_t bits = fromNorth != 0 ? fromNorth : west;
        out[j - 1] = bits != 0 ? bits : out[j - 1];
    }
}

// The contour pixels of a layer (its row 0, column 0 cell first; cells kColumnStep apart) into an
// RGB32 picture.
ORV_ROW_WORK void paintLayer(const float* layer, int interval, uint32_t thin, uint32_t index,
                             QImage& picture, const std::function<void(int row)>& beforeRow) {
    constexpr size_t kRowStride = ElevationGrid::index(1, 0, 0);
    const size_t width = static_cast<size_t>(std::min(picture.width(), kMapSize));
    const int height = std::min(picture.height(), kMapSize);

    RowClasses first;
    RowClasses second;
    RowClasses* north = &first;
    RowClasses* row = &second;
    classifyRow(layer, interval, *north);
    for (int i = 1; i < kMapSize; ++i) {
        if (beforeRow) beforeRow(i);
        classifyRow(layer + static_cast<size_t>(i) * kRowStride, interval, *row);
        // The pixel of a crossing lies one row up: row 599 never gets one.
        if (i - 1 < height)
            paintRow(*row, *north, thin, index,
                     reinterpret_cast<uint32_t*>(picture.scanLine(i - 1)), width);
        std::swap(north, row);
    }
}

// A packed colour (red in the low byte) as an opaque picture pixel.
uint32_t pictureBits(Colour c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

}  // namespace

void paintContourRows(const ElevationGrid& grid, int level, int interval, Colour thin, Colour index,
                      DrawingSurface& buffer, const std::function<void(int row)>& beforeRow) {
    if (interval <= 0 || !ElevationGrid::inside(0, 0, level)) return;
    // The pixels are set in a copy of the buffer's picture, which then replaces it.
    QImage picture = buffer.image().convertToFormat(QImage::Format_RGB32);
    paintLayer(grid.data() + ElevationGrid::index(0, 0, level), interval, pictureBits(thin),
               pictureBits(index), picture, beforeRow);
    buffer.setImage(picture);
}

}  // namespace orv
