#include "panorama/RouteMapSight.h"

#include "geo/Angles.h"
#include "map/MapGeometry.h"
#include "map/RouteMapTools.h"
#include "panorama/Geodesy.h"
#include "panorama/Viewshed.h"
#include "route/Overlays.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>

namespace orv::panorama {

namespace {

// The stretches of the route are sampled this far apart.
constexpr double kSampleMetres = 50.0;
// The terrain of a peak's sight lines reaches this far beyond the farthest route point.
constexpr double kTerrainMargin = 2000.0;

const QColor kVisibleTint(255, 150, 0, 110);
const QColor kObserverMark(200, 0, 0);
const QColor kSeenStretch(0, 90, 255, 230);

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

double toRadians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// Metres of one arc-second north–south and west–east at a latitude on the GRS80 ellipsoid.
void arcSecondMetres(double latitude, double& northSouth, double& westEast) {
    const double e2 = kGrs80Flattening * (2.0 - kGrs80Flattening);
    const double s = std::sin(toRadians(latitude));
    const double w = std::sqrt(1.0 - e2 * s * s);
    const double meridian = kGrs80SemiMajor * (1.0 - e2) / (w * w * w);
    const double normal = kGrs80SemiMajor / w;
    const double second = toRadians(1.0 / 3600.0);
    northSouth = meridian * second;
    westEast = normal * std::cos(toRadians(latitude)) * second;
}

// The mode that takes the click of "ここからの展望" and "可視マップ".
class SightPickMode : public MapMode {
public:
    explicit SightPickMode(RouteMapSight& sight) : sight_(sight) {}
    bool active() const override { return sight_.picking() != RouteMapSight::Pick::None; }
    bool leftRelease(int x, int y) override {
        sight_.pickAt(x, y);
        return true;
    }
    bool key(MapKey key) override {
        if (key != MapKey::Escape) return false;
        sight_.cancelPick();
        return true;
    }
    std::string guide() const override { return kPickGuide; }
    void beforeCommand(ToolId) override { sight_.cancelPick(); }

private:
    RouteMapSight& sight_;
};

}  // namespace

std::vector<ObserverChoice> observerChoices(const AppState& state) {
    std::vector<ObserverChoice> choices;
    const DatumShift* shift = tokyoShift();
    if (shift == nullptr) return choices;
    const int points = std::clamp<int>(state.routeCount, 0, static_cast<int>(state.route.size()) - 1);
    for (int i = 1; i <= points; ++i) {
        const RoutePoint& point = state.route[static_cast<size_t>(i)];
        const std::optional<LatLon> at = tokyoToJgd(*shift, point.latitude, point.longitude);
        if (!at) continue;
        std::string caption = "ルートポイント " + std::to_string(i);
        const std::string& name = !point.mountainName.empty() ? point.mountainName : point.placeName;
        if (!name.empty()) caption += "　" + name;
        choices.push_back({caption, *at, std::nan("")});
    }
    const int count = std::clamp<int>(state.mountainCount, 0, kMaxMountains);
    for (int i = 1; i <= count; ++i) {
        const MountainRecord& record = state.mountainTable[static_cast<size_t>(i)];
        const std::optional<LatLon> at = tokyoToJgd(*shift, record.latitude, record.longitude);
        if (!at || record.name.empty()) continue;
        char* end = nullptr;
        const double height = std::strtod(record.elevation.c_str(), &end);
        const bool known = end != record.elevation.c_str() && std::isfinite(height);
        choices.push_back({record.name + (known ? " " + fixed(height, 0) + "m" : std::string()), *at,
                           known ? height : std::nan("")});
    }
    return choices;
}

RouteMapSight::RouteMapSight(RouteMap& map, PanoramaSources sources) : map_(map), sources_(std::move(sources)) {
    map_.addMode(std::make_unique<SightPickMode>(*this));
    map_.setSightHook([this](ToolId id) { run(id); });
}

void RouteMapSight::run(ToolId toolId) {
    if (toolId == mapTool::kPanorama) {
        if (!panoramaDialog || !openPanorama) return;
        PanoramaSettings settings = sightStartSettings(map_.state());
        if (!panoramaDialog(settings, observerChoices(map_.state()))) return;
        openPanorama(settings);
    } else if (toolId == mapTool::kPanoramaHere || toolId == mapTool::kSightTint) {
        // Chosen in the pop-up of a right click on the map: from where it was clicked; from
        // the menu bar: from the next click.
        pick_ = toolId == mapTool::kPanoramaHere ? Pick::Panorama : Pick::VisibleArea;
        if (const std::optional<PixelPoint> at = map_.popupPosition()) {
            pickAt(at->x, at->y);
        } else {
            beginPick(pick_);
        }
    } else if (toolId == mapTool::kPeakSeenStretches) {
        if (!choosePeak) return;
        const std::vector<PeakChoice> choices = peakChoices();
        if (choices.empty()) {
            map_.context().dialogs.message("選べる山がありません。山名ファイルを読み込んでください。", "山が見える区間",
                                           Buttons::Ok, Icon::Information);
            return;
        }
        const std::optional<size_t> chosen = choosePeak(choices);
        if (chosen && *chosen < choices.size()) showPeakStretches(choices[*chosen].peak);
    }
}

void RouteMapSight::beginPick(Pick pick) {
    pick_ = pick;
    map_.map().statusPanels[0] = kPickGuide;
}

void RouteMapSight::cancelPick() {
    if (pick_ == Pick::None) return;
    pick_ = Pick::None;
    if (map_.map().statusPanels[0] == kPickGuide) map_.map().statusPanels[0].clear();
}

void RouteMapSight::pickAt(int x, int y) {
    const Pick pick = pick_;
    cancelPick();
    if (pick == Pick::VisibleArea) {
        showVisibleArea(x, y);
    } else if (pick == Pick::Panorama && openPanorama) {
        const std::optional<LatLon> at = mapPixelPosition(map_.state(), x, y);
        if (!at) return;
        PanoramaSettings settings = sightStartSettings(map_.state());
        settings.observer = *at;
        settings.observerName.clear();
        settings.groundHeight = std::nan("");
        openPanorama(settings);
    }
}

std::optional<LatLon> mapPixelPosition(const AppState& state, int x, int y) {
    const DatumShift* shift = tokyoShift();
    if (shift == nullptr) return std::nullopt;
    const LevelBounds bounds = currentLevelBounds(state);
    const double latitude = pixelLatitude(bounds, y + 0.5) / 3600.0;
    const double longitude = pixelLongitude(bounds, x + 0.5) / 3600.0;
    const LatLon modern = shift->fromTokyo(latitude, longitude);
    if (!std::isfinite(modern.latitude) || !std::isfinite(modern.longitude)) return std::nullopt;
    return modern;
}

// The destination, else the first route point, else the middle of the shown level.
PanoramaSettings sightStartSettings(const AppState& state) {
    PanoramaSettings settings = settingsFromChoices(state.sightChoices);
    const std::vector<ObserverChoice> choices = observerChoices(state);
    if (state.mountainConfirmed && state.selectedMountain >= 1 && state.selectedMountain <= state.mountainCount) {
        const std::string& name = state.mountainTable[static_cast<size_t>(state.selectedMountain)].name;
        for (const ObserverChoice& choice : choices) {
            if (choice.caption.rfind(name, 0) == 0) {
                settings.observer = choice.position;
                settings.observerName = name;
                settings.groundHeight = choice.groundHeight;
                return settings;
            }
        }
    }
    if (!choices.empty() && state.routeCount > 0) {
        settings.observer = choices.front().position;
        settings.observerName = choices.front().caption;
        return settings;
    }
    if (const std::optional<LatLon> middle = mapPixelPosition(state, kMapSize / 2, kMapSize / 2))
        settings.observer = *middle;
    return settings;
}

void RouteMapSight::showVisibleArea(int x, int y) {
    AppState& state = map_.state();
    const int level = currentLevelIndex(state);
    const LevelBounds bounds = currentLevelBounds(state);
    const double middle = (bounds.south + bounds.north) / 2.0 / 3600.0;
    double northSouth = 0.0, westEast = 0.0;
    arcSecondMetres(middle, northSouth, westEast);
    LevelTerrain terrain;
    terrain.heights = state.elevationGrid.data() + ElevationGrid::index(0, 0, level);
    terrain.rows = ElevationGrid::kRows;
    terrain.columns = ElevationGrid::kColumns;
    terrain.rowMetres = latitudeStep(bounds) * northSouth;
    terrain.columnMetres = longitudeStep(bounds) * westEast;
    const int row = std::clamp(y, 0, kMapSize - 1);
    const int column = std::clamp(x, 0, kMapSize - 1);
    SightOptions options;
    options.refraction = state.sightChoices.refraction;
    const std::vector<CellSight> cells = visibleCells(terrain, row, column, state.sightChoices.eyeHeight, options);

    QImage tint(kMapSize, kMapSize, QImage::Format_ARGB32);
    tint.fill(Qt::transparent);
    long seen = 0, known = 0;
    const QRgb colour = kVisibleTint.rgba();
    for (int r = 0; r < kMapSize; ++r) {
        auto* line = reinterpret_cast<QRgb*>(tint.scanLine(r));
        for (int c = 0; c < kMapSize; ++c) {
            const size_t at = static_cast<size_t>(r) * ElevationGrid::kColumns + static_cast<size_t>(c);
            if (at >= cells.size() || cells[at] == CellSight::NoData) continue;
            ++known;
            if (cells[at] != CellSight::Visible) continue;
            ++seen;
            line[c] = colour;
        }
    }
    {
        QPainter painter(&tint);
        painter.setPen(QPen(kObserverMark, 2));
        painter.drawEllipse(QPointF(column + 0.5, row + 0.5), 4.0, 4.0);
    }
    showMapTint(map_.context(), std::move(tint));
    const double share = known > 0 ? 100.0 * static_cast<double>(seen) / static_cast<double>(known) : 0.0;
    map_.map().statusPanels[0] = "可視マップ: 見える範囲 " + fixed(share, 1) + "%（目の高さ " +
                                 fixed(state.sightChoices.eyeHeight, 1) + "m）";
}

std::vector<PeakChoice> RouteMapSight::peakChoices() const {
    std::vector<PeakChoice> choices;
    const AppState& state = map_.state();
    const std::vector<ObserverChoice> places = observerChoices(state);
    if (state.routeCount < 1 || places.empty() || !sources_.peaks) return choices;
    const LatLon start = places.front().position;
    std::vector<std::pair<double, Peak>> near;
    for (Peak& peak : sources_.peaks()) {
        const double distance = inverseGeodesic(start, peak.position).distance;
        if (distance <= kMaxSightDistanceKm * 1000.0) near.emplace_back(distance, std::move(peak));
    }
    std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [distance, peak] : near)
        choices.push_back({peak.name + " " + fixed(peak.height, 0) + "m（" + fixed(distance / 1000.0, 1) + "km）",
                           std::move(peak)});
    return choices;
}

