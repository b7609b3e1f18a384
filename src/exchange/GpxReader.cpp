#include "exchange/GpxReader.h"

#include "core/TextFile.h"

#include <QString>

#include <expat.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orv {

namespace {

// Points between two progress reports.
constexpr size_t kPointsPerReport = 512;
constexpr int kProgressWidth = 200;

// Bytes handed to the XML parser at a time: it takes the length as an int. A file is handed over
// whole (files are at most 64 MB): expat reads a token cut by the end of a piece again from its
// start, and a long comment cut many times would take time growing with its square.
constexpr size_t kPieceBytes = size_t{1} << 30;

// Elements nest at most this deep (extensions nest a few levels): expat keeps every open one.
constexpr size_t kMaxDepth = 256;
// The most points a file may hold: a day's log a point a second has 86 400.
constexpr size_t kMaxPoints = 1'000'000;
// The most text kept of one value (a name is cut to 100 characters anyway).
constexpr size_t kMaxValueText = size_t{64} << 10;
// The fewest bytes a point takes in a file: <trkpt lat="1" lon="1"/>.
constexpr size_t kMinPointBytes = 24;

// Expat puts this between an element's namespace and its local name; it cannot occur in XML.
constexpr XML_Char kNamespaceSeparator = '\x01';

constexpr const char* kNoLatLon = "点に緯度（lat）か経度（lon）がありません。";
constexpr const char* kBadLatitude = "緯度（lat）が数値でないか、範囲を外れています。";
constexpr const char* kBadLongitude = "経度（lon）が数値でないか、範囲を外れています。";
const std::string kTooDeep = "要素の入れ子が深すぎます（" + std::to_string(kMaxDepth) + " 段まで）。";
const std::string kTooManyPoints = "位置の点が多すぎます（" + std::to_string(kMaxPoints / 10000) + " 万点まで）。";

// The local name of an element or attribute: GPX 1.0 and 1.1 differ only in their namespace,
// and some writers give it a prefix.
std::string_view localName(const XML_Char* name) {
    const char* separator = std::strrchr(name, kNamespaceSeparator);
    return separator ? std::string_view(separator + 1) : std::string_view(name);
}

// A name as the program keeps it: control characters (line breaks, tabs) become blanks, it is
// cut to kMaxGpxNameCharacters, and blanks around it go (those the cut left at its end too, so
// the name reads back the same from a file it was written to).
std::string cleanName(const std::string& utf8) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control) c = u' ';
    text = text.trimmed();
    if (text.size() > kMaxGpxNameCharacters) {
        text.truncate(kMaxGpxNameCharacters);
        if (text.back().isHighSurrogate()) text.chop(1);
        text = text.trimmed();
    }
    return text.toStdString();
}

// Values (numbers, times) are short ASCII texts with blanks around them allowed; longer ones
// or other characters are no value.
constexpr size_t kLongestValue = 64;

std::optional<std::string_view> asciiValue(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return std::string_view{};
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.size() > kLongestValue) return std::nullopt;
    if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return std::nullopt;
    return text;
}

// A decimal number ("35.5", "-0.25", "+12", "1e3"); nothing for anything else or a value that
// is not finite.
std::optional<double> numberOf(std::string_view text) {
    const auto value = asciiValue(text);
    if (!value || value->empty()) return std::nullopt;
    std::string_view digits = *value;
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    double number = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(number)) return std::nullopt;
    return number;
}

std::optional<double> coordinate(std::string_view text, double limit) {
    const auto value = numberOf(text);
    if (!value || std::fabs(*value) > limit) return std::nullopt;
    return value;
}

int clampedLine(XML_Size line) {
    return static_cast<int>(std::min<XML_Size>(line, static_cast<XML_Size>(std::numeric_limits<int>::max())));
}

// The elements the reader looks into; everything else is skipped with its content.
enum class Context { Gpx, Metadata, Route, Track, Segment, Point, Value };

// The element whose text is a value of the document, a route, a track or the point being read.
enum class Field { DocumentName, RouteName, TrackName, Elevation, Time, PointName, Symbol };

