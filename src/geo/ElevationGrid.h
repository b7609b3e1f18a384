#pragma once
// The elevation grid of the loaded 3 × 3 mesh block: float32 metres, rows 0..600 north to
// south, columns 0..600 west to east, zoom levels 0..5; -999.9 means no data.
// Flat index = row × 3606 + column × 6 + level.
#include <cstddef>
#include <vector>

namespace orv {

class ElevationGrid {
public:
    static constexpr int kRows = 601;
    static constexpr int kColumns = 601;
    static constexpr int kLevels = 6;
    static constexpr float kNoData = -999.9f;

    ElevationGrid() : values_(static_cast<size_t>(kRows) * kColumns * kLevels, 0.0f) {}

    static constexpr bool inside(int row, int column, int level) {
        return row >= 0 && row < kRows && column >= 0 && column < kColumns && level >= 0 &&
               level < kLevels;
    }
    static constexpr size_t index(int row, int column, int level) {
        return static_cast<size_t>(row) * (kColumns * kLevels) +
               static_cast<size_t>(column) * kLevels + static_cast<size_t>(level);
    }

    // Checked access: outside the grid reads give kNoData and writes are ignored.
    float get(int row, int column, int level) const {
        return inside(row, column, level) ? values_[index(row, column, level)] : kNoData;
    }
    void set(int row, int column, int level, float metres) {
        if (inside(row, column, level)) values_[index(row, column, level)] = metres;
    }

    // Raw storage for the tight loops of the loader and the drawing code.
    float* data() { return values_.data(); }
    const float* data() const { return values_.data(); }
    size_t size() const { return values_.size(); }

private:
    std::vector<float> values_;
};

}  // namespace orv
