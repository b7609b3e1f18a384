// The text conversion every reader and writer goes through.
#include "FuzzTargets.h"

#include "core/Cp932.h"
#include "core/LineReader.h"

namespace orv::fuzz {

void fuzzCp932(std::string_view bytes, Checks& checks) {
    // Any bytes read as CP932 give UTF-8 text.
    checks.expect(isValidUtf8(cp932ToUtf8(bytes).text), "CP932 bytes gave text that is not UTF-8");

    // Any text is stored as bytes that read back without loss, and stored again as the same
    // bytes. A text CP932 holds one for one comes back as it was (a few characters are stored
    // as another's bytes, "¥" as those of "\"), and its width is its length in CP932 bytes.
    const Cp932Result stored = utf8ToCp932(bytes);
    const Cp932Result back = cp932ToUtf8(stored.text);
    checks.expect(back.lossless, "a text was stored as bytes that are not CP932");
    checks.expect(utf8ToCp932(back.text).text == stored.text, "stored bytes read back are stored otherwise");
    checks.expect(representableInCp932(bytes) == stored.lossless, "representableInCp932 disagrees");
    if (isValidUtf8(bytes) && stored.lossless && back.text == bytes)
        checks.expect(displayWidth(bytes) == static_cast<int>(stored.text.size()),
                      "the display width is not the length in CP932 bytes");

    // The line reader hands out every byte once: the lines, without their ends, one after the
    // other, each as UTF-8 text.
    LineReader lines(bytes, LineEncoding::Cp932OrUtf8);
    size_t end = 0;
    while (lines.next()) {
        const std::string_view line = lines.bytes();
        checks.expect(line.data() == bytes.data() + end, "a line does not start where the last ended");
        checks.expect(line.find_first_of("\r\n") == std::string_view::npos, "a line holds a line end");
        checks.expect(lines.offset() > end && lines.offset() <= bytes.size(), "the reader went back or past the end");
        checks.expect(isValidUtf8(lines.text()), "a line's text is not UTF-8");
        end = lines.offset();
    }
    checks.expect(end == bytes.size(), "the line reader left bytes unread");
}

}  // namespace orv::fuzz
