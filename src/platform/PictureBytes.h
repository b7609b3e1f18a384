#pragma once
// A picture file's bytes and what they are, told from the bytes alone. Nothing here touches the
// desktop's image readers, their plugins or the application object, so it may run on any
// thread, also before the application object exists.
#include <QByteArray>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace orv {

enum class PictureKind { Jpeg, Bmp, Other };

// JPEG by its start-of-image marker followed by another marker, BMP by its "BM" signature.
PictureKind pictureKindOf(const QByteArray& bytes);

// The whole file, or nothing when it cannot be read or holds more than maxBytes.
std::optional<QByteArray> readFileBytes(const std::filesystem::path& path, std::int64_t maxBytes);

// A JPEG file is complete when an end-of-image marker follows its first scan; a decoder alone
// may quietly fill a cut-short picture with grey.
bool jpegComplete(const QByteArray& bytes);

// An uncompressed BMP file of fileSize bytes, of which `header` holds at least the first 54,
// must hold all rows its header announces; sides beyond maxSide are refused here as well.
// Run-length coded files pass: their reader checks its own data.
bool bmpComplete(const QByteArray& header, std::int64_t fileSize, int maxSide);

}  // namespace orv