void RouteMapSight::showPeakStretches(const Peak& peak) {
    AppState& state = map_.state();
    const DatumShift* shift = tokyoShift();
    if (shift == nullptr || state.routeCount < 1) return;
    const LevelBounds bounds = currentLevelBounds(state);

    // The route sampled every ~50 m: positions on JGD2011 and their map pixels.
    std::vector<LatLon> places;
    std::vector<QPointF> pixels;
    std::vector<double> lengths;  // of the piece from each sample to the next
    double farthest = 0.0;
    std::optional<LatLon> previous;
    QPointF previousPixel;
    const int points = std::clamp<int>(state.routeCount, 0, static_cast<int>(state.route.size()) - 1);
    for (int i = 1; i <= points; ++i) {
        const RoutePoint& point = state.route[static_cast<size_t>(i)];
        const std::optional<LatLon> at = tokyoToJgd(*shift, point.latitude, point.longitude);
        if (!at) continue;
        const MapPixel p = positionToPixel(bounds, dmsToSeconds(point.latitude), dmsToSeconds(point.longitude));
        const QPointF pixel(p.x + 0.5, p.y + 0.5);
        farthest = std::max(farthest, inverseGeodesic(peak.position, *at).distance);
        if (!previous) {
            places.push_back(*at);
            pixels.push_back(pixel);
        } else {
            const double leg = inverseGeodesic(*previous, *at).distance;
            const int steps = std::clamp(static_cast<int>(std::ceil(leg / kSampleMetres)), 1, 100000);
            for (int s = 1; s <= steps; ++s) {
                const double t = static_cast<double>(s) / steps;
                lengths.push_back(leg / steps);
                places.push_back({previous->latitude + (at->latitude - previous->latitude) * t,
                                  previous->longitude + (at->longitude - previous->longitude) * t});
                pixels.push_back(previousPixel + (pixel - previousPixel) * t);
            }
        }
        previous = at;
        previousPixel = pixel;
    }
    if (places.empty()) return;

    SightRequest request;
    request.observer = peak.position;
    request.maxDistance = std::min(farthest + kTerrainMargin, kMaxSightDistanceKm * 1000.0);
    GatheredTerrain gathered;
    if (sources_.gather) gathered = sources_.gather(request, progress);
    // The progress ends with the gathering, cancelled or not.
    if (progress) progress(1, 1, "");
    if (gathered.cancelled) return;
    if (sources_.addBlock) sources_.addBlock(gathered.terrain);
    SightOptions options;
    options.refraction = state.sightChoices.refraction;
    const std::vector<bool> seen =
        targetVisibleFrom(gathered.terrain, places, state.sightChoices.eyeHeight, peak.position, peak.height, options);

    QImage tint(kMapSize, kMapSize, QImage::Format_ARGB32);
    tint.fill(Qt::transparent);
    double seenLength = 0.0, total = 0.0;
    {
        QPainter painter(&tint);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kSeenStretch, 5, Qt::SolidLine, Qt::RoundCap));
        for (size_t i = 0; i + 1 < places.size(); ++i) {
            total += lengths[i];
            if (i + 1 >= seen.size() || !seen[i] || !seen[i + 1]) continue;
            seenLength += lengths[i];
            painter.drawLine(pixels[i], pixels[i + 1]);
        }
        if (places.size() == 1 && !seen.empty() && seen[0]) painter.drawPoint(pixels[0]);
    }
    showMapTint(map_.context(), std::move(tint));
    std::string status = peak.name + "が見える区間: " + fixed(seenLength / 1000.0, 2) + "km（ルート " +
                         fixed(total / 1000.0, 2) + "km のうち）";
    const std::string note = gathered.statusText();
    if (!note.empty()) status += "　" + note;
    map_.map().statusPanels[0] = status;
}

}  // namespace orv::panorama
