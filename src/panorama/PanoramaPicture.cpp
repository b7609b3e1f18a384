#include "panorama/PanoramaPicture.h"

#include "core/Colour.h"
#include "core/NumberText.h"
#include "core/TextStyle.h"
#include "platform/DrawingSurface.h"
#include "route/LabelGlyphs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>

namespace orv::panorama {

namespace {

constexpr double kWidestDegreesPerPixel = 10.0;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kLabelRows = 8;  // rows of labels above the skyline, the leader lines' reach

double wrap360(double a) {
    if (!std::isfinite(a)) return 0.0;
    a = std::fmod(a, 360.0);
    if (a < 0.0) a += 360.0;
    return a >= 360.0 ? 0.0 : a;
}

// To −180 < a ≤ 180.
double wrap180(double a) {
    a = wrap360(a);
    return a > 180.0 ? a - 360.0 : a;
}

double finiteOr(double v, double fallback) { return std::isfinite(v) ? v : fallback; }

bool fullCircle(double fieldOfView) { return fieldOfView >= 360.0 - 1e-6; }

double fieldOf(const PanoramaScan& scan) {
    return std::clamp(finiteOr(scan.options.fieldOfView, 360.0), 0.1, 360.0);
}

// ---- colours -------------------------------------------------------------------------------

struct Rgb {
    double r = 0.0, g = 0.0, b = 0.0;
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb darker(Rgb c, double factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

QRgb toQRgb(Rgb c) {
    const auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return qRgb(channel(c.r), channel(c.g), channel(c.b));
}
Colour toColour(Rgb c) {
    const QRgb q = toQRgb(c);
    return makeColour(qRed(q), qGreen(q), qBlue(q));
}

constexpr Rgb kSkyHigh{92, 138, 196};
constexpr Rgb kSkyLow{226, 235, 243};
constexpr Rgb kOutside{206, 206, 206};  // beside a sector's field of view
constexpr Rgb kUnknownSky{196, 198, 202};
constexpr Rgb kHatch{158, 158, 164};
constexpr Rgb kScaleBand{246, 245, 240};
constexpr Rgb kScaleInk{60, 60, 60};

// Aerial perspective: near terrain dark blue-green, far terrain pale blue-grey. Each stop is
// lighter than the one before.
constexpr std::array<Rgb, 5> kDistanceRamp{{{40, 66, 52}, {54, 84, 76}, {78, 108, 118},
                                            {128, 150, 172}, {192, 203, 218}}};

Rgb terrainColour(double distance, double maxDistance) {
    // A logarithmic ramp: the first kilometres change the tone as much as the last fifty.
    constexpr double kScale = 1500.0;
    const double far = std::max(maxDistance, 1000.0);
    const double t = std::clamp(std::log1p(std::max(distance, 0.0) / kScale) / std::log1p(far / kScale), 0.0, 1.0);
    const double at = t * static_cast<double>(kDistanceRamp.size() - 1);
    const size_t i = std::min(static_cast<size_t>(at), kDistanceRamp.size() - 2);
    return mix(kDistanceRamp[i], kDistanceRamp[i + 1], at - static_cast<double>(i));
}

Rgb skyColour(int y, int plotHeight) {
    const double t = plotHeight > 1 ? std::clamp(static_cast<double>(y) / (plotHeight - 1), 0.0, 1.0) : 1.0;
    return mix(kSkyHigh, kSkyLow, std::sqrt(t));
}

// ---- text ----------------------------------------------------------------------------------

TextStyle textStyle(float points, bool bold, Colour colour) {
    TextStyle style;
    style.size = points;
    style.bold = bold;
    style.colour = colour;
    return style;
}

const TextStyle& labelStyle() {
    static const TextStyle style = textStyle(9.0f, false, colours::black);
    return style;
}
const TextStyle& scaleStyle() {
    static const TextStyle style = textStyle(8.0f, false, colours::black);
    return style;
}
const TextStyle& directionStyle() {
    static const TextStyle style = textStyle(9.0f, true, colours::black);
    return style;
}

struct TextSize {
    int width = 0, height = 0;
};
// Texts measured on the main thread, as the pictures are drawn; the sizes are kept.
TextSize measure(const TextStyle& style, const std::string& text) {
    static DrawingSurface probe(1, 1);
    static std::map<std::string, TextSize> known;
    std::string key = (style.bold ? "b" : "-") + std::to_string(style.size) + '\x1f' + text;
    if (const auto found = known.find(key); found != known.end()) return found->second;
    if (known.size() >= 4096) known.clear();
    probe.setFont(style);
    const TextSize size{probe.textWidth(text), probe.textHeight(text)};
    known.emplace(std::move(key), size);
    return size;
}

std::string degreesText(double value, double step) {
    const char* pattern = step >= 1.0 ? "0" : step >= 0.1 ? "0.0" : "0.00";
    return formatPattern(value, pattern) + "°";
}

constexpr std::array<const char*, 16> kCompassPoints{"北",   "北北東", "北東", "東北東", "東",   "東南東",
                                                     "南東", "南南東", "南",   "南南西", "南西", "西南西",
                                                     "西",   "西北西", "北西", "北北西"};

std::string compassPoint(double azimuth) {
    return kCompassPoints[static_cast<size_t>(std::lround(wrap360(azimuth) / 22.5)) % 16];
}

std::string kilometres(double metres) {
    const double km = std::clamp(finiteOr(metres, 0.0), 0.0, 1e9) / 1000.0;
    return formatPattern(km, km >= 99.95 ? "0" : "0.0") + "km";
}

// ---- scales --------------------------------------------------------------------------------

bool divides(double minor, double major) {
    const double n = major / minor;
    return std::abs(n - std::round(n)) < 1e-6;
}

// A scale's long ticks: the smallest step of `steps` at least `majorPixels` apart (the largest
// when none is); its short ticks: the smallest step that divides it at least `minorPixels` apart.
struct TickSteps {
    double major = 1.0, minor = 1.0;
};
TickSteps tickSteps(const std::vector<double>& steps, double degreesPerPixel, double majorPixels,
                    double minorPixels) {
    TickSteps ticks{steps.back(), steps.back()};
    for (double s : steps)
        if (s / degreesPerPixel >= majorPixels) {
            ticks.major = s;
            break;
        }
    ticks.minor = ticks.major;
    for (double s : steps)
        if (s < ticks.major && divides(s, ticks.major) && s / degreesPerPixel >= minorPixels) {
            ticks.minor = s;
            break;
        }
    return ticks;
}

// Tick values from `from` to `to` at `step`, as multiples of the step (no drift).
std::vector<double> multiples(double from, double to, double step) {
    std::vector<double> values;
    const double first = std::ceil(from / step - 1e-9);
    const double last = std::floor(to / step + 1e-9);
    if (!(last - first < 100000.0)) return values;
    for (double k = first; k <= last; k += 1.0) values.push_back(k * step);
    return values;
}

int plotHeightOf(const PanoramaView& view) { return std::max(view.height - kAzimuthScaleHeight, 1); }

// ---- the scan's columns --------------------------------------------------------------------

class Columns {
public:
    explicit Columns(const PanoramaScan& scan) : scan_(scan) {
        const size_t n = scan.columns.size();
        if (n == 0) return;
        start_ = wrap360(scan.columns.front().azimuth);
        const double field = fieldOf(scan);
        step_ = scan.options.columnStep > 0.0 && std::isfinite(scan.options.columnStep)
                    ? scan.options.columnStep
                    : field / static_cast<double>(n);
        full_ = fullCircle(field) || step_ * static_cast<double>(n) >= 360.0 - 1e-6;
    }

    // The fractional column index at `azimuth`: column i at i; nullopt outside the field of
    // view (half a step beyond the outer columns still counts).
    std::optional<double> indexAt(double azimuth) const {
        const size_t n = scan_.columns.size();
        if (n == 0) return std::nullopt;
        const double rel = wrap360(azimuth - start_);
        const double count = static_cast<double>(n);
        if (full_) return std::fmod(rel / step_, count);
        const double index = rel / step_;
        if (index <= count - 0.5) return index;
        const double before = (rel - 360.0) / step_;
        if (before >= -0.5) return before;
        return std::nullopt;
    }

    const ScanColumn& at(long long i) const {
        const auto n = static_cast<long long>(scan_.columns.size());
        long long k = full_ ? ((i % n) + n) % n : std::clamp(i, 0LL, n - 1);
        return scan_.columns[static_cast<size_t>(k)];
    }
    double step() const { return step_; }

private:
    const PanoramaScan& scan_;
    double start_ = 0.0;
    double step_ = 0.1;
    bool full_ = true;
};

// One picture column's terrain: spans from the bottom up, each from the top of the one before.
struct ColumnSight {
    std::vector<SightSpan> spans;
    bool unknown = false;
};

// The column nearest the fractional index; when the picture is finer than the scan, the edges
// of each span move towards those of the same ridge (the span at the nearest distance) in the
// next column, so ridges run smoothly instead of in steps.
ColumnSight sightAt(const Columns& columns, double index, bool smooth) {
    const auto nearest = static_cast<long long>(std::floor(index + 0.5));
    const ScanColumn& near = columns.at(nearest);
    ColumnSight sight{near.spans, near.unknown};
    const double t = index - static_cast<double>(nearest);  // −½ … ½
    if (!smooth || std::abs(t) < 1e-9 || sight.spans.empty()) return sight;
    const ScanColumn& next = columns.at(t > 0 ? nearest + 1 : nearest - 1);
    const double w = std::abs(t);
    size_t j = 0;
    for (SightSpan& span : sight.spans) {
        while (j + 1 < next.spans.size() &&
               std::abs(next.spans[j + 1].distance - span.distance) <= std::abs(next.spans[j].distance - span.distance))
            ++j;
        if (j >= next.spans.size()) break;
        const SightSpan& other = next.spans[j];
        if (std::abs(other.distance - span.distance) > 0.15f * std::max(span.distance, 200.0f)) continue;
        span.highAngle += static_cast<float>(w) * (other.highAngle - span.highAngle);
        span.lowAngle += static_cast<float>(w) * (other.lowAngle - span.lowAngle);
    }
    return sight;
}

// ---- peaks ---------------------------------------------------------------------------------

// Which peaks are labelled first: high ones, near ones.
double labelPriority(const PeakSight& sight) {
    const double height = std::clamp(finiteOr(sight.peak.height, 0.0), -1e5, 1e5);
    return height / (1.0 + std::clamp(finiteOr(sight.distance, 0.0), 0.0, 1e9) / 100000.0);
}

// Metres as a whole number ("2052").
std::string metresText(double metres) {
    return integerText(std::llround(std::clamp(finiteOr(metres, 0.0), -1e9, 1e9)));
}

struct Candidate {
    size_t peak = 0;
    QPointF summit;
    bool visible = true;
    std::string text;
};

// A vertical leader line.
struct Leader {
    double x = 0.0, top = 0.0, bottom = 0.0;
};

bool crosses(const Leader& leader, const QRectF& box) {
    return leader.x >= box.left() && leader.x <= box.right() && leader.bottom >= box.top() &&
           leader.top <= box.bottom();
}

}  // namespace

// ---- the view ------------------------------------------------------------------------------

double azimuthAtX(const PanoramaView& view, double x) {
    return wrap360(view.centreAzimuth + (x - view.width / 2.0) * view.degreesPerPixel);
}
double xOfAzimuth(const PanoramaView& view, double azimuth) {
    return view.width / 2.0 + wrap180(azimuth - view.centreAzimuth) / view.degreesPerPixel;
}
double angleAtY(const PanoramaView& view, double y) { return view.topAngle - y * view.degreesPerPixel; }
double yOfAngle(const PanoramaView& view, double angle) { return (view.topAngle - angle) / view.degreesPerPixel; }

namespace {

// The view with its scale, angles and direction kept within reach.
PanoramaView kept(PanoramaView view) {
    view.width = std::clamp(view.width, 1, DrawingSurface::kMaxSide);
    view.height = std::clamp(view.height, 1, DrawingSurface::kMaxSide);
    view.scanFieldOfView = std::clamp(finiteOr(view.scanFieldOfView, 360.0), 0.1, 360.0);
    view.scanAzimuth = wrap360(view.scanAzimuth);
    const double widest = std::max(view.scanFieldOfView / view.width, kFinestDegreesPerPixel);
    view.degreesPerPixel = std::clamp(finiteOr(view.degreesPerPixel, widest), kFinestDegreesPerPixel,
                                      std::min(widest, kWidestDegreesPerPixel));
    // The top row between the zenith and what still shows the nadir at the bottom.
    const double shown = view.height * view.degreesPerPixel;
    view.topAngle = std::clamp(finiteOr(view.topAngle, 5.0), std::min(-90.0 + shown, 90.0), 90.0);
    if (fullCircle(view.scanFieldOfView)) {
        view.centreAzimuth = wrap360(view.centreAzimuth);
    } else {
        // Within the sector: the view's half width either side of the centre.
        const double slack = std::max((view.scanFieldOfView - view.width * view.degreesPerPixel) / 2.0, 0.0);
        const double off = std::clamp(wrap180(finiteOr(view.centreAzimuth, 0.0) - view.scanAzimuth), -slack, slack);
        view.centreAzimuth = wrap360(view.scanAzimuth + off);
    }
    return view;
}

}  // namespace

namespace {

// How much closer than the whole panorama the opening view may be.
constexpr double kOpeningCloser = 8.0;

// The lowest and the highest skyline of the scan's columns; both 0 when no column has one.
std::pair<double, double> skylineRange(const PanoramaScan& scan) {
    double low = kInfinity, high = -kInfinity;
    for (const ScanColumn& column : scan.columns) {
        if (column.spans.empty()) continue;
        const double top = column.spans.back().highAngle;
        if (!std::isfinite(top)) continue;
        low = std::min(low, top);
        high = std::max(high, top);
    }
    if (!std::isfinite(low)) return {0.0, 0.0};
    return {low, high};
}

// The top row for skylines between `low` and `high`: the lowest a quarter of the plot above its
// bottom, unless the highest then leaves less than a third of the plot (at most 90 pixels) above
// it for the labels.
double topAngleFor(const PanoramaView& view, double low, double high) {
    const double dpp = view.degreesPerPixel;
    const int plot = plotHeightOf(view);
    const double labelRoom = std::min(plot / 3.0, 90.0);
    return std::max(low + plot * 0.75 * dpp, high + labelRoom * dpp);
}

}  // namespace

PanoramaView viewFitting(const PanoramaScan& scan, int width, int height) {
    PanoramaView view;
    view.width = std::clamp(width, 1, DrawingSurface::kMaxSide);
    view.height = std::clamp(height, 1, DrawingSurface::kMaxSide);
    view.scanFieldOfView = fieldOf(scan);
    view.scanAzimuth = wrap360(scan.options.azimuth);
    view.centreAzimuth = view.scanAzimuth;
    view.degreesPerPixel = std::max(view.scanFieldOfView / view.width, kFinestDegreesPerPixel);
    const auto [low, high] = skylineRange(scan);
    view.topAngle = topAngleFor(view, low, high);
    return kept(view);
}

PanoramaView viewForTerrain(const PanoramaScan& scan, int width, int height) {
    const PanoramaView whole = viewFitting(scan, width, height);
    const auto [low, high] = skylineRange(scan);
    // The skylines fill about half the plot (at least a degree of relief), the labels have the
    // room above them; at most kOpeningCloser times closer than the whole.
    const double relief = std::max(high - low, 1.0);
    const double dpp = std::max({relief / (plotHeightOf(whole) * 0.45), kFinestDegreesPerPixel,
                                 whole.degreesPerPixel / kOpeningCloser});
    if (dpp >= whole.degreesPerPixel) return whole;
    PanoramaView view = whole;
    view.degreesPerPixel = dpp;
    view.topAngle = topAngleFor(view, low, high);
    return kept(view);
}

PanoramaView zoomedView(const PanoramaView& view, double factor, QPointF about) {
    const PanoramaView from = kept(view);
    if (!(factor > 0.0) || !std::isfinite(factor)) return from;
    PanoramaView to = from;
    to.degreesPerPixel = from.degreesPerPixel / factor;
    to = kept(to);
    // The azimuth and angle under `about` stay there.
    const double azimuth = azimuthAtX(from, about.x());
    const double angle = angleAtY(from, about.y());
    to.centreAzimuth = azimuth - (about.x() - to.width / 2.0) * to.degreesPerPixel;
    to.topAngle = angle + about.y() * to.degreesPerPixel;
    return kept(to);
}

PanoramaView pannedView(const PanoramaView& view, QPointF delta) {
    PanoramaView to = kept(view);
    to.centreAzimuth -= finiteOr(delta.x(), 0.0) * to.degreesPerPixel;
    to.topAngle += finiteOr(delta.y(), 0.0) * to.degreesPerPixel;
    return kept(to);
}

// ---- scales --------------------------------------------------------------------------------

std::vector<ScaleMark> azimuthScale(const PanoramaView& given) {
    const PanoramaView view = kept(given);
    const double dpp = view.degreesPerPixel;
    static const std::vector<double> steps{0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30, 45, 90};
    const auto [major, minor] = tickSteps(steps, dpp, 64.0, 7.0);
    // Azimuths relative to the middle column, so a 360° picture's wrap needs no care.
    const double half = view.width / 2.0 * dpp;
    const double left = view.centreAzimuth - half;
    const double right = view.centreAzimuth + half;
    const auto positionOf = [&](double value) { return view.width / 2.0 + (value - view.centreAzimuth) / dpp; };
    const auto inside = [&](double x) { return x >= 0.0 && x < view.width; };

    std::map<long long, ScaleMark> ticks;  // by value in thousandths of a degree
    const auto key = [](double value) { return std::llround(value * 1000.0); };
    for (double value : multiples(left, right, minor)) {
        const double x = positionOf(value);
        if (!inside(x)) continue;
        ScaleMark mark;
        mark.value = wrap360(value);
        mark.position = x;
        mark.major = divides(major, value) || std::abs(value) < 1e-9;
        ticks[key(value)] = mark;
    }

    // Texts: the directions first (the cardinal ones, then the others where there is room),
    // then the degrees at the long ticks, each only where it overlaps none placed before.
    const double textTop = view.height - kAzimuthScaleHeight + 8.0;
    std::vector<QRectF> placed;
    const auto place = [&](double value, const std::string& text, const TextStyle& style, bool isMajor) {
        const double x = positionOf(value);
        if (!inside(x)) return;
        const TextSize size = measure(style, text);
        const QRectF box(x - size.width / 2.0, textTop, size.width, size.height);
        if (box.left() < 0.0 || box.right() > view.width) return;
        const QRectF room = box.adjusted(-4, 0, 4, 0);
        for (const QRectF& other : placed)
            if (room.intersects(other)) return;
        placed.push_back(box);
        ScaleMark& mark = ticks[key(value)];
        mark.value = wrap360(value);
        mark.position = x;
        mark.major = mark.major || isMajor;
        mark.text = text;
        mark.box = box;
    };
    const auto unnamed = [&](double value) {
        const auto found = ticks.find(key(value));
        return found == ticks.end() || found->second.text.empty();
    };
    for (const auto& [step, pixels] : std::array<std::pair<double, double>, 3>{{{90, 0}, {45, 48}, {22.5, 150}}})
        if (step / dpp >= pixels)
            for (double value : multiples(left, right, step))
                if (unnamed(value)) place(value, compassPoint(value), directionStyle(), true);
    for (double value : multiples(left, right, major))
        if (unnamed(value)) place(value, degreesText(wrap360(value), major), scaleStyle(), true);

    std::vector<ScaleMark> marks;
    marks.reserve(ticks.size());
    for (auto& [k, mark] : ticks) marks.push_back(std::move(mark));
    return marks;
}

std::vector<ScaleMark> elevationScale(const PanoramaView& given) {
    const PanoramaView view = kept(given);
    const double dpp = view.degreesPerPixel;
    static const std::vector<double> steps{0.02, 0.05, 0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 30};
    const auto [major, minor] = tickSteps(steps, dpp, 40.0, 8.0);
    const int plot = plotHeightOf(view);
    const double top = view.topAngle;
    const double bottom = angleAtY(view, plot);
    std::vector<ScaleMark> marks;
    for (double value : multiples(bottom, top, minor)) {
        ScaleMark mark;
        mark.value = std::abs(value) < 1e-9 ? 0.0 : value;
        mark.position = yOfAngle(view, value);
        if (mark.position < 0.0 || mark.position >= plot) continue;
        mark.major = divides(major, value) || std::abs(value) < 1e-9;
        if (mark.major) {
            const char* pattern = major >= 1.0 ? "0" : major >= 0.1 ? "0.0" : "0.00";
            const std::string number = formatPattern(std::abs(mark.value), pattern);
            mark.text = (mark.value > 0.0 ? "+" : mark.value < 0.0 ? "-" : "") + number + "°";
            const TextSize size = measure(scaleStyle(), mark.text);
            mark.box = QRectF(9.0, mark.position - size.height / 2.0, size.width, size.height);
            if (mark.box.top() < 0.0 || mark.box.bottom() > plot) mark.text.clear(), mark.box = {};
        }
        marks.push_back(std::move(mark));
    }
    return marks;
}

// ---- peaks ---------------------------------------------------------------------------------

std::string peakLabel(const PeakSight& sight) {
    const std::string name = sight.peak.name.empty() ? "（名称なし）" : sight.peak.name;
    return name + " " + metresText(sight.peak.height) + "m " +
           kilometres(sight.distance);
}

std::string describePeak(const PeakSight& sight) {
    const std::string name = sight.peak.name.empty() ? "（名称なし）" : sight.peak.name;
    const double angle = finiteOr(sight.elevationAngle, 0.0);
    std::string angleText = formatPattern(std::abs(angle), "0.00");
    const bool zero = angleText == "0.00";
    angleText = (zero || angle > 0.0 ? "+" : "-") + angleText;
    const std::string seen = !sight.inView ? "視野の外" : sight.visible ? "見える" : "隠れている";
    return name + " " + metresText(sight.peak.height) + "m　方位 " +
           formatPattern(wrap360(sight.azimuth), "0.0") + "°（" + compassPoint(sight.azimuth) + "）　距離 " +
           kilometres(sight.distance) + "　仰角 " + angleText + "°　" + seen;
}

std::optional<size_t> peakAt(const PanoramaPicture& picture, QPointF point) {
    for (const LabelPlace& label : picture.labels)
        if (label.box.adjusted(-2, -2, 2, 2).contains(point)) return label.peak;
    std::optional<size_t> found;
    double best = 5.0 * 5.0;
    for (const SummitMark& mark : picture.marks) {
        const QPointF d = mark.summit - point;
        const double d2 = d.x() * d.x() + d.y() * d.y();
        if (d2 <= best) {
            best = d2;
            found = mark.peak;
        }
    }
    return found;
}

// ---- the picture ---------------------------------------------------------------------------

namespace {

class Painter {
public:
    Painter(const PanoramaScan& scan, const PanoramaView& view) : view_(view), columns_(scan) {
        plot_ = plotHeightOf(view_);
        image_ = QImage(view_.width, view_.height, QImage::Format_RGB32);
        bits_ = reinterpret_cast<QRgb*>(image_.bits());
        stride_ = static_cast<size_t>(image_.bytesPerLine()) / sizeof(QRgb);
        depth_.assign(static_cast<size_t>(view_.width) * static_cast<size_t>(plot_), kOutsideDepth);
        skyline_.assign(static_cast<size_t>(view_.width), plot_);
        maxDistance_ = std::isfinite(scan.options.maxDistance) && scan.options.maxDistance > 0.0
                           ? scan.options.maxDistance
                           : 150000.0;
    }

