#include "panorama/PanoramaScan.h"

#include "panorama/Geodesy.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <numbers>
#include <thread>

namespace orv::panorama {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// The shortest step of a sight line (metres): about the finest tiles' sample.
constexpr double kMinStep = 5.0;
// The sight line's positions are interpolated (quadratically, through three) between points on
// the geodesic this far apart; the interpolation strays from the geodesic by less than a
// centimetre out to 300 km.
constexpr double kAnchorSpacing = 10000.0;
// Consecutive rises are one span while they lie within this fraction of the span's distance.
constexpr double kMergeFraction = 0.02;
// The tangent of a sight straight up (and, negated, straight down).
constexpr double kUpright = 1e300;
// Columns handed out at a time, and the most threads that share them.
constexpr int kPieceColumns = 32;
constexpr int kMostThreads = 64;
// The finest columns and the farthest sight the scan accepts.
constexpr double kFinestStep = 0.01;
constexpr double kFarthest = 300000.0;
// Asks the terrain for its finest layer.
constexpr int kFinestZoom = 30;
// A peak nearer than this is the observer's own summit, not one in view.
constexpr double kNearestPeak = 100.0;
// Terrain within this distance before a peak (or kHideFraction of its distance, whichever is
// more) belongs to the peak's own slopes and never hides it: the tiles are coarser than a summit.
constexpr double kPeakSlope = 300.0;
constexpr double kHideFraction = 0.02;

double normalAzimuth(double azimuth) {
    double a = std::fmod(azimuth, 360.0);
    if (a < 0.0) a += 360.0;
    return a >= 360.0 ? 0.0 : a;
}

double degrees(double radians) { return radians / kDegree; }

// The scan's columns as a set of directions.
struct ColumnLayout {
    double first = 0.0;  // azimuth of column 0
    double step = 0.1;
    int count = 0;
    bool fullCircle = true;
};

ScanOptions sanitised(ScanOptions options) {
    if (!(options.columnStep > 0.0 && options.columnStep <= 360.0)) options.columnStep = ScanOptions{}.columnStep;
    options.columnStep = std::max(options.columnStep, kFinestStep);
    if (!(options.fieldOfView > 0.0)) options.fieldOfView = 360.0;
    options.fieldOfView = std::min(options.fieldOfView, 360.0);
    if (!std::isfinite(options.azimuth)) options.azimuth = 0.0;
    options.azimuth = normalAzimuth(options.azimuth);
    if (!(options.maxDistance >= 0.0)) options.maxDistance = 0.0;
    options.maxDistance = std::min(options.maxDistance, kFarthest);
    if (!std::isfinite(options.sight.refraction)) options.sight.refraction = kDefaultRefraction;
    return options;
}

ColumnLayout layoutOf(const ScanOptions& options) {
    ColumnLayout layout;
    layout.step = options.columnStep;
    layout.fullCircle = options.fieldOfView >= 360.0 - 1e-9;
    const double across = options.fieldOfView / options.columnStep;
    layout.count = layout.fullCircle ? std::max(1, static_cast<int>(std::lround(across)))
                                     : static_cast<int>(std::floor(across + 1e-9)) + 1;
    layout.first = normalAzimuth(options.azimuth - options.fieldOfView / 2.0);
    return layout;
}

// Where `azimuth` falls among the columns, in column widths from column 0 (0 ≤ place < count
// on a full circle; may be negative or past the last column of a sector).
double placeOf(const ColumnLayout& layout, double azimuth) {
    double place = normalAzimuth(azimuth - layout.first) / layout.step;
    if (layout.fullCircle) {
        if (place >= layout.count) place -= layout.count;
    } else {
        // Directions outside the sector belong to the nearer end: west of the first column
        // when nearer that.
        const double around = 360.0 / layout.step;
        if (place > (layout.count - 1) + (around - (layout.count - 1)) / 2.0) place -= around;
    }
    return place;
}

// The index of a column, wrapped round a full circle; -1 outside a sector.
int columnIndex(const ColumnLayout& layout, long index) {
    if (layout.fullCircle) return static_cast<int>(((index % layout.count) + layout.count) % layout.count);
    return index >= 0 && index < layout.count ? static_cast<int>(index) : -1;
}

double horizonIn(const ScanColumn& column, double distance) {
    double highest = -90.0;
    for (const SightSpan& span : column.spans) {
        if (!(span.distance < distance)) break;
        highest = span.highAngle;
    }
    return highest;
}

// The distances every sight line is sampled at, the same for every column: a step about the size
// of what a column resolves there, never shorter than kMinStep; with the first of the three
// geodesic anchors each sample's position is interpolated between, their weights, and the zoom
// the sample wants.
struct SightSamples {
    std::vector<double> distance;
    std::vector<int> anchor;
    std::vector<std::array<double, 3>> weights;
    std::vector<int> zoom;
    int anchors = 0;
};

SightSamples samplesFor(const ScanOptions& options, double latitude) {
    SightSamples samples;
    samples.anchors = std::max(3, static_cast<int>(std::floor(options.maxDistance / kAnchorSpacing)) + 2);
    const double stepRadians = options.columnStep * kDegree;
    for (double d = kMinStep; d <= options.maxDistance; d += std::max(kMinStep, d * stepRadians)) {
        const double along = d / kAnchorSpacing;
        const double anchor = std::min(std::floor(along), static_cast<double>(samples.anchors - 3));
        const double f = along - anchor;  // 0 ≤ f < 2 from the first anchor (≥ 1 on the last stretch)
        samples.distance.push_back(d);
        samples.anchor.push_back(static_cast<int>(anchor));
        samples.weights.push_back({(f - 1.0) * (f - 2.0) / 2.0, f * (2.0 - f), f * (f - 1.0) / 2.0});
        samples.zoom.push_back(zoomForDistance(d, options.columnStep, latitude));
    }
    return samples;
}

// One column's sight line. On the sphere of the normal section's radius R a sample h metres high
// lies (R + h) sin θ ahead of the eye and (h − eye) − (R + h)(1 − cos θ) above it (θ = d / R);
// refraction raises it by k·d / 2R. The tangent of the raised angle, by the sum formula, is a
// quotient compared with the highest so far by cross-multiplying: no division nor arc tangent
// but for a sample that rises.
class ColumnMarch {
public:
    ColumnMarch(const SightTerrain& terrain, const PanoramaScan& scan, const SightSamples& samples)
        : terrain_(terrain), scan_(scan), samples_(samples), anchors_(static_cast<size_t>(samples.anchors)) {}

