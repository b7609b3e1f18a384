// The panorama window: the picture follows the window's size, the wheel zooms about the
// pointer, a drag moves the picture and a click describes a peak, the keys zoom and move, and
// the window stays usable at a small size.
#include "panorama/ui/PanoramaWindow.h"

#include "panorama/Geodesy.h"
#include "panorama/SyntheticTerrain.h"
#include "panorama/ui/PanoramaDialog.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace orv::panorama {
namespace {

// Level ground 100 m high for some 11 km around the observer; the peak 20 km north stands
// beyond it.
MercatorLayer plainLayer(LatLon observer) {
    return synthetic::layerAround(observer, 11000.0, 10, [](LatLon) { return 100.0; });
}

struct PanoramaWindowTest : ::testing::Test {
    std::unique_ptr<AppState> state = makeAppState();
    test::ScriptedDialogs dialogs;
    LatLon observer{42.7, 142.6};

    PanoramaSources sources() {
        PanoramaSources made;
        made.gather = [this](const SightRequest&, const terrain::ProgressHook&) {
            GatheredTerrain gathered;
            gathered.terrain.addLayer(plainLayer(observer));
            return gathered;
        };
        made.peaks = [this] {
            return std::vector<Peak>{{"北の峰", directGeodesic(observer, 0.0, 20000.0), 1500.0}};
        };
        return made;
    }

    std::unique_ptr<PanoramaWindow> shown() {
        auto window = std::make_unique<PanoramaWindow>(*state, sources(), &dialogs);
        window->resize(900, 420);
        PanoramaSettings settings;
        settings.observer = observer;
        settings.groundHeight = 100.0;
        settings.maxDistanceKm = 40.0;
        window->showPanorama(settings);
        return window;
    }

    static void mouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    static void wheel(QWidget* target, QPointF at, int angle) {
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &event);
    }
    static void key(QWidget* target, int code) {
        QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
};

TEST_F(PanoramaWindowTest, MenuBarTitleAndThePictureFillingTheWindow) {
    auto window = shown();
    QStringList captions;
    for (QAction* action : window->menuBar()->actions()) captions << action->text();
    EXPECT_EQ(captions, (QStringList{"画像保存", "拡大", "縮小", "全体表示", "隠れた山も表示", "設定", "ヘルプ", "閉じる"}));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("展望図 — 北緯42.7000° 東経142.6000°（目の高さ 1.6m、40km）"));
    const PanoramaPictureWidget* picture = window->picture();
    EXPECT_EQ(window->logic().picture().image.size(), picture->size());
    window->resize(600, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->logic().view().width, picture->width());
    EXPECT_EQ(window->logic().picture().image.size(), picture->size());
    // Showing the opening view, it shows the relief the same way at the new size.
    const PanoramaView fitting = viewForTerrain(window->logic().scan(), picture->width(), picture->height());
    EXPECT_EQ(window->logic().view().topAngle, fitting.topAngle);
    EXPECT_EQ(window->logic().view().degreesPerPixel, fitting.degreesPerPixel);
    // Small, it keeps its menus and picture.
    EXPECT_LE(window->minimumSize().width(), 700);
    EXPECT_GE(picture->height(), picture->minimumSizeHint().height());
}

TEST_F(PanoramaWindowTest, WheelZoomsAboutThePointerAndKeysZoomAndMove) {
    auto window = shown();
    PanoramaPictureWidget* picture = window->picture();
    const PanoramaView start = window->logic().view();
    wheel(picture, QPointF(100, 200), 120);
    const PanoramaView closer = window->logic().view();
    EXPECT_LT(closer.degreesPerPixel, start.degreesPerPixel);
    // The direction under the pointer stays under it: the middle moves towards the pointer.
    EXPECT_NE(closer.centreAzimuth, start.centreAzimuth);
    wheel(picture, QPointF(100, 200), -120);
    EXPECT_NEAR(window->logic().view().degreesPerPixel, start.degreesPerPixel, 1e-9);

    key(window.get(), Qt::Key_Plus);
    EXPECT_LT(window->logic().view().degreesPerPixel, start.degreesPerPixel);
    key(window.get(), Qt::Key_Minus);
    EXPECT_NEAR(window->logic().view().degreesPerPixel, start.degreesPerPixel, 1e-9);
    const double azimuth = window->logic().view().centreAzimuth;
    key(window.get(), Qt::Key_Right);
    EXPECT_NE(window->logic().view().centreAzimuth, azimuth);

    // Zoomed, a smaller window keeps the middle of what it showed.
    key(window.get(), Qt::Key_Plus);
    const PanoramaView zoomed = window->logic().view();
    const double middle = zoomed.topAngle - zoomed.height / 2.0 * zoomed.degreesPerPixel;
    window->resize(500, 260);
    QCoreApplication::processEvents();
    const PanoramaView smaller = window->logic().view();
    EXPECT_EQ(smaller.centreAzimuth, zoomed.centreAzimuth);
    EXPECT_EQ(smaller.degreesPerPixel, zoomed.degreesPerPixel);
    EXPECT_NEAR(smaller.topAngle - smaller.height / 2.0 * smaller.degreesPerPixel, middle, 1e-9);
}

