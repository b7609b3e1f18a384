#pragma once
// Reads GPX 1.0 and 1.1 files with expat, a streaming XML parser: one pass over the bytes,
// nothing of the document kept but its points. Returns the document or the problem that stopped it;
// it never touches the application state nor shows a message.
#include "core/Result.h"
#include "exchange/Gpx.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace orv {

// Progress 0..200 by the share of the file read, reported every few hundred points.
using GpxProgress = std::function<void(int value)>;

// Problems (line = the file's line where the reader found it, detail = what was wrong, in words
// for the message):
// - the file's own: NotFound, NotAFile, CannotRead, TooLarge;
// - BadFormat: not XML, cut short, XML whose outermost element is not "gpx", or elements nested
//   more than 256 deep;
// - BadRecord: a point without its "lat" or "lon";
// - BadValue: a "lat" or "lon" that is no number or lies beyond ±90° / ±180°;
// - NoData: a GPX file without a single point;
// - TooMany: more than a million points.
// Routes, tracks and track segments without a point are left out.
// An elevation or time that cannot be read leaves the point without it and is counted in
// oddValues.
Result<GpxDocument> readGpx(std::string_view bytes, const GpxProgress& progress = {});
Result<GpxDocument> readGpxFile(const std::filesystem::path& path, const GpxProgress& progress = {});

}  // namespace orv