    void run(ScanColumn& column) {
        const Observer& observer = scan_.observer;
        const SightOptions& sight = scan_.options.sight;
        const double eye = observer.groundHeight + observer.eyeHeight;
        const double radius = normalSectionRadius(observer.position.latitude, column.azimuth);
        for (size_t a = 0; a < anchors_.size(); ++a)
            anchors_[a] = toWorld(directGeodesic(observer.position, column.azimuth, static_cast<double>(a) * kAnchorSpacing));
        const double inverseRadius = 1.0 / radius;
        const double refraction = sight.refraction * inverseRadius / 2.0;

        double highest = -kUpright;  // the tangent of the highest angle so far
        double highestAngle = -90.0;
        size_t lastRise = std::numeric_limits<size_t>::max() - 1;
        double spanStart = 0.0;  // where the last span's first rise was
        const size_t count = samples_.distance.size();
        for (size_t i = 0; i < count; ++i) {
            const double d = samples_.distance[i];
            const WorldPoint* a = anchors_.data() + samples_.anchor[i];
            const std::array<double, 3>& w = samples_.weights[i];
            const WorldPoint at{w[0] * a[0].x + w[1] * a[1].x + w[2] * a[2].x, w[0] * a[0].y + w[1] * a[1].y + w[2] * a[2].y};
            const float height = terrain_.heightAt(at, samples_.zoom[i]);
            if (std::isnan(height)) {
                column.unknown = true;
                continue;
            }
            double ahead = d, above = height - eye, bendTangent = 0.0;
            if (sight.curvature) {
                const double theta = d * inverseRadius;
                const double t2 = theta * theta;
                const double sine = theta * (1.0 - t2 / 6.0 * (1.0 - t2 / 20.0));
                const double versine = t2 / 2.0 * (1.0 - t2 / 12.0 * (1.0 - t2 / 30.0));
                const double r = radius + height;
                ahead = r * sine;
                above -= r * versine;
                const double bend = d * refraction;  // radians; tan bend = bend (1 + bend²/3)
                bendTangent = bend * (1.0 + bend * bend / 3.0);
            }
            // tan(angle + bend) = rising / across; across ≤ 0: the sight stands upright.
            const double rising = above + bendTangent * ahead;
            const double across = ahead - bendTangent * above;
            if (across > 0.0 ? !(rising > highest * across) : !(highest < kUpright)) continue;
            const double tangent = across > 0.0 ? rising / across : kUpright;
            const double angle = degrees(std::atan(tangent));
            const bool merges = lastRise + 1 == i && !column.spans.empty() &&
                                d <= spanStart * (1.0 + kMergeFraction) + kMinStep;
            if (merges) {
                column.spans.back().highAngle = static_cast<float>(angle);
                column.spans.back().distance = static_cast<float>(d);
            } else {
                column.spans.push_back({static_cast<float>(highestAngle), static_cast<float>(angle), static_cast<float>(d)});
                spanStart = d;
            }
            highest = tangent;
            highestAngle = angle;
            lastRise = i;
        }
    }

private:
    const SightTerrain& terrain_;
    const PanoramaScan& scan_;
    const SightSamples& samples_;
    std::vector<WorldPoint> anchors_;
};

// Joins the helper threads however the scan ends, telling them to stop first.
class Helpers {
public:
    explicit Helpers(std::atomic<bool>& stop) : stop_(stop) {}
    ~Helpers() {
        stop_ = true;
        for (std::thread& t : threads_) t.join();
    }
    Helpers(const Helpers&) = delete;
    Helpers& operator=(const Helpers&) = delete;
    template <class Work>
    void start(Work work) { threads_.emplace_back(work); }
    void join() {
        for (std::thread& t : threads_) t.join();
        threads_.clear();
    }

private:
    std::atomic<bool>& stop_;
    std::vector<std::thread> threads_;
};

}  // namespace

