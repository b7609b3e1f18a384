#include "route/ui/RouteMapWindow.h"

#include "platform/qt/ElidedLabel.h"
#include "platform/qt/QtText.h"
#include "map/MapView.h"
#include "map/ui/ColourSettingDialog.h"
#include "map/ui/RidgeValleyNamePanels.h"
#include "map/ui/RidgeValleySettingsDialog.h"
#include "route/ui/PointNameDialog.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/qt/WindowPlacement.h"
#include "platform/qt/WindowShortcuts.h"
#include "map/RouteMapTools.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSizePolicy>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <string>

namespace orv {

namespace {

constexpr int kScrollSmallStep = 10;
// A page of scroll is a tenth of the frame's side (50 pixels in a 500 × 500 frame).
constexpr int kFramePerPage = 10;

constexpr std::array kReadoutCaptions{"地図上距離", "総歩行距離", "標高差", "往路歩行時間",
                                      "帰路歩行時間"};
constexpr const char* kRouteEditCaption = "ルート編集";

// The point marker: a pin whose needle ends at the picture's bottom-left corner, so that with
// its top-left corner at (x, y − 34) it points at the map pixel (x, y).
QPixmap pointMarkerPicture(qreal pixelRatio) {
    QPixmap pin(QSize(16, kPointMarkerLift + 1) * pixelRatio);
    pin.setDevicePixelRatio(pixelRatio);
    pin.fill(Qt::transparent);
    QPainter painter(&pin);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.drawLine(QPointF(1, kPointMarkerLift), QPointF(8, 10));
    painter.setPen(QPen(QColor(90, 0, 0), 1));
    painter.setBrush(QColor(230, 30, 30));
    painter.drawEllipse(QPointF(9, 7), 5.5, 5.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 200, 200));
    painter.drawEllipse(QPointF(7.5, 5.5), 1.5, 1.5);
    return pin;
}

constexpr int kRouteMarkerSize = 11;

// A ring with a light inside, readable on every background.
QPixmap routeMarkerPicture(qreal pixelRatio) {
    QPixmap ring(QSize(kRouteMarkerSize, kRouteMarkerSize) * pixelRatio);
    ring.setDevicePixelRatio(pixelRatio);
    ring.fill(Qt::transparent);
    QPainter painter(&ring);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 0, 255), 2));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawEllipse(QPointF(kRouteMarkerSize / 2.0, kRouteMarkerSize / 2.0), 4.0, 4.0);
    return ring;
}

bool stepKeyOf(int key, StepKey& step) {
    switch (key) {
        case Qt::Key_Up: step = StepKey::Up; return true;
        case Qt::Key_Down: step = StepKey::Down; return true;
        case Qt::Key_PageUp: step = StepKey::PageUp; return true;
        case Qt::Key_PageDown: step = StepKey::PageDown; return true;
        default: return false;
    }
}

MapButton mapButton(MouseButton button) {
    switch (button) {
        case MouseButton::Left: return MapButton::Left;
        case MouseButton::Right: return MapButton::Right;
        case MouseButton::Middle: return MapButton::Middle;
        default: return MapButton::None;
    }
}

QScrollBar* mapScrollBar(Qt::Orientation orientation, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setSingleStep(kScrollSmallStep);
    bar->setPageStep(kMapFrame / kFramePerPage);
    return bar;
}

// The scroll bar follows the frame: its range and page, and disabled once the frame shows the
// picture's whole side.
void showScroll(QScrollBar* bar, int value, int largest, int frameSide) {
    bar->setRange(0, largest);
    bar->setPageStep(frameSide / kFramePerPage);
    bar->setEnabled(largest > 0);
    bar->setValue(value);
}

QLabel* graticuleLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    return label;
}

void showLabel(QLabel* label, const GraticuleLabel& model) {
    label->setVisible(model.visible);
    if (!model.visible) return;
    const QString text = toQString(model.text);
    if (label->text() != text) {
        label->setText(text);
        label->adjustSize();
    }
    label->move(model.x, model.y);
}

}  // namespace

