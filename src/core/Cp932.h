#pragma once
// Conversion between the UTF-8 texts held in memory and the Japanese Windows code page
// (CP932) of Orvane's data files. Conversion happens only at the file boundary.
#include <string>
#include <string_view>

namespace orv {

struct Cp932Result {
    std::string text;
    bool lossless = true;  // false when some bytes or characters could not be converted
};

// CP932 bytes to UTF-8. Bytes that are not valid CP932 become U+FFFD; never fails.
Cp932Result cp932ToUtf8(std::string_view bytes);

// UTF-8 to CP932 bytes. Characters CP932 cannot hold (and broken UTF-8) become "?".
Cp932Result utf8ToCp932(std::string_view text);

// True when the bytes are well-formed UTF-8: no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut off at the end.
bool isValidUtf8(std::string_view bytes);

// True when every character of the UTF-8 text has a CP932 form.
bool representableInCp932(std::string_view text);

// Number of display columns: the length of the text in CP932 bytes (ASCII and half-width
// katakana one column, every other character two).
int displayWidth(std::string_view utf8);

}  // namespace orv
