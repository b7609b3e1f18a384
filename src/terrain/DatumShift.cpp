#include "terrain/DatumShift.h"

#include <proj.h>

#include <cmath>
#include <limits>

namespace orv::terrain {

struct TokyoToJgd::State {
    PJ_CONTEXT* context = nullptr;
    PJ* transform = nullptr;
    ~State() {
        if (transform) proj_destroy(transform);
        if (context) proj_context_destroy(context);
    }
};

TokyoToJgd::TokyoToJgd(TokyoToJgd&&) noexcept = default;
TokyoToJgd& TokyoToJgd::operator=(TokyoToJgd&&) noexcept = default;
TokyoToJgd::~TokyoToJgd() = default;

Result<TokyoToJgd> TokyoToJgd::create() {
    auto state = std::make_unique<State>();
    state->context = proj_context_create();
    if (!state->context) return Problem{ProblemKind::Unsupported, 0, "PROJを使えません"};
    proj_log_level(state->context, PJ_LOG_NONE);
    proj_context_set_enable_network(state->context, 0);
    PJ* raw = proj_create_crs_to_crs(state->context, "EPSG:4301", "EPSG:6668", nullptr);
    if (!raw) return Problem{ProblemKind::Unsupported, 0, "PROJに東京測地系からJGD2011への変換がありません（proj-dataが要ります）"};
    // Longitude first, degrees, whatever the axis order of the EPSG definitions.
    state->transform = proj_normalize_for_visualization(state->context, raw);
    proj_destroy(raw);
    if (!state->transform) return Problem{ProblemKind::Unsupported, 0, "PROJの変換を準備できません"};
    TokyoToJgd result;
    result.state_ = std::move(state);
    const auto check = result.convert(36.0, 138.0);
    if (std::isnan(check.first)) return Problem{ProblemKind::Unsupported, 0, "PROJの変換が働きません"};
    return result;
}

std::pair<double, double> TokyoToJgd::convert(double latitude, double longitude) const {
    const PJ_COORD out = proj_trans(state_->transform, PJ_FWD, proj_coord(longitude, latitude, 0, 0));
    if (!std::isfinite(out.lp.lam) || !std::isfinite(out.lp.phi) || out.lp.lam == HUGE_VAL)
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    return {out.lp.phi, out.lp.lam};
}

}  // namespace orv::terrain
