#include "geo/DatumShift.h"

#include <proj.h>

#include <dlfcn.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace orv {

namespace {

// PROJ, and the database, network and picture libraries it brings along, is loaded the first
// time a datum is shifted instead of when the program starts: most sessions never shift one,
// and loading it costs the start of every session.
struct Proj {
    decltype(&proj_context_create) contextCreate = nullptr;
    decltype(&proj_context_destroy) contextDestroy = nullptr;
    decltype(&proj_log_level) logLevel = nullptr;
    decltype(&proj_context_set_enable_network) enableNetwork = nullptr;
    decltype(&proj_create_crs_to_crs) createCrsToCrs = nullptr;
    decltype(&proj_normalize_for_visualization) normalize = nullptr;
    decltype(&proj_destroy) destroy = nullptr;
    decltype(&proj_trans) trans = nullptr;
    decltype(&proj_coord) coord = nullptr;
    bool loaded = false;
};

template <typename Function>
bool find(void* library, const char* name, Function& function) {
    void* symbol = dlsym(library, name);
    std::memcpy(&function, &symbol, sizeof function);  // object pointer to function pointer
    return symbol != nullptr;
}

// The library once loaded; `loaded` is false when it or one of its functions is missing.
const Proj& proj() {
    static const Proj api = [] {
        Proj p;
        void* library = dlopen(ORVANE_PROJ_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) return p;
        p.loaded = find(library, "proj_context_create", p.contextCreate) &&
                   find(library, "proj_context_destroy", p.contextDestroy) &&
                   find(library, "proj_log_level", p.logLevel) &&
                   find(library, "proj_context_set_enable_network", p.enableNetwork) &&
                   find(library, "proj_create_crs_to_crs", p.createCrsToCrs) &&
                   find(library, "proj_normalize_for_visualization", p.normalize) &&
                   find(library, "proj_destroy", p.destroy) && find(library, "proj_trans", p.trans) &&
                   find(library, "proj_coord", p.coord);
        return p;
    }();
    return api;
}

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
        if (transform) proj().destroy(transform);
        if (context) proj().contextDestroy(context);
    }

    LatLon run(PJ_DIRECTION direction, double latitude, double longitude) const {
        if (!std::isfinite(latitude) || !std::isfinite(longitude)) return notConverted();
        const PJ_COORD out = proj().trans(transform, direction, proj().coord(longitude, latitude, 0, 0));
        if (!std::isfinite(out.lp.lam) || !std::isfinite(out.lp.phi)) return notConverted();
        return {out.lp.phi, out.lp.lam};
    }
};

DatumShift::DatumShift(DatumShift&&) noexcept = default;
DatumShift& DatumShift::operator=(DatumShift&&) noexcept = default;
DatumShift::~DatumShift() = default;

Result<DatumShift> DatumShift::create(ModernDatum modern) {
    const Proj& api = proj();
    if (!api.loaded) return Problem{ProblemKind::Unsupported, 0, "PROJを使えません"};
    auto state = std::make_unique<State>();
    state->context = api.contextCreate();
    if (!state->context) return Problem{ProblemKind::Unsupported, 0, "PROJを使えません"};
    api.logLevel(state->context, PJ_LOG_NONE);
    api.enableNetwork(state->context, 0);
    PJ* raw = api.createCrsToCrs(state->context, kTokyoDatum, modernCode(modern), nullptr);
    if (!raw) {
        const char* to = modern == ModernDatum::Wgs84 ? "WGS 84" : "JGD2011";
        return Problem{ProblemKind::Unsupported, 0,
                       std::string("PROJに東京測地系から") + to + "への変換がありません（proj-dataが要ります）"};
    }
    // Longitude first, degrees, whatever the axis order of the EPSG definitions.
    state->transform = api.normalize(state->context, raw);
    api.destroy(raw);
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
