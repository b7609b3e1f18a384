#include "core/ShownText.h"

#include <cstdint>

namespace orv {

namespace {

constexpr const char* kCut = "…";
constexpr char kHex[] = "0123456789abcdef";

// The character at `pos` of a UTF-8 text and its length in bytes; length 0 when the bytes there
// are no well-formed character (overlong forms, surrogates and code points beyond U+10FFFF
// included).
struct Decoded {
    char32_t codePoint = 0;
    size_t length = 0;
};

Decoded decodeAt(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) return {lead, 1};
    size_t length = 0;
    char32_t cp = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return {};
    }
    if (text.size() - pos < length) return {};
    for (size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[pos + k]);
        if ((c & 0xC0u) != 0x80u) return {};
        cp = (cp << 6) | (c & 0x3Fu);
    }
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, length};
}

bool isControl(char32_t cp) { return cp < 0x20 || cp == 0x7F; }

// Characters shown as an escape although they are well-formed: C1 controls, zero-width and
// direction marks, line and paragraph separators, direction embeddings and isolates, the byte
// order mark.
bool isHidden(char32_t cp) {
    return (cp >= 0x80 && cp <= 0x9F) || (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x2028 && cp <= 0x202E) ||
           (cp >= 0x2060 && cp <= 0x2069) || cp == 0xFEFF;
}

std::string escaped(const char* prefix, uint32_t value, int digits) {
    std::string text = prefix;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) text += kHex[(value >> shift) & 0xFu];
    return text;
}

}  // namespace

std::string shownFileText(std::string_view text, size_t maxCharacters) {
    std::string shown;
    size_t characters = 0;
    for (size_t pos = 0; pos < text.size();) {
        const Decoded d = decodeAt(text, pos);
        std::string piece;
        size_t width = 1;
        if (d.length == 0) {
            piece = escaped("\\x", static_cast<unsigned char>(text[pos]), 2);
            width = piece.size();
        } else if (isControl(d.codePoint)) {
            piece = escaped("\\x", static_cast<uint32_t>(d.codePoint), 2);
            width = piece.size();
        } else if (isHidden(d.codePoint)) {
            piece = escaped("\\u", static_cast<uint32_t>(d.codePoint), 4);
            width = piece.size();
        } else {
            piece = std::string(text.substr(pos, d.length));
        }
        if (characters + width > maxCharacters) return shown + kCut;
        shown += piece;
        characters += width;
        pos += d.length == 0 ? 1 : d.length;
    }
    return shown;
}

}  // namespace orv
