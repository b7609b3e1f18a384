#include "panorama/Panorama.h"

#include "core/NumberText.h"
#include "core/TextFile.h"
#include "geo/Angles.h"
#include "map/MapGeometry.h"
#include "names/MountainFile.h"
#include "panorama/Geodesy.h"
#include "terrain/TileSources.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <utility>

namespace orv::panorama {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kSamePeakMetres = 300.0;
constexpr int kMaxPictureSide = 8000;

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The template of the survey's 10 m model as PNG: the one of the setting naming dem_png, else
// the setting's last server (the coarsest, which covers the most).
std::string demPngTemplate(const std::string& setting) {
    const std::vector<terrain::TileServer> servers = terrain::tileServersFromSetting(setting);
    for (const terrain::TileServer& server : servers)
        if (server.urlTemplate.find("/dem_png/") != std::string::npos) return server.urlTemplate;
    return servers.empty() ? std::string() : servers.back().urlTemplate;
}

}  // namespace

PanoramaSettings settingsFromChoices(const SightChoices& choices) {
    PanoramaSettings settings;
    settings.eyeHeight = choices.eyeHeight;
    settings.azimuth = choices.azimuth;
    settings.fieldOfView = choices.fieldOfView;
    settings.maxDistanceKm = choices.maxDistanceKm;
    settings.refraction = choices.refraction;
    return clampedSettings(settings);
}

void keepChoices(const PanoramaSettings& settings, SightChoices& choices) {
    choices.eyeHeight = settings.eyeHeight;
    choices.azimuth = settings.azimuth;
    choices.fieldOfView = settings.fieldOfView;
    choices.maxDistanceKm = settings.maxDistanceKm;
    choices.refraction = settings.refraction;
}

std::optional<std::string> settingsProblem(const PanoramaSettings& s) {
    const auto within = [](double value, double lo, double hi) { return std::isfinite(value) && value >= lo && value <= hi; };
    if (!within(s.observer.latitude, 20.0, 46.0) || !within(s.observer.longitude, 122.0, 154.0))
        return std::string("観測点が日本の範囲にありません。");
    if (!within(s.eyeHeight, 0.0, kMaxEyeHeight)) return std::string("目の高さは0〜1000mで入力してください。");
    if (!within(s.maxDistanceKm, kMinSightDistanceKm, kMaxSightDistanceKm))
        return std::string("最大距離は1〜300kmで入力してください。");
    if (!within(s.fieldOfView, kMinFieldOfView, 360.0)) return std::string("視野は5〜360度で入力してください。");
    if (!within(s.azimuth, 0.0, 360.0)) return std::string("方位は0〜360度で入力してください。");
    if (!within(s.refraction, -1.0, 1.0)) return std::string("屈折係数は-1〜1で入力してください。");
    return std::nullopt;
}

PanoramaSettings clampedSettings(PanoramaSettings s) {
    const auto clamp = [](double value, double lo, double hi, double otherwise) {
        return std::isfinite(value) ? std::clamp(value, lo, hi) : otherwise;
    };
    const PanoramaSettings defaults;
    s.eyeHeight = clamp(s.eyeHeight, 0.0, kMaxEyeHeight, defaults.eyeHeight);
    s.maxDistanceKm = clamp(s.maxDistanceKm, kMinSightDistanceKm, kMaxSightDistanceKm, defaults.maxDistanceKm);
    s.fieldOfView = clamp(s.fieldOfView, kMinFieldOfView, 360.0, defaults.fieldOfView);
    s.azimuth = std::isfinite(s.azimuth) ? std::fmod(std::fmod(s.azimuth, 360.0) + 360.0, 360.0) : 0.0;
    s.refraction = clamp(s.refraction, -1.0, 1.0, defaults.refraction);
    return s;
}

const DatumShift* tokyoShift() {
    static const std::unique_ptr<DatumShift> shift = [] {
        Result<DatumShift> made = DatumShift::create(ModernDatum::Jgd2011);
        return made.ok() ? std::make_unique<DatumShift>(std::move(made).value()) : nullptr;
    }();
    return shift.get();
}

