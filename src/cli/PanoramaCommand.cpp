#include "cli/PanoramaCommand.h"

#include "app/IniStore.h"
#include "app/Settings.h"
#include "cli/BlockLoading.h"
#include "cli/Cli.h"
#include "cli/CliText.h"
#include "cli/CommandLine.h"
#include "cli/PictureOutput.h"
#include "core/ShownText.h"
#include "geo/Angles.h"
#include "geo/DatumShift.h"
#include "geo/MeshCode.h"
#include "map/MapGeometry.h"
#include "names/MountainFile.h"
#include "panorama/Panorama.h"
#include "panorama/PanoramaPicture.h"
#include "panorama/PanoramaScan.h"
#include "panorama/TerrainGathering.h"
#include "state/AppState.h"
#include "terrain/DemMessages.h"
#include "terrain/TileSources.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>

namespace orv::cli {

namespace {

namespace fs = std::filesystem;
using namespace orv::panorama;

const std::string kPrefix = "orvane-cli panorama: ";

CommandSyntax panoramaSyntax() {
    CommandSyntax s;
    s.command = "panorama";
    s.synopsis =
        "使い方: orvane-cli panorama --at LAT,LON[,HEIGHT] (--tiles DIR | --download [--cache DIR] | --dem DIR)\n"
        "                            [--dem DIR] [--mountains FILE.ndb] [--azimuth A --fov F] [--distance KM]\n"
        "                            [--url TEMPLATE] [--list] --out FILE.png|.bmp|-\n";
    s.description =
        "地点からの展望図を、画面なしで展望図の窓と同じに描いてファイルにします。\n"
        "地球の丸みと大気の屈折（係数 0.13）を入れ、山名ファイルの山のうち見えるものに名前を付けます。\n"
        "地形は標高タイル（近くは細かく、遠くは粗く）と、--dem のときは観測点の周りの50mメッシュです。";
    s.options = {
        {{"at"}, "LAT,LON[,HEIGHT]",
         "観測点。緯度,経度 は世界測地系（JGD2011）の10進の度（例 42.7195,142.6828）。\n"
         "代わりに --mountains の山の名前を書くと、その山頂（山名ファイルの標高）に立ちます。\n"
         "HEIGHT は地面からの目の高さ（メートル、既定 1.6）",
         "緯度,経度"},
        {{"tiles"}, "DIR", "標高タイルのフォルダ（DIR/z/x/y.txt または .png、キャッシュと同じ形）", "フォルダ"},
        {{"download"}, "", "標高タイルをダウンロードする（設定のタイルのURL）", ""},
        {{"cache"}, "DIR", "ダウンロードしたタイルを置くフォルダ（次から使う）", "フォルダ"},
        {{"url"}, "TEMPLATE", "--download のタイルのURL（{z} {x} {y} を含む。\n空白とズームレベルを続けてもよい）", "URL"},
        {{"dem"}, "DIR", "50mメッシュ（標高）のファイル（CODE.MEM）のフォルダ。\n観測点の周りの3×3メッシュを近くの地形にします", "フォルダ"},
        {{"mountains"}, "FILE", "山名ファイル（.ndb、日本測地系）。見える山に名前を付けます", "山名ファイル"},
        {{"azimuth"}, "A", "展望図の中心の方位（度、北から時計回り、既定 0）", "数"},
        {{"fov"}, "F", "展望図の幅（度、1〜360、既定 360）", "数"},
        {{"distance"}, "KM", "見る距離（キロメートル、1〜300、既定 150）", "数"},
        {{"list"}, "", "範囲内の山を、方位・距離・仰角と見えるかどうかを付けて一覧にします\n（--out がなければ一覧だけにします）", ""},
        {{"out"}, "FILE", "出力ファイル（.png または .bmp。- で標準出力にPNG）", "ファイル"},
    };
    s.epilogue = std::string(terrain::kSurveyCredit) + "\n";
    return s;
}

struct PanoramaOptions {
    LatLon at;
    std::string atMountain;  // a peak of the mountain file instead of a position
    double eyeHeight = 1.6;
    fs::path tiles;
    bool download = false;
    fs::path cache;
    std::string url;
    fs::path dem;
    fs::path mountains;
    double azimuth = 0.0;
    double fieldOfView = 360.0;
    double distanceKm = 150.0;
    bool list = false;
    fs::path out;
};

// A plain decimal number ("42.5", "-3", ".5"), nothing otherwise.
std::optional<double> number(const std::string& text) {
    double v = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, v, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
    return v;
}

// The option's value as a number within [low, high]; nothing when it is not one.
std::optional<double> numberWithin(const std::string& text, double low, double high) {
    const std::optional<double> v = number(text);
    if (!v || *v < low || *v > high) return std::nullopt;
    return v;
}

std::optional<std::string> readAt(const std::string& text, PanoramaOptions& o) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == ',') parts.emplace_back();
        else parts.back() += c;
    }
    const std::string form = "--at は 緯度,経度[,目の高さ] の10進の度（例 42.7195,142.6828）か 山の名前[,目の高さ] で指定してください";
    // A name: the first part is no number at all.
    const bool named = !parts[0].empty() && !number(parts[0]) && parts[0].find_first_not_of("0123456789.+-") != std::string::npos;
    const size_t positionParts = named ? 1 : 2;
    if (parts.size() < positionParts || parts.size() > positionParts + 1) return form;
    if (named) {
        o.atMountain = parts[0];
    } else {
        const auto latitude = numberWithin(parts[0], -85.0, 85.0);
        const auto longitude = numberWithin(parts[1], -180.0, 180.0);
        if (!latitude || !longitude) return form;
        o.at = {*latitude, *longitude};
    }
    if (parts.size() > positionParts) {
        const auto eye = numberWithin(parts[positionParts], 0.0, 1000.0);
        if (!eye) return "--at の目の高さは 0〜1000 のメートルで指定してください";
        o.eyeHeight = *eye;
    }
    return std::nullopt;
}

