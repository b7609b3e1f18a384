#pragma once
// The elevation grid of the loaded 3 × 3 mesh block: float32 metres, rows 0..600 north to
// south, columns 0..600 west to east, zoom levels 0..5; -999.9 means no data.
// Each level is a layer of its own: flat index = level × 361201 + row × 601 + column, so the
// drawing loops read a row of one level as one contiguous run of cells.
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace orv {

class ElevationGrid {
public:
    static constexpr int kRows = 601;
    static constexpr int kColumns = 601;
    static constexpr int kLevels = 6;
    static constexpr float kNoData = -999.9f;

    static constexpr size_t kCells = static_cast<size_t>(kRows) * kColumns * kLevels;

    // All cells 0 m. The storage comes zeroed from the system, so pages nobody writes are
    // never touched: making a grid costs nothing until it is loaded.
    ElevationGrid() : values_(allocate()) {}
    ElevationGrid(const ElevationGrid& other) : values_(allocate()) {
        std::memcpy(values_.get(), other.values_.get(), kCells * sizeof(float));
    }
    ElevationGrid& operator=(const ElevationGrid& other) {
        if (this != &other) std::memcpy(values_.get(), other.values_.get(), kCells * sizeof(float));
        return *this;
    }

    static constexpr bool inside(int row, int column, int level) {
        return row >= 0 && row < kRows && column >= 0 && column < kColumns && level >= 0 &&
               level < kLevels;
    }
    static constexpr size_t index(int row, int column, int level) {
        return static_cast<size_t>(level) * (static_cast<size_t>(kRows) * kColumns) +
               static_cast<size_t>(row) * kColumns + static_cast<size_t>(column);
    }
    // The distance between the flat indexes of neighbouring columns.
    static constexpr size_t kColumnStep = 1;

    // Checked access: outside the grid reads give kNoData and writes are ignored.
    float get(int row, int column, int level) const {
        return inside(row, column, level) ? values_[index(row, column, level)] : kNoData;
    }
    void set(int row, int column, int level, float metres) {
        if (inside(row, column, level)) values_[index(row, column, level)] = metres;
    }

    // Raw storage for the tight loops of the loader and the drawing code.
    float* data() { return values_.get(); }
    const float* data() const { return values_.get(); }
    size_t size() const { return kCells; }

private:
    struct Release {
        void operator()(float* cells) const { std::free(cells); }
    };
    static std::unique_ptr<float[], Release> allocate() {
        // calloc: all-zero bits are 0.0f, and fresh pages need no clearing.
        auto* cells = static_cast<float*>(std::calloc(kCells, sizeof(float)));
        if (cells == nullptr) throw std::bad_alloc();
        return std::unique_ptr<float[], Release>(cells);
    }

    std::unique_ptr<float[], Release> values_;
};

static_assert(ElevationGrid::index(0, 1, 0) - ElevationGrid::index(0, 0, 0) == ElevationGrid::kColumnStep);

}  // namespace orv
