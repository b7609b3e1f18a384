// The panorama picture: where sky, terrain, outlines, scales and labels fall, the view's zoom
// and pan, finding a peak under the mouse and its description.
#include "panorama/PanoramaPicture.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace orv::panorama {
namespace {

// A scan of `count` columns `step` degrees apart centred on `azimuth`, each column filled by
// `fill(azimuth)`.
template <class Fill>
PanoramaScan makeScan(double azimuth, double fieldOfView, double step, Fill fill) {
    PanoramaScan scan;
    scan.options.azimuth = azimuth;
    scan.options.fieldOfView = fieldOfView;
    scan.options.columnStep = step;
    scan.options.maxDistance = 100000.0;
    const int count = static_cast<int>(std::lround(fieldOfView / step));
    for (int i = 0; i < count; ++i) {
        ScanColumn column;
        column.azimuth = std::fmod(azimuth - fieldOfView / 2.0 + i * step + 720.0, 360.0);
        column.spans = fill(column.azimuth);
        scan.columns.push_back(std::move(column));
    }
    return scan;
}

// Every column: near terrain (2 km) from −2° to 0°, far terrain (40 km) from 0° to 1°.
std::vector<SightSpan> twoRidges(double) { return {{-2.0f, 0.0f, 2000.0f}, {0.0f, 1.0f, 40000.0f}}; }

PeakSight sightOf(const std::string& name, double height, double distance, double azimuth, double angle,
                  bool visible = true) {
    PeakSight sight;
    sight.peak.name = name;
    sight.peak.height = height;
    sight.distance = distance;
    sight.azimuth = azimuth;
    sight.elevationAngle = angle;
    sight.inView = true;
    sight.visible = visible;
    return sight;
}

int lightness(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c); }
bool grey(QRgb c) { return std::abs(qRed(c) - qBlue(c)) < 12 && std::abs(qGreen(c) - qBlue(c)) < 12; }

PanoramaView viewOf(double centre, double degreesPerPixel, double topAngle, double fieldOfView = 360.0,
                    double scanAzimuth = 0.0) {
    PanoramaView view;
    view.centreAzimuth = centre;
    view.degreesPerPixel = degreesPerPixel;
    view.topAngle = topAngle;
    view.width = 800;
    view.height = 300;
    view.scanFieldOfView = fieldOfView;
    view.scanAzimuth = scanAzimuth;
    return view;
}

TEST(PanoramaPicture, SkyAboveTheSkylineNearTerrainDarkerThanFar) {
    const PanoramaScan scan = makeScan(0.0, 360.0, 0.1, twoRidges);
    const PanoramaView view = viewOf(0.0, 0.02, 3.0);
    const QImage image = drawPanorama(scan, {}, view).image;
    ASSERT_EQ(image.size(), QSize(800, 300));
    const int x = 300;
    const auto at = [&](double angle) { return image.pixel(x, static_cast<int>(yOfAngle(view, angle))); };
    const QRgb sky = at(2.0), far = at(0.5), near = at(-1.0);
    EXPECT_GT(qBlue(sky), qRed(sky) + 20) << "the sky is blue";
    EXPECT_LT(lightness(near), lightness(far)) << "nearer terrain is darker";
    EXPECT_NE(far, sky);
    // The sky is deeper higher up.
    EXPECT_LT(lightness(at(2.9)), lightness(at(1.2)));
    // The skyline and the near ridge's top are outlined darker than the terrain under them.
    const auto edgeOf = [&](double angle) { return image.pixel(x, static_cast<int>(std::ceil(yOfAngle(view, angle) - 0.5))); };
    EXPECT_LT(lightness(edgeOf(1.0)), lightness(far));
    EXPECT_LT(lightness(edgeOf(0.0)), lightness(near));
    // Below the lowest span: the ground below the eye, dark.
    EXPECT_LE(lightness(at(-2.5)), lightness(near));
}

