#include "exchange/GpxReader.h"

#include "core/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace orv {

namespace {

// Points between two progress reports.
constexpr size_t kPointsPerReport = 512;
constexpr int kProgressWidth = 200;

constexpr const char* kNoLatLon = "点に緯度（lat）か経度（lon）がありません。";
constexpr const char* kBadLatitude = "緯度（lat）が数値でないか、範囲を外れています。";
constexpr const char* kBadLongitude = "経度（lon）が数値でないか、範囲を外れています。";

int lineOf(const QXmlStreamReader& xml) {
    return static_cast<int>(std::min<qint64>(xml.lineNumber(), std::numeric_limits<int>::max()));
}

// A name as the program keeps it: control characters (line breaks, tabs) become blanks, blanks
// around it go, and it is cut to kMaxGpxNameCharacters.
std::string cleanName(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control) c = u' ';
    text = text.trimmed();
    if (text.size() > kMaxGpxNameCharacters) {
        text.truncate(kMaxGpxNameCharacters);
        if (text.back().isHighSurrogate()) text.chop(1);
    }
    return text.toStdString();
}

// A local name against one of the format's, compared in place: a log holds tens of thousands.
template <size_t N>
bool named(QStringView name, const char16_t (&expected)[N]) {
    if (name.size() != static_cast<qsizetype>(N - 1)) return false;
    for (size_t i = 0; i + 1 < N; ++i)
        if (name[static_cast<qsizetype>(i)] != expected[i]) return false;
    return true;
}

// Values (numbers, times) are short ASCII texts; longer ones or other characters are no value.
constexpr size_t kLongestValue = 64;

struct AsciiValue {
    std::array<char, kLongestValue> text{};
    size_t length = 0;
    std::string_view view() const { return {text.data(), length}; }
};

std::optional<AsciiValue> asciiValue(QStringView text) {
    text = text.trimmed();
    if (text.size() > static_cast<qsizetype>(kLongestValue)) return std::nullopt;
    AsciiValue value;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) return std::nullopt;
        value.text[static_cast<size_t>(i)] = static_cast<char>(c);
    }
    value.length = static_cast<size_t>(text.size());
    return value;
}

// A decimal number ("35.5", "-0.25", "+12", "1e3"); nothing for anything else or a value that
// is not finite.
std::optional<double> numberOf(QStringView text) {
    const auto value = asciiValue(text);
    if (!value || value->length == 0) return std::nullopt;
    std::string_view digits = value->view();
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    double number = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(number)) return std::nullopt;
    return number;
}

std::optional<double> coordinate(QStringView text, double limit) {
    const auto value = numberOf(text);
    if (!value || std::fabs(*value) > limit) return std::nullopt;
    return value;
}

class GpxParser {
public:
    GpxParser(std::string_view bytes, const GpxProgress& progress)
        : xml_(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()))),
          size_(bytes.size()),
          progress_(progress) {}

    Result<GpxDocument> run() {
        if (progress_) progress_(0);
        if (!xml_.readNextStartElement()) return xmlProblem();
        if (!named(xml_.name(), u"gpx")) {
            return Problem{ProblemKind::BadFormat, lineOf(xml_),
                           "最初の要素が「" + xml_.name().toString().toStdString() + "」で、GPXではありません。"};
        }
        readGpx();
        if (problem_) return *problem_;
        if (xml_.hasError()) return xmlProblem();
        // What follows the gpx element must still be well-formed XML.
        while (!xml_.atEnd()) xml_.readNext();
        if (xml_.hasError()) return xmlProblem();
        if (doc_.waypoints.empty() && doc_.routePointCount() == 0 && doc_.trackPointCount() == 0)
            return Problem{ProblemKind::NoData, 0, "位置の点（wpt, rtept, trkpt）がありません。"};
        if (progress_) progress_(kProgressWidth);
        return std::move(doc_);
    }

