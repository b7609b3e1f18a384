#include "core/TextFile.h"

#include "core/Cp932.h"

#include <cstdio>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace orv {

namespace fs = std::filesystem;

FileError readBytes(const fs::path& path, std::string& out) {
    out.clear();
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return FileError::NotFound;
    if (!fs::is_regular_file(status)) return FileError::NotAFile;
    const auto size = fs::file_size(path, ec);
    if (ec) return FileError::CannotRead;
    if (size > kMaxTextFileBytes) return FileError::TooLarge;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return FileError::CannotRead;
    out.resize(static_cast<size_t>(size));
    const size_t got = size > 0 ? std::fread(out.data(), 1, out.size(), f) : 0;
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return FileError::CannotRead;
    out.resize(got);
    return FileError::None;
}

TextLines readTextLines(const fs::path& path, size_t maxLines) {
    TextLines result;
    std::string bytes;
    result.error = readBytes(path, bytes);
    if (result.error != FileError::None) return result;
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (maxLines > 0 && result.lines.size() >= maxLines) break;
        size_t end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        auto converted = cp932ToUtf8(std::string_view(bytes).substr(pos, end - pos));
        if (!converted.lossless) result.lossless = false;
        result.lines.push_back(std::move(converted.text));
        if (end < bytes.size()) {
            // CR LF, a lone LF or a lone CR each end one line.
            if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
            ++end;
        }
        pos = end;
    }
    return result;
}

FileError writeBytesAtomic(const fs::path& path, std::string_view bytes) {
    fs::path tmp = path;
    tmp += ".orvtmp";
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return FileError::CannotWrite;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ::close(fd);
            ::unlink(tmp.c_str());
            return FileError::CannotWrite;
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        ::unlink(tmp.c_str());
        return FileError::CannotWrite;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return FileError::CannotWrite;
    }
    return FileError::None;
}

FileError writeTextLines(const fs::path& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += utf8ToCp932(line).text;
        bytes += "\r\n";
    }
    return writeBytesAtomic(path, bytes);
}

}  // namespace orv