// Zoomed finer than the scan's columns, a ridge rising across them rises in every picture
// column, not in steps a column wide; where the distance differs (another ridge) it does not.
TEST(PanoramaPicture, RidgesRunSmoothlyBetweenColumns) {
    // The first row that differs from a picture of the sky alone.
    const auto skylineRow = [](const QImage& image, const PanoramaView& view, int x) {
        const QImage sky = drawPanorama(makeScan(20.0, 40.0, 1.0, [](double) { return std::vector<SightSpan>{}; }), {}, view).image;
        int y = 0;
        while (y < image.height() && image.pixel(x, y) == sky.pixel(x, y)) ++y;
        return y;
    };
    const PanoramaScan rising = makeScan(20.0, 40.0, 1.0, [](double azimuth) {
        return std::vector<SightSpan>{{-2.0f, static_cast<float>(0.2 * azimuth), 8000.0f}};
    });
    PanoramaView view = viewOf(20.0, 0.01, 6.0, 40.0, 20.0);
    const QImage image = drawPanorama(rising, {}, view).image;
    for (double azimuth : {19.1, 19.5, 19.8, 20.2, 20.45}) {
        const int x = static_cast<int>(xOfAzimuth(view, azimuth));
        EXPECT_NEAR(skylineRow(image, view, x), yOfAngle(view, 0.2 * azimuthAtX(view, x + 0.5)), 1.5) << azimuth;
    }
    const PanoramaScan step = makeScan(20.0, 40.0, 1.0, [](double azimuth) {
        return azimuth < 19.5 ? std::vector<SightSpan>{{-2.0f, 1.0f, 8000.0f}}
                              : std::vector<SightSpan>{{-2.0f, 3.0f, 40000.0f}};
    });
    view.topAngle = 3.5;
    view.height = 400;
    const QImage stepped = drawPanorama(step, {}, view).image;
    EXPECT_NEAR(skylineRow(stepped, view, static_cast<int>(xOfAzimuth(view, 19.3))), yOfAngle(view, 1.0), 1.0);
    EXPECT_NEAR(skylineRow(stepped, view, static_cast<int>(xOfAzimuth(view, 19.7))), yOfAngle(view, 3.0), 1.0);
}

TEST(PanoramaPicture, UnknownColumnsAreHatchedNotDrawnAsEmpty) {
    PanoramaScan scan = makeScan(0.0, 360.0, 1.0, twoRidges);
    for (ScanColumn& column : scan.columns)
        if (column.azimuth >= 10.0 && column.azimuth <= 20.0) column.unknown = true;
    const PanoramaView view = viewOf(15.0, 0.05, 3.0);
    const QImage image = drawPanorama(scan, {}, view).image;
    const int rows = static_cast<int>(yOfAngle(view, 1.5));
    const auto greyPixels = [&](double azimuth) {
        const int x = static_cast<int>(xOfAzimuth(view, azimuth));
        int count = 0;
        for (int y = 0; y < rows; ++y) count += grey(image.pixel(x, y)) ? 1 : 0;
        return count;
    };
    EXPECT_GT(greyPixels(15.0), rows / 5) << "the unknown sky is hatched";
    EXPECT_EQ(greyPixels(30.0), 0);
}

TEST(PanoramaPicture, AzimuthScaleNamesTheDirectionsAtTheirColumns) {
    struct Case {
        double centre, degreesPerPixel;
    };
    for (const Case& c : {Case{0.0, 0.45}, Case{180.0, 0.4}, Case{350.0, 0.1}, Case{30.0, 0.1},
                          Case{0.5, 0.005}, Case{91.0, 0.02}}) {
        SCOPED_TRACE(testing::Message() << "centre " << c.centre << " dpp " << c.degreesPerPixel);
        const PanoramaView view = viewOf(c.centre, c.degreesPerPixel, 3.0);
        const std::vector<ScaleMark> marks = azimuthScale(view);
        ASSERT_FALSE(marks.empty());
        for (const auto& [name, azimuth] : {std::pair<std::string, double>{"北", 0.0}, {"東", 90.0}}) {
            const double x = xOfAzimuth(view, azimuth);
            const auto found = std::find_if(marks.begin(), marks.end(), [&](const ScaleMark& m) { return m.text == name; });
            if (x < 10.0 || x > view.width - 10.0) {
                EXPECT_TRUE(found == marks.end() || std::abs(found->position - x) < 0.5) << name;
                continue;
            }
            ASSERT_NE(found, marks.end()) << name;
            EXPECT_NEAR(found->position, x, 0.5);
            EXPECT_NEAR(found->box.center().x(), x, 1.0);
        }
        // Long ticks far enough apart for their texts, texts never overlapping, degrees written.
        std::vector<double> major;
        int degreeTexts = 0;
        for (size_t i = 0; i < marks.size(); ++i) {
            if (marks[i].major) major.push_back(marks[i].position);
            if (marks[i].text.find("°") != std::string::npos) ++degreeTexts;
            for (size_t j = i + 1; j < marks.size(); ++j) {
                if (marks[i].text.empty() || marks[j].text.empty()) continue;
                EXPECT_FALSE(marks[i].box.intersects(marks[j].box)) << marks[i].text << " " << marks[j].text;
            }
        }
        EXPECT_GE(degreeTexts, 2);
        for (size_t i = 1; i < major.size(); ++i) EXPECT_GE(major[i] - major[i - 1], 20.0);
    }
    // Where there is room the points between: 北東 at 45°.
    const PanoramaView wide = viewOf(45.0, 0.2, 3.0);
    const std::vector<ScaleMark> marks = azimuthScale(wide);
    const auto ne = std::find_if(marks.begin(), marks.end(), [](const ScaleMark& m) { return m.text == "北東"; });
    ASSERT_NE(ne, marks.end());
    EXPECT_NEAR(ne->position, 400.0, 0.5);
}

