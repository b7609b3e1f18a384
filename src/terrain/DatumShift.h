#pragma once
// From the Tokyo datum of the mesh codes and the 50 m mesh (EPSG:4301) to JGD2011 (EPSG:6668),
// the datum of today's survey products, through PROJ. JGD2000 and JGD2011 differ only where the
// 2011 earthquake moved the ground (a few metres in Tohoku), far below a 50 m cell, so either
// serves; PROJ goes through JGD2000 anyway.
#include "core/Result.h"

#include <memory>
#include <utility>

namespace orv::terrain {

class TokyoToJgd {
public:
    static Result<TokyoToJgd> create();

    TokyoToJgd(TokyoToJgd&&) noexcept;
    TokyoToJgd& operator=(TokyoToJgd&&) noexcept;
    ~TokyoToJgd();

    // JGD2011 latitude and longitude (degrees) of a Tokyo datum position; NaN when PROJ fails.
    std::pair<double, double> convert(double latitude, double longitude) const;

private:
    TokyoToJgd() = default;
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace orv::terrain
