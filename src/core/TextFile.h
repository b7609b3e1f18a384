#pragma once
// Reading and writing Orvane's text files: CP932 bytes with CR LF line ends on disk,
// UTF-8 lines in memory. Writes go to a temporary file that is renamed over the target,
// so a file is either the old one or the complete new one.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

enum class FileError { None, NotFound, NotAFile, CannotRead, TooLarge, CannotWrite };

struct TextLines {
    std::vector<std::string> lines;  // UTF-8, line ends removed
    FileError error = FileError::None;
    bool lossless = true;  // false when bytes that are not CP932 were replaced
};

// Largest file any reader accepts; larger files are refused with TooLarge.
inline constexpr std::uintmax_t kMaxTextFileBytes = 64u * 1024u * 1024u;

// What an atomic write calls its temporary file beside the target.
inline constexpr std::string_view kAtomicWriteSuffix = ".orvtmp";

// Reads the whole file and splits it at CR LF, LF or lone CR. A final line end does not
// start an empty line. maxLines > 0 stops after that many lines.
TextLines readTextLines(const std::filesystem::path& path, size_t maxLines = 0);

// Reads the raw bytes of a file (at most kMaxTextFileBytes).
FileError readBytes(const std::filesystem::path& path, std::string& out);
// The same with a format's own limit (at most kMaxTextFileBytes either way): a larger file is
// TooLarge. A format's writer refuses what goes over the same limit.
FileError readBytes(const std::filesystem::path& path, std::string& out, std::uintmax_t maxBytes);

// Writes the lines as CP932 with CR LF after every line, atomically.
FileError writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Writes raw bytes atomically: a temporary file beside the target, flushed, then renamed.
// A symbolic link is written through: the file it points to is replaced and the link stays.
// A file that exists keeps its permissions; a new one is made readable by all (less the umask).
FileError writeBytesAtomic(const std::filesystem::path& path, std::string_view bytes);

// Appends one line (UTF-8, written as CP932 with CR LF) to the end of an existing regular
// file without rewriting it: what the file held stays byte for byte. A file whose last line
// has no line end gets a CR LF first, so the new line is a line of its own. A write that
// fails part way is cut back to the old length. NotFound when there is no such file.
FileError appendTextLine(const std::filesystem::path& path, std::string_view line);
// The same for a line already in the file's bytes (UTF-8 for a UTF-8 file).
FileError appendLineBytes(const std::filesystem::path& path, std::string_view lineBytes);

// The lines as CP932 bytes with CR LF after every line.
std::string cp932LinesBytes(const std::vector<std::string>& lines);

}  // namespace orv