// The map frame with its scroll bars along its right and bottom edges, in the area's top-left
// corner. The frame takes the room the layout gives, from kMinMapFrame up to the whole
// picture; a window of the default size gives it kMapFrame × kMapFrame.
class MapArea : public QWidget {
public:
    MapArea(QWidget* parent, std::function<void(int width, int height)> frameSized)
        : QWidget(parent), frameSized_(std::move(frameSized)) {
        setObjectName("mapBlock");
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    void setParts(QWidget* frame, QScrollBar* vertical, QScrollBar* horizontal) {
        frame_ = frame;
        vertical_ = vertical;
        horizontal_ = horizontal;
        // Wider than the whole picture the room goes to the right of the side panel; taller, it
        // stays empty below the map.
        setMaximumWidth(sizeFor(kMapSize).width());
    }

    QSize sizeHint() const override { return sizeFor(kMapFrame); }
    QSize minimumSizeHint() const override { return sizeFor(kMinMapFrame); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (frame_ == nullptr) return;
        const QSize bars = barSizes();
        const int width = std::clamp(this->width() - bars.width(), kMinMapFrame, kMapSize);
        const int height = std::clamp(this->height() - bars.height(), kMinMapFrame, kMapSize);
        frame_->setGeometry(0, 0, width, height);
        vertical_->setGeometry(width, 0, bars.width(), height);
        horizontal_->setGeometry(0, height, width, bars.height());
        frameSized_(width, height);
    }

private:
    QSize barSizes() const {
        if (vertical_ == nullptr || horizontal_ == nullptr) return {};
        return {vertical_->sizeHint().width(), horizontal_->sizeHint().height()};
    }
    QSize sizeFor(int frameSide) const { return QSize(frameSide, frameSide) + barSizes(); }

    std::function<void(int, int)> frameSized_;
    QWidget* frame_ = nullptr;
    QScrollBar* vertical_ = nullptr;
    QScrollBar* horizontal_ = nullptr;
};

RouteMapWindow::RouteMapWindow(AppState& state, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), qtDialogs_(this), dialogs_(dialogs != nullptr ? dialogs : &qtDialogs_) {
    setObjectName("ORV_TVIEW");
    rememberPlace(*this, state.windowFrames);
    logic_ = std::make_unique<RouteMap>(state, *dialogs_);
    logic_->map().changed = [this] { refresh(); };
    logic_->context().openColourDialog = [this] {
        return runColourSettingDialog(logic_->context(), this);
    };
    logic_->setPopupHook([this](const std::string& band) { menus_->popupAtCursor(band); });
    logic_->setExitHook([this] { leave(); });

    menus_ = std::make_unique<MenuAdapter>(logic_->menus(),
                                           [this](const std::string& id) { dispatch(id); });
    menus_->fillMenuBar(menuBar(), kRouteMapMainBand);

    buildLayout();
    addWindowShortcuts(this, [this] { logic_->showHelp(); },
                       [this] { logic_->submit(mapTool::kExitMap); });
    // The window is never narrower than its menu bar, so every menu, "ﾙｰﾄ図終了" last, shows.
    setMinimumWidth(std::max(centralWidget()->minimumSizeHint().width(),
                             menuBar()->sizeHint().width()));
    // The room the menu bar asks beyond the map and the side panel stays right of the side
    // panel, so that the map grows only with a window larger than that.
    const int slack = minimumWidth() - centralWidget()->sizeHint().width();
    if (slack > 0) {
        besideSidePanel_->changeSize(slack, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
        centralWidget()->layout()->invalidate();
    }
    setWindowTitle(toQString(logic_->title()));
    refresh();
}

RouteMapWindow::~RouteMapWindow() {
    takeSteppingKeys(false);
    // The picture widgets show surfaces owned by the logic: remove them first.
    logic_->map().changed = nullptr;
    logic_->context().openColourDialog = nullptr;
    logic_->setPopupHook({});
    logic_->setExitHook({});
    logic_->setCourseTimeHook({});
    logic_->setTrackExportHook({});
    logic_->setPointNamingHook({});
    logic_->setMapChangedHook({});
    logic_->ridgeValleyTracing().setSettingsDialog({});
    namePanels_.reset();
    logic_->setProfileHook({});
    logic_->setRouteHoverHook({});
    logic_->setMapImageRouteHook({});
    logic_->setSheetRouteHook({});
    logic_->setSightHook({});
    menus_.reset();
    delete takeCentralWidget();
}

void RouteMapWindow::setCourseTimeWindow(WindowOpener open) {
    if (!open) {
        logic_->setCourseTimeHook({});
        return;
    }
    logic_->setCourseTimeHook(
        [this, open = std::move(open)] { open(logic_->state(), *dialogs_, this); });
}

void RouteMapWindow::setMapImageWindow(RouteWindowOpener open) {
    if (!open) {
        logic_->setMapImageRouteHook({});
    logic_->setSheetRouteHook({});
        return;
    }
    logic_->setMapImageRouteHook(
        [this, open = std::move(open)] { return open(logic_->state(), *dialogs_, this); });
}

void RouteMapWindow::setTrackExporter(TrackExporter exporter) {
    if (!exporter) {
        logic_->setTrackExportHook({});
        return;
    }
    logic_->setTrackExportHook([this, exporter = std::move(exporter)](TrackFileKind kind) {
        exporter(kind, logic_->state(), *dialogs_);
    });
}

void RouteMapWindow::open() {
    setWindowTitle(toQString(logic_->title()));
    show();
    logic_->create();
    refresh();
}

void RouteMapWindow::dispatch(const std::string& toolId) { logic_->dispatch(toolId); }

void RouteMapWindow::showRouteMarker(std::optional<PixelPoint> at) {
    if (!at) {
        routeMarker_->hide();
        return;
    }
    routeMarker_->move(at->x - kRouteMarkerSize / 2, at->y - kRouteMarkerSize / 2);
    routeMarker_->show();
    routeMarker_->raise();
}

// The map with its scroll bars is one block in the top-left corner, the side panel beside it;
// a larger window gives the map its room up to the whole picture, the rest to the right and
// below, so the map and its scroll bars always stay together.
void RouteMapWindow::buildLayout() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setSpacing(0);
    auto* mapBlock = new MapArea(central, [this](int width, int height) {
        if (width != logic_->map().frameWidth || height != logic_->map().frameHeight)
            logic_->setFrameSize(width, height);
    });
    addMapFrame(mapBlock);
    row->addWidget(mapBlock, 1);
    row->addLayout(buildSidePanel(central));
    besideSidePanel_ = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    row->addSpacerItem(besideSidePanel_);
    setCentralWidget(central);
    buildStatusPanels();
}

// The frame shows part of the 600 × 600 picture, moved by the scroll bars, the wheel and the
// middle button; the graticule labels and the point marker lie over the picture.
void RouteMapWindow::addMapFrame(MapArea* area) {
    mapFrame_ = new QFrame(area);
    mapFrame_->resize(kMapFrame, kMapFrame);
    mapPicture_ = new SurfaceWidget(logic_->pictures().map, mapFrame_);
    forwardMouse(mapPicture_);
    mapPicture_->installEventFilter(this);
    for (auto& label : latitudeLabels_) label = graticuleLabel(mapPicture_);
    for (auto& label : longitudeLabels_) label = graticuleLabel(mapPicture_);
    pointMarker_ = new QLabel(mapPicture_);
    pointMarker_->setPixmap(pointMarkerPicture(devicePixelRatioF()));
    pointMarker_->adjustSize();
    pointMarker_->setAttribute(Qt::WA_TransparentForMouseEvents);
    pointMarker_->hide();
    routeMarker_ = new QLabel(mapPicture_);
    routeMarker_->setObjectName(QStringLiteral("routeMarker"));
    routeMarker_->setPixmap(routeMarkerPicture(devicePixelRatioF()));
    routeMarker_->adjustSize();
    routeMarker_->setAttribute(Qt::WA_TransparentForMouseEvents);
    routeMarker_->hide();

    vScroll_ = mapScrollBar(Qt::Vertical, area);
    hScroll_ = mapScrollBar(Qt::Horizontal, area);
    area->setParts(mapFrame_, vScroll_, hScroll_);
    connect(hScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!applyingModel_) setHorizontalScroll(logic_->context(), value);
    });
    connect(vScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!applyingModel_) setVerticalScroll(logic_->context(), value);
    });
}

