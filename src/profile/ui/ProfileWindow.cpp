#include "profile/ui/ProfileWindow.h"

#include "platform/qt/QtText.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/qt/WindowPlacement.h"
#include "profile/ProfileTools.h"
#include "platform/qt/WindowShortcuts.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace orv {

namespace {

constexpr const char* kCursorColour = "background-color: rgb(255, 0, 0);";

QLabel* panel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(180);
    return label;
}

}  // namespace

ProfileWindow::ProfileWindow(AppState& state, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), qtDialogs_(this), dialogs_(dialogs != nullptr ? dialogs : &qtDialogs_) {
    setObjectName(QStringLiteral("ORV_VVIEW"));
    rememberPlace(*this, state.windowFrames);
    logic_ = std::make_unique<Profile>(state, *dialogs_);
    menus_ = std::make_unique<MenuAdapter>(logic_->menus(),
                                           [this](const std::string& id) { dispatch(id); });
    menuBar()->addMenu(menus_->buildMenu(kProfileMenuBarBand, menuBar()));
    buildLayout();
    logic_->changed = [this] { refresh(); };
    logic_->cursorMoved = [this] { moveCursor(); };
    logic_->popup = [this](const std::string& band) { menus_->popupAtCursor(band); };
    logic_->hideRequested = [this] { hide(); };
    // Whichever window of this program is active before this one becomes active.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* window) {
        if (window == nullptr || window == windowHandle()) return;
        fromOwnDialog_ = false;
        for (const QWindow* owner = window->transientParent(); owner != nullptr; owner = owner->transientParent())
            if (owner == windowHandle()) fromOwnDialog_ = true;
    });
    refresh();
}

ProfileWindow::~ProfileWindow() {
    logic_->changed = nullptr;
    logic_->cursorMoved = nullptr;
    logic_->popup = nullptr;
    logic_->hideRequested = nullptr;
    logic_->markOnMap = nullptr;
    logic_->refreshMap = nullptr;
    logic_->courseTimeWindow = nullptr;
    menus_.reset();
    delete takeCentralWidget();
}

void ProfileWindow::buildLayout() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    auto* panels = new QHBoxLayout;
    for (QLabel*& label : summaries_) {
        label = panel(central);
        panels->addWidget(label);
    }
    auto* help = new QPushButton(toQString("ヘルプ"), central);
    connect(help, &QPushButton::clicked, this, [this] { logic_->showHelp(); });
    addWindowShortcuts(this, [this] { logic_->showHelp(); });
    panels->addWidget(help);
    column->addLayout(panels);

    picture_ = new SurfaceWidget(logic_->surface(), central);
    picture_->installEventFilter(this);
    picture_->setMouseMoveHandler([this](MouseButton, int x, int y) { logic_->mouseMove(x, y); });
    picture_->setMouseReleaseHandler([this](MouseButton button, int x, int y) {
        if (button == MouseButton::Right) logic_->rightRelease(x, y);
    });
    // The route map's mouse shows as a thin line over the picture, never in it.
    cursor_ = new QWidget(picture_);
    cursor_->setObjectName(QStringLiteral("routeCursor"));
    cursor_->setStyleSheet(QString::fromLatin1(kCursorColour));
    cursor_->setAttribute(Qt::WA_TransparentForMouseEvents);
    cursor_->setGeometry(0, kPlotTop, 1, kPlotHeight + 1);
    cursor_->hide();
    column->addWidget(picture_);

    status_ = panel(central);
    column->addWidget(status_);
    setCentralWidget(central);
}

void ProfileWindow::showProfile() {
    // The first time it opens beside the route map; later where the user left it.
    if (!placed_ && parentWidget() != nullptr) {
        placeBeside(*this, *parentWidget());
        placed_ = true;
    }
    show();
    keepOnScreen(*this);
    raise();
    activateWindow();
    logic_->activate();
}

void ProfileWindow::refresh() {
    setWindowTitle(toQString(logic_->title()));
    for (size_t i = 0; i < summaries_.size(); ++i) summaries_[i]->setText(toQString(logic_->summaries()[i]));
    status_->setText(toQString(logic_->statusLine()));
    picture_->setToolTip(toQString(logic_->toolTip()));
    picture_->update();
    moveCursor();
}

void ProfileWindow::moveCursor() {
    status_->setText(toQString(logic_->statusLine()));
    const std::optional<int> column = logic_->cursorColumn();
    if (!column) {
        cursor_->hide();
        return;
    }
    cursor_->move(*column, kPlotTop);
    cursor_->show();
}

// Activation from another window sets the profile up afresh; coming back from a dialog this
// window opened (the base elevation, a font, a colour, the course-time window) does not.
bool ProfileWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && isVisible() && !fromOwnDialog_) logic_->activate();
    return QMainWindow::event(event);
}

bool ProfileWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picture_ && event->type() == QEvent::Leave) logic_->mouseLeave();
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace orv
