#include "terrain/GmlDem.h"

#include <QFile>

#include <charconv>
#include <cmath>
#include <cstring>

namespace orv::terrain {

namespace {

constexpr std::string_view kTupleTag = "<gml:tupleList>";
constexpr long long kMaxGridPoints = 4'000'000;  // a DEM10 secondary mesh has 843 750
constexpr size_t kFilePiece = 1 << 18;
constexpr size_t kMarkupPiece = 1 << 16;
constexpr size_t kMaxTupleLine = 4096;     // "地表面,145.30" and its like are a few dozen bytes
constexpr size_t kMaxElementText = 256;   // corners, grid limits, the start point, the mesh
constexpr double kNoDataAtOrBelow = -9998.0;
constexpr double kMaxGridIndex = 1e9;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A decimal number such as "145.30", "-9999." or "0" taking the whole text.
std::optional<double> decimal(std::string_view s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    long long whole = 0;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && digits < 15) {
        whole = whole * 10 + (s[i++] - '0');
        ++digits;
    }
    long long fraction = 0;
    int fractionDigits = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9' && fractionDigits < 9) {
            fraction = fraction * 10 + (s[i++] - '0');
            ++fractionDigits;
        }
    }
    if (i == s.size() && (digits > 0 || fractionDigits > 0)) {
        static constexpr double kScale[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
        const double v = static_cast<double>(whole) +
                         static_cast<double>(fraction) / kScale[fractionDigits];
        return negative ? -v : v;
    }
    // Anything else (exponents, long digit runs) through the general reader.
    double v = 0;
    const char* first = s.data();
    if (!s.empty() && s[0] == '+') ++first;
    const auto [end, ec] = std::from_chars(first, s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

// Two numbers separated by blanks ("35.25 138.5", "224 149").
std::optional<std::pair<double, double>> numberPair(std::string_view s) {
    s = trimmed(s);
    size_t gap = 0;
    while (gap < s.size() && !isBlank(s[gap])) ++gap;
    const auto a = decimal(s.substr(0, gap));
    const auto b = decimal(trimmed(s.substr(gap)));
    if (!a || !b) return std::nullopt;
    return std::pair{*a, *b};
}

std::string quoted(std::string_view s) {
    constexpr size_t kShown = 40;
    std::string text(s.substr(0, kShown));
    if (s.size() > kShown) text += "…";
    return "\"" + text + "\"";
}

}  // namespace

char gradeFromName(std::string_view name) {
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    for (std::string_view tag : {"DEM5", "DEM10"}) {
        const size_t at = name.find(tag);
        if (at == std::string_view::npos || at + tag.size() >= name.size()) continue;
        const char g = name[at + tag.size()];
        if (g >= 'A' && g <= 'C') return g;
    }
    return 'Z';
}

GmlDemParser::GmlDemParser(std::string origin, std::function<bool(const GeoBox&)> wanted)
    : origin_(std::move(origin)), wanted_(std::move(wanted)) {
    grid_.key.grade = gradeFromName(origin_);
    grid_.origin = origin_;
}

GmlDemParser::~GmlDemParser() = default;

void GmlDemParser::fail(ProblemKind kind, int line, std::string detail) {
    if (stop_ != Stop::No) return;
    stop_ = Stop::Failed;
    problem_ = Problem{kind, line, std::move(detail)};
}

int GmlDemParser::xmlLine() const {
    // The tuple lines taken from the bytes never reached the XML reader.
    return static_cast<int>(xml_.lineNumber()) + (tuplesDone_ && fastTuples_ ? tupleLines_ : 0);
}

bool GmlDemParser::feed(std::string_view bytes) {
    while (stop_ == Stop::No && !bytes.empty()) {
        if (inTuples_) {
            bytes.remove_prefix(takeTuples(bytes, true));
            if (!bytes.empty()) {  // the '<' that ends the list
                inTuples_ = false;
                tuplesDone_ = true;
            }
            continue;
        }
        // Markup reaches the XML reader a whole line at a time (a line longer than
        // kMarkupPiece in pieces of that size), so that the reader is given the same pieces
        // however the document arrives: where its errors show depends on them.
        const size_t end = bytes.find('\n');
        const size_t take = end == std::string_view::npos ? bytes.size() : end + 1;
        pendingMarkup_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        while (stop_ == Stop::No && !inTuples_ && pendingMarkup_.size() >= kMarkupPiece) {
            const std::string piece = pendingMarkup_.substr(0, kMarkupPiece);
            pendingMarkup_.erase(0, kMarkupPiece);
            takeMarkup(piece);
        }
        if (inTuples_ || end != std::string_view::npos) {
            const std::string rest = std::move(pendingMarkup_);
            pendingMarkup_.clear();
            // The list may have begun inside a long line: what was held back belongs to it.
            if (inTuples_) feed(rest);
            else takeMarkup(rest);
        }
    }
    return stop_ == Stop::No;
}

void GmlDemParser::takeMarkup(std::string_view text) {
    while (stop_ == Stop::No && !text.empty()) {
        if (inTuples_) {
            text.remove_prefix(takeTuples(text, true));
            if (!text.empty()) {
                inTuples_ = false;
                tuplesDone_ = true;
            }
            continue;
        }
        const size_t at = tuplesSeen_ ? std::string_view::npos : text.find(kTupleTag);
        if (at == std::string_view::npos) {
            feedXml(text);
            return;
        }
        // Everything before the list's start tag, then the tag alone: when the reader opens the
        // list on this very tag, its lines are taken from the bytes; when it does not (the tag
        // stood in a comment or the like, or the list began before), they go through the reader.
        feedXml(text.substr(0, at));
        atTupleTag_ = !tuplesSeen_;
        feedXml(text.substr(at, kTupleTag.size()));
        atTupleTag_ = false;
        text.remove_prefix(at + kTupleTag.size());
    }
}

void GmlDemParser::feedXml(std::string_view bytes) {
    // Whatever follows the root element is not read.
    if (rootDone_) return;
    if (!bytes.empty()) xml_.addData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    while (stop_ == Stop::No && !rootDone_ && !inTuples_) {
        xml_.readNext();
        if (xml_.hasError()) {
            if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError) return;  // more data
            fail(ProblemKind::BadFormat, xmlLine(), xml_.errorString().toStdString());
            return;
        }
        if (xml_.atEnd()) return;
        handleToken();
    }
}

