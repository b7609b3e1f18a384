#include "core/LineReader.h"

#include "core/Cp932.h"

namespace orv {

bool LineReader::next() {
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

std::string LineReader::text() const {
    if (encoding_ == LineEncoding::Utf8) return std::string(line_);
    auto converted = cp932ToUtf8(line_);
    if (!converted.lossless) {
        if (encoding_ == LineEncoding::Cp932OrUtf8 && isValidUtf8(line_)) return std::string(line_);
        lossless_ = false;
    }
    return std::move(converted.text);
}

}  // namespace orv
