#include "core/Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace orv {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; an unconvertible sequence of `badLength(in)` bytes is
    // replaced by `replacement`.
    template <typename BadLength>
    Cp932Result run(std::string_view input, std::string_view replacement, BadLength badLength) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        Cp932Result result;
        result.text.reserve(input.size() * 3 / 2 + 16);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &in, &inLeft, &out, &outLeft);
            result.text.append(buffer, static_cast<size_t>(out - buffer));
            if (rc == static_cast<size_t>(-1)) {
                if (errno == E2BIG) continue;
                // EILSEQ or EINVAL (truncated sequence at the end): replace and go on.
                result.lossless = false;
                result.text.append(replacement);
                const size_t skip = std::min(inLeft, badLength(std::string_view(in, inLeft)));
                in += skip;
                inLeft -= skip;
            }
        }
        return result;
    }

private:
    iconv_t cd_;
};

size_t utf8SequenceLength(std::string_view s) {
    const auto c = static_cast<unsigned char>(s[0]);
    size_t n = 1;
    if (c >= 0xF0) n = 4;
    else if (c >= 0xE0) n = 3;
    else if (c >= 0xC0) n = 2;
    // Only skip continuation bytes that are really there.
    size_t k = 1;
    while (k < n && k < s.size() && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80) ++k;
    return k;
}

Converter& toUtf8() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& toCp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

}  // namespace

Cp932Result cp932ToUtf8(std::string_view bytes) {
    // Fast path: pure ASCII needs no conversion.
    bool ascii = true;
    for (char ch : bytes)
        if (static_cast<unsigned char>(ch) >= 0x80) { ascii = false; break; }
    if (ascii) return {std::string(bytes), true};
    return toUtf8().run(bytes, "\xEF\xBF\xBD", [](std::string_view) { return size_t{1}; });
}

Cp932Result utf8ToCp932(std::string_view text) {
    bool ascii = true;
    for (char ch : text)
        if (static_cast<unsigned char>(ch) >= 0x80) { ascii = false; break; }
    if (ascii) return {std::string(text), true};
    return toCp932().run(text, "?", utf8SequenceLength);
}

bool representableInCp932(std::string_view text) { return utf8ToCp932(text).lossless; }

int displayWidth(std::string_view utf8) {
    int width = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            width += 1;
            ++i;
            continue;
        }
        const size_t n = utf8SequenceLength(utf8.substr(i));
        // Half-width katakana U+FF61..U+FF9F are single bytes in CP932: EF BD A1..EF BE 9F.
        if (n == 3 && c == 0xEF) {
            const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
            const auto b2 = static_cast<unsigned char>(utf8[i + 2]);
            const unsigned cp = ((c & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
            width += (cp >= 0xFF61 && cp <= 0xFF9F) ? 1 : 2;
        } else {
            width += 2;
        }
        i += n;
    }
    return width;
}

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        unsigned int code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) { extra = 1; code = c & 0x1Fu; }
        else if (c >= 0xE0 && c <= 0xEF) { extra = 2; code = c & 0x0Fu; }
        else if (c >= 0xF0 && c <= 0xF4) { extra = 3; code = c & 0x07u; }
        else return false;
        if (i + extra >= bytes.size()) return false;  // the sequence is cut off
        for (size_t k = 1; k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0u) != 0x80u) return false;
            code = (code << 6) | (b & 0x3Fu);
        }
        // Overlong forms, surrogates and code points beyond U+10FFFF are not UTF-8.
        if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace orv
