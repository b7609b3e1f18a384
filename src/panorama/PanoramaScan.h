#pragma once
// The panorama's sight lines: for each column of directions, which terrain is seen at which
// elevation angles, and which peaks of the mountain files are in view.
#include "geo/DatumShift.h"
#include "panorama/SightGeometry.h"
#include "panorama/SightTerrain.h"

#include <functional>
#include <string>
#include <vector>

namespace orv::panorama {

struct Observer {
    LatLon position;           // JGD2011
    double groundHeight = 0.0;  // metres; NaN: read from the terrain
    double eyeHeight = 1.6;     // above the ground
};

struct ScanOptions {
    double azimuth = 0.0;        // the centre of the view, degrees from north
    double fieldOfView = 360.0;  // degrees, up to 360
    double columnStep = 0.1;     // degrees between two columns, at least 0.01
    double maxDistance = 150000.0;  // metres, up to 300 km
    SightOptions sight;
    int threads = 0;             // 0: one per core
};

// Terrain `distance` metres away seen between two elevation angles (degrees). A span is where
// the terrain rises above all that is nearer: consecutive rises within 2 % of the first one's
// distance are one span, its distance that of its highest part (where its silhouette is); a
// rise after terrain that was hidden starts a new span even when near the last one's distance.
// So the spans of one slope climbing away follow each other about 2 % apart, and a longer step
// in distance is a ridge's front. The first span starts at −90° (the ground at the observer's
// feet).
struct SightSpan {
    float lowAngle = 0.0f, highAngle = 0.0f;
    float distance = 0.0f;
};

struct ScanColumn {
    double azimuth = 0.0;
    std::vector<SightSpan> spans;  // nearest first, each above the one before
    bool unknown = false;          // the sight passed over terrain nobody knows
};

struct PanoramaScan {
    Observer observer;  // groundHeight resolved
    ScanOptions options;
    // From azimuth − fieldOfView / 2 eastward, columnStep apart: fieldOfView / columnStep of
    // them round a full circle, one more (both edges) for a sector.
    std::vector<ScanColumn> columns;
    int unknownColumns = 0;
    bool cancelled = false;

    // The column nearest `azimuth`, or nullptr outside the field of view.
    const ScanColumn* columnAt(double azimuth) const;
    // The highest elevation angle of terrain nearer than `distance` (a span's by the distance of
    // its highest part) in the column nearest `azimuth`; −90 when there is none.
    double horizonBefore(double azimuth, double distance) const;
};

// Asked between pieces of work on the calling thread: `done` of `total` columns; false cancels.
using ScanProgress = std::function<bool(int done, int total)>;

// Marches every column's sight line over `terrain` out to maxDistance, on `threads` threads
// (the calling thread one of them). Each sight line follows the geodesic in its column's
// direction in steps of about what a column resolves there (distance × columnStep, at least
// 5 m), reading the terrain at the zoom zoomForDistance gives; elevation angles as
// elevationAngle() with the normal section's radius at the observer in the column's direction.
// Samples nobody knows are skipped and mark their column unknown. An observer whose ground
// height is NaN stands on the terrain's height there; where that is unknown too, every column
// is unknown and empty. When `progress` cancels, the columns not reached stay empty.
PanoramaScan scanPanorama(const SightTerrain& terrain, const Observer& observer,
                          const ScanOptions& options, const ScanProgress& progress = {});

struct Peak {
    std::string name;
    LatLon position;  // JGD2011
    double height = 0.0;
};

struct PeakSight {
    Peak peak;
    double distance = 0.0;
    double azimuth = 0.0;
    double elevationAngle = 0.0;
    bool inView = false;   // within the field of view and the distance
    bool visible = false;  // in view and not hidden behind nearer terrain
};

// Every peak in view (within the field of view and maxDistance, and 100 m or more away: a nearer
// one is the observer's own summit) with its bearing, distance, elevation angle and visibility,
// nearest first. A peak is hidden when the terrain nearer than it by 300 m or 2 % of its
// distance (whichever is more; what is nearer to it is its own slope, tiles being coarser than a
// summit) rises above its elevation angle in both columns beside its direction.
std::vector<PeakSight> sightPeaks(const PanoramaScan& scan, const std::vector<Peak>& peaks);

}  // namespace orv::panorama