// The mouse on a picture of the map goes to the logic; the wheel comes through eventFilter.
void RouteMapWindow::forwardMouse(SurfaceWidget* picture) {
    picture->setMouseMoveHandler([this](MouseButton, int x, int y) { logic_->mouseMove(x, y); });
    picture->setMousePressHandler(
        [this](MouseButton button, int x, int y) { logic_->mousePress(mapButton(button), x, y); });
    picture->setMouseReleaseHandler(
        [this](MouseButton button, int x, int y) { logic_->mouseRelease(mapButton(button), x, y); });
}

// The read-outs, the two point panels, the progress strip and the help button.
QVBoxLayout* RouteMapWindow::buildSidePanel(QWidget* central) {
    auto* side = new QVBoxLayout();
    side->setContentsMargins(8, 0, 4, 0);
    side->addWidget(buildReadouts(central));
    routePointPanel_ = buildPointPanel(central, "ルートポイント処理", kRoutePointHelpFile, true);
    side->addWidget(routePointPanel_.box);
    referenceStartPanel_ = buildPointPanel(central, "作成開始位置", kReferenceStartHelpFile, false);
    side->addWidget(referenceStartPanel_.box);
    addRidgeValleyWidgets(central, side);
    progress_ = new SurfaceWidget(logic_->pictures().progress, central);
    // The strip's room is kept while it is hidden: showing it must not widen the window.
    QSizePolicy keepRoom = progress_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keepRoom);
    side->addWidget(progress_);
    side->addStretch();
    auto* help = new QPushButton(QString::fromUtf8("ヘルプ"), central);
    connect(help, &QPushButton::clicked, this, [this] { logic_->showHelp(); });
    side->addWidget(help);
    return side;
}

