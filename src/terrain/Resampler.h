#pragma once
// Heights of the 200 × 200 points of a secondary mesh from the sources. Point (record N,
// field k) stands for the 50 m cell whose north-west corner it is (north edge − (N − 1)·1.5″,
// west edge + k·2.25″ on the Tokyo datum): the map shows that point's height on the pixel whose
// corner it is, and a position falls into the pixel of the corner north-west of it. The cell is
// moved to JGD2011 and the height is the mean of the source surface over it — the sources'
// samples joined bilinearly, sampled at least once per source sample each way, so a 5 m model
// does not alias. The finest source with data for at least half of the cell gives its height.
#include "geo/DatumShift.h"
#include "terrain/SourceGrid.h"

#include <string_view>
#include <vector>

namespace orv::terrain {

inline constexpr int kMeshSide = 200;
inline constexpr double kRowSeconds = 1.5;      // 300″ / 200
inline constexpr double kColumnSeconds = 2.25;  // 450″ / 200

struct MeshHeights {
    std::vector<float> heights;  // kMeshSide² metres, record 1 (north) first; NaN = no data
    int cellsWithData = 0;
    int cellsCoarse = 0;             // from a source coarser than the 50 m grid (kCoarseCellMetres)
    std::vector<LayerKey> layersUsed;  // finest first
};

class Resampler {
public:
    // The grids must outlive the resampler.
    Resampler(const std::vector<SourceGrid>& grids, const DatumShift& datum);

    // The JGD2011 area the mesh's cells cover.
    GeoBox jgdBox(std::string_view code) const;

    MeshHeights resample(std::string_view code) const;

private:
    const std::vector<SourceGrid>& grids_;
    const DatumShift& datum_;
};

}  // namespace orv::terrain
