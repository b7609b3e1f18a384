#include "route/MarkIcons.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace orv {

namespace {

using Art = std::array<std::string_view, kMarkSize>;

// Palette of the pixel art: '.' lets the map show through, every other letter is a colour of
// the icon's shape.
//   K black  W white  R red  G green  B blue  L light blue  Y yellow  N brown  D dark brown
constexpr std::string_view kPaletteLetters = "KWRGBLYND";

constexpr QRgb colourOfLetter(char letter) {
    switch (letter) {
        case 'W': return qRgb(255, 255, 255);
        case 'R': return qRgb(220, 0, 0);
        case 'G': return qRgb(0, 160, 0);
        case 'B': return qRgb(0, 64, 255);
        case 'L': return qRgb(150, 210, 255);
        case 'Y': return qRgb(255, 220, 0);
        case 'N': return qRgb(170, 110, 50);
        case 'D': return qRgb(90, 50, 20);
        default: return qRgb(0, 0, 0);  // 'K'
    }
}

constexpr Art kTent{
    "................",
    ".......KK.......",
    "......KGGK......",
    "......KGGK......",
    ".....KGGGGK.....",
    ".....KGGGGK.....",
    "....KGGKKGGK....",
    "....KGKYYKGK....",
    "...KGGKYYKGGK...",
    "...KGKYYYYKGK...",
    "..KGGKYYYYKGGK..",
    "..KGKYYYYYYKGK..",
    ".KGGKYYYYYYKGGK.",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
};

constexpr Art kHut{
    "................",
    ".......KK.......",
    "......KRRK......",
    ".....KRRRRK.....",
    "....KRRRRRRK....",
    "...KRRRRRRRRK...",
    "..KRRRRRRRRRRK..",
    ".KKKKKKKKKKKKKK.",
    "..KNNNNNNNNNNK..",
    "..KNLLNNNDDNNK..",
    "..KNLLNNNDDNNK..",
    "..KNNNNNNDDNNK..",
    "..KNNNNNNDDNNK..",
    "..KKKKKKKKKKKK..",
    "................",
    "................",
};

constexpr Art kViewPoint{
    "................",
    "................",
    "................",
    ".....KKKKKK.....",
    "...KKWWWWWWKK...",
    "..KWWWKKKKWWWK..",
    ".KWWWKBBBBKWWWK.",
    "KWWWKBBKKBBKWWWK",
    "KWWWKBBKKBBKWWWK",
    ".KWWWKBBBBKWWWK.",
    "..KWWWKKKKWWWK..",
    "...KKWWWWWWKK...",
    ".....KKKKKK.....",
    "................",
    "................",
    "................",
};

constexpr Art kWater{
    ".......KK.......",
    ".......KK.......",
    "......KBBK......",
    "......KBBK......",
    ".....KBBBBK.....",
    ".....KBBBBK.....",
    "....KBBBBBBK....",
    "...KBBBBBBBBK...",
    "..KBLLBBBBBBBK..",
    "..KBLBBBBBBBBK..",
    "..KBLBBBBBBBBK..",
    "..KBBBBBBBBBBK..",
    "...KBBBBBBBBK...",
    "....KBBBBBBK....",
    ".....KKKKKK.....",
    "................",
};

constexpr Art kFlag{
    "..KK............",
    "..KKKKKKKKKKKK..",
    "..KKRRRRRRRRRK..",
    "..KKRRRRRRRRRK..",
    "..KKRRRRRRRRRK..",
    "..KKRRRRRRRRRK..",
    "..KKRRRRRRRRRK..",
    "..KKKKKKKKKKKK..",
    "..KK............",
    "..KK............",
    "..KK............",
    "..KK............",
    "..KK............",
    "..KK............",
    ".KKKK...........",
    "................",
};

constexpr Art kCaution{
    ".......KK.......",
    "......KYYK......",
    "......KYYK......",
    ".....KYYYYK.....",
    ".....KYKKYK.....",
    "....KYYKKYYK....",
    "....KYYKKYYK....",
    "...KYYYKKYYYK...",
    "...KYYYKKYYYK...",
    "..KYYYYKKYYYYK..",
    "..KYYYYYYYYYYK..",
    ".KYYYYYKKYYYYYK.",
    ".KYYYYYKKYYYYYK.",
    "KYYYYYYYYYYYYYYK",
    "KKKKKKKKKKKKKKKK",
    "................",
};

constexpr std::array<const Art*, kMarkKinds> kArt{&kTent, &kHut, &kViewPoint, &kWater, &kFlag,
                                                  &kCaution};

constexpr bool wellFormed(const Art& art) {
    for (std::string_view row : art) {
        if (row.size() != static_cast<size_t>(kMarkSize)) return false;
        for (char letter : row)
            if (letter != '.' && kPaletteLetters.find(letter) == std::string_view::npos)
                return false;
    }
    return true;
}

constexpr bool allWellFormed() {
    for (const Art* art : kArt)
        if (!wellFormed(*art)) return false;
    return true;
}
static_assert(allWellFormed(), "every mark is 16 × 16 letters of the palette");

struct MarkImages {
    QImage mask;
    QImage icon;
};

MarkImages build(const Art* art) {
    MarkImages images{QImage(kMarkSize, kMarkSize, QImage::Format_RGB32),
                      QImage(kMarkSize, kMarkSize, QImage::Format_RGB32)};
    images.mask.fill(qRgb(255, 255, 255));
    images.icon.fill(qRgb(0, 0, 0));
    if (art == nullptr) return images;
    for (int y = 0; y < kMarkSize; ++y) {
        const std::string_view row = (*art)[static_cast<size_t>(y)];
        for (int x = 0; x < kMarkSize; ++x) {
            const char letter = row[static_cast<size_t>(x)];
            if (letter == '.') continue;
            images.mask.setPixel(x, y, qRgb(0, 0, 0));
            images.icon.setPixel(x, y, colourOfLetter(letter));
        }
    }
    return images;
}

// Index 0 holds the images of "no mark": a white mask and a black icon.
const std::array<MarkImages, kMarkKinds + 1>& allMarks() {
    static const std::array<MarkImages, kMarkKinds + 1> marks = [] {
        std::array<MarkImages, kMarkKinds + 1> built;
        built[0] = build(nullptr);
        for (size_t kind = 1; kind <= static_cast<size_t>(kMarkKinds); ++kind)
            built[kind] = build(kArt[kind - 1]);
        return built;
    }();
    return marks;
}

const MarkImages& marksOf(int kind) {
    return allMarks()[isMarkKind(kind) ? static_cast<size_t>(kind) : 0];
}

}  // namespace

const QImage& markMask(int kind) { return marksOf(kind).mask; }

const QImage& markIcon(int kind) { return marksOf(kind).icon; }

}  // namespace orv