void GmlDemParser::handleToken() {
    switch (xml_.tokenType()) {
    case QXmlStreamReader::StartElement: {
        const QStringView name = xml_.name();
        ++depth_;
        if (!rootSeen_) {
            rootSeen_ = true;
            if (name != u"Dataset")
                fail(ProblemKind::BadFormat, xmlLine(),
                     "FG-GMLの文書ではありません（最初の要素が " + name.toString().toStdString() + "）");
            return;
        }
        if (name == u"tupleList") {
            startTuples();
            // On the tag found in the bytes, the list's lines come from the bytes.
            if (stop_ == Stop::No && atTupleTag_) inTuples_ = fastTuples_ = true;
        } else if (name == u"sequenceRule") {
            const QStringView order = xml_.attributes().value(QStringLiteral("order"));
            if (!order.isEmpty() && order != u"+x-y")
                fail(ProblemKind::Unsupported, xmlLine(),
                     "点の並び " + order.toString().toStdString() + " には対応していません");
        } else if (name == u"lowerCorner" || name == u"upperCorner" || name == u"low" ||
                   name == u"high" || name == u"startPoint" || name == u"mesh") {
            element_ = name.toString().toStdString();
            text_.clear();
        }
        return;
    }
    case QXmlStreamReader::Characters:
        if (!element_.empty()) {
            text_ += xml_.text().toString().toStdString();
            if (text_.size() > kMaxElementText)
                fail(ProblemKind::BadValue, xmlLine(), "gml:" + element_ + " の値が長すぎます");
        } else if (tuplesSeen_ && !tuplesDone_) {
            // The list reached the reader (its start tag was written differently): take its
            // lines from the reader's text.
            takeTuples(xml_.text().toString().toStdString(), false);
        }
        return;
    case QXmlStreamReader::EndElement: {
        const QStringView name = xml_.name();
        if (--depth_ == 0) rootDone_ = true;
        if (!element_.empty()) endSmallElement();
        else if (name == u"tupleList" && tuplesSeen_) {
            if (!partialLine_.empty()) {
                tupleLine(partialLine_);
                partialLine_.clear();
            }
            tuplesDone_ = true;
        } else if (name == u"Envelope" && lower_ && upper_ && !box_) {
            box_ = GeoBox{lower_->first, upper_->first, lower_->second, upper_->second};
            if (wanted_ && !wanted_(*box_)) stop_ = Stop::Skipped;
        }
        return;
    }
    default:
        return;
    }
}

