#pragma once
// The panorama as a picture: sky, ridge silhouettes shaded by distance, the azimuth and
// elevation-angle scales and the names of the visible peaks.
#include "panorama/PanoramaScan.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <optional>
#include <string>
#include <vector>

namespace orv::panorama {

// Which part of the panorama a picture shows.
struct PanoramaView {
    double centreAzimuth = 0.0;    // degrees from north at the picture's middle column
    double degreesPerPixel = 0.1;  // the same across and up
    double topAngle = 5.0;         // the elevation angle of the top row, degrees
    int width = 1200, height = 400;
};

// The whole scan across `width` pixels, the terrain's angles filling `height` with a margin
// for the labels above.
PanoramaView viewFitting(const PanoramaScan& scan, int width, int height);
// Zoomed by `factor` (> 1 closer) about the picture point `about`, which stays where it is.
PanoramaView zoomedView(const PanoramaView& view, double factor, QPointF about);
// Moved by `delta` picture pixels (the picture follows the mouse).
PanoramaView pannedView(const PanoramaView& view, QPointF delta);

struct PictureOptions {
    bool hiddenPeaks = false;  // mark the peaks in view that terrain hides, in grey
};

struct LabelPlace {
    size_t peak = 0;  // index into the peaks drawn
    QRectF box;       // the label's text
    QPointF summit;   // where the peak is, the leader line's end
};

struct PanoramaPicture {
    QImage image;
    std::vector<LabelPlace> labels;  // never overlapping
};

PanoramaPicture drawPanorama(const PanoramaScan& scan, const std::vector<PeakSight>& peaks,
                             const PanoramaView& view, const PictureOptions& options = {});

// The peak whose label or summit mark is at `point` (within a few pixels), if any.
std::optional<size_t> peakAt(const PanoramaPicture& picture, QPointF point);

// "幌尻岳 2052m　方位 123.4°　距離 12.3km　仰角 +2.31°　見える" (or "隠れている").
std::string describePeak(const PeakSight& sight);

}  // namespace orv::panorama