TEST(PanoramaPicture, ScaleTicksAreDrawnWhereTheLayoutPutsThem) {
    const PanoramaScan scan = makeScan(0.0, 360.0, 0.1, twoRidges);
    const PanoramaView view = viewOf(10.0, 0.1, 3.0);
    const QImage image = drawPanorama(scan, {}, view).image;
    const int top = view.height - kAzimuthScaleHeight;
    const int north = static_cast<int>(std::floor(xOfAzimuth(view, 0.0)));
    EXPECT_LT(lightness(image.pixel(north, top + 4)), 300) << "the long tick at 北";
    EXPECT_GT(lightness(image.pixel(north + 3, top + 4)), 600) << "the band beside it";
    // The elevation scale: 0° written at the left, its tick at the horizontal.
    const std::vector<ScaleMark> angles = elevationScale(view);
    const auto zero = std::find_if(angles.begin(), angles.end(), [](const ScaleMark& m) { return m.text == "0°"; });
    ASSERT_NE(zero, angles.end());
    EXPECT_NEAR(zero->position, yOfAngle(view, 0.0), 1e-9);
    EXPECT_LT(lightness(image.pixel(2, static_cast<int>(zero->position))), 300);
    const auto minus = std::find_if(angles.begin(), angles.end(), [](const ScaleMark& m) { return m.text == "-5°"; });
    ASSERT_NE(minus, angles.end());
    EXPECT_NEAR(minus->position, yOfAngle(view, -5.0), 1e-9);
}

// Many peaks close together: the labels placed never overlap each other nor another's leader
// line nor the scale's texts, stand above their summits inside the picture, and the highest
// near peak gets one.
TEST(PanoramaPicture, CrowdedLabelsNeverOverlap) {
    const PanoramaScan scan = makeScan(0.0, 360.0, 0.1, [](double azimuth) {
        const float top = static_cast<float>(1.0 + 0.8 * std::sin(azimuth * 0.3));
        return std::vector<SightSpan>{{-2.0f, 0.0f, 2000.0f}, {0.0f, top, 30000.0f}};
    });
    std::vector<PeakSight> peaks;
    for (int i = 0; i < 150; ++i) {
        const double azimuth = std::fmod(337.0 + i * 0.27, 360.0);
        const double top = 1.0 + 0.8 * std::sin(azimuth * 0.3);
        peaks.push_back(sightOf("峰" + std::to_string(i), 1000.0 + (i * 37) % 900, 30000.0, azimuth, top));
    }
    peaks.push_back(sightOf("幌尻岳", 2052.0, 12300.0, 0.0, 1.0 + 0.8 * std::sin(0.0)));
    const PanoramaView view = viewOf(0.0, 0.06, 8.0);
    const PanoramaPicture picture = drawPanorama(scan, peaks, view);
    ASSERT_GE(picture.labels.size(), 8u);
    EXPECT_LT(picture.labels.size(), peaks.size()) << "not every peak fits";
    EXPECT_TRUE(std::any_of(picture.labels.begin(), picture.labels.end(),
                            [&](const LabelPlace& l) { return l.peak == peaks.size() - 1; }));
    for (size_t i = 0; i < picture.labels.size(); ++i) {
        const LabelPlace& a = picture.labels[i];
        EXPECT_GE(a.box.left(), 0.0);
        EXPECT_GE(a.box.top(), 0.0);
        EXPECT_LE(a.box.right(), view.width);
        EXPECT_LT(a.box.bottom(), a.summit.y());
        EXPECT_GE(a.summit.x(), a.box.left() - 3.0);
        EXPECT_LE(a.summit.x(), a.box.right() + 3.0);
        for (size_t j = 0; j < picture.labels.size(); ++j) {
            if (i == j) continue;
            const LabelPlace& b = picture.labels[j];
            EXPECT_FALSE(a.box.intersects(b.box)) << i << " " << j;
            const bool leaderThrough = b.summit.x() >= a.box.left() && b.summit.x() <= a.box.right() &&
                                       b.box.bottom() <= a.box.top() && b.summit.y() >= a.box.bottom();
            EXPECT_FALSE(leaderThrough) << "the leader of " << j << " crosses label " << i;
        }
    }
    for (const ScaleMark& mark : elevationScale(view))
        for (const LabelPlace& label : picture.labels)
            EXPECT_TRUE(mark.text.empty() || !mark.box.intersects(label.box)) << mark.text;
    EXPECT_EQ(picture.marks.size(), peaks.size()) << "every peak in the picture is marked";
}

