#include "app/ui/StartMenuWindow.h"

#include "platform/qt/QtText.h"
#include "app/OverviewLabels.h"
#include "app/OverviewMarks.h"
#include "app/Paths.h"
#include "app/SheetOverview.h"
#include "app/ui/EndOfMapDialog.h"
#include "app/ui/PlanDeletionDialog.h"
#include "app/ui/PlanStartDialog.h"
#include "app/ui/RouteMapWindows.h"
#include "gps/ui/SelectTrackDialog.h"
#include "names/ui/MountainRegistrationDialog.h"
#include "names/ui/MountainSearchDialog.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/qt/WindowPlacement.h"
#include "platform/qt/WindowShortcuts.h"
#include "app/StartMenuTools.h"
#include "terrain/ui/DemCreationDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr int kViewportWidth = 561;   // longitude labels 0..7, 80 pixels apart
constexpr int kViewportHeight = 321;  // latitude labels 0..4, 80 pixels apart

QLabel* framedPanel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(70);
    return label;
}

}  // namespace

StartMenuWindow::StartMenuWindow(AppState& state, IniStore& settings,
                                 const std::filesystem::path& settingsFile, Dialogs* dialogs,
                                 QWidget* parent, std::optional<QImage> preparedOverview)
    : QMainWindow(parent), qtDialogs_(this), dialogs_(dialogs), overview_(1, 1) {
    setObjectName("ORV_MAIN");
    rememberPlace(*this, state.windowFrames);
    logic_ = std::make_unique<StartMenu>(state, settings, settingsFile,
                                         dialogs != nullptr ? *dialogs : qtDialogs_);
    logic_->setCloseRequest([this] { close(); });
    logic_->model().changed = [this] { refresh(); };
    installStartDialogs();

    menus_ = std::make_unique<MenuAdapter>(logic_->menus(), [this](const std::string& id) { dispatch(id); });
    menus_->fillMenuBar(menuBar(), kStartMenuBand);

    loadOverview(std::move(preparedOverview));
    buildLayout();
    refresh();
}

StartMenuWindow::~StartMenuWindow() {
    delete routeMap_.data();
    // The picture widgets show surfaces owned by this window and its logic: remove them first.
    logic_->model().changed = nullptr;
    logic_->startDialogs() = StartDialogs{};
    menus_.reset();
    delete takeCentralWidget();
}

void StartMenuWindow::dispatch(const std::string& toolId) { logic_->dispatch(toolId); }

RouteMapWindow* StartMenuWindow::routeMap() const { return routeMap_.data(); }

void StartMenuWindow::installStartDialogs() {
    StartDialogs& windows = logic_->startDialogs();
    windows.planStart = [this](PlanStart& model) { runPlanStartDialog(model, this); };
    windows.mountainSearch = [this](const OverviewRange& range, const std::function<void()>& clearOverview) {
        return runMountainSearch(logic_->state(), range, this, clearOverview);
    };
    windows.trackFormat = [this] { return runSelectTrackDialog(this); };
    windows.mountainRegistration = [this](MountainRegistration& registration) {
        // Over the plan start dialog it is opened from.
        QWidget* over = QApplication::activeModalWidget();
        runMountainRegistrationDialog(registration, over != nullptr ? over : this);
    };
    windows.planDeletion = [this] {
        runPlanDeletionDialog(logic_->state(), dialogs_ != nullptr ? *dialogs_ : qtDialogs_, this);
    };
    windows.endOfMap = [this] {
        QWidget* over = routeMap_ != nullptr ? static_cast<QWidget*>(routeMap_.data()) : this;
        QtDialogs mapDialogs(over);
        return runEndOfMapDialog(logic_->state(), dialogs_ != nullptr ? *dialogs_ : mapDialogs, over);
    };
    windows.openRouteMap = [this] { openRouteMap(); };
    // "標高データの作成" over the window that asked for it: the start menu or the plan start dialog.
    windows.demCreation = [this](const std::string& centreMesh, std::string& tileSetting) {
        QWidget* over = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : this;
        QtDialogs overDialogs(over);
        return runDemCreationDialog(dialogs_ != nullptr ? *dialogs_ : overDialogs, over, centreMesh, tileSetting,
                                    proposedDemFolder(logic_->state()));
    };
}