std::optional<LatLon> tokyoToJgd(const DatumShift& shift, std::string_view latitude, std::string_view longitude) {
    const std::optional<double> lat = dmsTextDegrees(latitude);
    const std::optional<double> lon = dmsTextDegrees(longitude);
    if (!lat || !lon) return std::nullopt;
    const LatLon modern = shift.fromTokyo(*lat, *lon);
    if (!std::isfinite(modern.latitude) || !std::isfinite(modern.longitude)) return std::nullopt;
    return modern;
}

std::optional<Peak> peakOfRecord(const DatumShift& shift, const MountainRecord& record) {
    const std::optional<LatLon> at = tokyoToJgd(shift, record.latitude, record.longitude);
    if (!at || record.name.empty()) return std::nullopt;
    char* end = nullptr;
    const double height = std::strtod(record.elevation.c_str(), &end);
    if (end == record.elevation.c_str() || !std::isfinite(height)) return std::nullopt;
    return Peak{record.name, *at, height};
}

std::filesystem::path sightTileFolder(const AppState& state) {
    if (!state.sightChoices.tileFolder.empty()) return state.sightChoices.tileFolder;
    return state.dataFolder / "tiles";
}

std::vector<Peak> collectPeaks(const AppState& state, const std::vector<std::filesystem::path>& files) {
    std::vector<Peak> peaks;
    const DatumShift* shift = tokyoShift();
    if (shift == nullptr) return peaks;
    const auto add = [&](const MountainRecord& record) {
        std::optional<Peak> peak = peakOfRecord(*shift, record);
        if (!peak) return;
        for (const Peak& known : peaks)
            if (known.name == peak->name && std::abs(known.position.latitude - peak->position.latitude) < 0.01 &&
                std::abs(known.position.longitude - peak->position.longitude) < 0.01 &&
                inverseGeodesic(known.position, peak->position).distance < kSamePeakMetres)
                return;
        peaks.push_back(std::move(*peak));
    };
    const int count = std::clamp<int>(state.mountainCount, 0, kMaxMountains);
    for (int i = 1; i <= count; ++i) add(state.mountainTable[static_cast<size_t>(i)]);
    for (const std::filesystem::path& file : files) {
        Result<MountainFileData> read = readMountainFile(file, state.japanBounds);
        if (!read.ok()) continue;
        for (const MountainRecord& record : read->records) add(record);
    }
    return peaks;
}

PanoramaSources programSources(const AppState& state, std::vector<std::filesystem::path> peakFiles) {
    PanoramaSources sources;
    sources.gather = [&state](const SightRequest& request, const terrain::ProgressHook& progress) {
        const std::filesystem::path folder = sightTileFolder(state);
        const std::string urlTemplate = demPngTemplate(state.settings.tileUrlSetting);
        if (state.sightChoices.download && !urlTemplate.empty()) {
            std::error_code error;
            std::filesystem::create_directories(folder, error);
            return gatherFromServer(request, urlTemplate, folder, progress);
        }
        return gatherFromFolder(folder, request, progress);
    };
    if (state.demUnused != 1) {
        sources.addBlock = [&state](SightTerrain& terrain) {
            if (const DatumShift* shift = tokyoShift())
                terrain.addBlock(state.elevationGrid, levelBounds(state.levelCorners, 1), *shift);
        };
    }
    sources.peaks = [&state, files = std::move(peakFiles)] { return collectPeaks(state, files); };
    return sources;
}

Panorama::Panorama(AppState& state, Dialogs& dialogs, PanoramaSources sources)
    : state_(state),
      dialogs_(dialogs),
      sources_(std::move(sources)),
      commands_({.run = [this](const ToolId& id) { run(id); },
                 .available = [this](const ToolId& id) { return menus_.isAvailable(id); },
                 .takenWhileBusy = {},
                 .alsoBusy = {}}),
      settings_(settingsFromChoices(state.sightChoices)) {
    buildPanoramaMenus(menus_);
    menus_.setChecked(panoramaTool::kHiddenPeaks, state_.sightChoices.hiddenPeaks);
}

