#pragma once
// How high a distant point looks: the elevation angle of a target seen from an observer over a
// curved earth with atmospheric refraction.
namespace orv::panorama {

// The coefficient of refraction used unless the user sets another (the survey's value for
// levelling over long sights in Japan).
inline constexpr double kDefaultRefraction = 0.13;

struct SightOptions {
    double refraction = kDefaultRefraction;  // k: the sight line bends with radius R / k
    bool curvature = true;                   // false: a flat earth, no refraction either
};

// The apparent drop of a point at `distance` metres below the observer's tangent plane:
// d² (1 − k) / 2R, 0 on a flat earth.
double apparentDrop(double distance, double earthRadius, const SightOptions& options);

// The elevation angle in degrees (positive above the horizontal) of a target `targetHeight`
// metres high at geodesic `distance` metres, seen from an eye at `eyeHeight` metres (both
// heights above the same datum), over an earth of radius `earthRadius` (the normal-section
// radius in the target's direction). With curvature: the exact angle on the sphere of that
// radius, raised by the refraction k·d / 2R; flat: atan((target − eye) / distance).
double elevationAngle(double eyeHeight, double targetHeight, double distance, double earthRadius,
                      const SightOptions& options);

}  // namespace orv::panorama