// A peak at the left edge, its skyline at each height in turn: its label keeps clear of the
// elevation scale's texts.
TEST(PanoramaPicture, LabelsKeepClearOfTheElevationScale) {
    PanoramaView view = viewOf(0.0, 0.02, 3.0);
    view.width = 240;
    view.height = 240;
    int placed = 0;
    for (int step = 0; step < 20; ++step) {
        const float top = 0.1f * static_cast<float>(step);
        const PanoramaScan scan = makeScan(0.0, 360.0, 0.1, [&](double) {
            return std::vector<SightSpan>{{-2.0f, top, 5000.0f}};
        });
        const std::vector<PeakSight> peaks{sightOf("幌尻岳", 2052.0, 5000.0, azimuthAtX(view, 12.0), top)};
        const PanoramaPicture picture = drawPanorama(scan, peaks, view);
        for (const LabelPlace& label : picture.labels) {
            ++placed;
            for (const ScaleMark& mark : elevationScale(view))
                EXPECT_TRUE(mark.text.empty() || !mark.box.intersects(label.box)) << mark.text << " at " << top;
        }
    }
    EXPECT_GE(placed, 10) << placed;
}

TEST(PanoramaPicture, HiddenPeaksOnlyWhenAskedAndInGrey) {
    const PanoramaScan scan = makeScan(0.0, 360.0, 0.1, twoRidges);
    const std::vector<PeakSight> peaks{sightOf("見える山", 1500.0, 40000.0, 5.0, 1.0),
                                       sightOf("隠れた山", 1200.0, 50000.0, -5.0, 0.5, false)};
    const PanoramaView view = viewOf(0.0, 0.04, 4.0);
    const PanoramaPicture plain = drawPanorama(scan, peaks, view);
    ASSERT_EQ(plain.labels.size(), 1u);
    EXPECT_EQ(plain.labels[0].peak, 0u);
    const PanoramaPicture withHidden = drawPanorama(scan, peaks, view, {.hiddenPeaks = true});
    ASSERT_EQ(withHidden.labels.size(), 2u);
    const LabelPlace& hidden = withHidden.labels[1].peak == 1 ? withHidden.labels[1] : withHidden.labels[0];
    // The hidden peak's label is written in grey: no dark ink in its box.
    int dark = 0;
    for (int y = static_cast<int>(hidden.box.top()); y < static_cast<int>(hidden.box.bottom()); ++y)
        for (int x = static_cast<int>(hidden.box.left()); x < static_cast<int>(hidden.box.right()); ++x)
            dark += lightness(withHidden.image.pixel(x, y)) < 200 ? 1 : 0;
    EXPECT_EQ(dark, 0);
}

TEST(PanoramaPicture, PeakAtFindsLabelsAndSummits) {
    const PanoramaScan scan = makeScan(0.0, 360.0, 0.1, twoRidges);
    const std::vector<PeakSight> peaks{sightOf("幌尻岳", 2052.0, 12300.0, 0.0, 1.0),
                                       sightOf("戸蔦別岳", 1959.0, 14000.0, 0.5, 1.0)};
    const PanoramaView view = viewOf(0.0, 0.04, 4.0);
    const PanoramaPicture picture = drawPanorama(scan, peaks, view);
    ASSERT_FALSE(picture.labels.empty());
    for (const LabelPlace& label : picture.labels) {
        EXPECT_EQ(peakAt(picture, label.box.center()), label.peak);
        EXPECT_EQ(peakAt(picture, label.summit + QPointF(2, 1)), label.peak);
    }
    EXPECT_EQ(peakAt(picture, QPointF(5, view.height - 5)), std::nullopt);
}

