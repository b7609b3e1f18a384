#include "route/Overlays.h"

namespace orv {

void DataDraw(MapContext& /*ctx*/) {
    // No overlay layers exist yet: the route, names, marks and lines add their drawing here.
}

}  // namespace orv
