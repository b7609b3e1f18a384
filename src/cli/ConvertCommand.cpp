#include "cli/ConvertCommand.h"

#include "cli/Cli.h"
#include "cli/CliText.h"
#include "cli/CommandLine.h"
#include "core/TextFile.h"
#include "core/ShownText.h"
#include "exchange/GpxWriter.h"
#include "gps/GpsImportRun.h"
#include "gps/GpxTrack.h"
#include "gps/PcxTrackWriter.h"
#include "gps/TrackDatum.h"
#include "gps/WaypointPlusWriter.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

namespace orv::cli {

namespace {

namespace fs = std::filesystem;

CommandSyntax convertSyntax() {
    CommandSyntax s;
    s.command = "convert";
    s.synopsis = "使い方: orvane-cli convert IN OUT [--to gpx|trk|txt] [--name NAME] [--force]\n";
    s.description =
        "GPSのファイルを別の形式に変換します。形式はファイルの拡張子で決まります。\n"
        "  .gpx  GPX 1.0/1.1（WGS 84）\n"
        "  .trk  PCXテキストのトラックファイル（読むときは「M  G」行の測地系、書くときは日本測地系）\n"
        "  .wpt  PCXテキストのウェイポイントファイル（読むだけ）\n"
        "  .txt  Waypoint+テキストファイル（日本測地系）";
    s.options = {
        {{"to"}, "FORMAT", "OUTの形式（gpx, trk, txt）。OUTの拡張子より優先します", "形式"},
        {{"name"}, "NAME", "PCXの見出し行とGPXの名前（既定はINのファイル名）", "名前"},
        {{"force"}, "", "OUTがあれば置き換える（INと同じファイルには書きません）", ""},
    };
    s.arguments = {{"IN", "読むファイル"}, {"OUT", "書くファイル（- で標準出力。そのときは --to で形式を指定）"}};
    s.epilogue =
        "ルートの点は2048点まで、ウェイポイントは250点までです。長いGPXのトラックは等間隔に間引きます。\n"
        "PCXトラックのALTの欄はメートルの標高として読みます。\n";
    return s;
}

enum class Format { Gpx, PcxTrack, PcxWaypoints, WaypointPlus };

std::optional<Format> formatOf(const std::string& name) {
    if (name == "gpx") return Format::Gpx;
    if (name == "trk" || name == "pcx") return Format::PcxTrack;
    if (name == "wpt") return Format::PcxWaypoints;
    if (name == "txt") return Format::WaypointPlus;
    return std::nullopt;
}

GpsFileKind kindOf(Format format) {
    switch (format) {
    case Format::Gpx: return GpsFileKind::Gpx;
    case Format::PcxTrack: return GpsFileKind::PcxTrack;
    case Format::PcxWaypoints: return GpsFileKind::PcxWaypoints;
    case Format::WaypointPlus: return GpsFileKind::WaypointPlus;
    }
    return GpsFileKind::Gpx;
}

Result<GpsTrack> readFile(Format format, const fs::path& path) {
    switch (format) {
    case Format::Gpx: return readGpxTrack(path, {});
    case Format::PcxTrack: return readPcxTrack(path, {});
    case Format::PcxWaypoints: return readPcxWaypoints(path, {});
    case Format::WaypointPlus: return readWaypointPlus(path, {});
    }
    return Problem{ProblemKind::Unsupported, 0, {}};
}

// True when both names lead to one file (a link, "./", another spelling of the folder): the
// file system is asked, not the names compared.
bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

// Points whose file gave no height are written without one instead of at 0 m.
void leaveOutUnknownHeights(GpxDocument& document, const std::vector<bool>& heights) {
    for (GpxTrack& track : document.tracks)
        for (auto& segment : track.segments)
            for (size_t i = 0; i < segment.size(); ++i)
                if (i >= heights.size() || !heights[i]) segment[i].elevation.reset();
}

}  // namespace

int runConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommandLine line(convertSyntax());
    if (const auto problem = line.parse(args)) return line.usageError(err, *problem);
    if (line.helpAsked()) {
        out << line.helpText();
        return kExitOk;
    }
    const auto usage = [&line, &err](const std::string& problem) { return line.usageError(err, problem); };
    const std::vector<std::string> files = line.positional();
    const std::string to = line.value("to");
    const std::optional<std::string> name = line.isSet("name") ? std::optional(line.value("name")) : std::nullopt;
    const bool force = line.isSet("force");
    if (files.size() != 2) return usage("読むファイルと書くファイルを一つずつ指定してください");
    const fs::path in = files[0];
    const fs::path outPath = files[1];
    const bool toStandardOutput = isStandardOutput(outPath);
    if (isStandardOutput(in)) return usage("標準入力からは読めません。読むファイルを指定してください");
    const auto from = formatOf(lowerExtension(in));
    if (!from) return usage("「" + shownFileText(in.string()) + "」の形式が分かりません（拡張子 .gpx .trk .wpt .txt）");
    if (toStandardOutput && to.empty()) return usage("標準出力（-）に書くときは --to で形式を指定してください");
    const auto target = formatOf(to.empty() ? lowerExtension(outPath) : to);
    if (!target || *target == Format::PcxWaypoints)
        return usage(to.empty() ? "「" + shownFileText(outPath.string()) + "」の形式が分かりません（拡張子 .gpx .trk .txt か --to）"
                                : "--to の形式「" + shownFileText(to) + "」は書けません（gpx, trk, txt）");

