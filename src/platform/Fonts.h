#pragma once
// Font faces stored in styles ("ＭＳ ゴシック", "ＭＳ 明朝") are kept as they are and mapped onto
// the installed Japanese fonts, so Japanese text never shows as boxes.
#include <QFont>
#include <string>

namespace orv {

// Reads the fonts' configuration and the list of installed fonts, which the first text shown
// would otherwise wait for. Safe on any thread, also before the application object exists.
void readFontConfiguration();

// Registers the substitutions once; call after the application object exists.
void installFontSubstitutions();

// The font of lists laid out in columns: a monospaced face whose Japanese characters are
// exactly two Latin characters wide, 10 points.
QFont columnListFont();

// The QFont for a stored face and size in points.
QFont fontFor(const std::string& face, float points, bool bold = false, bool italic = false,
              bool underline = false, bool strikeThrough = false);

}  // namespace orv
