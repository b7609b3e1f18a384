#include "core/Characters.h"

namespace orv {

namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }

// Byte offset of character `index`, or the text's size when it has fewer characters.
size_t characterOffset(std::string_view utf8, size_t index) {
    size_t i = 0;
    for (size_t n = 0; n < index && i < utf8.size(); ++n) {
        ++i;
        while (i < utf8.size() && isContinuation(utf8[i])) ++i;
    }
    return i;
}

}  // namespace

size_t characterCount(std::string_view utf8) {
    size_t n = 0;
    for (size_t i = 0; i < utf8.size(); ++i)
        if (i == 0 || !isContinuation(utf8[i])) ++n;
    return n;
}

std::string_view characterSlice(std::string_view utf8, size_t first, size_t count) {
    const size_t begin = characterOffset(utf8, first);
    const std::string_view rest = utf8.substr(begin);
    return rest.substr(0, count == std::string_view::npos ? rest.size() : characterOffset(rest, count));
}

std::string asciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace orv
