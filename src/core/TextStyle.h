#pragma once
// A text style: font face, size in points, the four font flags (-1 = on) and colour.
#include "core/Colour.h"

#include <cstdint>
#include <string>

namespace orv {

struct TextStyle {
    std::string face = "ＭＳ ゴシック";
    float size = 9.0f;
    int16_t bold = 0;
    int16_t italic = 0;
    int16_t underline = 0;
    int16_t strikeThrough = 0;
    Colour colour = colours::black;

    bool operator==(const TextStyle&) const = default;
};

}  // namespace orv