const ScanColumn* PanoramaScan::columnAt(double azimuth) const {
    if (columns.empty() || !std::isfinite(azimuth)) return nullptr;
    const ColumnLayout layout = layoutOf(sanitised(options));
    const int index = columnIndex(layout, std::lround(placeOf(layout, azimuth)));
    return index < 0 || static_cast<size_t>(index) >= columns.size() ? nullptr : &columns[static_cast<size_t>(index)];
}

double PanoramaScan::horizonBefore(double azimuth, double distance) const {
    const ScanColumn* column = columnAt(azimuth);
    return column ? horizonIn(*column, distance) : -90.0;
}

PanoramaScan scanPanorama(const SightTerrain& terrain, const Observer& observer, const ScanOptions& options,
                          const ScanProgress& progress) {
    PanoramaScan scan;
    scan.observer = observer;
    scan.options = sanitised(options);
    const ColumnLayout layout = layoutOf(scan.options);
    scan.columns.resize(static_cast<size_t>(layout.count));
    for (int i = 0; i < layout.count; ++i)
        scan.columns[static_cast<size_t>(i)].azimuth = normalAzimuth(layout.first + i * layout.step);

    if (std::isnan(scan.observer.groundHeight))
        scan.observer.groundHeight = terrain.heightAt(toWorld(observer.position), kFinestZoom);
    if (!std::isfinite(scan.observer.eyeHeight)) scan.observer.eyeHeight = Observer{}.eyeHeight;
    if (!std::isfinite(scan.observer.groundHeight)) {
        // Nobody knows the ground the observer stands on: nothing can be said of any direction.
        for (ScanColumn& column : scan.columns) column.unknown = true;
        scan.unknownColumns = layout.count;
        return scan;
    }

    const SightSamples samples = samplesFor(scan.options, observer.position.latitude);
    const int pieces = (layout.count + kPieceColumns - 1) / kPieceColumns;
    std::atomic<int> nextPiece{0};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    auto work = [&](bool once) {
        ColumnMarch march(terrain, scan, samples);
        while (!stop) {
            const int piece = nextPiece.fetch_add(1);
            if (piece >= pieces) return;
            const int end = std::min(layout.count, (piece + 1) * kPieceColumns);
            for (int c = piece * kPieceColumns; c < end; ++c) march.run(scan.columns[static_cast<size_t>(c)]);
            done += end - piece * kPieceColumns;
            if (once) return;
        }
    };

    int threads = scan.options.threads > 0 ? scan.options.threads
                                           : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::clamp(threads, 1, std::clamp(pieces, 1, kMostThreads));
    {
        Helpers helpers(stop);
        for (int t = 1; t < threads; ++t) helpers.start([&] { work(false); });
        // The calling thread works too, a piece at a time, and asks between pieces.
        while (nextPiece.load() < pieces) {
            if (progress && !progress(done.load(), layout.count)) {
                stop = true;
                scan.cancelled = true;
                break;
            }
            work(true);
        }
        helpers.join();
    }
    if (!scan.cancelled && progress) progress(layout.count, layout.count);
    for (const ScanColumn& column : scan.columns) scan.unknownColumns += column.unknown ? 1 : 0;
    return scan;
}

