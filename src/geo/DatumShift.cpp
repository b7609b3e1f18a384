#include "geo/DatumShift.h"

#include <proj.h>

#include <cmath>
#include <limits>

namespace orv {

namespace {

constexpr const char* kTokyoDatum = "EPSG:4301";

const char* modernCode(ModernDatum modern) {
    return modern == ModernDatum::Wgs84 ? "EPSG:4326" : "EPSG:6668";
}

LatLon notConverted() {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan};
}

}  // namespace

struct DatumShift::State {
    PJ_CONTEXT* context = nullptr;
    PJ* transform = nullptr;
    ~State() {
        if (transform) proj_destroy(transform);
        if (context) proj_context_destroy(context);
    }

    LatLon run(PJ_DIRECTION direction, double latitude, double longitude) const {
        if (!std::isfinite(latitude) || !std::isfinite(longitude)) return notConverted();
        const PJ_COORD out = proj_trans(transform, direction, proj_coord(longitude, latitude, 0, 0));
        if (!std::isfinite(out.lp.lam) || !std::isfinite(out.lp.phi)) return notConverted();
        return {out.lp.phi, out.lp.lam};
    }
};

DatumShift::DatumShift(DatumShift&&) noexcept = default;
DatumShift& DatumShift::operator=(DatumShift&&) noexcept = default;
DatumShift::~DatumShift() = default;

Result<DatumShift> DatumShift::create(ModernDatum modern) {
    auto state = std::make_unique<State>();
    state->context = proj_context_create();
    if (!state->context) return Problem{ProblemKind::Unsupported, 0, "PROJを使えません"};
    proj_log_level(state->context, PJ_LOG_NONE);
    proj_context_set_enable_network(state->context, 0);
    PJ* raw = proj_create_crs_to_crs(state->context, kTokyoDatum, modernCode(modern), nullptr);
    if (!raw) {
        const char* to = modern == ModernDatum::Wgs84 ? "WGS 84" : "JGD2011";
        return Problem{ProblemKind::Unsupported, 0,
                       std::string("PROJに東京測地系から") + to + "への変換がありません（proj-dataが要ります）"};
    }
    // Longitude first, degrees, whatever the axis order of the EPSG definitions.
    state->transform = proj_normalize_for_visualization(state->context, raw);
    proj_destroy(raw);
    if (!state->transform) return Problem{ProblemKind::Unsupported, 0, "PROJの変換を準備できません"};
    DatumShift result;
    result.state_ = std::move(state);
    if (std::isnan(result.fromTokyo(36.0, 138.0).latitude))
        return Problem{ProblemKind::Unsupported, 0, "PROJの変換が働きません"};
    return result;
}

LatLon DatumShift::fromTokyo(double latitude, double longitude) const {
    return state_->run(PJ_FWD, latitude, longitude);
}

LatLon DatumShift::toTokyo(double latitude, double longitude) const {
    return state_->run(PJ_INV, latitude, longitude);
}

}  // namespace orv