// The overview picture of Japan, decoded straight into the surface (which is made at its full
// size only when the picture is missing); without it, a schematic map of the first-level sheets.
void StartMenuWindow::loadOverview(std::optional<QImage> prepared) {
    const bool read = prepared ? overview_.takePicture(std::move(prepared))
                               : overview_.loadPicture(overviewPicturePath(logic_->state().appFolder));
    if (!read ||
        overview_.width() != kOverviewWidth || overview_.height() != kOverviewHeight)
        drawSheetOverview(overview_);
    underDestination_.reset();
    drawnDestination_.reset();
}

// The start menu gives way to the route map until the map is left; its overview picture is
// let go meanwhile (the map needs the memory more) and loaded again when the menu comes back.
void StartMenuWindow::openRouteMap() {
    placeBeforeMap_ = placeOf(*this);
    hide();
    overview_.resize(1, 1);
    underDestination_.reset();
    drawnDestination_.reset();
    auto* map = new RouteMapWindow(logic_->state(), dialogs_, nullptr);
    connectRouteMapWindows(*map, dialogs_);
    routeMap_ = map;
    map->setExitHandler([this] { leaveRouteMap(); });
    map->open();
}

// "ﾙｰﾄ図終了": unless the user stays on the map, the start menu comes back (before the map
// goes, so the application always has a window) and the map is removed once its event is done.
void StartMenuWindow::leaveRouteMap() {
    if (!logic_->leaveRouteMap()) return;
    RouteMapWindow* map = routeMap_.data();
    routeMap_ = nullptr;
    loadOverview();
    overviewWidget_->followSurfaceSize();
    refreshOverview();
    overviewWidget_->update();
    showAgainAt(*this, placeBeforeMap_);
    if (map != nullptr) {
        map->close();
        map->deleteLater();
    }
}

void StartMenuWindow::buildLayout() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->addWidget(buildOverview(central));
    columns->addLayout(buildSidePanel(central));
    setCentralWidget(central);
    status_ = new QLabel(this);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(false);
}

// The overview map with its latitude labels on the left and longitude labels below; the labels
// stand at the viewport's 80-pixel marks.
QWidget* StartMenuWindow::buildOverview(QWidget* central) {
    constexpr int left = 44;
    constexpr int top = 10;
    auto* mapBox = new QWidget(central);
    overviewArea_ = new QScrollArea(mapBox);
    overviewWidget_ = new SurfaceWidget(overview_, overviewArea_);
    overviewArea_->setWidget(overviewWidget_);
    routeMarker_ = new QLabel(overviewWidget_);
    routeMarker_->setObjectName("routeMarker");
    routeMarker_->setFixedSize(13, 13);
    routeMarker_->setStyleSheet(QStringLiteral("border: 2px solid #ff00ff; background: transparent;"));
    routeMarker_->setAttribute(Qt::WA_TransparentForMouseEvents);
    routeMarker_->hide();
    overviewArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    overviewArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int areaWidth = kViewportWidth + 2 + overviewArea_->verticalScrollBar()->sizeHint().width();
    const int areaHeight = kViewportHeight + 2 + overviewArea_->horizontalScrollBar()->sizeHint().height();
    overviewArea_->setGeometry(left, top, areaWidth, areaHeight);
    overviewArea_->horizontalScrollBar()->setSingleStep(80);
    overviewArea_->horizontalScrollBar()->setPageStep(480);
    overviewArea_->verticalScrollBar()->setSingleStep(80);
    overviewArea_->verticalScrollBar()->setPageStep(320);
    for (size_t i = 0; i < latitudeLabels_.size(); ++i) {
        latitudeLabels_[i] = new QLabel(mapBox);
        latitudeLabels_[i]->setGeometry(0, top + 1 + static_cast<int>(i) * 80 - 8, left - 4, 16);
        latitudeLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    for (size_t i = 0; i < longitudeLabels_.size(); ++i) {
        longitudeLabels_[i] = new QLabel(mapBox);
        longitudeLabels_[i]->setGeometry(left + 1 + static_cast<int>(i) * 80 - 30, top + areaHeight + 2, 60, 16);
        longitudeLabels_[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    mapBox->setFixedSize(left + areaWidth + 30, top + areaHeight + 22);
    connect(overviewArea_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!applyingModel_) logic_->model().hScroll = value;
        updateOverviewLabels();
    });
    connect(overviewArea_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!applyingModel_) logic_->model().vScroll = value;
        updateOverviewLabels();
    });
    return mapBox;
}