std::optional<std::string> panoramaOptions(const CommandLine& line, PanoramaOptions& o) {
    if (!line.isSet("at")) return "--at がありません";
    if (auto problem = readAt(line.value("at"), o)) return problem;
    o.tiles = line.value("tiles");
    o.download = line.isSet("download");
    o.cache = line.value("cache");
    o.url = line.value("url");
    o.dem = line.value("dem");
    o.mountains = line.value("mountains");
    o.list = line.isSet("list");
    o.out = line.value("out");
    const std::pair<const char*, std::pair<double*, std::pair<double, double>>> numbers[] = {
        {"azimuth", {&o.azimuth, {0.0, 360.0}}},
        {"fov", {&o.fieldOfView, {1.0, 360.0}}},
        {"distance", {&o.distanceKm, {1.0, 300.0}}},
    };
    for (const auto& [name, target] : numbers) {
        if (!line.isSet(name)) continue;
        const auto v = numberWithin(line.value(name), target.second.first, target.second.second);
        if (!v) {
            const auto [low, high] = target.second;
            return "--" + std::string(name) + " は " + std::to_string(static_cast<int>(low)) + "〜" +
                   std::to_string(static_cast<int>(high)) + " の数で指定してください";
        }
        *target.first = *v;
    }
    if (o.azimuth >= 360.0) o.azimuth = 0.0;
    if (!o.atMountain.empty() && o.mountains.empty()) return "--at に山の名前を書くときは --mountains を指定してください";
    if (!o.tiles.empty() && o.download) return "--tiles と --download は一緒に指定できません";
    if (o.tiles.empty() && !o.download && o.dem.empty()) return "--tiles, --download, --dem のどれかを指定してください";
    if (!o.download && (line.isSet("cache") || line.isSet("url"))) return "--cache と --url は --download と一緒に指定してください";
    if (!o.url.empty() && !terrain::isUsableTileSetting(o.url)) return "--url には {z} {x} {y} を含むURLを指定してください";
    if (o.out.empty() && !o.list) return "--out がありません";
    if (o.out.empty()) return std::nullopt;
    return pictureOutProblem(o.out);
}

// What the command says while it works, on a terminal: "[ 42%] 標高タイル" on one line.
class TerminalProgress {
public:
    TerminalProgress(std::ostream& err, bool shown) : err_(err), shown_(shown) {}
    ~TerminalProgress() { clear(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void show(const std::string& stage, int done, int total) {
        if (!shown_) return;
        const int percent = total > 0 ? static_cast<int>(static_cast<long long>(done) * 100 / total) : 0;
        if (percent == percent_ && stage == stage_) return;
        percent_ = percent;
        stage_ = stage;
        drawn_ = true;
        err_ << "\r\x1b[K" << stage << " " << percent << "%" << std::flush;
    }

    // Takes the line away, for a message or the end.
    void clear() {
        if (shown_ && drawn_) err_ << "\r\x1b[K" << std::flush;
        drawn_ = false;
        percent_ = -1;
    }

private:
    std::ostream& err_;
    bool shown_;
    bool drawn_ = false;
    int percent_ = -1;
    std::string stage_;
};

// The peaks of a mountain file (Tokyo datum) on JGD2011; records without a height are left out.
std::vector<Peak> peaksOf(const std::vector<MountainRecord>& records, const DatumShift& shift) {
    std::vector<Peak> peaks;
    for (const MountainRecord& record : records)
        if (std::optional<Peak> peak = peakOfRecord(shift, record)) peaks.push_back(std::move(*peak));
    return peaks;
}

// The 3 × 3 block of 50 m meshes around `at` from `folder` laid into `terrain`; the problem
// when the folder has none of its files.
std::optional<std::string> addMeshBlock(SightTerrain& terrain, const fs::path& folder, LatLon at, const DatumShift& shift) {
    const LatLon tokyo = shift.toTokyo(at.latitude, at.longitude);
    auto state = makeAppState();
    state->centreMeshCode = meshOfPoint(degreesToDmsText(tokyo.latitude, 2), degreesToDmsText(tokyo.longitude, 2));
    if (std::isnan(tokyo.latitude) || !isValidMeshCode(state->centreMeshCode) || loadBlock(*state, folder) == 0)
        return "「" + shownFileText(folder.string()) + "」に観測点の周りの50mメッシュのファイルがありません。";
    terrain.addBlock(state->elevationGrid, levelBounds(state->levelCorners, 1), shift);
    return std::nullopt;
}

int fail(std::ostream& err, const std::string& text) {
    err << kPrefix << terminalText(text) << '\n';
    return kExitFailed;
}

}  // namespace

int runPanoramaCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
    CommandLine line(panoramaSyntax());
    if (const auto problem = line.parse(args)) return line.usageError(err, *problem);
    if (line.helpAsked()) {
        out << line.helpText();
        return kExitOk;
    }
    PanoramaOptions o;
    if (const auto problem = panoramaOptions(line, o)) return line.usageError(err, *problem);