void RouteMapWindow::addRidgeValleyWidgets(QWidget* central, QVBoxLayout* side) {
    drawingPicture_ = new SurfaceWidget(logic_->pictures().blank, mapFrame_);
    forwardMouse(drawingPicture_);
    drawingPicture_->installEventFilter(this);
    drawingPicture_->hide();
    logic_->ridgeValleyTracing().setSettingsDialog(
        [this](RidgeValleySettings& settings) { runRidgeValleySettingsDialog(settings, this); });
    logic_->setPointNamingHook([this](PointNaming& naming) { runPointNameDialog(naming, this); });
    namePanels_ = std::make_unique<RidgeValleyNamePanels>(
        logic_->ridgeValleyNaming(), central, [this](const std::string& band) { menus_->popupAtCursor(band); },
        [this] { refresh(); });
    side->addWidget(namePanels_->inputPanel());
    side->addWidget(namePanels_->listPanel());
}

// The guide line, the level and the two indicators.
void RouteMapWindow::buildStatusPanels() {
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i == 0) {
            // A long guide or read-out is cut at the panel's edge instead of widening the window.
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            statusBar()->addWidget(panel, 1);
        } else {
            panel->setAlignment(Qt::AlignCenter);
            panel->setMinimumWidth(70);
            statusBar()->addWidget(panel);
        }
        statusPanels_[i] = panel;
        if (i == 0) {
            // The route note sits beside the guide line and shows only when it says something.
            routeNote_ = new QLabel(this);
            routeNote_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            routeNote_->hide();
            statusBar()->addWidget(routeNote_);
        }
    }
    statusBar()->setSizeGripEnabled(false);
}

