#pragma once
// Positions between the Tokyo datum and today's datums, through PROJ. The 50 m mesh data, the
// mesh codes and PCX files marked "G Tokyo" are on the Tokyo datum (EPSG:4301); GPS receivers,
// phones and GPX files use WGS 84 (EPSG:4326), and the survey's current products JGD2011
// (EPSG:6668). In Japan the Tokyo datum lies several hundred metres away from both, while
// WGS 84, JGD2000 and JGD2011 agree to well under a 50 m cell (JGD2011 moved a few metres from
// JGD2000 only where the 2011 earthquake moved the ground), so PROJ takes one three-parameter
// shift for either.
//
// Making a shift looks the transformation up in PROJ's database, which takes a noticeable
// fraction of a second: make it once per job and convert every position of the job with it.
#include "core/Result.h"

#include <memory>

namespace orv {

// A position in degrees, north and east positive.
struct LatLon {
    double latitude = 0.0;
    double longitude = 0.0;
};

// The datum of today's positions that a shift converts to and from.
enum class ModernDatum {
    Jgd2011,  // EPSG:6668, the survey's current products
    Wgs84,    // EPSG:4326, GPS receivers and GPX files
};

class DatumShift {
public:
    static Result<DatumShift> create(ModernDatum modern);

    DatumShift(DatumShift&&) noexcept;
    DatumShift& operator=(DatumShift&&) noexcept;
    ~DatumShift();

    // A Tokyo datum position on the modern datum; NaN in both when PROJ cannot convert it.
    LatLon fromTokyo(double latitude, double longitude) const;
    // A position of the modern datum on the Tokyo datum; NaN in both when PROJ cannot convert it.
    LatLon toTokyo(double latitude, double longitude) const;

private:
    DatumShift() = default;
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace orv