TEST_F(PanoramaWindowTest, DragMovesThePictureAndAClickDescribesAPeak) {
    auto window = shown();
    PanoramaPictureWidget* picture = window->picture();
    const PanoramaView start = window->logic().view();
    mouse(picture, QEvent::MouseButtonPress, QPointF(300, 200), Qt::LeftButton);
    mouse(picture, QEvent::MouseMove, QPointF(340, 200), Qt::LeftButton);
    mouse(picture, QEvent::MouseButtonRelease, QPointF(360, 200), Qt::NoButton);
    // The picture followed the mouse 60 pixels to the right: the middle looks further west.
    const double moved = std::remainder(start.centreAzimuth - window->logic().view().centreAzimuth, 360.0);
    EXPECT_NEAR(moved, 60 * start.degreesPerPixel, 1e-6);
    EXPECT_EQ(window->statusLabel()->text(), QString::fromStdString(window->logic().status()));

    window->logic().fit();
    const std::vector<LabelPlace>& labels = window->logic().picture().labels;
    ASSERT_FALSE(labels.empty());
    const QPointF label = labels.front().box.center();
    mouse(picture, QEvent::MouseButtonPress, label, Qt::LeftButton);
    mouse(picture, QEvent::MouseButtonRelease, label, Qt::NoButton);
    EXPECT_TRUE(window->statusLabel()->text().startsWith(QString::fromUtf8("北の峰"))) << window->statusLabel()->text().toStdString();
}

TEST(PanoramaDialogTest, TypedPositionsAndChoicesBecomeTheObserver) {
    PanoramaSettings start;
    start.observer = {42.5, 142.5};
    start.observerName = "幌尻岳";
    std::vector<ObserverChoice> choices{{"ルートポイント 1", {42.6, 142.7}, std::nan("")},
                                        {"戸蔦別岳 1959m", {42.7, 142.8}, 1959.0}};
    PanoramaDialog dialog(start, choices, true);
    QComboBox* observer = dialog.observerBox();
    ASSERT_EQ(observer->count(), 4);
    EXPECT_EQ(observer->itemText(0), QString::fromUtf8("幌尻岳"));
    EXPECT_FALSE(dialog.latitudeField()->isEnabled());

    observer->setCurrentIndex(2);
    PanoramaSettings read;
    EXPECT_FALSE(dialog.read(read));
    EXPECT_EQ(read.observerName, "戸蔦別岳 1959m");
    EXPECT_EQ(read.groundHeight, 1959.0);
    EXPECT_EQ(dialog.latitudeField()->text(), QString("42.42"));

    observer->setCurrentIndex(3);
    EXPECT_TRUE(dialog.latitudeField()->isEnabled());
    dialog.latitudeField()->setText("43.0530");
    dialog.longitudeField()->setText("142.4115");
    dialog.eyeHeightField()->setValue(10.0);
    EXPECT_FALSE(dialog.read(read));
    EXPECT_NEAR(read.observer.latitude, 43.0 + 5.0 / 60 + 30.0 / 3600, 1e-9);
    EXPECT_NEAR(read.observer.longitude, 142.0 + 41.0 / 60 + 15.0 / 3600, 1e-9);
    EXPECT_EQ(read.observerName, "");
    EXPECT_TRUE(std::isnan(read.groundHeight));
    EXPECT_EQ(read.eyeHeight, 10.0);

    dialog.latitudeField()->setText("北緯43度");
    EXPECT_EQ(dialog.read(read).value_or(""), "緯度・経度は D.MMSS の形で入力してください。");
    dialog.latitudeField()->setText("12.00");
    EXPECT_EQ(dialog.read(read).value_or(""), "観測点が日本の範囲にありません。");
}

}  // namespace
}  // namespace orv::panorama