TEST(PanoramaPicture, LabelAndDescriptionTexts) {
    EXPECT_EQ(peakLabel(sightOf("幌尻岳", 2052.4, 12340.0, 123.44, 2.314)), "幌尻岳 2052m 12.3km");
    EXPECT_EQ(peakLabel(sightOf("羊蹄山", 1898.0, 123400.0, 250.0, 0.1)), "羊蹄山 1898m 123km");
    EXPECT_EQ(describePeak(sightOf("幌尻岳", 2052.4, 12340.0, 134.96, 2.314)),
              "幌尻岳 2052m　方位 135.0°（南東）　距離 12.3km　仰角 +2.31°　見える");
    EXPECT_EQ(describePeak(sightOf("ピパイロ岳", 1917.0, 25060.0, 359.9, -0.523, false)),
              "ピパイロ岳 1917m　方位 359.9°（北）　距離 25.1km　仰角 -0.52°　隠れている");
    PeakSight outside = sightOf("十勝岳", 2077.0, 90000.0, 11.3, -0.001);
    outside.inView = false;
    outside.visible = false;
    EXPECT_EQ(describePeak(outside), "十勝岳 2077m　方位 11.3°（北北東）　距離 90.0km　仰角 +0.00°　視野の外");
}

// Nonsense in the scan, the peaks or the view draws a picture of a sensible size, no crash.
TEST(PanoramaPicture, SurvivesNonsense) {
    const double nan = std::nan("");
    PanoramaScan odd = makeScan(0.0, 360.0, 1.0, [&](double azimuth) {
        if (azimuth < 90.0) return std::vector<SightSpan>{{static_cast<float>(nan), static_cast<float>(nan), -5.0f}};
        if (azimuth < 180.0) return std::vector<SightSpan>{{5.0f, -5.0f, 1e30f}, {-90.0f, 90.0f, 0.0f}};
        return std::vector<SightSpan>{};
    });
    odd.columns[3].azimuth = nan;
    odd.options.columnStep = nan;
    odd.options.maxDistance = -1.0;
    const std::vector<PeakSight> peaks{sightOf("", nan, nan, nan, nan), sightOf("x", 1e300, -1.0, 1e300, -1e300)};
    PanoramaView view = viewFitting(odd, 300, 200);
    for (const PanoramaView& v : {view, viewOf(nan, nan, nan), viewOf(1e300, 0.0, -1e300), viewOf(0.0, -1.0, 1e9)}) {
        PanoramaView w = v;
        w.width = 300;
        w.height = 200;
        const PanoramaPicture picture = drawPanorama(odd, peaks, w);
        EXPECT_EQ(picture.image.size(), QSize(300, 200));
        for (const PeakSight& peak : peaks) EXPECT_FALSE(describePeak(peak).empty());
        (void)zoomedView(w, nan, {nan, nan});
        (void)pannedView(w, {1e300, nan});
    }
    view.width = 0;
    view.height = 1000000;
    EXPECT_EQ(drawPanorama(PanoramaScan{}, {}, view).image.size(), QSize(1, 10000));
}

TEST(PanoramaView, FittingShowsTheWholeScanWithTheSkylineLow) {
    const PanoramaScan full = makeScan(0.0, 360.0, 0.1, twoRidges);
    const PanoramaView view = viewFitting(full, 1200, 400);
    EXPECT_DOUBLE_EQ(view.degreesPerPixel, 0.3);
    const double skyline = yOfAngle(view, 1.0);
    EXPECT_GT(skyline, 90.0) << "room for the labels above";
    EXPECT_LT(skyline, 400 - kAzimuthScaleHeight - 40) << "terrain below it";

    const PanoramaScan sector = makeScan(200.0, 60.0, 0.1, twoRidges);
    const PanoramaView part = viewFitting(sector, 600, 300);
    EXPECT_NEAR(azimuthAtX(part, 0.0), 170.0, 1e-9);
    EXPECT_NEAR(azimuthAtX(part, 600.0), 230.0, 1e-9);
}

