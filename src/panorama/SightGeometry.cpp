#include "panorama/SightGeometry.h"

#include <cmath>
#include <numbers>

namespace orv::panorama {

double apparentDrop(double distance, double earthRadius, const SightOptions& options) {
    if (!options.curvature) return 0.0;
    return distance * distance * (1.0 - options.refraction) / (2.0 * earthRadius);
}

double elevationAngle(double eyeHeight, double targetHeight, double distance, double earthRadius,
                      const SightOptions& options) {
    constexpr double degrees = 180.0 / std::numbers::pi;
    if (!options.curvature) return std::atan2(targetHeight - eyeHeight, distance) * degrees;
    // Eye and target on the sphere of radius R, `distance` apart along its surface: the target
    // in the eye's frame (horizontal, up), then the sight line bent down by the air.
    const double angle = distance / earthRadius;
    const double target = earthRadius + targetHeight;
    const double across = target * std::sin(angle);
    const double up = target * std::cos(angle) - (earthRadius + eyeHeight);
    return (std::atan2(up, across) + options.refraction * angle / 2.0) * degrees;
}

}  // namespace orv::panorama
