#include "cli/RenderCommand.h"

#include "app/ElevationLoading.h"
#include "app/IniStore.h"
#include "app/Paths.h"
#include "app/PlanFileLoading.h"
#include "app/Settings.h"
#include "app/StartMenuModel.h"
#include "cli/BlockLoading.h"
#include "cli/CommandLineDialogs.h"
#include "cli/Cli.h"
#include "cli/CliText.h"
#include "cli/CommandLine.h"
#include "cli/PictureOutput.h"
#include "core/ShownText.h"
#include "geo/MemFile.h"
#include "geo/MeshCode.h"
#include "gps/GpsImportRun.h"
#include "gps/GpxTrack.h"
#include "gps/TrackDatum.h"
#include "map/MapState.h"
#include "map/RouteMapTools.h"
#include "names/MountainFile.h"
#include "route/MapOutput.h"
#include "route/Measurement.h"
#include "route/RouteMap.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <ostream>

namespace orv::cli {

namespace {

namespace fs = std::filesystem;

CommandSyntax renderSyntax() {
    CommandSyntax s;
    s.command = "render";
    s.synopsis =
        "使い方: orvane-cli render (--centre MESH | --plan NAME [--data-folder DIR]) --dem DIR\n"
        "                          [--mountains FILE.ndb] [--route FILE.gpx|.trk] [--contours M]\n"
        "                          [--mode shaded|bands|graticule|none] --out FILE.png|.bmp|-\n";
    s.description =
        "ルート平面図のレベル１の絵（600×600）を、画面なしでルート平面図の窓と同じに描いてファイルにします。\n"
        "ルートを描くときは左上にルートの数値の枠を入れます。";
    s.options = {
        {{"centre", "center"}, "MESH", "中心の2次メッシュコード（6桁）", "メッシュコード"},
        {{"plan"}, "NAME", "山行計画（NAME.RTD のルートと中心メッシュ、NAME.RVD の谷・尾根筋）", "山行計画の名前"},
        {{"data-folder"}, "DIR", "山行計画のフォルダ（既定 ~/.local/share/Orvane/Data）", "フォルダ"},
        {{"mountains"}, "FILE", "山名ファイル（計画の目的の山の名前を描きます。\n既定は前回使った山名ファイル）", "山名ファイル"},
        {{"dem"}, "DIR", "50mメッシュ（標高）のファイル（CODE.MEM）のフォルダ", "フォルダ"},
        {{"route"}, "FILE",
         "GPSのルート（GPX、PCXトラック .trk、Waypoint+ .txt）。\n計画のルートは参照ルートになります", "ファイル"},
        {{"contours"}, "M", "等高線の間隔（メートル、1〜1000）", "数"},
        {{"mode"}, "MODE",
         "背景: shaded 段彩陰影図（既定）, bands 段彩図,\ngraticule 経緯度線のみ, none 背景なし", "背景"},
        {{"out"}, "FILE", "出力ファイル（.png または .bmp。- で標準出力にPNG）", "ファイル"},
    };
    return s;
}

constexpr std::array<const char*, 4> kModes{"shaded", "bands", "graticule", "none"};
// The intervals of "等高線間隔" tools 1..8; others are given through tool 9 ("任意").
constexpr std::array<int, 8> kToolIntervals{10, 20, 40, 50, 100, 200, 500, 1000};

struct RenderOptions {
    std::string centre;
    std::string plan;
    fs::path dataFolder;
    fs::path mountains;
    fs::path dem;
    fs::path route;
    int contours = 0;
    int mode = ShadedColour;
    fs::path out;
};

// The mountain table the plan's destination is named from, as the plan start dialog reads it:
// the file given, else the one the program used last. A given file that cannot be read is a
// problem; the last one only loses the names, with a word on the error stream.
std::optional<std::string> loadMountains(AppState& state, const fs::path& given, std::ostream& err) {
    const fs::path file = given.empty() ? fs::path(state.mountainFilePath) : given;
    if (file.empty()) return std::nullopt;
    Result<MountainFileData> read = readMountainFile(file, state.japanBounds);
    if (read) {
        putMountainTable(state, std::move(read->records));
        return std::nullopt;
    }
    const std::string problem = "山名ファイル「" + file.string() + "」は使用できません。";
    if (!given.empty()) return problem;
    err << "orvane-cli render: " << terminalText(problem) << "山名は描きません。\n";
    return std::nullopt;
}

Result<GpsTrack> readRoute(const fs::path& path, GpsFileKind& kind) {
    const std::string ext = lowerExtension(path);
    if (ext == "gpx") {
        kind = GpsFileKind::Gpx;
        return readGpxTrack(path, {});
    }
    if (ext == "txt") {
        kind = GpsFileKind::WaypointPlus;
        return readWaypointPlus(path, {});
    }
    kind = GpsFileKind::PcxTrack;
    return readPcxTrack(path, {});
}

std::optional<std::string> renderOptions(const CommandLine& line, RenderOptions& o) {
    o.centre = line.value("centre");
    o.plan = line.value("plan");
    o.dataFolder = line.value("data-folder");
    o.mountains = line.value("mountains");
    o.dem = line.value("dem");
    o.route = line.value("route");
    o.out = line.value("out");
    if (line.isSet("contours")) {
        const std::string v = line.value("contours");
        if (v.empty() || v.size() > 4 || !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            std::stoi(v) < 1 || std::stoi(v) > 1000)
            return "--contours は 1〜1000 のメートルで指定してください";
        o.contours = std::stoi(v);
    }
    if (line.isSet("mode")) {
        const auto found = std::find(kModes.begin(), kModes.end(), line.value("mode"));
        if (found == kModes.end()) return "--mode は shaded, bands, graticule, none のどれかです";
        o.mode = static_cast<int>(found - kModes.begin());
    }
    if (o.centre.empty() == o.plan.empty()) return "--centre か --plan のどちらか一つを指定してください";
    if (!o.plan.empty()) {
        if (auto problem = planNameProblem(o.plan)) return problem;
    }
    if (!o.mountains.empty() && o.plan.empty()) return "--mountains は --plan と一緒に指定してください";
    if (!o.centre.empty() && !isValidMeshCode(o.centre))
        return "メッシュコード「" + shownFileText(o.centre) + "」は6桁の2次メッシュコードではありません";
    if (o.dem.empty()) return "--dem がありません";
    if (o.out.empty()) return "--out がありません";
    return pictureOutProblem(o.out);
}

}  // namespace

int runRenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommandLine line(renderSyntax());
    if (const auto problem = line.parse(args)) return line.usageError(err, *problem);
    if (line.helpAsked()) {
        out << line.helpText();
        return kExitOk;
    }
    RenderOptions o;
    if (const auto problem = renderOptions(line, o)) return line.usageError(err, *problem);
    const auto fail = [&err](const std::string& text) {
        err << "orvane-cli render: " << terminalText(text) << '\n';
        return kExitFailed;
    };

