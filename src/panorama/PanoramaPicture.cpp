#include "panorama/PanoramaPicture.h"

namespace orv::panorama {

PanoramaView viewFitting(const PanoramaScan&, int width, int height) {
    PanoramaView view;
    view.width = width;
    view.height = height;
    return view;
}
PanoramaView zoomedView(const PanoramaView& view, double, QPointF) { return view; }
PanoramaView pannedView(const PanoramaView& view, QPointF) { return view; }

PanoramaPicture drawPanorama(const PanoramaScan&, const std::vector<PeakSight>&, const PanoramaView& view,
                             const PictureOptions&) {
    PanoramaPicture picture;
    picture.image = QImage(view.width, view.height, QImage::Format_RGB32);
    picture.image.fill(Qt::white);
    return picture;
}

std::optional<size_t> peakAt(const PanoramaPicture&, QPointF) { return std::nullopt; }
std::string describePeak(const PeakSight& sight) { return sight.peak.name; }

}  // namespace orv::panorama