void GmlDemParser::endSmallElement() {
    const std::string name = std::move(element_);
    element_.clear();
    const auto pair = numberPair(text_);
    if (name == "mesh") {
        mesh_ = std::string(trimmed(text_));
        return;
    }
    // Corners are a latitude and a longitude; grid indices lie well within a few million
    // points, so the grid's sizes computed from them cannot overflow.
    const bool corner = name == "lowerCorner" || name == "upperCorner";
    const bool inRange =
        pair && (corner ? std::abs(pair->first) <= 90.0 && std::abs(pair->second) <= 180.0
                        : std::abs(pair->first) <= kMaxGridIndex && std::abs(pair->second) <= kMaxGridIndex);
    if (!inRange) {
        fail(ProblemKind::BadValue, xmlLine(), "gml:" + name + " の値 " + quoted(trimmed(text_)) + " が読めません");
        return;
    }
    if (name == "lowerCorner") lower_ = pair;
    else if (name == "upperCorner") upper_ = pair;
    else {
        const auto whole = [](double v) { return static_cast<long long>(std::llround(v)); };
        const std::pair<long long, long long> p{whole(pair->first), whole(pair->second)};
        if (name == "low") low_ = p;
        else if (name == "high") high_ = p;
        else startPoint_ = p;
    }
}

void GmlDemParser::startTuples() {
    const int line = xmlLine();
    if (tuplesSeen_) {
        fail(ProblemKind::Unsupported, line, "gml:tupleList が二つあります");
        return;
    }
    tuplesSeen_ = true;
    if (!lower_ || !upper_ || !low_ || !high_) {
        fail(ProblemKind::BadFormat, line, "gml:tupleList の前に範囲（gml:Envelope, gml:GridEnvelope）がありません");
        return;
    }
    const long long columns = high_->first - low_->first + 1;
    const long long rows = high_->second - low_->second + 1;
    if (columns < 1 || rows < 1 || columns * rows > kMaxGridPoints) {
        fail(ProblemKind::BadValue, line, "格子の大きさ " + std::to_string(columns) + " × " + std::to_string(rows) + " は扱えません");
        return;
    }
    // The lattice step in arc-seconds, the same both ways (0.2″ or 0.4″ in the survey's files).
    const double stepLat = (upper_->first - lower_->first) * 3600.0 / static_cast<double>(rows);
    const double stepLon = (upper_->second - lower_->second) * 3600.0 / static_cast<double>(columns);
    const double step = std::round(stepLat * 1000.0) / 1000.0;
    if (!(step > 0.0) || std::abs(stepLat - step) > 1e-3 || std::abs(stepLon - step) > 1e-3) {
        fail(ProblemKind::Unsupported, line, "格子の間隔が緯度と経度で違います");
        return;
    }
    const double u = lower_->second * 3600.0 / step;
    const double v = -upper_->first * 3600.0 / step;
    if (std::abs(u - std::round(u)) > 0.01 || std::abs(v - std::round(v)) > 0.01) {
        fail(ProblemKind::Unsupported, line, "格子が経緯度の区切りにそろっていません");
        return;
    }
    grid_.key.lattice = Lattice::LatLon;
    grid_.key.stepSeconds = step;
    grid_.u0 = std::llround(u);
    grid_.v0 = std::llround(v);
    grid_.columns = static_cast<int>(columns);
    grid_.rows = static_cast<int>(rows);
    values_.reserve(static_cast<size_t>(columns * rows));
    tupleStartLine_ = line;
    tupleLines_ = 0;
}

bool GmlDemParser::tupleLineFits(size_t length) {
    if (length <= kMaxTupleLine) return true;
    fail(ProblemKind::LineTooLong, tupleStartLine_ + tupleLines_, "gml:tupleList の行が長すぎます");
    return false;
}

