#pragma once
// The choices of the panorama ("展望図") and the visible-area map ("可視マップ") that carry over
// from one run to the next, kept beside the settings (app/DesktopFile).
#include <filesystem>

namespace orv {

struct SightChoices {
    double eyeHeight = 1.6;        // metres above the ground
    double maxDistanceKm = 150.0;  // up to kMaxSightDistanceKm
    double refraction = 0.13;      // the coefficient of refraction
    double azimuth = 0.0;          // the centre of the view, degrees from north
    double fieldOfView = 360.0;    // degrees
    bool hiddenPeaks = false;      // the peaks terrain hides are marked too
    bool download = true;          // missing tiles are fetched from the tile server
    // The folder elevation tiles are kept in; empty: "tiles" in the data folder.
    std::filesystem::path tileFolder;
};

inline constexpr double kMaxSightDistanceKm = 300.0;
inline constexpr double kMinSightDistanceKm = 1.0;
inline constexpr double kMaxEyeHeight = 1000.0;
inline constexpr double kMinFieldOfView = 5.0;

}  // namespace orv
