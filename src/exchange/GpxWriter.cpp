#include "exchange/GpxWriter.h"

#include "core/TextFile.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>

#include <charconv>
#include <string_view>

namespace orv {

namespace {

constexpr int kCoordinateDecimals = 8;
constexpr int kElevationDecimals = 2;

// Fixed-point text without trailing zeros ("35.5", "1100", "-0.25"); never an exponent, and
// never the locale's decimal comma.
QString decimalText(double value, int decimals) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return QStringLiteral("0");
    std::string_view text(buf, static_cast<size_t>(end - buf));
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0') text.remove_suffix(1);
        if (text.back() == '.') text.remove_suffix(1);
    }
    if (text == "-0") text = "0";
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A text element; control characters, which XML cannot hold, become blanks.
void writeText(QXmlStreamWriter& xml, const QString& element, const std::string& text) {
    if (text.empty()) return;
    QString clean = QString::fromStdString(text);
    for (QChar& c : clean)
        if (c.unicode() < 0x20) c = u' ';
    xml.writeTextElement(element, clean);
}

void writeName(QXmlStreamWriter& xml, const std::string& name) { writeText(xml, QStringLiteral("name"), name); }

void writePoint(QXmlStreamWriter& xml, const QString& element, const GpxPoint& point) {
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("lat"), decimalText(point.latitude, kCoordinateDecimals));
    xml.writeAttribute(QStringLiteral("lon"), decimalText(point.longitude, kCoordinateDecimals));
    if (point.elevation)
        xml.writeTextElement(QStringLiteral("ele"), decimalText(*point.elevation, kElevationDecimals));
    if (point.time) xml.writeTextElement(QStringLiteral("time"), QString::fromStdString(gpxTimeText(*point.time)));
    writeName(xml, point.name);
    writeText(xml, QStringLiteral("sym"), point.symbol);
    xml.writeEndElement();
}

}  // namespace

std::string gpxBytes(const GpxDocument& document) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    xml.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QString::fromLatin1(kGpxCreator));
    xml.writeAttribute(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("schemaLocation"),
                       QStringLiteral("http://www.topografix.com/GPX/1/1 http://www.topografix.com/GPX/1/1/gpx.xsd"));
    if (!document.name.empty()) {
        xml.writeStartElement(QStringLiteral("metadata"));
        writeName(xml, document.name);
        xml.writeEndElement();
    }
    for (const GpxPoint& point : document.waypoints) writePoint(xml, QStringLiteral("wpt"), point);
    for (const GpxRoute& route : document.routes) {
        xml.writeStartElement(QStringLiteral("rte"));
        writeName(xml, route.name);
        for (const GpxPoint& point : route.points) writePoint(xml, QStringLiteral("rtept"), point);
        xml.writeEndElement();
    }
    for (const GpxTrack& track : document.tracks) {
        xml.writeStartElement(QStringLiteral("trk"));
        writeName(xml, track.name);
        for (const auto& segment : track.segments) {
            xml.writeStartElement(QStringLiteral("trkseg"));
            for (const GpxPoint& point : segment) writePoint(xml, QStringLiteral("trkpt"), point);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes.toStdString();
}

Status writeGpxFile(const std::filesystem::path& path, const GpxDocument& document) {
    return problemOf(writeBytesAtomic(path, gpxBytes(document)), path.string());
}

}  // namespace orv
