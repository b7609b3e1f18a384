#include "platform/PictureBytes.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace orv {

namespace {

using i64 = std::int64_t;

unsigned byteAt(const QByteArray& bytes, qsizetype i) { return static_cast<unsigned char>(bytes[i]); }

}  // namespace

PictureKind pictureKindOf(const QByteArray& bytes) {
    if (bytes.size() >= 3 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8 && byteAt(bytes, 2) == 0xFF)
        return PictureKind::Jpeg;
    if (bytes.startsWith("BM")) return PictureKind::Bmp;
    return PictureKind::Other;
}

std::optional<QByteArray> readFileBytes(const std::filesystem::path& path, std::int64_t maxBytes) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got > 0) {
            if (bytes.size() + static_cast<i64>(got) > maxBytes) return std::nullopt;
            bytes.append(chunk, static_cast<qsizetype>(got));
        }
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

bool jpegComplete(const QByteArray& bytes) {
    const qsizetype size = bytes.size();
    if (size < 4 || byteAt(bytes, 0) != 0xFF || byteAt(bytes, 1) != 0xD8) return false;
    qsizetype pos = 2;
    while (pos + 1 < size) {
        if (byteAt(bytes, pos) != 0xFF) return false;
        while (pos + 1 < size && byteAt(bytes, pos + 1) == 0xFF) ++pos;  // fill bytes
        if (pos + 1 >= size) return false;
        const unsigned marker = byteAt(bytes, pos + 1);
        if (marker == 0xD9) return false;  // end of image before any scan
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            pos += 2;
            continue;
        }
        if (pos + 3 >= size) return false;
        const qsizetype length = (qsizetype{byteAt(bytes, pos + 2)} << 8) | byteAt(bytes, pos + 3);
        if (length < 2) return false;
        if (marker == 0xDA) return bytes.indexOf(QByteArrayView("\xFF\xD9", 2), pos + 2 + length) >= 0;
        pos += 2 + length;
    }
    return false;
}

bool bmpComplete(const QByteArray& header, std::int64_t fileSize, int maxSide) {
    const auto u16 = [&](qsizetype i) { return byteAt(header, i) | (byteAt(header, i + 1) << 8); };
    const auto u32 = [&](qsizetype i) { return static_cast<std::uint32_t>(u16(i)) | (static_cast<std::uint32_t>(u16(i + 2)) << 16); };
    if (header.size() < 26) return false;
    const i64 dataOffset = u32(10);
    const std::uint32_t headerSize = u32(14);
    i64 width = 0;
    i64 height = 0;
    i64 bitCount = 0;
    std::uint32_t compression = 0;
    if (headerSize == 12) {
        width = u16(18);
        height = u16(20);
        bitCount = u16(24);
    } else {
        if (headerSize < 40 || header.size() < 34) return false;
        width = static_cast<std::int32_t>(u32(18));
        height = static_cast<std::int32_t>(u32(22));
        bitCount = u16(28);
        compression = u32(30);
    }
    // This also keeps the sums below small.
    if (std::llabs(width) > maxSide || std::llabs(height) > maxSide || bitCount > 64) return false;
    const bool plainRows = compression == 0 || compression == 3 || compression == 6;
    if (!plainRows) return true;
    const i64 rowBytes = (std::llabs(width) * bitCount + 31) / 32 * 4;
    return dataOffset + rowBytes * std::llabs(height) <= fileSize;
}

}  // namespace orv
