#include "gps/GpsLines.h"

#include "core/Cp932.h"

namespace orv {

bool GpsLines::next() {
    if (pos_ >= bytes_.size()) return false;
    size_t end = pos_;
    while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n') ++end;
    line_ = bytes_.substr(pos_, end - pos_);
    if (end < bytes_.size()) {
        if (bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n') ++end;
        ++end;
    }
    pos_ = end;
    ++number_;
    charactersRead_ += line_.size() + 1;
    return true;
}

std::string GpsLines::text() const {
    auto converted = cp932ToUtf8(line_);
    if (!converted.lossless && isValidUtf8(line_)) return std::string(line_);
    return std::move(converted.text);
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
