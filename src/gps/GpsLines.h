#pragma once
// The lines of a GPS text file, one after the other, with what the readers need of each:
// its number, its bytes, the bytes read so far for the progress strip, and its text.
#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

class GpsLines {
public:
    // bytes: the whole file; it must outlive this object.
    explicit GpsLines(std::string_view bytes) : bytes_(bytes) {}

    // Moves to the next line; false at the end of the file. A line ends at CR LF, LF or a
    // lone CR; a final line end does not start an empty line.
    bool next();

    // 1-based number of the current line.
    int number() const { return number_; }

    // The current line's bytes as stored (CP932), without its line end.
    std::string_view bytes() const { return line_; }

    // The characters read so far, counting each line's length plus 1 (the progress measure).
    size_t charactersRead() const { return charactersRead_; }

    // The current line as UTF-8: converted from CP932, or taken as it is when it is not CP932
    // but is valid UTF-8 (a file saved in the other encoding keeps its names). Bytes that are
    // neither become U+FFFD.
    std::string text() const;

private:
    std::string_view bytes_;
    std::string_view line_;
    size_t pos_ = 0;
    int number_ = 0;
    size_t charactersRead_ = 0;
};

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

}  // namespace orv
