#include "FuzzTargets.h"

#include "core/Cp932.h"
#include "core/LineReader.h"

#include <array>

namespace orv::fuzz {

namespace {

constexpr std::array kTargets{
    Target{"cp932", fuzzCp932},
    Target{"mesh", fuzzMesh},
    Target{"mountain", fuzzMountainFile},
    Target{"pcx_track", fuzzPcxTrack},
    Target{"pcx_waypoints", fuzzPcxWaypoints},
    Target{"waypoint_plus", fuzzWaypointPlus},
    Target{"gpx", fuzzGpx},
    Target{"plan_list", fuzzPlanList},
    Target{"route", fuzzRouteData},
    Target{"ridge_valley", fuzzRidgeValley},
    Target{"colour_profile", fuzzColourProfile},
    Target{"settings", fuzzSettings},
    Target{"gml_dem", fuzzGmlDem},
    Target{"zip", fuzzZipArchive},
    Target{"tile_text", fuzzTextTile},
    Target{"tile_png", fuzzPngTile},
};

}  // namespace

std::span<const Target> targets() { return kTargets; }

const Target* findTarget(std::string_view name) {
    for (const Target& target : kTargets)
        if (target.name == name) return &target;
    return nullptr;
}

bool allUtf8(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts)
        if (!isValidUtf8(text)) return false;
    return true;
}

int lineCount(std::string_view bytes) {
    LineReader lines(bytes, LineEncoding::Utf8);
    while (lines.next()) {
    }
    return lines.number();
}

bool lineInFile(int line, std::string_view bytes) { return line >= 0 && line <= lineCount(bytes) + 1; }

}  // namespace orv::fuzz
