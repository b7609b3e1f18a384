#pragma once
// The one line reader of every text format: walks the bytes of a file line by line. A line ends
// at CR LF, LF or a lone CR; a final line end does not start an empty line. Lines are handed
// out as the bytes stored (CP932 on disk) and, on request, as UTF-8 text.
#include <cstddef>
#include <string>
#include <string_view>

namespace orv {

// How a line's bytes become UTF-8 text.
enum class LineEncoding {
    Cp932,        // converted from CP932; bytes that are not CP932 become U+FFFD
    Utf8,         // taken as they are
    Cp932OrUtf8,  // CP932, or taken as they are when not CP932 but valid UTF-8 (a file saved
                  // in the other encoding keeps its names)
};

class LineReader {
public:
    // bytes: the whole file; it must outlive this object.
    explicit LineReader(std::string_view bytes, LineEncoding encoding = LineEncoding::Cp932OrUtf8)
        : bytes_(bytes), encoding_(encoding) {}

    // Moves to the next line; false at the end of the file.
    bool next();

    // 1-based number of the current line.
    int number() const { return number_; }

    // The current line's bytes as stored, without its line end.
    std::string_view bytes() const { return line_; }

    // The characters read so far, counting each line's length plus 1 (the progress measure).
    size_t charactersRead() const { return charactersRead_; }

    // Offset of the first byte after the current line and its line end.
    size_t offset() const { return pos_; }

    // The current line as UTF-8 text in the reader's encoding.
    std::string text() const;

    // False once a line's text had bytes replaced (Cp932 and Cp932OrUtf8 only).
    bool lossless() const { return lossless_; }

private:
    std::string_view bytes_;
    LineEncoding encoding_;
    std::string_view line_;
    size_t pos_ = 0;
    int number_ = 0;
    size_t charactersRead_ = 0;
    mutable bool lossless_ = true;
};

}  // namespace orv