QWidget* RouteMapWindow::buildReadouts(QWidget* parent) {
    auto* block = new QWidget(parent);
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 8);
    for (size_t i = 0; i < readouts_.size(); ++i) {
        const int row = static_cast<int>(i);
        grid->addWidget(new QLabel(QString::fromUtf8(kReadoutCaptions[i]), block), row, 0);
        auto* value = new QLabel(block);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(90);
        grid->addWidget(value, row, 1);
        readouts_[i] = value;
    }
    return block;
}

RouteMapWindow::PointPanelWidgets RouteMapWindow::buildPointPanel(QWidget* parent,
                                                                   const char* caption,
                                                                   const char* helpFile,
                                                                   bool offersCommands) {
    PointPanelWidgets widgets;
    widgets.box = new QGroupBox(QString::fromUtf8(caption), parent);
    auto* layout = new QVBoxLayout(widgets.box);
    widgets.number = new QSpinBox(widgets.box);
    widgets.number->setRange(1, 1);
    connect(widgets.number, &QSpinBox::valueChanged, this, [this](int value) {
        if (!applyingModel_) logic_->choosePointNumber(value);
    });
    layout->addWidget(widgets.number);
    // A long name is cut at the panel's edge instead of widening the panel.
    for (auto& label : widgets.labels) {
        label = new ElidedLabel(QString::fromUtf8("経度：  000.000000"), widgets.box);
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout();
    if (offersCommands) {
        // The point commands: a menu button, and the same menu on a right click on the panel.
        auto* commands = new QToolButton(widgets.box);
        commands->setText(QString::fromUtf8(kRouteEditCaption));
        commands->setPopupMode(QToolButton::InstantPopup);
        commands->setMenu(menus_->buildMenu(kRouteEditBand, commands));
        buttons->addWidget(commands);
        widgets.box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widgets.box, &QWidget::customContextMenuRequested, this,
                [this] { menus_->popupAtCursor(kRouteEditBand); });
    }
    auto* help = new QPushButton(QString::fromUtf8("ヘルプ"), widgets.box);
    const std::string file = helpFile;
    connect(help, &QPushButton::clicked, this, [this, file] { logic_->showHelp(file); });
    buttons->addWidget(help);
    layout->addLayout(buttons);
    widgets.box->hide();
    return widgets;
}

void RouteMapWindow::showPointPanel(PointPanelWidgets& widgets, const PointPanel& model) {
    widgets.box->setVisible(model.visible);
    widgets.number->setRange(1, std::max(model.maximum, 1));
    widgets.number->setValue(model.value);
    for (size_t i = 0; i < widgets.labels.size(); ++i)
        widgets.labels[i]->setFullText(toQString(model.labels[i]));
}

void RouteMapWindow::takeSteppingKeys(bool take) {
    if (take == takingKeys_ || QApplication::instance() == nullptr) return;
    takingKeys_ = take;
    if (take) {
        QApplication::instance()->installEventFilter(this);
    } else {
        QApplication::instance()->removeEventFilter(this);
    }
}

bool RouteMapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mapPicture_ && event->type() == QEvent::Leave) logic_->mouseLeave();
    if ((watched == mapPicture_ || watched == drawingPicture_) && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const QPointF at = wheel->position();
        const Qt::KeyboardModifiers keys = wheel->modifiers();
        logic_->wheel(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())),
                      wheel->angleDelta().x(), wheel->angleDelta().y(),
                      keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier));
        return true;
    }
    if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return QMainWindow::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    StepKey step{};
    if (stepKeyOf(key, step)) {
        logic_->stepPointNumber(step);
        return true;
    }
    if (key == Qt::Key_Delete && logic_->deleteKey()) return true;
    return QMainWindow::eventFilter(watched, event);
}