    const auto fail = [&err](const std::string& text) {
        err << "orvane-cli convert: " << terminalText(text) << '\n';
        return kExitFailed;
    };
    // The file read is never the file written, and a file is replaced only when asked.
    if (!toStandardOutput && sameFile(in, outPath))
        return fail("読むファイルと書くファイルが同じです: " + shownFileText(outPath.string()));
    std::error_code ec;
    if (!toStandardOutput && !force && fs::symlink_status(outPath, ec).type() != fs::file_type::not_found && !ec)
        return fail("「" + shownFileText(outPath.string()) + "」はすでにあります（--force で置き換えます）");

    // Read as the import reads, with its messages.
    Result<GpsTrack> read = readFile(*from, in);
    const GpsReadMessage told = describeGpsRead(kindOf(*from), read, in);
    if (!told.ok()) {
        err << "orvane-cli convert: " << terminalText(told.message) << '\n';
        return kExitFailed;
    }
    if (!told.warning.empty()) err << "orvane-cli convert: " << told.warning << '\n';
    if (!told.notice.empty()) err << "orvane-cli convert: " << told.notice << '\n';
    GpsTrack& track = read.value();

    // Positions on the Tokyo datum in between, as the program holds them.
    std::optional<DatumShift> shift;
    if (track.datum == TrackDatum::Wgs84 || *target == Format::Gpx) {
        Result<DatumShift> made = DatumShift::create(ModernDatum::Wgs84);
        if (!made) {
            err << "orvane-cli convert: 測地系を変換できません。\n" << made.problem().detail << '\n';
            return kExitFailed;
        }
        shift.emplace(std::move(made).value());
    }
    if (track.datum == TrackDatum::Wgs84) {
        if (const Status moved = moveTrackToTokyo(track, *shift); !moved) {
            err << "orvane-cli convert: " << terminalText(datumProblemMessage(moved.problem())) << '\n';
            return kExitFailed;
        }
    }

    const std::string title = name ? *name : in.stem().string();
    std::string bytes;
    switch (*target) {
    case Format::Gpx: {
        Result<GpxDocument> document = routeGpx(title, track.points, track.waypoints, *shift);
        if (!document) return fail("GPXの内容を作れません。\r\n" + document.problem().detail);
        leaveOutUnknownHeights(*document, track.heights);
        bytes = gpxBytes(*document);
        break;
    }
    case Format::PcxTrack:
        bytes = cp932LinesBytes(pcxTrackLines(title, track.points, PcxTimes::Recorded));
        if (!track.waypoints.empty())
            err << "orvane-cli convert: PCXのトラックファイルにウェイポイントは書けないため、" << track.waypoints.size()
                << "点のウェイポイントは書きませんでした。\n";
        break;
    case Format::WaypointPlus:
    case Format::PcxWaypoints:
        bytes = cp932LinesBytes(waypointPlusLines(track.points, track.waypoints));
        break;
    }
    const size_t waypoints = *target == Format::PcxTrack ? 0 : track.waypoints.size();
    const std::string counts = "ルート" + std::to_string(track.points.size()) + "点、ウェイポイント" + std::to_string(waypoints) + "点\n";
    if (toStandardOutput) {
        // The file's bytes alone on standard output; the word on what was written goes with the messages.
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) return fail("標準出力に書けません。");
        err << "orvane-cli convert: 標準出力: " << counts;
        return kExitOk;
    }
    if (writeBytesAtomic(outPath, bytes) != FileError::None)
        return fail("「" + shownFileText(outPath.string()) + "」を書けません。");
    out << outPath.string() << ": " << counts;
    return kExitOk;
}

}  // namespace orv::cli
