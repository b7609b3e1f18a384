#pragma once
// Reading a sheet's scanned image for the map-image window. A picture is taken only when it
// decodes whole: a JPEG cut short or a BMP missing rows is refused, never shown with grey or
// black filling. Sides beyond kMaxMapImageSide are refused from the header, before any pixel
// is read.
#include "sheets/MapImageRoute.h"

#include <QImage>

#include <cstdint>
#include <string>

namespace orv {

// A JPEG file is read whole into memory before decoding; larger ones are refused.
inline constexpr std::int64_t kMaxMapImageJpegBytes = std::int64_t{512} * 1024 * 1024;

struct MapImageRead {
    ImageLoad load = ImageLoad::Unreadable;
    QImage image;  // when Loaded; a greyscale JPEG keeps one byte a pixel
};

// Uses the desktop's image readers: on the main thread.
MapImageRead readMapImage(const std::string& path);

}  // namespace orv