private:
    Problem xmlProblem() const {
        if (size_ == 0) return Problem{ProblemKind::BadFormat, 0, "ファイルが空です。"};
        if (!xml_.hasError())
            return Problem{ProblemKind::BadFormat, lineOf(xml_), "XMLの要素がありません。"};
        const std::string why = xml_.errorString().toStdString();
        if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            return Problem{ProblemKind::BadFormat, lineOf(xml_), "ファイルが途中で終わっています。"};
        return Problem{ProblemKind::BadFormat, lineOf(xml_), "XMLとして正しくありません（" + why + "）。"};
    }

    // Stops the reading: the problem is reported instead of whatever the XML reader says.
    void fail(ProblemKind kind, int line, const char* detail) {
        if (!problem_) problem_ = Problem{kind, line, detail};
        xml_.raiseError(QString::fromUtf8(detail));
    }

    void noteOdd(int line) {
        if (doc_.oddValues++ == 0) doc_.firstOddLine = line;
    }

    // The text of the current element, its child elements skipped, in a buffer kept for the
    // next one: reading the values of a long log allocates nothing.
    QStringView elementText() {
        text_.resize(0);
        while (xml_.readNext() != QXmlStreamReader::Invalid) {
            if (xml_.isCharacters()) text_.append(xml_.text());
            else if (xml_.isStartElement()) xml_.skipCurrentElement();
            else if (xml_.isEndElement()) break;
        }
        return text_;
    }

    std::string elementName() { return cleanName(elementText().toString()); }

    void readGpx() {
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (named(name, u"wpt")) {
                GpxPoint point;
                if (readPoint(point)) doc_.waypoints.push_back(std::move(point));
            } else if (named(name, u"rte")) {
                readRoute();
            } else if (named(name, u"trk")) {
                readTrack();
            } else if (named(name, u"name")) {
                doc_.name = elementName();
            } else if (named(name, u"metadata")) {
                readMetadata();
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    void readMetadata() {
        while (xml_.readNextStartElement()) {
            if (named(xml_.name(), u"name")) doc_.name = elementName();
            else xml_.skipCurrentElement();
        }
    }

    void readRoute() {
        GpxRoute route;
        while (xml_.readNextStartElement()) {
            if (named(xml_.name(), u"rtept")) {
                GpxPoint point;
                if (readPoint(point)) route.points.push_back(std::move(point));
            } else if (named(xml_.name(), u"name")) {
                route.name = elementName();
            } else {
                xml_.skipCurrentElement();
            }
        }
        doc_.routes.push_back(std::move(route));
    }

    void readTrack() {
        GpxTrack track;
        while (xml_.readNextStartElement()) {
            if (named(xml_.name(), u"trkseg")) {
                std::vector<GpxPoint> segment;
                while (xml_.readNextStartElement()) {
                    if (named(xml_.name(), u"trkpt")) {
                        GpxPoint point;
                        if (readPoint(point)) segment.push_back(std::move(point));
                    } else {
                        xml_.skipCurrentElement();
                    }
                }
                track.segments.push_back(std::move(segment));
            } else if (named(xml_.name(), u"name")) {
                track.name = elementName();
            } else {
                xml_.skipCurrentElement();
            }
        }
        doc_.tracks.push_back(std::move(track));
    }

    // A wpt, rtept or trkpt element: its position, then its elevation, time and name.
    bool readPoint(GpxPoint& point) {
        point.line = lineOf(xml_);
        QStringView latitudeText, longitudeText;
        bool latitudeGiven = false, longitudeGiven = false;
        // The views into the attributes stay valid while they are held and nothing more is read.
        const QXmlStreamAttributes attributes = xml_.attributes();
        for (const QXmlStreamAttribute& attribute : attributes) {
            if (named(attribute.name(), u"lat")) {
                latitudeText = attribute.value();
                latitudeGiven = true;
            } else if (named(attribute.name(), u"lon")) {
                longitudeText = attribute.value();
                longitudeGiven = true;
            }
        }
        if (!latitudeGiven || !longitudeGiven) {
            fail(ProblemKind::BadRecord, point.line, kNoLatLon);
            return false;
        }
        const auto latitude = coordinate(latitudeText, 90.0);
        if (!latitude) {
            fail(ProblemKind::BadValue, point.line, kBadLatitude);
            return false;
        }
        const auto longitude = coordinate(longitudeText, 180.0);
        if (!longitude) {
            fail(ProblemKind::BadValue, point.line, kBadLongitude);
            return false;
        }
        point.latitude = *latitude;
        point.longitude = *longitude;
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (named(name, u"ele")) {
                const int line = lineOf(xml_);
                point.elevation = numberOf(elementText());
                if (!point.elevation) noteOdd(line);
            } else if (named(name, u"time")) {
                const int line = lineOf(xml_);
                const auto text = asciiValue(elementText());
                point.time = text ? parseGpxTime(text->view()) : std::nullopt;
                if (!point.time) noteOdd(line);
            } else if (named(name, u"name")) {
                point.name = elementName();
            } else if (named(name, u"sym")) {
                point.symbol = elementName();
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (++points_ % kPointsPerReport == 0 && progress_ && size_ > 0) {
            const double share = static_cast<double>(xml_.characterOffset()) / static_cast<double>(size_);
            progress_(std::clamp(static_cast<int>(std::lround(share * kProgressWidth)), 0, kProgressWidth));
        }
        return !xml_.hasError();
    }

    QXmlStreamReader xml_;
    size_t size_;
    const GpxProgress& progress_;
    GpxDocument doc_;
    std::optional<Problem> problem_;
    size_t points_ = 0;
    QString text_;
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
