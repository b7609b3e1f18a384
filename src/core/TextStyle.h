#pragma once
// A text style: font face, size in points, the four font flags and colour.
#include "core/Colour.h"

#include <cstdint>
#include <string>

namespace orv {

struct TextStyle {
    std::string face = "ＭＳ ゴシック";
    float size = 9.0f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeThrough = false;
    Colour colour = colours::black;

    bool operator==(const TextStyle&) const = default;
};

}  // namespace orv
