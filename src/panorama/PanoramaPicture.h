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

// Which part of the panorama a picture shows. Picture x runs from the left edge (0) to the
// right edge (width), y from the top edge (0) down; the middle of pixel (i, j) is (i + ½, j + ½).
struct PanoramaView {
    double centreAzimuth = 0.0;    // degrees from north at the picture's middle column
    double degreesPerPixel = 0.1;  // the same across and up
    double topAngle = 5.0;         // the elevation angle of the top row, degrees
    int width = 1200, height = 400;
    // The scan's directions, which zooming and panning keep to: a 360° scan wraps round, a
    // sector stays within its field of view.
    double scanAzimuth = 0.0;
    double scanFieldOfView = 360.0;
};

// The finest zoom: a pixel is never less than this many degrees.
inline constexpr double kFinestDegreesPerPixel = 0.005;
// The azimuth scale's strip along the bottom of the picture, in pixels.
inline constexpr int kAzimuthScaleHeight = 26;

// The whole scan across `width` pixels, the skyline low in the picture with the sky above it
// for the labels.
PanoramaView viewFitting(const PanoramaScan& scan, int width, int height);
// The view a panorama opens with: as viewFitting where that shows the relief well, else closer,
// so the skylines' range fills about half the picture's height, centred on the scan's middle
// azimuth (the rest is reached by panning).
PanoramaView viewForTerrain(const PanoramaScan& scan, int width, int height);
// Zoomed by `factor` (> 1 closer) about the picture point `about`, which stays where it is;
// never wider than the scan's field of view, never finer than kFinestDegreesPerPixel.
PanoramaView zoomedView(const PanoramaView& view, double factor, QPointF about);
// Moved by `delta` picture pixels (the picture follows the mouse).
PanoramaView pannedView(const PanoramaView& view, QPointF delta);

// Picture x ↔ azimuth (0 ≤ azimuth < 360; x of the azimuth's nearest turn to the middle) and
// picture y ↔ elevation angle.
double azimuthAtX(const PanoramaView& view, double x);
double xOfAzimuth(const PanoramaView& view, double azimuth);
double angleAtY(const PanoramaView& view, double y);
double yOfAngle(const PanoramaView& view, double angle);

// A tick of a scale and its text, if it has one (the texts of a scale never overlap).
struct ScaleMark {
    double value = 0.0;     // azimuth (0 ≤ a < 360) or elevation angle, degrees
    double position = 0.0;  // picture x (azimuth scale) or y (elevation scale)
    bool major = false;     // a long tick
    std::string text;       // "北", "北東", "120°", "+2°"; empty: a tick only
    QRectF box;             // where the text is written
};
// The azimuth scale along the bottom: ticks at a spacing that suits the zoom, the degrees at
// the long ones, 北/東/南/西 (and 北東…, 北北東… where there is room) at their directions.
std::vector<ScaleMark> azimuthScale(const PanoramaView& view);
// The elevation-angle scale at the left edge, above the azimuth scale.
std::vector<ScaleMark> elevationScale(const PanoramaView& view);

struct PictureOptions {
    bool hiddenPeaks = false;  // mark the peaks in view that terrain hides, in grey
};

struct LabelPlace {
    size_t peak = 0;  // index into the peaks drawn
    QRectF box;       // the label's text
    QPointF summit;   // where the peak is, the leader line's end
};

// A peak drawn with a summit mark, with or without a label.
struct SummitMark {
    size_t peak = 0;  // index into the peaks drawn
    QPointF summit;
};

struct PanoramaPicture {
    QImage image;
    std::vector<LabelPlace> labels;  // never overlapping
    std::vector<SummitMark> marks;   // every peak marked, labelled or not
};

// The label of a peak: "幌尻岳 2052m 12.3km".
std::string peakLabel(const PeakSight& sight);

// Draws the view: the visible peaks of `peaks` in view are labelled where there is room, the
// nearest, highest first; the hidden ones too, in grey, when options.hiddenPeaks. Columns whose
// terrain is partly unknown have a hatched sky. The texts are written in the program's fonts,
// pixel-exact (the same picture on any screen and offscreen): on the main thread only, once the
// application object exists. azimuthScale and elevationScale measure texts: the same holds.
PanoramaPicture drawPanorama(const PanoramaScan& scan, const std::vector<PeakSight>& peaks,
                             const PanoramaView& view, const PictureOptions& options = {});

// The peak whose label or summit mark is at `point` (within a few pixels), if any.
std::optional<size_t> peakAt(const PanoramaPicture& picture, QPointF point);

// "幌尻岳 2052m　方位 123.4°（南東）　距離 12.3km　仰角 +2.31°　見える" ("隠れている"; a peak
// outside the view: "視野の外").
std::string describePeak(const PeakSight& sight);

}  // namespace orv::panorama
