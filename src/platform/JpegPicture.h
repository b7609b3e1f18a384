#pragma once
// Decodes a JPEG file's bytes straight into a picture: the decoder writes each row in the
// picture's own pixel layout, so no second picture and no conversion pass are made. The pixels
// are the same as the desktop's image reader gives for the file. Only the JPEG library is used,
// never the desktop's image readers: safe on any thread, also before the application object exists.
#include <QByteArray>
#include <QImage>

#include <optional>

namespace orv {

// How a greyscale picture comes out: as opaque RGB32 like the colour ones, or as one byte a
// pixel (a quarter of the memory, as the desktop's reader gives it).
enum class JpegGrey { ToRgb32, Keep };

// The picture of a greyscale or colour (YCbCr / RGB) JPEG whose sides are within maxSide;
// nothing for other kinds (CMYK), larger pictures, data the decoder refuses and data that does
// not decode whole (the file ends, or its data stops, before the last row).
std::optional<QImage> decodeJpeg(const QByteArray& bytes, int maxSide, JpegGrey grey = JpegGrey::ToRgb32);
inline std::optional<QImage> decodeJpegRgb32(const QByteArray& bytes, int maxSide) {
    return decodeJpeg(bytes, maxSide, JpegGrey::ToRgb32);
}

// Whether a JPEG of any kind, the ones decodeJpeg leaves to the desktop's reader included,
// has sides within maxSide and decodes whole; the rows are decoded one by one and dropped.
bool jpegDecodesWhole(const QByteArray& bytes, int maxSide);

}  // namespace orv