// A key no control of the window took.
void RouteMapWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && logic_->escapeKey()) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void RouteMapWindow::refresh() {
    const MapState& map = logic_->map();
    // A scroll left from a larger frame never shows beyond the picture's edge.
    const int hScroll = std::min(map.hScroll, horizontalScrollMax(map));
    const int vScroll = std::min(map.vScroll, verticalScrollMax(map));
    applyingModel_ = true;
    showScroll(hScroll_, hScroll, horizontalScrollMax(map), map.frameWidth);
    showScroll(vScroll_, vScroll, verticalScrollMax(map), map.frameHeight);
    applyingModel_ = false;
    mapPicture_->move(-hScroll, -vScroll);
    drawingPicture_->move(-hScroll, -vScroll);
    if (map.panning) {
        mapFrame_->setCursor(Qt::ClosedHandCursor);
    } else {
        mapFrame_->unsetCursor();
    }
    if (drawingPicture_->isHidden() == map.drawingPictureShown) {
        drawingPicture_->setVisible(map.drawingPictureShown);
        mapPicture_->setVisible(!map.drawingPictureShown);
    }
    const QString tip = toQString(map.mapToolTip);
    if (mapPicture_->toolTip() != tip) mapPicture_->setToolTip(tip);

    for (size_t i = 0; i < latitudeLabels_.size(); ++i) {
        showLabel(latitudeLabels_[i], map.latitudeLabels[i]);
        showLabel(longitudeLabels_[i], map.longitudeLabels[i]);
    }
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        statusPanels_[i]->setText(toQString(map.statusPanels[i]));
        statusPanels_[i]->setEnabled(map.statusEnabled[i]);
    }
    routeNote_->setText(toQString(map.routeNote));
    routeNote_->setVisible(!map.routeNote.empty());
    progress_->setVisible(map.progressVisible);

    for (size_t i = 0; i < readouts_.size(); ++i) readouts_[i]->setText(toQString(map.readouts[i]));
    RouteCreation& creation = logic_->creation();
    applyingModel_ = true;
    showPointPanel(routePointPanel_, creation.routePointPanel);
    showPointPanel(referenceStartPanel_, creation.referenceStartPanel);
    applyingModel_ = false;
    // The name panels take the place of the point panels while they are open.
    namePanels_->refresh();
    if (namePanels_->shown()) {
        routePointPanel_.box->hide();
        referenceStartPanel_.box->hide();
    }
    pointMarker_->move(map.pointMarkerX, map.pointMarkerY);
    pointMarker_->setVisible(map.pointMarkerVisible);
    if (map.pointMarkerVisible) pointMarker_->raise();
    takeSteppingKeys(creation.takesSteppingKeys);
}

void RouteMapWindow::leave() {
    leaving_ = true;
    if (exitHandler_) {
        exitHandler_();
    } else {
        close();
    }
    leaving_ = false;
}

void RouteMapWindow::showEvent(QShowEvent* event) {
    // The default size shows the map through a kMapFrame × kMapFrame frame, whatever share of
    // the screen a window is otherwise given at first; the sizes are known once the window is
    // on its screen. A size the owner gave (a size kept from the last run) stays.
    if (!testAttribute(Qt::WA_Resized)) resize(sizeHint().expandedTo(minimumSize()));
    QMainWindow::showEvent(event);
}

void RouteMapWindow::closeEvent(QCloseEvent* event) {
    if (leaving_) {
        event->accept();
        return;
    }
    // The close button leaves the map the same way as "ﾙｰﾄ図終了", once this close has been
    // refused (a window cannot be closed again while it is being closed).
    event->ignore();
    QMetaObject::invokeMethod(this, [this] { logic_->submit(mapTool::kExitMap); },
                              Qt::QueuedConnection);
}

}  // namespace orv
