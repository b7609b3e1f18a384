#pragma once
// Text taken from a file (a field, a name, a line) as a message or a terminal shows it: whatever
// the file held, the shown form is short and every character in it is visible.
#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// Characters of a file's text a message shows at most, before "…".
inline constexpr size_t kShownTextCharacters = 100;

// The text as a message quotes it. Control characters (U+0000..U+001F, U+007F) and bytes that
// are no UTF-8 character are written as "\x" and two hex digits ("\x1b"); the invisible
// characters that move or hide text (U+0080..U+009F, U+200B..U+200F, U+2028..U+202E,
// U+2060..U+2069, U+FEFF) as "\u" and four ("\u202e"). When the shown form would exceed
// `maxCharacters` characters it is cut before the escape or character that would not fit and
// "…" follows. Only the part shown is looked at, so a text of any size is cut at once.
std::string shownFileText(std::string_view text, size_t maxCharacters = kShownTextCharacters);

}  // namespace orv