// The block preview, the sheet caption, the mesh buttons, the TRK frame, the progress strip and
// the help button.
QVBoxLayout* StartMenuWindow::buildSidePanel(QWidget* central) {
    auto* side = new QVBoxLayout();
    auto* previewFrame = new QFrame(central);
    previewFrame->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->setContentsMargins(1, 1, 1, 1);
    preview_ = new SurfaceWidget(logic_->model().preview, previewFrame);
    previewLayout->addWidget(preview_);
    side->addWidget(previewFrame, 0, Qt::AlignHCenter);
    sheetCaption_ = new QLabel(central);
    sheetCaption_->setAlignment(Qt::AlignCenter);
    sheetCaption_->setMinimumHeight(20);
    side->addWidget(sheetCaption_);

    side->addLayout(buildMeshButtons(central));

    auto* trk = new QGroupBox(QStringLiteral("TRK"), central);
    auto* trkLayout = new QHBoxLayout(trk);
    trkIndicators_[0] = framedPanel(QString::fromUtf8("ルート"), trk);
    trkIndicators_[1] = framedPanel(QString::fromUtf8("山名"), trk);
    trkLayout->addWidget(trkIndicators_[0]);
    trkLayout->addWidget(trkIndicators_[1]);
    side->addWidget(trk);
    side->addStretch();

    progress_ = new SurfaceWidget(logic_->model().progress, central);
    side->addWidget(progress_, 0, Qt::AlignHCenter);
    side->addWidget(buildDataButton(central));
    auto* help = new QPushButton(QString::fromUtf8("ヘルプ"), central);
    connect(help, &QPushButton::clicked, this, [this] { logic_->showHelp(); });
    addWindowShortcuts(this, [this] { logic_->showHelp(); }, [this] { dispatch(startTool::kExit.str()); });
    side->addWidget(help);
    return side;
}

// The data band's command as a button beside the plan commands of the menu bar.
QPushButton* StartMenuWindow::buildDataButton(QWidget* central) {
    const StartMenuTool* tool = findStartMenuTool(startTool::kMakeElevationData.text());
    dataButton_ = new QPushButton(toQString(tool->caption), central);
    dataButton_->setObjectName(toQString(tool->id.text()));
    connect(dataButton_, &QPushButton::clicked, this, [this, id = tool->id.str()] { dispatch(id); });
    return dataButton_;
}

