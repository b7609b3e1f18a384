#include "panorama/ui/PanoramaWindow.h"

#include "panorama/RouteMapSight.h"
#include "panorama/ui/PanoramaDialog.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowPlacement.h"
#include "platform/qt/WindowShortcuts.h"
#include "route/ui/RouteMapWindow.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProgressDialog>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace orv::panorama {

namespace {

// A move of the pressed mouse shorter than this is a click.
constexpr double kClickReach = 4.0;
// The arrow keys move the picture this far.
constexpr double kKeyStep = 60.0;

// A progress dialog that opens only when the work lasts, with a cancel button. It keeps every
// window of the program while it is up, so that none is closed under the work.
QProgressDialog* makeProgress(QWidget* parent, const char* title) {
    auto* progress = new QProgressDialog(parent);
    progress->setWindowTitle(QString::fromUtf8(title));
    progress->setCancelButtonText(QString::fromUtf8("中止"));
    progress->setWindowModality(Qt::ApplicationModal);
    progress->setMinimumDuration(400);
    progress->setAutoReset(true);
    progress->setAutoClose(true);
    progress->reset();
    return progress;
}

bool stepProgress(QProgressDialog* progress, int done, int total, const std::string& text) {
    if (progress == nullptr) return true;
    if (!text.empty()) progress->setLabelText(toQString(text));
    progress->setMaximum(std::max(total, 1));
    progress->setValue(std::clamp(done, 0, std::max(total, 1)));
    // The user's input waits until the dialog is up and keeps the other windows.
    QApplication::processEvents(progress->isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    return !progress->wasCanceled();
}

}  // namespace

PanoramaPictureWidget::PanoramaPictureWidget(Panorama& logic, QWidget* parent) : QWidget(parent), logic_(logic) {
    setObjectName("panoramaPicture");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setCursor(Qt::OpenHandCursor);
}

void PanoramaPictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& image = logic_.picture().image;
    if (image.isNull()) {
        painter.fillRect(rect(), QColor(210, 225, 240));
        painter.drawText(rect(), Qt::AlignCenter,
                         QString::fromUtf8(logic_.running() ? "展望図を作成しています…" : "展望図はまだありません"));
        return;
    }
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, image);
}

void PanoramaPictureWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    logic_.setPictureSize(width(), height());
}

void PanoramaPictureWidget::wheelEvent(QWheelEvent* event) {
    wheelAngle_ += event->angleDelta().y();
    const double steps = wheelAngle_ / 120.0;
    if (std::abs(steps) >= 1.0 || event->pixelDelta().y() != 0) {
        wheelAngle_ = 0;
        logic_.zoomAt(std::trunc(steps) != 0.0 ? std::trunc(steps) : steps, event->position());
    }
    event->accept();
}

void PanoramaPictureWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    held_ = true;
    dragging_ = false;
    pressed_ = last_ = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void PanoramaPictureWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!held_) return;
    const QPointF at = event->position();
    if (!dragging_ && std::hypot(at.x() - pressed_.x(), at.y() - pressed_.y()) < kClickReach) return;
    dragging_ = true;
    logic_.pan(at - last_);
    last_ = at;
}

void PanoramaPictureWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !held_) return;
    held_ = false;
    setCursor(Qt::OpenHandCursor);
    if (dragging_) {
        logic_.pan(event->position() - last_);
    } else {
        logic_.click(event->position());
    }
    dragging_ = false;
}

PanoramaWindow::PanoramaWindow(AppState& state, PanoramaSources sources, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), state_(state), qtDialogs_(this), dialogs_(dialogs != nullptr ? dialogs : &qtDialogs_) {
    setObjectName("ORV_PANORAMA");
    setWindowFlag(Qt::Window, true);
    rememberPlace(*this, state.windowFrames);
    logic_ = std::make_unique<Panorama>(state, *dialogs_, std::move(sources));
    logic_->changed = [this] { refresh(); };
    logic_->closeWindow = [this] { close(); };
    logic_->settingsDialog = [this](PanoramaSettings& settings) {
        return runPanoramaDialog(settings, observerChoices(state_), state_, this);
    };
    logic_->progress = [this](int done, int total, const std::string& text) {
        return showProgress(done, total, text);
    };
    menus_ = std::make_unique<MenuAdapter>(logic_->menus(), [this](const std::string& id) { dispatch(id); });
    menus_->fillMenuBar(menuBar(), kPanoramaBand);
    buildLayout();
    addWindowShortcuts(this, [this] { logic_->dispatch(panoramaTool::kHelp.text()); },
                       [this] { logic_->dispatch(panoramaTool::kClose.text()); });
    setMinimumSize(std::max(320, menuBar()->sizeHint().width()), 260);
    refresh();
}

PanoramaWindow::~PanoramaWindow() {
    logic_->changed = nullptr;
    logic_->progress = nullptr;
    logic_->settingsDialog = nullptr;
    logic_->closeWindow = nullptr;
    menus_.reset();
}