std::vector<PeakSight> sightPeaks(const PanoramaScan& scan, const std::vector<Peak>& peaks) {
    std::vector<PeakSight> sights;
    if (scan.columns.empty()) return sights;
    const ScanOptions options = sanitised(scan.options);
    const ColumnLayout layout = layoutOf(options);
    const LatLon from = scan.observer.position;
    const double eye = scan.observer.groundHeight + scan.observer.eyeHeight;
    for (const Peak& peak : peaks) {
        const GeodesicLine line = inverseGeodesic(from, peak.position);
        if (!(line.distance >= kNearestPeak && line.distance <= options.maxDistance)) continue;
        const double place = placeOf(layout, line.azimuthFrom);
        if (!layout.fullCircle && !(place >= -0.5 && place <= layout.count - 0.5)) continue;

        PeakSight sight;
        sight.peak = peak;
        sight.distance = line.distance;
        sight.azimuth = line.azimuthFrom;
        sight.elevationAngle = elevationAngle(eye, peak.height, line.distance,
                                              normalSectionRadius(from.latitude, line.azimuthFrom), options.sight);
        sight.inView = true;
        // Hidden when terrain short of the peak's own slopes rises above it in both columns
        // beside its direction (a peak showing through a notch narrower than a column counts).
        const double nearer = line.distance - std::max(kPeakSlope, kHideFraction * line.distance);
        double horizon = std::numeric_limits<double>::infinity();
        for (long index : {static_cast<long>(std::floor(place)), static_cast<long>(std::ceil(place))}) {
            const int column = columnIndex(layout, index);
            if (column >= 0 && static_cast<size_t>(column) < scan.columns.size())
                horizon = std::min(horizon, horizonIn(scan.columns[static_cast<size_t>(column)], nearer));
        }
        sight.visible = std::isfinite(sight.elevationAngle) && !(horizon > sight.elevationAngle);
        sights.push_back(std::move(sight));
    }
    std::stable_sort(sights.begin(), sights.end(),
                     [](const PeakSight& a, const PeakSight& b) { return a.distance < b.distance; });
    return sights;
}

}  // namespace orv::panorama