    void drawTerrain();
    void drawSilhouettes();
    QImage take() { return std::move(image_); }
    // The highest terrain row in each column (the plot height where there is none).
    const std::vector<int>& skyline() const { return skyline_; }

private:
    static constexpr double kOutsideDepth = -1.0;  // no terrain, no sky: outside the view
    static constexpr double kSkyDepth = kInfinity;

    double& depth(int x, int y) { return depth_[static_cast<size_t>(y) * static_cast<size_t>(view_.width) + static_cast<size_t>(x)]; }
    QRgb& pixel(int x, int y) { return bits_[static_cast<size_t>(y) * stride_ + static_cast<size_t>(x)]; }

    PanoramaView view_;
    Columns columns_;
    int plot_ = 1;
    double maxDistance_ = 150000.0;
    QImage image_;
    QRgb* bits_ = nullptr;
    size_t stride_ = 0;
    std::vector<double> depth_;
    std::vector<int> skyline_;
};

void Painter::drawTerrain() {
    const double dpp = view_.degreesPerPixel;
    const bool smooth = dpp < columns_.step() * 0.75;
    std::vector<QRgb> sky(static_cast<size_t>(plot_)), unknownSky(static_cast<size_t>(plot_));
    for (int y = 0; y < plot_; ++y) {
        const Rgb c = skyColour(y, plot_);
        sky[static_cast<size_t>(y)] = toQRgb(c);
        unknownSky[static_cast<size_t>(y)] = toQRgb(mix(c, kUnknownSky, 0.5));
    }
    const QRgb ground = toQRgb(kDistanceRamp.front());
    const QRgb outside = toQRgb(kOutside);
    const QRgb hatch = toQRgb(kHatch);
    for (int x = 0; x < view_.width; ++x) {
        const double azimuth = azimuthAtX(view_, x + 0.5);
        const std::optional<double> index = columns_.indexAt(azimuth);
        if (!index) {
            for (int y = 0; y < plot_; ++y) pixel(x, y) = outside;
            continue;
        }
        const ColumnSight sight = sightAt(columns_, *index, smooth);
        // From the bottom row up: below the first span the ground near the eye, then each span
        // from the top of the one before (a gap between two shows the farther), then the sky.
        size_t k = 0;
        size_t coloured = sight.spans.size();  // the span whose colour `colour` is
        QRgb colour = ground;
        for (int y = plot_ - 1; y >= 0; --y) {
            const double angle = angleAtY(view_, y + 0.5);
            while (k < sight.spans.size() && !(angle <= sight.spans[k].highAngle)) ++k;
            if (k >= sight.spans.size()) {
                for (int s = y; s >= 0; --s) {
                    depth(x, s) = kSkyDepth;
                    const auto row = static_cast<size_t>(s);
                    pixel(x, s) = !sight.unknown ? sky[row] : (x + s) % 8 < 2 ? hatch : unknownSky[row];
                }
                break;
            }
            const SightSpan& span = sight.spans[k];
            const bool below = k == 0 && angle < span.lowAngle;
            const double distance = below ? 0.0 : std::max(static_cast<double>(span.distance), 0.0);
            if (!below && coloured != k) {
                colour = toQRgb(terrainColour(distance, maxDistance_));
                coloured = k;
            }
            depth(x, y) = distance;
            pixel(x, y) = below ? ground : colour;
            skyline_[static_cast<size_t>(x)] = y;
        }
    }
}

// Outlines: a terrain pixel with farther terrain (or the sky) just above or beside it is the
// edge of a nearer ridge, drawn darker.
void Painter::drawSilhouettes() {
    std::vector<std::pair<int, int>> edges;
    std::vector<bool> sky;
    for (int y = 0; y < plot_; ++y) {
        for (int x = 0; x < view_.width; ++x) {
            const double d = depth(x, y);
            if (d < 0.0 || d == kSkyDepth) continue;
            const double jump = d * 1.12 + 200.0;
            bool edge = false, againstSky = false;
            for (const auto& [dx, dy] : std::array<std::pair<int, int>, 3>{{{0, -1}, {-1, 0}, {1, 0}}}) {
                const int nx = x + dx, ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= view_.width) continue;
                const double other = depth(nx, ny);
                if (other == kSkyDepth) edge = againstSky = true;
                else if (other > jump) edge = true;
            }
            if (!edge) continue;
            edges.emplace_back(x, y);
            sky.push_back(againstSky);
        }
    }
    for (size_t i = 0; i < edges.size(); ++i) {
        const auto [x, y] = edges[i];
        QRgb& p = pixel(x, y);
        const Rgb c{static_cast<double>(qRed(p)), static_cast<double>(qGreen(p)), static_cast<double>(qBlue(p))};
        p = toQRgb(darker(c, sky[i] ? 0.55 : 0.7));
    }
}

void drawAzimuthScale(DrawingSurface& surface, const PanoramaView& view) {
    const int top = view.height - kAzimuthScaleHeight;
    surface.box(0, top, view.width - 1, view.height - 1, toColour(kScaleBand), true);
    surface.line(0, top, view.width - 1, top, toColour(kScaleInk));
    for (const ScaleMark& mark : azimuthScale(view)) {
        const int x = static_cast<int>(std::floor(mark.position));
        surface.line(x, top, x, top + (mark.major ? 6 : 3), toColour(kScaleInk));
        if (mark.text.empty()) continue;
        const bool direction = mark.text.find("°") == std::string::npos;
        const TextStyle& style = direction ? directionStyle() : scaleStyle();
        const Colour ink = direction && mark.text == "北" ? makeColour(170, 20, 20) : toColour(kScaleInk);
        LabelGlyphs(style, mark.text).draw(surface, static_cast<int>(std::lround(mark.box.left())),
                                           static_cast<int>(std::lround(mark.box.top())), ink);
    }
}

// Draws the elevation scale; gives the boxes of its texts.
std::vector<QRectF> drawElevationScale(DrawingSurface& surface, const PanoramaView& view) {
    std::vector<QRectF> boxes;
    for (const ScaleMark& mark : elevationScale(view)) {
        const int y = static_cast<int>(std::floor(mark.position));
        surface.line(0, y, mark.major ? 6 : 3, y, toColour(kScaleInk));
        if (mark.text.empty()) continue;
        boxes.push_back(mark.box);
        LabelGlyphs(scaleStyle(), mark.text)
            .drawHaloed(surface, static_cast<int>(std::lround(mark.box.left())),
                        static_cast<int>(std::lround(mark.box.top())), toColour(kScaleInk), colours::white);
    }
    return boxes;
}

// The labels, greedily: each candidate in turn takes the lowest row of the label grid above
// the skyline under it where it overlaps no label or leader line placed before and its text none
// of the `obstacles` (the scale's texts), hanging to the right of its summit or else to the left.
std::vector<LabelPlace> placeLabels(const std::vector<Candidate>& candidates, const std::vector<int>& skyline,
                                    const PanoramaView& view, const std::vector<QRectF>& obstacles) {
    std::vector<LabelPlace> placed;
    std::vector<Leader> leaders;
    const int pitch = measure(labelStyle(), "山").height + 2;
    for (const Candidate& c : candidates) {
        const TextSize size = measure(labelStyle(), c.text);
        const double width = size.width + 2.0;
        bool done = false;
        for (double left : {c.summit.x() - 2.0, c.summit.x() + 2.0 - width}) {
            if (left < 0.0 || left + width > view.width) continue;
            int lowest = static_cast<int>(std::floor(c.summit.y()));
            for (int x = static_cast<int>(left); x < static_cast<int>(std::ceil(left + width)); ++x)
                if (x >= 0 && x < view.width) lowest = std::min(lowest, skyline[static_cast<size_t>(x)]);
            // The label's bottom on a grid line at least 6 pixels above the skyline, at most
            // kLabelRows lines above the first.
            const int first = (lowest - 6) / pitch;
            for (int row = first; row >= std::max(first - kLabelRows + 1, 1) && !done; --row) {
                const QRectF box(left, row * pitch - size.height, width, size.height);
                const Leader leader{c.summit.x(), box.bottom(), c.summit.y() - 3.0};
                const QRectF room = box.adjusted(-3, -1, 3, 1);
                bool free = std::none_of(obstacles.begin(), obstacles.end(),
                                         [&](const QRectF& o) { return room.intersects(o); });
                for (const LabelPlace& other : placed)
                    if (room.intersects(other.box) || crosses(leader, other.box.adjusted(-2, -1, 2, 1))) free = false;
                for (const Leader& other : leaders)
                    if (crosses(other, room)) free = false;
                if (!free) continue;
                placed.push_back({c.peak, box, c.summit});
                leaders.push_back(leader);
                done = true;
            }
            if (done) break;
        }
    }
    return placed;
}

void drawPeaks(DrawingSurface& surface, PanoramaPicture& picture, const std::vector<Candidate>& candidates,
               const PanoramaView& view, const std::vector<int>& skyline, const std::vector<QRectF>& scaleTexts) {
    picture.labels = placeLabels(candidates, skyline, view, scaleTexts);
    std::map<size_t, const Candidate*> byPeak;
    for (const Candidate& c : candidates) byPeak[c.peak] = &c;
    const Colour visibleInk = makeColour(40, 30, 30);
    const Colour hiddenInk = makeColour(120, 120, 120);
    for (const LabelPlace& label : picture.labels) {
        const Candidate& c = *byPeak[label.peak];
        const Colour ink = c.visible ? visibleInk : hiddenInk;
        const int x = static_cast<int>(std::floor(label.summit.x()));
        const int bottom = static_cast<int>(std::lround(label.box.bottom()));
        surface.line(x, bottom, x, static_cast<int>(std::floor(label.summit.y())) - 3, ink);
        surface.line(static_cast<int>(std::lround(label.box.left())), bottom,
                     static_cast<int>(std::lround(label.box.right())) - 1, bottom, ink);
        LabelGlyphs(labelStyle(), c.text)
            .drawHaloed(surface, static_cast<int>(std::lround(label.box.left())) + 1,
                        static_cast<int>(std::lround(label.box.top())), ink, colours::white);
    }
    // The summit marks over the leader lines: a labelled peak's a little larger.
    std::vector<bool> labelled(candidates.size(), false);
    for (const Candidate& c : candidates) {
        const bool hasLabel = std::any_of(picture.labels.begin(), picture.labels.end(),
                                          [&](const LabelPlace& l) { return l.peak == c.peak; });
        const Colour ink = c.visible ? makeColour(190, 30, 30) : hiddenInk;
        surface.setFillStyle(FillStyle::Solid);
        surface.setFillColour(ink);
        surface.circle(static_cast<int>(std::floor(c.summit.x())), static_cast<int>(std::floor(c.summit.y())),
                       hasLabel ? 2 : 1, hasLabel ? colours::white : ink);
        surface.setFillStyle(FillStyle::Transparent);
        picture.marks.push_back({c.peak, c.summit});
    }
}

}  // namespace

PanoramaPicture drawPanorama(const PanoramaScan& scan, const std::vector<PeakSight>& peaks,
                             const PanoramaView& given, const PictureOptions& options) {
    const PanoramaView view = kept(given);
    PanoramaPicture picture;
    Painter painter(scan, view);
    painter.drawTerrain();
    painter.drawSilhouettes();
    const std::vector<int> skyline = painter.skyline();

    DrawingSurface surface(1, 1);
    surface.setImage(painter.take());
    const std::vector<QRectF> scaleTexts = drawElevationScale(surface, view);

    // The peaks in the picture, the visible ones first, each group by priority.
    std::vector<Candidate> candidates;
    const int plot = plotHeightOf(view);
    for (size_t i = 0; i < peaks.size(); ++i) {
        const PeakSight& sight = peaks[i];
        if (!sight.inView || !(sight.visible || options.hiddenPeaks)) continue;
        const QPointF summit(xOfAzimuth(view, sight.azimuth), yOfAngle(view, sight.elevationAngle));
        if (!(summit.x() >= 0.0 && summit.x() < view.width && summit.y() >= 0.0 && summit.y() < plot)) continue;
        candidates.push_back({i, summit, sight.visible, peakLabel(sight)});
    }
    std::stable_sort(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) {
        if (a.visible != b.visible) return a.visible;
        return labelPriority(peaks[a.peak]) > labelPriority(peaks[b.peak]);
    });
    drawPeaks(surface, picture, candidates, view, skyline, scaleTexts);
    drawAzimuthScale(surface, view);
    picture.image = surface.image();
    return picture;
}

}  // namespace orv::panorama
