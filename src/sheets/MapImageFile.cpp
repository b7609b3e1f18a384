#include "sheets/MapImageFile.h"

#include "platform/JpegPicture.h"
#include "platform/PictureBytes.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <utility>

namespace orv {

namespace {

// What the BMP check needs of a file's start.
constexpr qint64 kHeaderBytes = 64;

// The pixels of a picture whose header was found acceptable, through the desktop's reader.
MapImageRead readWithReader(QIODevice& device, const QSize& header) {
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    // kMaxMapImageSide × kMaxMapImageSide pixels of four bytes each.
    QImageReader::setAllocationLimit(1600);
    QImage picture;
    if (!reader.read(&picture) || picture.isNull() || picture.size() != header) return {};
    return {ImageLoad::Loaded, std::move(picture)};
}

// The size the header claims, read without decoding; an invalid size for what is no picture.
QSize headerSize(QIODevice& device) {
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    device.seek(0);
    return size;
}

}  // namespace

MapImageRead readMapImage(const std::string& path) {
    const QString name = QString::fromStdString(path);
    if (!QFileInfo(name).isFile()) return {ImageLoad::Missing, {}};
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QSize header = headerSize(file);
    if (!header.isValid() || header.isEmpty()) return {};
    if (header.width() > kMaxMapImageSide || header.height() > kMaxMapImageSide) return {ImageLoad::TooLarge, {}};

    const QByteArray start = file.peek(kHeaderBytes);
    switch (pictureKindOf(start)) {
        case PictureKind::Jpeg: {
            if (file.size() > kMaxMapImageJpegBytes) return {};
            QByteArray bytes = file.readAll();
            if (bytes.size() != file.size() || !jpegComplete(bytes)) return {};
            if (std::optional<QImage> picture = decodeJpeg(bytes, kMaxMapImageSide, JpegGrey::Keep))
                return {ImageLoad::Loaded, std::move(*picture)};
            // Kinds left to the desktop's reader (CMYK) are first decoded once to see they are whole.
            if (!jpegDecodesWhole(bytes, kMaxMapImageSide)) return {};
            QBuffer buffer(&bytes);
            if (!buffer.open(QIODevice::ReadOnly)) return {};
            return readWithReader(buffer, header);
        }
        case PictureKind::Bmp:
            if (!bmpComplete(start, file.size(), kMaxMapImageSide)) return {};
            return readWithReader(file, header);
        case PictureKind::Other: break;
    }
    return readWithReader(file, header);
}

}  // namespace orv
