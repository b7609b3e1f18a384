#include "terrain/GmlDem.h"

#include "exchange/XmlErrorText.h"

#include <QFile>

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace orv::terrain {

namespace {

constexpr std::string_view kTupleTag = "<gml:tupleList>";
constexpr long long kMaxGridPoints = 4'000'000;  // a DEM10 secondary mesh has 843 750
constexpr size_t kFilePiece = 1 << 18;
constexpr size_t kMaxTupleLine = 4096;     // "地表面,145.30" and its like are a few dozen bytes
constexpr size_t kMaxElementText = 256;   // corners, grid limits, the start point
constexpr double kNoDataAtOrBelow = -9998.0;
constexpr double kMaxGridIndex = 1e9;
// The least handed to expat at a time.
constexpr uint64_t kXmlSpan = uint64_t{1} << 16;
// Expat puts this between an element's namespace and its local name; it cannot occur in XML.
constexpr char kNamespaceSeparator = '\x01';

std::string_view localName(const char* name) {
    const char* separator = std::strrchr(name, kNamespaceSeparator);
    return separator ? std::string_view(separator + 1) : std::string_view(name);
}

// The length of the longest start of kTupleTag that ends `bytes` (the tag cut by a piece's end).
size_t tagStartAtEnd(std::string_view bytes) {
    for (size_t n = std::min(bytes.size(), kTupleTag.size() - 1); n > 0; --n)
        if (bytes.substr(bytes.size() - n) == kTupleTag.substr(0, n)) return n;
    return 0;
}

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

// The first '<' or '&' of a list's line: markup (the list's end tag, a comment, a character
// reference), which expat reads.
const char* markupIn(const char* line, size_t length) {
    const auto* lt = static_cast<const char*>(std::memchr(line, '<', length));
    const auto* amp = static_cast<const char*>(std::memchr(line, '&', lt ? static_cast<size_t>(lt - line) : length));
    return amp ? amp : lt;
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

void GmlDemParser::ParserFree::operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }

GmlDemParser::GmlDemParser(std::string origin, std::function<bool(const GeoBox&)> wanted)
    : origin_(std::move(origin)), wanted_(std::move(wanted)) {
    grid_.key.grade = gradeFromName(origin_);
    grid_.origin = origin_;
    xml_.reset(XML_ParserCreateNS(nullptr, kNamespaceSeparator));
    if (!xml_) {
        fail(ProblemKind::TooLarge, 0, "XMLを読む準備ができません");
        return;
    }
    XML_SetUserData(xml_.get(), this);
    XML_SetElementHandler(xml_.get(), &GmlDemParser::onStart, &GmlDemParser::onEnd);
    XML_SetCharacterDataHandler(xml_.get(), &GmlDemParser::onText);
    // No FG-GML document has a document type; with none, no entity can be declared either.
    XML_SetStartDoctypeDeclHandler(xml_.get(), &GmlDemParser::onDoctype);
}

GmlDemParser::~GmlDemParser() = default;

void GmlDemParser::fail(ProblemKind kind, int line, std::string detail) {
    if (stop_ != Stop::No) return;
    stop_ = Stop::Failed;
    problem_ = Problem{kind, line, std::move(detail)};
    if (xml_) XML_StopParser(xml_.get(), XML_FALSE);
}

int GmlDemParser::xmlLine() const {
    const XML_Size line = xml_ ? XML_GetCurrentLineNumber(xml_.get()) : 0;
    // The tuple lines taken from the bytes never reached expat.
    const XML_Size all = line + static_cast<XML_Size>(rawLines_);
    return static_cast<int>(std::min<XML_Size>(all, static_cast<XML_Size>(std::numeric_limits<int>::max())));
}

bool GmlDemParser::feed(std::string_view bytes) {
    if (stop_ != Stop::No) return false;
    if (heldTag_.empty()) {
        take(bytes);
    } else {
        std::string joined = std::move(heldTag_);
        heldTag_.clear();
        joined.append(bytes);
        take(joined);
    }
    return stop_ == Stop::No;
}

void GmlDemParser::take(std::string_view bytes) {
    while (stop_ == Stop::No && !bytes.empty()) {
        if (inTuples_) {
            bytes.remove_prefix(takeTuples(bytes, true));
            // Markup: the list's end tag, or markup inside the list; expat reads on from there.
            if (!bytes.empty()) inTuples_ = false;
            continue;
        }
        const size_t at = lookForTag_ ? bytes.find(kTupleTag) : std::string_view::npos;
        if (at == std::string_view::npos) {
            const size_t keep = lookForTag_ ? tagStartAtEnd(bytes) : 0;
            giveXml(bytes.substr(0, bytes.size() - keep), true);
            heldTag_.assign(bytes.substr(bytes.size() - keep));
            return;
        }
        // Everything before the list's start tag, then the tag alone: when expat opens the list
        // on this very tag, its lines are taken from the bytes; when it does not (the tag stood
        // in a comment or the like, or the list began before), they go through expat. The
        // first such tag decides.
        lookForTag_ = false;
        giveXml(bytes.substr(0, at), true, true);
        atTupleTag_ = true;
        giveXml(kTupleTag, true, true);
        atTupleTag_ = false;
        bytes.remove_prefix(at + kTupleTag.size());
    }
}

// Markup for expat. Expat reads again from its start whatever markup it could not finish, so it
// is handed more only once as much again has come (or `now`, at the list's start tag): the time
// stays linear however long a comment or a tag runs.
void GmlDemParser::giveXml(std::string_view bytes, bool mayParse, bool now) {
    if (stop_ != Stop::No || rootDone_ || (bytes.empty() && pending_.empty())) return;
    if (pending_.empty() && mayParse && (now || bytes.size() >= unparsed_)) {
        parseXml(bytes);
        return;
    }
    pending_.append(bytes);
    if (mayParse && (now || pending_.size() >= unparsed_)) {
        const std::string markup = std::move(pending_);
        pending_.clear();
        parseXml(markup);
    }
}

void GmlDemParser::parseXml(std::string_view bytes) {
    if (!xml_) return;
    while (!bytes.empty()) {
        // Each call at least doubles what expat holds unfinished (linear time), and ends where
        // a piece of markup longer than the bound would still be unfinished: the bound holds
        // to the byte, however the document arrives.
        const uint64_t span = std::min<uint64_t>(std::max<uint64_t>(kXmlSpan, unparsed_), kMaxGmlMarkupBytes + 1 - unparsed_);
        const std::string_view piece = bytes.substr(0, static_cast<size_t>(span));
        bytes.remove_prefix(piece.size());
        const XML_Status status = XML_Parse(xml_.get(), piece.data(), static_cast<int>(piece.size()), XML_FALSE);
        given_ += piece.size();
        if (stop_ != Stop::No || rootDone_) return;
        if (status != XML_STATUS_OK) {
            fail(ProblemKind::BadFormat, xmlLine(),
                 explainedXmlDetail(std::string("XMLとして正しくありません（") +
                                    XML_ErrorString(XML_GetErrorCode(xml_.get())) + "）"));
            return;
        }
        // What expat holds unfinished: from the start of its current token to the end.
        const XML_Index at = XML_GetCurrentByteIndex(xml_.get());
        unparsed_ = at >= 0 && static_cast<uint64_t>(at) <= given_ ? given_ - static_cast<uint64_t>(at) : 0;
        if (unparsed_ > kMaxGmlMarkupBytes) {
            fail(ProblemKind::TooLarge, xmlLine(),
                 "コメントやタグが長すぎます（" + std::to_string(kMaxGmlMarkupBytes >> 20) + " MBを超えています）");
            return;
        }
    }
}

void GmlDemParser::onStart(void* self, const char* name, const char** attributes) {
    static_cast<GmlDemParser*>(self)->startElement(localName(name), attributes);
}

void GmlDemParser::onEnd(void* self, const char* name) {
    static_cast<GmlDemParser*>(self)->endElement(localName(name));
}

void GmlDemParser::onText(void* self, const char* text, int length) {
    auto* parser = static_cast<GmlDemParser*>(self);
    if (parser->stop_ != Stop::No) return;
    const std::string_view chars(text, static_cast<size_t>(length));
    if (!parser->element_.empty()) {
        parser->text_.append(chars);
        if (parser->text_.size() > kMaxElementText)
            parser->fail(ProblemKind::BadValue, parser->xmlLine(), "gml:" + parser->element_ + " の値が長すぎます");
    } else if (parser->tuplesSeen_ && !parser->tuplesDone_) {
        // The list's lines that reach expat: the start tag written differently, or what follows
        // markup inside the list.
        parser->takeTuples(chars, false);
    }
}

void GmlDemParser::onDoctype(void* self, const char*, const char*, const char*, int) {
    auto* parser = static_cast<GmlDemParser*>(self);
    parser->fail(ProblemKind::Unsupported, parser->xmlLine(), "文書型宣言（DOCTYPE）のある文書には対応していません");
}

void GmlDemParser::startElement(std::string_view name, const char** attributes) {
    if (stop_ != Stop::No) return;
    if (++depth_ > kMaxGmlDepth) {
        fail(ProblemKind::BadFormat, xmlLine(), "要素の入れ子が深すぎます（" + std::to_string(kMaxGmlDepth) + " 段まで）");
        return;
    }
    if (!rootSeen_) {
        rootSeen_ = true;
        if (name != "Dataset")
            fail(ProblemKind::BadFormat, xmlLine(), "FG-GMLの文書ではありません（最初の要素が " + std::string(name) + "）");
        return;
    }
    if (name == "tupleList") {
        startTuples();
        // On the tag found in the bytes, the list's lines come from the bytes.
        if (stop_ == Stop::No && atTupleTag_) inTuples_ = true;
    } else if (name == "sequenceRule") {
        for (const char** a = attributes; *a; a += 2) {
            if (localName(a[0]) != "order") continue;
            const std::string_view order = a[1];
            if (!order.empty() && order != "+x-y")
                fail(ProblemKind::Unsupported, xmlLine(), "点の並び " + std::string(order) + " には対応していません");
        }
    } else if (name == "lowerCorner" || name == "upperCorner" || name == "low" || name == "high" ||
               name == "startPoint") {
        element_ = std::string(name);
        text_.clear();
    }
}

void GmlDemParser::endElement(std::string_view name) {
    if (stop_ != Stop::No) return;
    if (--depth_ == 0) {
        rootDone_ = true;
        XML_StopParser(xml_.get(), XML_FALSE);
    }
    if (!element_.empty()) {
        endSmallElement();
    } else if (name == "tupleList" && tuplesSeen_) {
        if (!partialLine_.empty()) {
            tupleLine(partialLine_);
            partialLine_.clear();
        }
        tuplesDone_ = true;
    } else if (name == "Envelope" && lower_ && upper_ && !box_) {
        box_ = GeoBox{lower_->first, upper_->first, lower_->second, upper_->second};
        if (wanted_ && !wanted_(*box_)) {
            stop_ = Stop::Skipped;
            XML_StopParser(xml_.get(), XML_FALSE);
        }
    }
}

void GmlDemParser::endSmallElement() {
    const std::string name = std::move(element_);
    element_.clear();
    const auto pair = numberPair(text_);
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
    lookForTag_ = false;
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
    const double height = (upper_->first - lower_->first) * 3600.0;
    const double width = (upper_->second - lower_->second) * 3600.0;
    const double stepLat = height / static_cast<double>(rows);
    const double stepLon = width / static_cast<double>(columns);
    // The step of the axis whose spacing comes out rounder: a grid a row or a column off
    // spoils the other.
    const auto rounded = [](double s) { return std::round(s * 1000.0) / 1000.0; };
    const double step = std::abs(stepLat - rounded(stepLat)) <= std::abs(stepLon - rounded(stepLon)) ? rounded(stepLat)
                                                                                                    : rounded(stepLon);
    if (!(step > 0.0) || std::abs(stepLat - step) > 1e-3 || std::abs(stepLon - step) > 1e-3) {
        fail(ProblemKind::Unsupported, line, "格子の間隔が緯度と経度で違います");
        return;
    }
    // The envelope holds the grid's points exactly, one step apart (its corners are written to
    // a billionth of a degree): a grid a column or a row off would put every height in the
    // wrong place.
    const long long envelopeColumns = std::llround(width / step);
    const long long envelopeRows = std::llround(height / step);
    if (std::abs(width - static_cast<double>(columns) * step) > step * 0.01 ||
        std::abs(height - static_cast<double>(rows) * step) > step * 0.01) {
        fail(ProblemKind::BadValue, line,
             "gml:GridEnvelope の格子 " + std::to_string(columns) + " × " + std::to_string(rows) +
                 " が範囲（gml:Envelope）の " + std::to_string(envelopeColumns) + " × " + std::to_string(envelopeRows) +
                 " と合いません");
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
    // The heights go straight into the grid; finish() moves them to the start point.
    grid_.heights.assign(static_cast<size_t>(columns * rows), kNoHeight);
    values_ = 0;
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
        const char* markup = raw ? markupIn(base, lineLength) : nullptr;
        if (markup) {  // the line goes on (or ends) in what expat gives
            const size_t used = static_cast<size_t>(markup - base);
            if (tupleLineFits(partialLine_.size() + used)) partialLine_.append(base, used);
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
        if (raw) ++rawLines_;
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
    if (values_ >= grid_.heights.size()) {
        fail(ProblemKind::TooMany, number, "gml:tupleList に格子の点より多くの値があります");
        return;
    }
    grid_.heights[values_++] = *value <= kNoDataAtOrBelow ? kNoHeight : static_cast<float>(*value);
}

Result<std::optional<SourceGrid>> GmlDemParser::finish() {
    if (stop_ == Stop::No && !heldTag_.empty()) {
        const std::string rest = std::move(heldTag_);
        heldTag_.clear();
        giveXml(rest, false);
    }
    if (stop_ == Stop::No && !pending_.empty()) giveXml({}, true, true);
    if (stop_ == Stop::Skipped) return std::optional<SourceGrid>{};
    if (stop_ == Stop::Failed) return *problem_;
    if (inTuples_ || !rootDone_) {
        const int line = inTuples_ ? tupleStartLine_ + tupleLines_ : xmlLine();
        return Problem{ProblemKind::TooFew, line, "ファイルが途中で終わっています"};
    }
    if (!tuplesSeen_) return Problem{ProblemKind::BadFormat, xmlLine(), "標高の値（gml:tupleList）がありません: FG-GML DEMではありません"};
    const auto columns = static_cast<long long>(grid_.columns);
    const auto points = static_cast<long long>(grid_.heights.size());
    const long long start = startPoint_.second * columns + startPoint_.first;
    if (startPoint_.first < 0 || startPoint_.second < 0 || startPoint_.first >= columns ||
        startPoint_.second >= grid_.rows || start + static_cast<long long>(values_) > points)
        return Problem{ProblemKind::BadValue, xmlLine(), "gml:startPoint が格子の外を指しています"};
    if (start > 0) {
        const auto first = grid_.heights.begin();
        std::copy_backward(first, first + static_cast<std::ptrdiff_t>(values_), first + static_cast<std::ptrdiff_t>(start + static_cast<long long>(values_)));
        std::fill(first, first + static_cast<std::ptrdiff_t>(start), kNoHeight);
    }
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