size_t GmlDemParser::takeTuples(std::string_view bytes, bool raw) {
    size_t i = 0;
    while (i < bytes.size() && stop_ == Stop::No) {
        const char* base = bytes.data() + i;
        const size_t left = bytes.size() - i;
        const auto* nl = static_cast<const char*>(std::memchr(base, '\n', left));
        const size_t lineLength = nl ? static_cast<size_t>(nl - base) : left;
        const auto* lt = raw ? static_cast<const char*>(std::memchr(base, '<', lineLength)) : nullptr;
        if (lt) {  // the end of the list
            const size_t used = static_cast<size_t>(lt - base);
            if (tupleLineFits(partialLine_.size() + used)) {
                partialLine_.append(base, used);
                tupleLine(partialLine_);
            }
            partialLine_.clear();
            return i + used;
        }
        if (!tupleLineFits(partialLine_.size() + lineLength)) return bytes.size();
        if (!nl) {  // a line cut by the end of this piece
            partialLine_.append(base, left);
            return bytes.size();
        }
        if (!partialLine_.empty()) {
            partialLine_.append(base, lineLength);
            tupleLine(partialLine_);
            partialLine_.clear();
        } else {
            tupleLine(std::string_view(base, lineLength));
        }
        ++tupleLines_;
        i += lineLength + 1;
    }
    return bytes.size();
}

void GmlDemParser::tupleLine(std::string_view line) {
    line = trimmed(line);
    if (line.empty()) return;
    const int number = tupleStartLine_ + tupleLines_;
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos) {
        fail(ProblemKind::BadRecord, number, "gml:tupleList の行 " + quoted(line) + " に「,」がありません");
        return;
    }
    const auto value = decimal(trimmed(line.substr(comma + 1)));
    if (!value || *value >= kImpossibleHeight) {
        fail(ProblemKind::BadRecord, number, "gml:tupleList の標高 " + quoted(line.substr(comma + 1)) + " が読めません");
        return;
    }
    if (values_.size() >= static_cast<size_t>(grid_.columns) * static_cast<size_t>(grid_.rows)) {
        fail(ProblemKind::TooMany, number, "gml:tupleList に格子の点より多くの値があります");
        return;
    }
    values_.push_back(*value <= kNoDataAtOrBelow ? kNoHeight : static_cast<float>(*value));
}

Result<std::optional<SourceGrid>> GmlDemParser::finish() {
    if (stop_ == Stop::No && !pendingMarkup_.empty()) {
        const std::string rest = std::move(pendingMarkup_);
        pendingMarkup_.clear();
        takeMarkup(rest);
    }
    if (stop_ == Stop::Skipped) return std::optional<SourceGrid>{};
    if (stop_ == Stop::Failed) return *problem_;
    if (inTuples_ || !rootDone_) {
        const int line = inTuples_ ? tupleStartLine_ + tupleLines_ : xmlLine();
        return Problem{ProblemKind::TooFew, line, "ファイルが途中で終わっています"};
    }
    if (!tuplesSeen_) return Problem{ProblemKind::BadFormat, xmlLine(), "標高の値（gml:tupleList）がありません: FG-GML DEMではありません"};
    const size_t points = static_cast<size_t>(grid_.columns) * static_cast<size_t>(grid_.rows);
    const long long start = startPoint_.second * grid_.columns + startPoint_.first;
    if (startPoint_.first < 0 || startPoint_.second < 0 || startPoint_.first >= grid_.columns ||
        start + static_cast<long long>(values_.size()) > static_cast<long long>(points))
        return Problem{ProblemKind::BadValue, xmlLine(), "gml:startPoint が格子の外を指しています"};
    grid_.heights.assign(points, kNoHeight);
    std::copy(values_.begin(), values_.end(), grid_.heights.begin() + start);
    values_ = {};
    return std::optional<SourceGrid>(std::move(grid_));
}

Result<std::optional<SourceGrid>> readGmlDemFile(const std::string& path,
                                                 const std::function<bool(const GeoBox&)>& wanted,
                                                 std::optional<GeoBox>* box) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return Problem{ProblemKind::CannotRead, 0, file.errorString().toStdString()};
    GmlDemParser parser(path, wanted);
    std::string piece(kFilePiece, '\0');
    while (true) {
        const qint64 n = file.read(piece.data(), static_cast<qint64>(piece.size()));
        if (n < 0) return Problem{ProblemKind::CannotRead, 0, file.errorString().toStdString()};
        if (n == 0 || !parser.feed(std::string_view(piece.data(), static_cast<size_t>(n)))) break;
    }
    if (box) *box = parser.box();
    return parser.finish();
}

}  // namespace orv::terrain
