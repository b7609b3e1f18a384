#include "app/SheetOverview.h"

#include "state/AppState.h"
#include "core/NumberText.h"

#include <string>

namespace orv {

void drawSheetOverview(DrawingSurface& overview) {
    constexpr Colour sea = makeColour(200, 224, 244);
    constexpr Colour land = makeColour(226, 238, 206);
    constexpr Colour edge = makeColour(120, 150, 120);
    constexpr int cell = 80;  // one sheet: 1° of longitude by 40′ of latitude

    overview.resize(kOverviewWidth, kOverviewHeight);
    overview.setBackColour(sea);
    overview.clear();
    TextStyle label;
    label.size = 9.0f;
    overview.setFont(label);
    for (const auto& region : regionTable) {
        const std::string code = region.code;
        const int pp = static_cast<int>(leadingNumber(code.substr(0, 2)));
        const int qq = static_cast<int>(leadingNumber(code.substr(2, 2)));
        // South edge pp × 40′, so the north edge lies (pp + 1) × 40′ north of the equator.
        const int x = (qq + 100 - 128) * cell;
        const int y = (46 * 60 - (pp + 1) * 40) * cell / 40;
        overview.box(x, y, x + cell - 1, y + cell - 1, land, true);
        overview.box(x, y, x + cell - 1, y + cell - 1, edge, false);
        overview.setForeColour(colours::black);
        overview.setCurrentPosition(x + 4, y + 4);
        overview.text(code);
        overview.setCurrentPosition(x + 4, y + 20);
        overview.text(region.sheetName);
    }
}

}  // namespace orv