// North, west, confirm, east and south, in a cross.
QGridLayout* StartMenuWindow::buildMeshButtons(QWidget* central) {
    auto* buttons = new QGridLayout();
    const char* captions[] = {"▲ 北", "◀ 西", "範囲確定", "東 ▶", "▼ 南"};
    const int places[][2] = {{0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 1}};
    for (size_t i = 0; i < meshButtons_.size(); ++i) {
        meshButtons_[i] = new QPushButton(QString::fromUtf8(captions[i]), central);
        buttons->addWidget(meshButtons_[i], places[i][0], places[i][1]);
    }
    connect(meshButtons_[0], &QPushButton::clicked, this, [this] { logic_->moveBlock(Direction::North); });
    connect(meshButtons_[1], &QPushButton::clicked, this, [this] { logic_->moveBlock(Direction::West); });
    connect(meshButtons_[2], &QPushButton::clicked, this, [this] { logic_->confirmBlock(); });
    connect(meshButtons_[3], &QPushButton::clicked, this, [this] { logic_->moveBlock(Direction::East); });
    connect(meshButtons_[4], &QPushButton::clicked, this, [this] { logic_->moveBlock(Direction::South); });
    return buttons;
}

void StartMenuWindow::updateOverviewLabels() {
    const int h = overviewArea_->horizontalScrollBar()->value();
    const int v = overviewArea_->verticalScrollBar()->value();
    for (size_t i = 0; i < latitudeLabels_.size(); ++i)
        latitudeLabels_[i]->setText(toQString(overviewLatitudeLabel(v, static_cast<int>(i))));
    for (size_t i = 0; i < longitudeLabels_.size(); ++i)
        longitudeLabels_[i]->setText(toQString(overviewLongitudeLabel(h, static_cast<int>(i))));
}

void StartMenuWindow::refresh() {
    const StartMenuModel& model = logic_->model();
    applyingModel_ = true;
    setWindowTitle(toQString(model.caption));
    sheetCaption_->setText(toQString(model.sheetCaption));
    status_->setText(toQString(model.status));
    for (auto* button : meshButtons_) button->setEnabled(model.meshButtonsEnabled);
    if (const MenuCommand* dataCommand = logic_->menus().command(startTool::kMakeElevationData.text());
        dataCommand != nullptr && dataButton_ != nullptr)
        dataButton_->setEnabled(dataCommand->enabled);
    for (size_t i = 0; i < trkIndicators_.size(); ++i) trkIndicators_[i]->setEnabled(model.trkIndicators[i]);
    progress_->setVisible(model.progressVisible);
    overviewArea_->horizontalScrollBar()->setValue(model.hScroll);
    overviewArea_->verticalScrollBar()->setValue(model.vScroll);
    applyingModel_ = false;
    updateOverviewLabels();
    refreshOverview();
    preview_->update();
    progress_->update();
}

void StartMenuWindow::refreshOverview() {
    const StartMenuModel& model = logic_->model();
    const bool overviewLoaded = overview_.width() == kOverviewWidth;  // let go while the route map is open
    if (overviewLoaded && model.overviewDestination != drawnDestination_) {
        if (underDestination_) {
            const SavedRows& saved = *underDestination_;
            overview_.copyPicture(saved.pixels, PixelRect{0, saved.first, saved.pixels.width(), saved.pixels.height()},
                                  std::nullopt, RasterOp::Copy);
            underDestination_.reset();
        }
        if (model.overviewDestination) {
            const auto [first, last] = overviewDestinationRows(overview_, *model.overviewDestination);
            if (first <= last)
                underDestination_ = SavedRows{first, overview_.image().copy(0, first, overview_.width(), last - first + 1)};
            drawOverviewDestination(overview_, *model.overviewDestination);
        }
        drawnDestination_ = model.overviewDestination;
        overviewWidget_->update();
    }
    routeMarker_->setVisible(model.routeMarkerVisible);
    if (model.routeMarkerVisible)
        routeMarker_->move(model.routeMarkerX - routeMarker_->width() / 2,
                           model.routeMarkerY - routeMarker_->height() / 2);
}

void StartMenuWindow::closeEvent(QCloseEvent* event) {
    if (logic_->confirmExit()) {
        event->accept();
        QApplication::quit();
    } else {
        event->ignore();
    }
}

void StartMenuWindow::contextMenuEvent(QContextMenuEvent* event) {
    menus_->popup(kStartPopupBand, event->globalPos());
}

}  // namespace orv
