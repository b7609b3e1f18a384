#include "panorama/PanoramaScan.h"

namespace orv::panorama {

const ScanColumn* PanoramaScan::columnAt(double) const { return nullptr; }
double PanoramaScan::horizonBefore(double, double) const { return -90.0; }

PanoramaScan scanPanorama(const SightTerrain&, const Observer& observer, const ScanOptions& options,
                          const ScanProgress&) {
    PanoramaScan scan;
    scan.observer = observer;
    scan.options = options;
    return scan;
}

std::vector<PeakSight> sightPeaks(const PanoramaScan&, const std::vector<Peak>&) { return {}; }

}  // namespace orv::panorama
