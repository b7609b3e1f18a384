#include "route/ui/RouteMapWindow.h"

#include "map/MapView.h"
#include "map/ui/ColourDialog.h"
#include "platform/qt/SurfaceWidget.h"
#include "route/RouteMapMenus.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMetaObject>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr int kScrollMax = 99;
constexpr int kScrollSmallStep = 10;
constexpr int kScrollLargeStep = 50;

QString qs(const std::string& text) { return QString::fromStdString(text); }

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
    bar->setRange(0, kScrollMax);
    bar->setSingleStep(kScrollSmallStep);
    bar->setPageStep(kScrollLargeStep);
    return bar;
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
    const QString text = qs(model.text);
    if (label->text() != text) {
        label->setText(text);
        label->adjustSize();
    }
    label->move(model.x, model.y);
}

}  // namespace

RouteMapWindow::RouteMapWindow(AppState& state, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), qtDialogs_(this) {
    setObjectName("ORV_TVIEW");
    logic_ = std::make_unique<RouteMap>(state, dialogs != nullptr ? *dialogs : qtDialogs_);
    logic_->map().changed = [this] { refresh(); };
    logic_->context().openColourDialog = [this] { runColourDialog(logic_->context(), this); };
    logic_->setPopupHook([this](const std::string& band) { menus_->popupAtCursor(band); });
    logic_->setExitHook([this] { leave(); });

    menus_ = std::make_unique<MenuAdapter>(logic_->menus(),
                                           [this](const std::string& id) { dispatch(id); });
    menus_->fillMenuBar(menuBar(), kRouteMapMainBand);

    buildLayout();
    setWindowTitle(qs(logic_->title()));
    refresh();
}

RouteMapWindow::~RouteMapWindow() {
    // The picture widgets show surfaces owned by the logic: remove them first.
    logic_->map().changed = nullptr;
    logic_->context().openColourDialog = nullptr;
    logic_->setPopupHook({});
    logic_->setExitHook({});
    menus_.reset();
    delete takeCentralWidget();
}

void RouteMapWindow::open() {
    setWindowTitle(qs(logic_->title()));
    show();
    logic_->create();
    refresh();
}

void RouteMapWindow::dispatch(const std::string& toolId) { logic_->dispatch(toolId); }

void RouteMapWindow::buildLayout() {
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setSpacing(0);

    // The 500 × 500 frame shows part of the 600 × 600 picture, moved by the scroll bars.
    mapFrame_ = new QFrame(central);
    mapFrame_->setFixedSize(kMapFrame, kMapFrame);
    mapPicture_ = new SurfaceWidget(logic_->pictures().map, mapFrame_);
    mapPicture_->setMouseMoveHandler(
        [this](MouseButton, int x, int y) { logic_->mouseMove(x, y); });
    mapPicture_->setMousePressHandler(
        [this](MouseButton button, int x, int y) { logic_->mousePress(mapButton(button), x, y); });
    for (auto& label : latitudeLabels_) label = graticuleLabel(mapPicture_);
    for (auto& label : longitudeLabels_) label = graticuleLabel(mapPicture_);
    grid->addWidget(mapFrame_, 0, 0);

    vScroll_ = mapScrollBar(Qt::Vertical, central);
    hScroll_ = mapScrollBar(Qt::Horizontal, central);
    grid->addWidget(vScroll_, 0, 1);
    grid->addWidget(hScroll_, 1, 0);
    connect(hScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!applyingModel_) setHorizontalScroll(logic_->context(), value);
    });
    connect(vScroll_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!applyingModel_) setVerticalScroll(logic_->context(), value);
    });

    auto* side = new QVBoxLayout();
    side->setContentsMargins(8, 0, 4, 0);
    progress_ = new SurfaceWidget(logic_->pictures().progress, central);
    side->addWidget(progress_);
    side->addStretch();
    auto* help = new QPushButton(QString::fromUtf8("ヘルプ"), central);
    connect(help, &QPushButton::clicked, this, [this] { logic_->showHelp(); });
    side->addWidget(help);
    grid->addLayout(side, 0, 2, 2, 1);
    setCentralWidget(central);

    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i == 0) {
            statusBar()->addWidget(panel, 1);
        } else {
            panel->setAlignment(Qt::AlignCenter);
            panel->setMinimumWidth(70);
            statusBar()->addWidget(panel);
        }
        statusPanels_[i] = panel;
    }
    statusBar()->setSizeGripEnabled(false);
}

void RouteMapWindow::refresh() {
    const MapState& map = logic_->map();
    applyingModel_ = true;
    hScroll_->setValue(map.hScroll);
    vScroll_->setValue(map.vScroll);
    applyingModel_ = false;
    mapPicture_->move(-map.hScroll, -map.vScroll);
    const QString tip = qs(map.mapToolTip);
    if (mapPicture_->toolTip() != tip) mapPicture_->setToolTip(tip);

    for (size_t i = 0; i < latitudeLabels_.size(); ++i) {
        showLabel(latitudeLabels_[i], map.latitudeLabels[i]);
        showLabel(longitudeLabels_[i], map.longitudeLabels[i]);
    }
    for (size_t i = 0; i < statusPanels_.size(); ++i) {
        statusPanels_[i]->setText(qs(map.statusPanels[i]));
        statusPanels_[i]->setEnabled(map.statusEnabled[i]);
    }
    progress_->setVisible(map.progressVisible);
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

void RouteMapWindow::closeEvent(QCloseEvent* event) {
    if (leaving_) {
        event->accept();
        return;
    }
    // The close button leaves the map the same way as "ﾙｰﾄ図終了", once this close has been
    // refused (a window cannot be closed again while it is being closed).
    event->ignore();
    QMetaObject::invokeMethod(this, [this] { dispatch("ActTViewExit"); }, Qt::QueuedConnection);
}

}  // namespace orv
