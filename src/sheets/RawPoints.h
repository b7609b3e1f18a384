#pragma once
// The measured or traced points of the routes from paper maps, held in the raw route.
#include "core/Slots.h"
#include "state/AppState.h"

#include <algorithm>

namespace orv {

// Removes point k (1..count) of the raw route: the later points move up one place, each
// keeping its number equal to its place, and the count drops by one.
inline void removeRawPoint(AppState& state, int k) {
    const int count = std::clamp<int>(state.rawRoute[0].number, 0, kMaxRawPoints);
    if (k < 1 || k > count) return;
    for (int i = k; i < count; ++i) {
        state.rawRoute[slot(i)] = state.rawRoute[slot(i + 1)];
        state.rawRoute[slot(i)].number = static_cast<int16_t>(i);
    }
    state.rawRoute[slot(count)] = RawPoint{};
    state.rawRoute[0].number = static_cast<int16_t>(count - 1);
}

}  // namespace orv
