#pragma once
// The look of a colour swatch button: the colour itself with a thin grey border.
#include "core/Colour.h"

#include <QString>

namespace orv {

inline QString colourSwatchStyle(Colour colour) {
    return QStringLiteral("QPushButton { background-color: rgb(%1, %2, %3); border: 1px solid gray; }")
        .arg(redOf(colour))
        .arg(greenOf(colour))
        .arg(blueOf(colour));
}

}  // namespace orv