std::string Panorama::title() const {
    std::string title = kPanoramaTitle;
    title += " — ";
    title += settings_.observerName.empty()
                 ? "北緯" + fixed(settings_.observer.latitude, 4) + "° 東経" + fixed(settings_.observer.longitude, 4) + "°"
                 : settings_.observerName;
    title += "（目の高さ " + fixed(settings_.eyeHeight, 1) + "m、" + fixed(settings_.maxDistanceKm, 0) + "km）";
    return title;
}

void Panorama::dispatch(std::string_view toolId) {
    const PanoramaTool* tool = findPanoramaTool(toolId);
    if (tool == nullptr) {
        reportUnknownTool("Panorama", toolId);
        return;
    }
    commands_.submit(tool->id);
}

void Panorama::run(ToolId id) {
    const PanoramaTool* tool = findPanoramaTool(id.text());
    if (tool == nullptr) return;
    CommandQueue<ToolId>::BusyScope scope(commands_);
    (this->*tool->handler)();
}

bool Panorama::ask(int done, int total, const std::string& text) { return !progress || progress(done, total, text); }

bool Panorama::show(const PanoramaSettings& wanted) {
    PanoramaSettings settings = clampedSettings(wanted);
    running_ = true;
    CommandQueue<ToolId>::BusyScope scope(commands_);
    const auto stop = [this](const std::string& why) {
        running_ = false;
        status_ = why;
        notify();
        return false;
    };

    SightRequest request;
    request.observer = settings.observer;
    request.maxDistance = settings.maxDistanceKm * 1000.0;
    request.azimuth = settings.azimuth;
    request.fieldOfView = settings.fieldOfView;
    request.columnStep = ScanOptions{}.columnStep;

    if (!ask(0, 100, "標高タイルを集めています")) return stop("展望図の作成を中止しました。");
    GatheredTerrain gathered;
    if (sources_.gather) {
        gathered = sources_.gather(request, [this](int done, int total, const std::string& text) {
            return ask(total > 0 ? done * 60 / total : 0, 100, text);
        });
    }
    if (gathered.cancelled) return stop("展望図の作成を中止しました。");
    if (sources_.addBlock) sources_.addBlock(gathered.terrain);
    if (gathered.terrain.empty()) {
        // The window names the place it could not see from, with no picture of another.
        settings_ = settings;
        shown_ = false;
        picture_ = {};
        scan_ = {};
        peaks_.clear();
        return stop("標高データがないため展望図を描けません。");
    }

    Observer observer;
    observer.position = settings.observer;
    observer.groundHeight = settings.groundHeight;
    observer.eyeHeight = settings.eyeHeight;
    ScanOptions options;
    options.azimuth = settings.azimuth;
    options.fieldOfView = settings.fieldOfView;
    options.maxDistance = request.maxDistance;
    options.sight.refraction = settings.refraction;
    if (!ask(60, 100, "稜線を調べています")) return stop("展望図の作成を中止しました。");
    PanoramaScan scan = scanPanorama(gathered.terrain, observer, options, [this](int done, int total) {
        return ask(60 + (total > 0 ? done * 35 / total : 0), 100, "稜線を調べています");
    });
    if (scan.cancelled) return stop("展望図の作成を中止しました。");
    if (!ask(95, 100, "山名を調べています")) return stop("展望図の作成を中止しました。");
    peaks_ = sightPeaks(scan, sources_.peaks ? sources_.peaks() : std::vector<Peak>{});
    scan_ = std::move(scan);
    settings_ = settings;
    keepChoices(settings_, state_.sightChoices);

    terrainNote_ = gathered.statusText();
    if (scan_.unknownColumns > 0) {
        if (!terrainNote_.empty()) terrainNote_ += "　";
        terrainNote_ += "地形の分からない方向が " + std::to_string(scan_.unknownColumns) + " 列あります。";
    }
    status_ = terrainNote_;
    view_ = viewForTerrain(scan_, width_, height_);
    fit_ = Fit::Terrain;
    shown_ = true;
    running_ = false;
    ask(100, 100, "");
    redraw();
    return true;
}