// The opening view: a 360° panorama of a few degrees' relief is shown closer than the whole,
// its skylines filling about half the plot with the labels' room above; a sector whose whole
// already shows the relief opens whole.
TEST(PanoramaView, OpeningViewFillsThePictureWithTheRelief) {
    const auto rising = [](double azimuth) {
        const float top = static_cast<float>(1.0 + 4.0 * std::sin(azimuth * M_PI / 180.0));
        return std::vector<SightSpan>{{-90.0f, top, 20000.0f}};
    };
    const PanoramaScan full = makeScan(90.0, 360.0, 0.1, rising);
    const PanoramaView whole = viewFitting(full, 1200, 400);
    const PanoramaView opening = viewForTerrain(full, 1200, 400);
    EXPECT_LT(opening.degreesPerPixel, whole.degreesPerPixel);
    EXPECT_NEAR(opening.centreAzimuth, 90.0, 1e-9);
    const double plot = 400 - kAzimuthScaleHeight;
    const double lowest = yOfAngle(opening, -3.0), highest = yOfAngle(opening, 5.0);
    EXPECT_NEAR((lowest - highest) / plot, 0.45, 0.01);
    EXPECT_GE(highest, std::min(plot / 3.0, 90.0) - 1.0) << "room for the labels above";
    EXPECT_LE(lowest, plot) << "the lowest skyline on the picture";

    // Flat: at most eight times closer than the whole.
    const PanoramaScan flat = makeScan(0.0, 360.0, 0.1, twoRidges);
    EXPECT_DOUBLE_EQ(viewForTerrain(flat, 1200, 400).degreesPerPixel, 0.3 / 8.0);

    const auto steep = [](double azimuth) {
        return std::vector<SightSpan>{{-90.0f, static_cast<float>(azimuth - 200.0), 20000.0f}};
    };
    const PanoramaScan sector = makeScan(200.0, 30.0, 0.1, steep);
    const PanoramaView part = viewForTerrain(sector, 600, 300);
    EXPECT_DOUBLE_EQ(part.degreesPerPixel, viewFitting(sector, 600, 300).degreesPerPixel);
}

TEST(PanoramaView, ZoomKeepsThePointUnderTheMouse) {
    struct Case {
        double factor;
        QPointF about;
    };
    const PanoramaView start = viewOf(10.0, 0.1, 4.0);
    for (const Case& c : {Case{2.0, {100, 50}}, Case{1.5, {700, 250}}, Case{0.5, {400, 150}}, Case{4.0, {0, 0}}}) {
        const PanoramaView zoomed = zoomedView(start, c.factor, c.about);
        EXPECT_NEAR(zoomed.degreesPerPixel, 0.1 / c.factor, 1e-12);
        EXPECT_NEAR(azimuthAtX(zoomed, c.about.x()), azimuthAtX(start, c.about.x()), 1e-9);
        EXPECT_NEAR(angleAtY(zoomed, c.about.y()), angleAtY(start, c.about.y()), 1e-9);
    }
    // Limits: never wider than the field of view, never finer than the finest.
    EXPECT_NEAR(zoomedView(start, 0.01, {400, 150}).degreesPerPixel, 360.0 / 800, 1e-12);
    EXPECT_NEAR(zoomedView(start, 1000.0, {400, 150}).degreesPerPixel, kFinestDegreesPerPixel, 1e-12);
    const PanoramaView sector = viewOf(100.0, 0.02, 4.0, 40.0, 100.0);
    const PanoramaView out = zoomedView(sector, 0.1, {700, 100});
    EXPECT_NEAR(out.degreesPerPixel, 40.0 / 800, 1e-12);
    EXPECT_NEAR(out.centreAzimuth, 100.0, 1e-9);
}

TEST(PanoramaView, PanWrapsRoundAndStaysInASector) {
    const PanoramaView full = viewOf(350.0, 0.1, 4.0);
    const PanoramaView moved = pannedView(full, {-200.0, 30.0});  // the mouse left: look east
    EXPECT_NEAR(moved.centreAzimuth, 10.0, 1e-9);
    EXPECT_NEAR(moved.topAngle, 7.0, 1e-9);
    EXPECT_NEAR(pannedView(full, {1000.0, 0.0}).centreAzimuth, 250.0, 1e-9);

    const PanoramaView sector = viewOf(100.0, 0.02, 4.0, 40.0, 100.0);  // 16° of 40° shown
    EXPECT_NEAR(pannedView(sector, {-300.0, 0.0}).centreAzimuth, 106.0, 1e-9);
    EXPECT_NEAR(pannedView(sector, {-3000.0, 0.0}).centreAzimuth, 112.0, 1e-9);
    EXPECT_NEAR(pannedView(sector, {3000.0, 0.0}).centreAzimuth, 88.0, 1e-9);
    const PanoramaView north = viewOf(0.0, 0.02, 4.0, 40.0, 0.0);
    EXPECT_NEAR(pannedView(north, {3000.0, 0.0}).centreAzimuth, 348.0, 1e-9);
}

}  // namespace
}  // namespace orv::panorama
