#include "core/TextFile.h"

#include "core/Cp932.h"
#include "core/LineReader.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace orv {

namespace fs = std::filesystem;

FileError readBytes(const fs::path& path, std::string& out) { return readBytes(path, out, kMaxTextFileBytes); }

FileError readBytes(const fs::path& path, std::string& out, std::uintmax_t maxBytes) {
    out.clear();
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return FileError::NotFound;
    if (!fs::is_regular_file(status)) return FileError::NotAFile;
    const auto size = fs::file_size(path, ec);
    if (ec) return FileError::CannotRead;
    if (size > kMaxTextFileBytes || size > maxBytes) return FileError::TooLarge;
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
    LineReader lines(bytes, LineEncoding::Cp932);
    while ((maxLines == 0 || result.lines.size() < maxLines) && lines.next())
        result.lines.push_back(lines.text());
    result.lossless = lines.lossless();
    return result;
}

namespace {

// The file a path names, following symbolic links (a relative link is read from the link's
// folder). A path that is no link, or a link loop, is taken as it stands.
fs::path linkTarget(const fs::path& path) {
    fs::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec)) || ec) return target;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) return target;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return path;
}

}  // namespace

FileError writeBytesAtomic(const fs::path& path, std::string_view bytes) {
    const fs::path target = linkTarget(path);
    fs::path tmp = target;
    tmp += std::string(kAtomicWriteSuffix);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return FileError::CannotWrite;
    const auto fail = [&] {
        ::close(fd);
        ::unlink(tmp.c_str());
        return FileError::CannotWrite;
    };
    if (existed && ::fchmod(fd, old.st_mode & 07777) != 0) return fail();
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return fail();
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) return fail();
    if (::close(fd) != 0) {
        ::unlink(tmp.c_str());
        return FileError::CannotWrite;
    }
    if (std::rename(tmp.c_str(), target.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return FileError::CannotWrite;
    }
    return FileError::None;
}

FileError appendTextLine(const fs::path& path, std::string_view line) {
    return appendLineBytes(path, utf8ToCp932(line).text);
}

FileError appendLineBytes(const fs::path& path, std::string_view lineBytes) {
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileError::NotFound : FileError::CannotWrite;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileError::NotAFile;
    }
    std::string bytes;
    if (info.st_size > 0) {
        char last = 0;
        if (::pread(fd, &last, 1, info.st_size - 1) != 1) {
            ::close(fd);
            return FileError::CannotRead;
        }
        if (last != '\n' && last != '\r') bytes = "\r\n";
    }
    bytes += lineBytes;
    bytes += "\r\n";
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            // Nothing half-written stays behind: the file ends where it ended.
            if (::ftruncate(fd, info.st_size) != 0) {
                // The failed write is what is reported either way.
            }
            ::close(fd);
            return FileError::CannotWrite;
        }
        done += static_cast<size_t>(n);
    }
    const bool synced = ::fsync(fd) == 0;
    if (::close(fd) != 0 || !synced) return FileError::CannotWrite;
    return FileError::None;
}

std::string cp932LinesBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += utf8ToCp932(line).text;
        bytes += "\r\n";
    }
    return bytes;
}

FileError writeTextLines(const fs::path& path, const std::vector<std::string>& lines) {
    return writeBytesAtomic(path, cp932LinesBytes(lines));
}

}  // namespace orv
