// The sheet dimensions dialog: its block diagram marks the destination mountain and writes the
// name in the mountain-name style.
#include "sheets/ui/SheetRoutePanel.h"

#include "support/SheetBlock.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace orv {
namespace {

TEST(SheetDimensionsDialog, TheBlockDiagramWritesTheMountainInItsStyle) {
    std::unique_ptr<AppState> state = makeAppState();
    setStartValues(*state);
    test::fillSheetBlock(*state);
    state->mountainTable[1].name = "幌尻岳";
    state->mountainTable[1].latitude = "42.4230";    // 150″ south of the north edge: y 120
    state->mountainTable[1].longitude = "142.3345";  // 225″ east of the west edge: x 120
    state->mountainCount = 1;
    state->selectedMountain = 1;
    state->textStyles[0].size = 14.0f;
    state->textStyles[0].colour = makeColour(0, 160, 0);

    SheetDimensions model(*state);
    SheetDimensionsDialog dialog(model);
    auto* diagram = dialog.findChild<QWidget*>("blockDiagram");
    ASSERT_NE(diagram, nullptr);
    const QImage picture = diagram->grab().toImage();
    // Pixels of the style's colour right of the mark, where the name stands.
    int styled = 0;
    for (int y = 116; y < 150; ++y) {
        for (int x = 130; x < 239; ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (std::abs(c.red()) < 40 && std::abs(c.green() - 160) < 40 && std::abs(c.blue()) < 40) ++styled;
        }
    }
    EXPECT_GT(styled, 20);
}

}  // namespace
}  // namespace orv
