#include "app/OverviewLabels.h"

#include "core/NumberText.h"
#include "core/Rounding.h"

namespace orv {

std::string overviewLatitudeLabel(int verticalScroll, int i) {
    const double minutes = 46.0 * 60.0 - verticalScroll / 80.0 * 40.0 - 40.0 * i;
    const int whole = roundHalfEven(minutes);
    const int degrees = floorToInt(whole / 60.0);
    const int rest = whole - degrees * 60;
    const std::string text = shortestText(static_cast<float>(degrees + rest / 100.0));
    std::string label = "00.0";
    for (size_t k = 0; k < text.size() && k < label.size(); ++k) label[k] = text[k];
    return label;
}

std::string overviewLongitudeLabel(int horizontalScroll, int i) {
    const int degrees = roundHalfEven(horizontalScroll / 80.0 + 28.0) + 100 + i;
    return " " + std::to_string(degrees) + ".0";
}

}  // namespace orv