    Result<DatumShift> shift = DatumShift::create(ModernDatum::Jgd2011);
    if (!shift) return fail(err, "測地系の変換ができません（PROJ のデータがありません）。");
    std::vector<Peak> peaks;
    if (!o.mountains.empty()) {
        const Result<MountainFileData> read = readMountainFile(o.mountains, JapanBounds{});
        if (!read) return fail(err, "山名ファイル「" + shownFileText(o.mountains.string()) + "」は使用できません。");
        peaks = peaksOf(read->records, *shift);
    }
    // On a mountain of the file: its summit at the file's height.
    double groundHeight = std::nan("");
    if (!o.atMountain.empty()) {
        const auto peak = std::find_if(peaks.begin(), peaks.end(), [&](const Peak& p) { return p.name == o.atMountain; });
        if (peak == peaks.end())
            return fail(err, "山名ファイル「" + shownFileText(o.mountains.string()) + "」に「" + shownFileText(o.atMountain) + "」がありません。");
        o.at = peak->position;
        groundHeight = peak->height;
    }

    SightRequest request;
    request.observer = o.at;
    request.maxDistance = o.distanceKm * 1000.0;
    request.azimuth = o.azimuth;
    request.fieldOfView = o.fieldOfView;
    TerminalProgress progress(err, terminal);
    const terrain::ProgressHook tileProgress = [&progress](int done, int total, const std::string&) {
        progress.show("標高タイル", done, total);
        return true;
    };
    GatheredTerrain gathered;
    if (!o.tiles.empty()) {
        gathered = gatherFromFolder(o.tiles, request, tileProgress);
    } else if (o.download) {
        std::string setting = o.url;
        if (setting.empty()) {
            auto state = makeAppState();
            loadSettings(*state, IniStore());
            setting = state->settings.tileUrlSetting.empty() ? terrain::defaultTileSetting() : state->settings.tileUrlSetting;
        }
        gathered = gatherFromServer(request, setting, o.cache, tileProgress);
    }
    if (!o.dem.empty()) {
        if (const auto problem = addMeshBlock(gathered.terrain, o.dem, o.at, *shift)) {
            progress.clear();
            return fail(err, *problem);
        }
    }
    progress.clear();
    const std::string missing = gathered.statusText();
    if (!missing.empty()) err << kPrefix << terminalText(missing) << '\n';

    Observer observer;
    observer.position = o.at;
    observer.groundHeight = groundHeight;
    observer.eyeHeight = o.eyeHeight;
    ScanOptions scanOptions;
    scanOptions.azimuth = o.azimuth;
    scanOptions.fieldOfView = o.fieldOfView;
    scanOptions.maxDistance = request.maxDistance;
    const PanoramaScan scan = scanPanorama(gathered.terrain, observer, scanOptions, [&progress](int done, int total) {
        progress.show("展望", done, total);
        return true;
    });
    progress.clear();
    if (!std::isfinite(scan.observer.groundHeight))
        return fail(err, "観測点の標高が分かりません（地形のデータの範囲の外です）。");
    if (scan.unknownColumns > 0)
        err << kPrefix << "地形の分からない方向が " << scan.unknownColumns << " 列あります。その先は描かれません。\n";
    const std::vector<PeakSight> sights = sightPeaks(scan, peaks);

    int visible = 0;
    for (const PeakSight& s : sights) visible += s.visible ? 1 : 0;
    if (o.list) {
        std::ostream& listing = isStandardOutput(o.out) ? err : out;
        for (const PeakSight& s : sights) listing << describePeak(s) << '\n';
    }
    if (o.out.empty()) return kExitOk;

    const int columns = static_cast<int>(scan.columns.size());
    const PanoramaView view = viewFitting(scan, std::max(800, columns), 400);
    const PanoramaPicture picture = drawPanorama(scan, sights, view);
    DrawingSurface surface(picture.image.width(), picture.image.height());
    surface.setImage(picture.image);
    if (const auto problem = writePicture(surface, o.out, out)) return fail(err, *problem);
    pictureReport(o.out, out, err, kPrefix) << picture.image.width() << "×" << picture.image.height() << "　見える山 "
                                            << visible << "（範囲内 " << sights.size() << "）\n";
    return kExitOk;
}

}  // namespace orv::cli
