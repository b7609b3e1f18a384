#pragma once
// Colours are packed as red + 256·green + 65536·blue, as stored in settings and tables.
#include <cstdint>

namespace orv {

using Colour = uint32_t;

constexpr Colour makeColour(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

namespace colours {
inline constexpr Colour black = 0;
inline constexpr Colour white = 0xFFFFFF;
inline constexpr Colour red = makeColour(255, 0, 0);
inline constexpr Colour green = makeColour(0, 255, 0);
inline constexpr Colour blue = makeColour(0, 0, 255);   // 16711680
inline constexpr Colour navy = makeColour(0, 0, 128);   // 8388608
inline constexpr Colour yellow = makeColour(255, 255, 0);
// The desktop's 3-D highlight and shadow colours, fixed so pictures are the same everywhere.
inline constexpr Colour highlight3D = makeColour(255, 255, 255);
inline constexpr Colour shadow3D = makeColour(160, 160, 160);
}  // namespace colours

}  // namespace orv