void PanoramaWindow::buildLayout() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    picture_ = new PanoramaPictureWidget(*logic_, central);
    layout->addWidget(picture_);
    setCentralWidget(central);
    status_ = new QLabel(this);
    status_->setObjectName("panoramaStatus");
    // A long note is cut at the window's edge instead of widening it.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(status_, 1);
}

void PanoramaWindow::refresh() {
    setWindowTitle(toQString(logic_->title()));
    status_->setText(toQString(logic_->status()));
    status_->setToolTip(toQString(logic_->status()));
    picture_->update();
}

bool PanoramaWindow::showProgress(int done, int total, const std::string& text) {
    if (progress_ == nullptr) progress_ = makeProgress(this, kPanoramaTitle);
    return stepProgress(progress_, done, total, text);
}

void PanoramaWindow::showPanorama(const PanoramaSettings& settings) {
    // The first time it opens beside its owner (the route map), unless it has a place kept
    // from the last run; later where the user left it.
    if (!placed_ && parentWidget() != nullptr && !state_.windowFrames.contains(objectName().toStdString())) {
        if (!testAttribute(Qt::WA_Resized)) resize(sizeHint().expandedTo(minimumSize()));
        placeBeside(*this, *parentWidget());
    }
    placed_ = true;
    if (isHidden()) show();
    keepOnScreen(*this);
    raise();
    activateWindow();
    // The picture has its size before the run, so the first view fits the window.
    logic_->setPictureSize(picture_->width(), picture_->height());
    logic_->show(settings);
    if (progress_ != nullptr) progress_->reset();
    refresh();
}

void PanoramaWindow::showEvent(QShowEvent* event) {
    // A first opening takes a wide, low window, kept on the screen.
    if (!testAttribute(Qt::WA_Resized)) resize(sizeHint().expandedTo(minimumSize()));
    QMainWindow::showEvent(event);
}

void PanoramaWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: logic_->dispatch(panoramaTool::kZoomIn.text()); break;
        case Qt::Key_Minus: logic_->dispatch(panoramaTool::kZoomOut.text()); break;
        case Qt::Key_Left: logic_->pan(QPointF(kKeyStep, 0)); break;
        case Qt::Key_Right: logic_->pan(QPointF(-kKeyStep, 0)); break;
        case Qt::Key_Up: logic_->pan(QPointF(0, kKeyStep)); break;
        case Qt::Key_Down: logic_->pan(QPointF(0, -kKeyStep)); break;
        default: QMainWindow::keyPressEvent(event); return;
    }
    event->accept();
}

namespace {

// The route map's side of the sight commands, living as long as the map window.
class SightLink : public QObject {
public:
    SightLink(RouteMapWindow& map, std::vector<std::filesystem::path> peakFiles)
        : QObject(&map), map_(map), files_(std::move(peakFiles)),
          sight_(map.logic(), programSources(map.logic().state(), files_)) {
        AppState& state = map.logic().state();
        sight_.panoramaDialog = [this, &state](PanoramaSettings& settings, const std::vector<ObserverChoice>& choices) {
            return runPanoramaDialog(settings, choices, state, &map_);
        };
        sight_.openPanorama = [this](const PanoramaSettings& settings) { openPanorama(settings); };
        sight_.choosePeak = [this](const std::vector<PeakChoice>& choices) { return choosePeak(choices); };
        sight_.progress = [this](int done, int total, const std::string& text) {
            if (progress_ == nullptr) progress_ = makeProgress(&map_, "可視マップ");
            return stepProgress(progress_, done, total, text);
        };
    }

private:
    void openPanorama(const PanoramaSettings& settings) {
        if (window_.isNull()) {
            window_ = new PanoramaWindow(map_.logic().state(), programSources(map_.logic().state(), files_), nullptr,
                                         &map_);
            window_->setAttribute(Qt::WA_DeleteOnClose);
        }
        window_->showPanorama(settings);
    }

    std::optional<size_t> choosePeak(const std::vector<PeakChoice>& choices) {
        QStringList items;
        for (const PeakChoice& choice : choices) items << toQString(choice.caption);
        bool ok = false;
        const QString chosen = QInputDialog::getItem(&map_, QString::fromUtf8("山が見える区間"),
                                                     QString::fromUtf8("見たい山を選んでください"), items, 0, false, &ok);
        if (!ok) return std::nullopt;
        const qsizetype index = items.indexOf(chosen);
        if (index < 0) return std::nullopt;
        return static_cast<size_t>(index);
    }

    RouteMapWindow& map_;
    std::vector<std::filesystem::path> files_;
    RouteMapSight sight_;
    QPointer<PanoramaWindow> window_;
    QProgressDialog* progress_ = nullptr;
};

}  // namespace

void connectSightCommands(RouteMapWindow& map, std::vector<std::filesystem::path> peakFiles) {
    new SightLink(map, std::move(peakFiles));
}

}  // namespace orv::panorama