struct Frame {
    Context context;
    Field field = Field::DocumentName;  // for Value
    int line = 0;                       // where the element starts
};

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using ParserHandle = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree>;

// One pass of expat over the bytes, handed over in pieces; its callbacks follow the elements
// on a short stack of those the reader looks into and count the depth of skipped ones.
class GpxParser {
public:
    GpxParser(std::string_view bytes, const GpxProgress& progress) : bytes_(bytes), progress_(progress) {}

    Result<GpxDocument> run() {
        if (progress_) progress_(0);
        if (bytes_.empty()) return Problem{ProblemKind::BadFormat, 0, "ファイルが空です。"};
        parser_.reset(XML_ParserCreateNS(nullptr, kNamespaceSeparator));
        if (!parser_) return Problem{ProblemKind::TooLarge, 0, "XMLを読む準備ができません。"};
        XML_SetUserData(parser_.get(), this);
        XML_SetElementHandler(parser_.get(), &GpxParser::onStart, &GpxParser::onEnd);
        XML_SetCharacterDataHandler(parser_.get(), &GpxParser::onText);
        // External entities are never loaded (no handler for them); internal ones are expanded
        // within expat's limit on how much they may amplify the input.
        size_t at = 0;
        do {
            const size_t piece = std::min(kPieceBytes, bytes_.size() - at);
            const bool last = at + piece == bytes_.size();
            if (XML_Parse(parser_.get(), bytes_.data() + at, static_cast<int>(piece), last) != XML_STATUS_OK)
                return problem_ ? *problem_ : xmlProblem();
            at += piece;
        } while (at < bytes_.size());
        if (doc_.waypoints.empty() && doc_.routePointCount() == 0 && doc_.trackPointCount() == 0)
            return Problem{ProblemKind::NoData, 0, "位置の点（wpt, rtept, trkpt）がありません。"};
        if (progress_) progress_(kProgressWidth);
        return std::move(doc_);
    }

private:
    static void onStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        static_cast<GpxParser*>(self)->start(localName(name), attributes);
    }
    static void onEnd(void* self, const XML_Char*) { static_cast<GpxParser*>(self)->end(); }
    static void onText(void* self, const XML_Char* text, int length) {
        auto* parser = static_cast<GpxParser*>(self);
        if (parser->skipped_ == 0 && !parser->frames_.empty() && parser->frames_.back().context == Context::Value)
            parser->text_.append(text, std::min(static_cast<size_t>(length), kMaxValueText - std::min(kMaxValueText, parser->text_.size())));
    }

    int line() const { return clampedLine(XML_GetCurrentLineNumber(parser_.get())); }

    Problem xmlProblem() const {
        const XML_Error code = XML_GetErrorCode(parser_.get());
        const int at = line();
        switch (code) {
        case XML_ERROR_NO_ELEMENTS:
            if (!rootSeen_) return Problem{ProblemKind::BadFormat, at, "XMLの要素がありません。"};
            [[fallthrough]];
        case XML_ERROR_UNCLOSED_TOKEN:
        case XML_ERROR_PARTIAL_CHAR:
        case XML_ERROR_UNCLOSED_CDATA_SECTION:
            return Problem{ProblemKind::BadFormat, at, "ファイルが途中で終わっています。"};
        default:
            return Problem{ProblemKind::BadFormat, at,
                           std::string("XMLとして正しくありません（") + XML_ErrorString(code) + "）。"};
        }
    }

    // Stops the reading: the problem is reported instead of whatever expat says.
    void fail(ProblemKind kind, int at, std::string detail) {
        if (!problem_) problem_ = Problem{kind, at, std::move(detail)};
        XML_StopParser(parser_.get(), XML_FALSE);
    }

    void noteOdd(int at) {
        if (doc_.oddValues++ == 0) doc_.firstOddLine = at;
    }

    void enter(Context context) { frames_.push_back(Frame{context, Field::DocumentName, line()}); }

    void enterValue(Field field) {
        text_.clear();
        frames_.push_back(Frame{Context::Value, field, line()});
    }

    void start(std::string_view name, const XML_Char** attributes) {
        if (skipped_ > 0 || problem_) {
            // Only skipped elements nest without end: the reader's own go five deep.
            if (frames_.size() + skipped_ >= kMaxDepth) fail(ProblemKind::BadFormat, line(), kTooDeep);
            ++skipped_;
            return;
        }
        if (!rootSeen_) {
            rootSeen_ = true;
            if (name != "gpx")
                fail(ProblemKind::BadFormat, line(), "最初の要素が「" + std::string(name) + "」で、GPXではありません。");
            enter(Context::Gpx);
            return;
        }
        if (frames_.empty()) {
            ++skipped_;
            return;
        }
        switch (frames_.back().context) {
        case Context::Gpx:
            if (name == "wpt") return startPoint(attributes);
            if (name == "rte") return enter(Context::Route);
            if (name == "trk") return enter(Context::Track);
            if (name == "name") return enterValue(Field::DocumentName);
            if (name == "metadata") return enter(Context::Metadata);
            break;
        case Context::Metadata:
            if (name == "name") return enterValue(Field::DocumentName);
            break;
        case Context::Route:
            if (name == "rtept") return startPoint(attributes);
            if (name == "name") return enterValue(Field::RouteName);
            break;
        case Context::Track:
            if (name == "trkseg") return startSegment();
            if (name == "name") return enterValue(Field::TrackName);
            break;
        case Context::Segment:
            if (name == "trkpt") return startPoint(attributes);
            break;
        case Context::Point:
            if (name == "ele") return enterValue(Field::Elevation);
            if (name == "time") return enterValue(Field::Time);
            if (name == "name") return enterValue(Field::PointName);
            if (name == "sym") return enterValue(Field::Symbol);
            break;
        case Context::Value:
            break;  // the text of a value is its own, not that of elements inside it
        }
        ++skipped_;
    }

    void end() {
        if (skipped_ > 0) {
            --skipped_;
            return;
        }
        const Frame frame = frames_.back();
        frames_.pop_back();
        switch (frame.context) {
        case Context::Value:
            storeValue(frame);
            break;
        case Context::Point:
            endPoint();
            break;
        // Routes, segments and tracks without a point are left out: a file of nothing but
        // empty ones would otherwise cost memory many times its size.
        case Context::Route:
            if (!route_.points.empty()) doc_.routes.push_back(std::move(route_));
            route_ = {};
            break;
        case Context::Segment:
            if (!segment_.empty()) track_.segments.push_back(std::move(segment_));
            segment_ = {};
            break;
        case Context::Track:
            if (!track_.segments.empty()) doc_.tracks.push_back(std::move(track_));
            track_ = {};
            break;
        case Context::Gpx:
        case Context::Metadata:
            break;
        }
    }

    // A trkseg element. Its points are counted in the bytes up to its end tag, so that they
    // are kept in one vector of that size: logs run to tens of thousands of points. No byte is
    // looked at twice (a segment without its end tag counts to the end of the file).
    void startSegment() {
        enter(Context::Segment);
        const XML_Index at = XML_GetCurrentByteIndex(parser_.get());
        if (at < 0 || static_cast<size_t>(at) < countedTo_ || static_cast<size_t>(at) >= bytes_.size()) return;
        const std::string_view rest = bytes_.substr(static_cast<size_t>(at));
        const std::string_view segment = rest.substr(0, rest.find("</trkseg"));
        constexpr std::string_view kPointTag = "<trkpt";
        size_t count = 0;
        for (size_t p = segment.find(kPointTag); p != std::string_view::npos && count < kMaxPoints;
             p = segment.find(kPointTag, p + kPointTag.size()))
            ++count;
        countedTo_ = static_cast<size_t>(at) + segment.size();
        segment_.reserve(std::min(count, segment.size() / kMinPointBytes));
    }

    // A wpt, rtept or trkpt element: its position now, its elevation, time and name as they come.
    void startPoint(const XML_Char** attributes) {
        point_ = GpxPoint{};
        point_.line = line();
        const char* latitudeText = nullptr;
        const char* longitudeText = nullptr;
        for (const XML_Char** a = attributes; *a; a += 2) {
            const std::string_view name = localName(a[0]);
            if (name == "lat") latitudeText = a[1];
            else if (name == "lon") longitudeText = a[1];
        }
        enter(Context::Point);
        if (points_ >= kMaxPoints) return fail(ProblemKind::TooMany, point_.line, kTooManyPoints);
        if (!latitudeText || !longitudeText) return fail(ProblemKind::BadRecord, point_.line, kNoLatLon);
        const auto latitude = coordinate(latitudeText, 90.0);
        if (!latitude) return fail(ProblemKind::BadValue, point_.line, kBadLatitude);
        const auto longitude = coordinate(longitudeText, 180.0);
        if (!longitude) return fail(ProblemKind::BadValue, point_.line, kBadLongitude);
        point_.latitude = *latitude;
        point_.longitude = *longitude;
    }

    void endPoint() {
        switch (frames_.back().context) {
        case Context::Gpx:
            doc_.waypoints.push_back(std::move(point_));
            break;
        case Context::Route:
            route_.points.push_back(std::move(point_));
            break;
        default:
            segment_.push_back(std::move(point_));
            break;
        }
        if (++points_ % kPointsPerReport == 0 && progress_) {
            const double read = static_cast<double>(std::max<XML_Index>(XML_GetCurrentByteIndex(parser_.get()), 0));
            const double share = read / static_cast<double>(bytes_.size());
            progress_(std::clamp(static_cast<int>(std::lround(share * kProgressWidth)), 0, kProgressWidth));
        }
    }

    void storeValue(const Frame& frame) {
        switch (frame.field) {
        case Field::DocumentName:
            doc_.name = cleanName(text_);
            break;
        case Field::RouteName:
            route_.name = cleanName(text_);
            break;
        case Field::TrackName:
            track_.name = cleanName(text_);
            break;
        case Field::PointName:
            point_.name = cleanName(text_);
            break;
        case Field::Symbol:
            point_.symbol = cleanName(text_);
            break;
        case Field::Elevation:
            point_.elevation = numberOf(text_);
            if (!point_.elevation) noteOdd(frame.line);
            break;
        case Field::Time: {
            const auto text = asciiValue(text_);
            point_.time = text ? parseGpxTime(*text) : std::nullopt;
            if (!point_.time) noteOdd(frame.line);
            break;
        }
        }
    }

    std::string_view bytes_;
    const GpxProgress& progress_;
    ParserHandle parser_;
    GpxDocument doc_;
    std::optional<Problem> problem_;
    bool rootSeen_ = false;
    std::vector<Frame> frames_;  // at most gpx, trk, trkseg, trkpt and a value
    size_t skipped_ = 0;         // depth inside elements the reader does not look into
    std::string text_;           // the text of the value being read, kept for the next one
    GpxPoint point_;
    GpxRoute route_;
    GpxTrack track_;
    std::vector<GpxPoint> segment_;
    size_t points_ = 0;
    size_t countedTo_ = 0;  // the bytes up to here were looked at for a segment's points
};

}  // namespace

size_t GpxDocument::trackPointCount() const {
    size_t count = 0;
    for (const GpxTrack& track : tracks)
        for (const auto& segment : track.segments) count += segment.size();
    return count;
}

size_t GpxDocument::routePointCount() const {
    size_t count = 0;
    for (const GpxRoute& route : routes) count += route.points.size();
    return count;
}

Result<GpxDocument> readGpx(std::string_view bytes, const GpxProgress& progress) {
    return GpxParser(bytes, progress).run();
}

Result<GpxDocument> readGpxFile(const std::filesystem::path& path, const GpxProgress& progress) {
    std::string bytes;
    if (const auto problem = problemOf(readBytes(path, bytes), path.string())) return *problem;
    return readGpx(bytes, progress);
}

}  // namespace orv