void Panorama::redraw() {
    if (!shown_) return;
    PictureOptions options;
    options.hiddenPeaks = menus_.isChecked(panoramaTool::kHiddenPeaks);
    picture_ = drawPanorama(scan_, peaks_, view_, options);
    notify();
}

void Panorama::setPictureSize(int width, int height) {
    width = std::clamp(width, 1, kMaxPictureSide);
    height = std::clamp(height, 1, kMaxPictureSide);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    if (!shown_) return;
    if (fit_ == Fit::Whole) {
        // A picture that showed the whole panorama shows it whole at the new size.
        view_ = viewFitting(scan_, width, height);
    } else if (fit_ == Fit::Terrain) {
        view_ = viewForTerrain(scan_, width, height);
    } else {
        // The middle stays where it was; a larger picture shows more around it.
        view_.topAngle -= (view_.height - height) / 2.0 * view_.degreesPerPixel;
        view_.width = width;
        view_.height = height;
    }
    redraw();
}

void Panorama::zoomAt(double steps, QPointF about) {
    if (!shown_ || steps == 0.0) return;
    view_ = zoomedView(view_, std::pow(kZoomStep, steps), about);
    fit_ = Fit::None;
    redraw();
}

void Panorama::pan(QPointF delta) {
    if (!shown_) return;
    view_ = pannedView(view_, delta);
    fit_ = Fit::None;
    redraw();
}

void Panorama::click(QPointF at) {
    if (!shown_) return;
    const std::optional<size_t> peak = peakAt(picture_, at);
    if (peak && *peak < peaks_.size()) {
        status_ = describePeak(peaks_[*peak]);
    } else {
        status_ = terrainNote_;
    }
    notify();
}

void Panorama::zoomIn() { zoomAt(1.0, QPointF(width_ / 2.0, height_ / 2.0)); }
void Panorama::zoomOut() { zoomAt(-1.0, QPointF(width_ / 2.0, height_ / 2.0)); }

void Panorama::fit() {
    if (!shown_) return;
    view_ = viewFitting(scan_, width_, height_);
    fit_ = Fit::Whole;
    redraw();
}

void Panorama::toggleHiddenPeaks() {
    const bool on = !menus_.isChecked(panoramaTool::kHiddenPeaks);
    menus_.setChecked(panoramaTool::kHiddenPeaks, on);
    state_.sightChoices.hiddenPeaks = on;
    redraw();
}

void Panorama::changeSettings() {
    if (!settingsDialog) return;
    PanoramaSettings edited = settings_;
    if (!settingsDialog(edited)) return;
    show(edited);
}

void Panorama::showHelp() { dialogs_.showHelp(kPanoramaHelpFile); }

void Panorama::close() {
    if (closeWindow) closeWindow();
}

void Panorama::savePicture() {
    if (!shown_ || picture_.image.isNull()) return;
    const std::string start =
        state_.fileFolders.startPath(FileKind::Picture, state_.dataFolder, state_.appFolder, "panorama.png");
    std::optional<std::string> chosen = dialogs_.saveFile(kPanoramaSaveTitle, kPanoramaPngFilter, "png", start);
    if (!chosen || chosen->empty()) return;
    std::filesystem::path path(*chosen);
    if (!path.has_extension()) path += ".png";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    const bool encoded = writer.write(picture_.image);
    if (!encoded || writeBytesAtomic(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))) !=
                         FileError::None) {
        dialogs_.message("画像を保存できませんでした。\r\n" + path.string(), kPanoramaTitle, Buttons::Ok, Icon::Error);
        return;
    }
    state_.fileFolders.remember(FileKind::Picture, path);
    status_ = "画像を保存しました: " + path.filename().string();
    notify();
}

}  // namespace orv::panorama
