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
    double columnStep = 0.1;     // degrees between two columns
    double maxDistance = 150000.0;  // metres, up to 300 km
    SightOptions sight;
    int threads = 0;             // 0: one per core
};

// Terrain `distance` metres away seen between two elevation angles (degrees).
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
    std::vector<ScanColumn> columns;  // from azimuth − fieldOfView / 2 eastward, columnStep apart
    int unknownColumns = 0;
    bool cancelled = false;

    // The column nearest `azimuth`, or nullptr outside the field of view.
    const ScanColumn* columnAt(double azimuth) const;
    // The highest elevation angle of terrain nearer than `distance` in the column nearest
    // `azimuth`; −90 when there is none.
    double horizonBefore(double azimuth, double distance) const;
};

// Asked between pieces of work on the calling thread: `done` of `total` columns; false cancels.
using ScanProgress = std::function<bool(int done, int total)>;

// Marches every column's sight line over `terrain` out to maxDistance, on `threads` threads.
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

// Every peak in view with its bearing, distance, elevation angle and visibility, nearest first.
std::vector<PeakSight> sightPeaks(const PanoramaScan& scan, const std::vector<Peak>& peaks);

}  // namespace orv::panorama
