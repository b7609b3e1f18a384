#pragma once
// Decodes a JPEG file's bytes straight into an opaque RGB32 picture: the decoder writes each
// row in the picture's own pixel layout, so no second picture and no conversion pass are made.
// The pixels are the same as the desktop's image reader gives for the file.
#include <QByteArray>
#include <QImage>

#include <optional>

namespace orv {

// The picture of a greyscale or colour (YCbCr / RGB) JPEG whose sides are within maxSide;
// nothing for other kinds (CMYK), larger pictures or data the decoder refuses.
std::optional<QImage> decodeJpegRgb32(const QByteArray& bytes, int maxSide);

}  // namespace orv
