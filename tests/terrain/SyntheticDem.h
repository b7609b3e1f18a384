#pragma once
// Small builders for the terrain tests: FG-GML DEM documents of a given surface, in the
// survey's layout (envelope, grid limits, tupleList, startPoint after the list), and ZIP
// archives made with libzip.
#include <zip.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orv::terrain::test {

struct DemShape {
    double south = 0, west = 0;  // degrees (JGD2011)
    double stepSeconds = 0.4;    // 0.4″ DEM10, 0.2″ DEM5
    int columns = 1125, rows = 750;
    int startX = 0, startY = 0;
};

// The secondary mesh ppqqrc on the survey's JGD2011 meshes.
inline DemShape secondaryMeshShape(int pp, int qq, int r, int c, double stepSeconds = 0.4) {
    DemShape s;
    s.south = (pp * 2400.0 + r * 300.0) / 3600.0;
    s.west = (qq + 100) * 1.0 + c * 450.0 / 3600.0;
    s.stepSeconds = stepSeconds;
    s.columns = static_cast<int>(std::lround(450.0 / stepSeconds));
    s.rows = static_cast<int>(std::lround(300.0 / stepSeconds));
    return s;
}

// height(latitude, longitude) of each sample centre, NaN for no data ("-9999.").
inline std::string gmlDocument(const DemShape& s, const std::function<double(double, double)>& height,
                               long long values = -1) {
    const double step = s.stepSeconds / 3600.0;
    char corner[160];
    std::snprintf(corner, sizeof corner, "<gml:lowerCorner>%.9f %.9f</gml:lowerCorner>\n<gml:upperCorner>%.9f %.9f</gml:upperCorner>\n",
                  s.south, s.west, s.south + s.rows * step, s.west + s.columns * step);
    std::string doc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Dataset xmlns:gml=\"http://www.opengis.net/gml/3.2\" xmlns=\"http://fgd.gsi.go.jp/spec/2008/FGD_GMLSchema\" gml:id=\"Dataset1\">\n"
        "<DEM gml:id=\"DEM001\">\n<type>10mメッシュ（標高）</type>\n<coverage gml:id=\"DEM001-3\">\n"
        "<gml:boundedBy>\n<gml:Envelope srsName=\"fguuid:jgd2011.bl\">\n";
    doc += corner;
    doc += "</gml:Envelope>\n</gml:boundedBy>\n<gml:gridDomain>\n<gml:Grid dimension=\"2\" gml:id=\"DEM001-4\">\n"
           "<gml:limits>\n<gml:GridEnvelope>\n<gml:low>0 0</gml:low>\n<gml:high>" +
           std::to_string(s.columns - 1) + " " + std::to_string(s.rows - 1) +
           "</gml:high>\n</gml:GridEnvelope>\n</gml:limits>\n</gml:Grid>\n</gml:gridDomain>\n"
           "<gml:rangeSet>\n<gml:DataBlock>\n<gml:tupleList>\n";
    const long long total = static_cast<long long>(s.columns) * s.rows;
    const long long first = static_cast<long long>(s.startY) * s.columns + s.startX;
    const long long count = values < 0 ? total - first : values;
    doc.reserve(doc.size() + static_cast<size_t>(count) * 20);
    char number[32];
    for (long long i = first; i < first + count; ++i) {
        const long long x = i % s.columns, y = i / s.columns;
        const double lat = s.south + (static_cast<double>(s.rows - y) - 0.5) * step;
        const double lon = s.west + (static_cast<double>(x) + 0.5) * step;
        const double h = height(lat, lon);
        if (std::isnan(h)) {
            doc += "海水面,-9999.\n";
            continue;
        }
        const auto [end, ec] = std::to_chars(number, number + sizeof number, std::round(h * 100.0) / 100.0,
                                             std::chars_format::fixed, 2);
        doc += "地表面,";
        doc.append(number, end);
        doc += '\n';
    }
    doc += "</gml:tupleList>\n</gml:DataBlock>\n</gml:rangeSet>\n<gml:coverageFunction>\n<gml:GridFunction>\n"
           "<gml:sequenceRule order=\"+x-y\">Linear</gml:sequenceRule>\n<gml:startPoint>" +
           std::to_string(s.startX) + " " + std::to_string(s.startY) +
           "</gml:startPoint>\n</gml:GridFunction>\n</gml:coverageFunction>\n</coverage>\n</DEM>\n</Dataset>\n";
    return doc;
}

// Writes a ZIP archive with the given members (name, bytes).
inline bool writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& members) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) return false;
    for (const auto& [name, bytes] : members) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

}  // namespace orv::terrain::test