    auto state = makeAppState();
    setStartValues(*state);
    loadSettings(*state, IniStore());
    state->settings.backgroundMethod = static_cast<int16_t>(o.mode);
    StartMenuModel menu;

    if (!o.plan.empty()) {
        state->planName = o.plan;
        state->dataFolder = o.dataFolder.empty() ? defaultDataFolder() : o.dataFolder;
        if (const auto problem = loadMountains(*state, o.mountains, err)) return fail(*problem);
        const RouteFileLoad route = readRouteFile(*state, menu);
        if (!route.loaded) return fail(route.message);
        const std::string rvd = ridgeValleyLoadMessage(readRidgeValleyFile(*state, menu), o.plan + ".RVD");
        if (!rvd.empty()) err << "orvane-cli render: " << terminalText(rvd) << '\n';
    } else {
        state->centreMeshCode = o.centre;
        state->planName = o.route.empty() ? o.centre : o.route.stem().string();
    }

    if (!o.route.empty()) {
        GpsFileKind kind = GpsFileKind::Gpx;
        Result<GpsTrack> track = readRoute(o.route, kind);
        const GpsReadMessage told = describeGpsRead(kind, track, o.route);
        if (!told.ok()) return fail(told.message);
        if (!told.warning.empty()) err << "orvane-cli render: " << told.warning << '\n';
        if (!told.notice.empty()) err << "orvane-cli render: " << told.notice << '\n';
        if (const Status moved = moveTrackToTokyo(*track); !moved) return fail(datumProblemMessage(moved.problem()));
        // A plan's own route becomes the reference route of the record, as a saved plan read as
        // a record has it.
        std::copy_n(state->route.begin(), state->routeCount + 1, state->referenceRoute.begin());
        state->refRouteCount = state->routeCount;
        commitGpsTrack(*state, kind, *track);
        state->gpsMode = 1;
    }

    if (loadBlock(*state, o.dem) == 0)
        return fail("「" + o.dem.string() + "」に中心メッシュ " + state->centreMeshCode + " の周りの50mメッシュのファイルがありません。");

    const std::string interval = std::to_string(o.contours);
    CommandLineDialogs dialogs(err, "orvane-cli render: ", interval);
    RouteMap map(*state, dialogs);
    map.create();
    if (o.contours > 0) {
        const auto tool = std::find(kToolIntervals.begin(), kToolIntervals.end(), o.contours);
        const auto index = tool == kToolIntervals.end() ? mapTool::kContourIntervals.size() - 1
                                                         : static_cast<size_t>(tool - kToolIntervals.begin());
        map.dispatch(mapTool::kContourIntervals[index].text());
    }
    DrawingSurface& picture = map.pictures().map;
    if (state->routeCount > 0)
        drawMapCaption(picture, *state, mapCaption(*state, state->planName + "  " + captionDate(QDate::currentDate())));
    if (const auto problem = writePicture(picture, o.out, out)) return fail(*problem);
    std::ostream& report = pictureReport(o.out, out, err, "orvane-cli render: ");
    report << kMapSize << "×" << kMapSize << "\n";
    if (outsideDataDistance(state->route, state->routeCount) > 0) report << routeFiguresLine(*state) << "\n";
    return kExitOk;
}

}  // namespace orv::cli
