#pragma once
// Counting and cutting UTF-8 texts by characters (code points), as the file formats' rules
// count them: "the nine characters after the blank" are nine characters whatever their bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// Number of characters of the text.
size_t characterCount(std::string_view utf8);

// At most `count` characters of the text from character `first` (0-based); empty when the text
// is shorter.
std::string_view characterSlice(std::string_view utf8, size_t first,
                                size_t count = std::string_view::npos);

// The text with the ASCII letters in upper (lower) case; every other byte, UTF-8 included, as
// it is. For file name extensions, which the program compares without regard to case.
std::string asciiUpper(std::string_view text);
std::string asciiLower(std::string_view text);

}  // namespace orv
