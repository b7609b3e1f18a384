#include "sheets/ui/MapImageWindow.h"

#include "platform/Fonts.h"
#include "platform/qt/ElidedLabel.h"
#include "platform/qt/MenuAdapter.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowPlacement.h"
#include "sheets/MapImageFile.h"
#include "sheets/MapImageTools.h"
#include "platform/qt/WindowShortcuts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

namespace orv {

namespace {

QColor qColour(Colour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

}  // namespace

// The image with the lines, names and the point marker over it; mouse events in image pixels.
class MapImageView : public QWidget {
public:
    MapImageView(MapImageRoute& logic, const QImage& image, const AppState& state, QWidget* parent)
        : QWidget(parent), logic_(logic), image_(image), state_(state) {
        setMouseTracking(true);
    }
    std::function<void(const std::optional<std::string>&)> popup;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.drawImage(event->rect(), image_, event->rect());
        for (const ImagePolyline& line : logic_.lines()) {
            const Colour colour = line.reference ? state_.settings.referenceLineColour
                                                 : state_.settings.trackLineColour;
            painter.setPen(QPen(qColour(colour), 2));
            for (size_t i = 1; i < line.points.size(); ++i)
                painter.drawLine(line.points[i - 1][0], line.points[i - 1][1], line.points[i][0], line.points[i][1]);
        }
        for (const ImageLabel& label : logic_.labels()) {
            const TextStyle& style = state_.textStyles[static_cast<size_t>(label.style)];
            QFont font = fontFor(style.face, style.size, style.bold, style.italic, style.underline,
                                 style.strikeThrough);
            painter.setFont(font);
            painter.setPen(qColour(style.colour));
            painter.drawText(label.x, label.y, toQString(label.text));
            if (label.withDot) {
                painter.setBrush(qColour(style.colour));
                painter.setPen(QPen(qColour(style.colour), 2));
                painter.drawEllipse(QPoint(label.dotX, label.dotY), 1, 1);
                painter.setBrush(Qt::NoBrush);
            }
        }
        if (logic_.markerVisible) {
            // A yellow arrow whose tip stands on the point.
            const int x = logic_.marker[0];
            const int y = logic_.marker[1] + kImageMarkerLift;
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(Qt::black, 1.5));
            painter.setBrush(QColor(255, 220, 0));
            painter.drawPolygon(QPolygon{{x - 7, y - kImageMarkerLift}, {x + 7, y - kImageMarkerLift}, {x, y}});
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        const auto button = event->button() == Qt::RightButton ? MapImageRoute::Button::Right
                                                               : MapImageRoute::Button::Left;
        if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
        const std::optional<std::string> band = logic_.release(button, at.x(), at.y());
        if (popup) popup(band);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint at = event->position().toPoint();
        logic_.move(at.x(), at.y());
    }

private:
    MapImageRoute& logic_;
    const QImage& image_;
    const AppState& state_;
};

MapImageWindow::MapImageWindow(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("ORV_MGEDIT");
    rememberPlace(*this, state.windowFrames);
    setModal(true);
    logic_ = std::make_unique<MapImageRoute>(state, dialogs,
                                             [this](const std::string& path, ImageSize& size) {
                                                 return loadImage(path, size);
                                             });
    menus_ = std::make_unique<MenuAdapter>(logic_->menus(), [this](const std::string& id) { dispatch(id); });

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QMenuBar(this);
    menus_->fillMenuBar(bar, kMapImageMenuBand);
    rows->setMenuBar(bar);

    auto* middle = new QHBoxLayout;
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName("imageScroll");
    scroll_->setWidgetResizable(false);
    view_ = new MapImageView(*logic_, image_, state_, scroll_);
    view_->setObjectName("image");
    view_->resize(1, 1);
    scroll_->setWidget(view_);
    view_->popup = [this](const std::optional<std::string>& band) {
        if (band) menus_->popupAtCursor(*band);
    };
    middle->addWidget(scroll_, 1);

    // The point box, its read-outs, the elevation frame and "ヘルプ".
    auto* side = new QVBoxLayout;
    auto* pointRow = new QHBoxLayout;
    pointRow->addWidget(new QLabel(QStringLiteral("No."), this));
    pointBox_ = new QSpinBox(this);
    pointBox_->setObjectName("pointBox");
    pointBox_->setRange(0, 0);
    pointRow->addWidget(pointBox_);
    side->addLayout(pointRow);
    // The read-outs keep the width of a position, so the picture keeps its room.
    const QString position = QString::fromUtf8("経度： 000.00000");
    latitude_ = new ElidedLabel(position, this);
    latitude_->setObjectName("latitude");
    longitude_ = new ElidedLabel(position, this);
    longitude_->setObjectName("longitude");
    side->addWidget(latitude_);
    side->addWidget(longitude_);
    elevationFrame_ = new QFrame(this);
    auto* elevationRows = new QVBoxLayout(elevationFrame_);
    elevationRows->addWidget(new QLabel(QString::fromUtf8("標高値"), elevationFrame_));
    elevation_ = new QLineEdit(elevationFrame_);
    elevation_->setObjectName("elevation");
    elevationRows->addWidget(elevation_);
    side->addWidget(elevationFrame_);
    side->addStretch();
    auto* help = new QPushButton(QString::fromUtf8("ヘルプ"), this);
    help->setAutoDefault(false);
    side->addWidget(help);
    middle->addLayout(side);
    rows->addLayout(middle, 1);

    auto* statusRow = new QHBoxLayout;
    // The guide takes the room left; the mouse position asks for the room of a position.
    const std::array<QString, 2> statusSamples{QString(), QString::fromUtf8("ﾏｳｽ位置　緯度： 00.00000 経度： 000.00000")};
    for (size_t i = 0; i < status_.size(); ++i) {
        status_[i] = new ElidedLabel(statusSamples[i], this);
        status_[i]->setObjectName(QStringLiteral("status%1").arg(i));
        status_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusRow->addWidget(status_[i], i == 0 ? 3 : 2);
    }
    rows->addLayout(statusRow);

    // The sheet panel floats over the image.
    sheetPanel_ = new QFrame(scroll_->viewport());
    sheetPanel_->setObjectName("sheetPanel");
    sheetPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    sheetPanel_->setAutoFillBackground(true);
    auto* panelRows = new QVBoxLayout(sheetPanel_);
    panelRows->addWidget(new QLabel(QString::fromUtf8("地形図選択"), sheetPanel_));
    auto* grid = new QGridLayout;
    for (int j = 1; j <= 9; ++j) {
        auto* button = new QPushButton(sheetPanel_);
        button->setObjectName(QStringLiteral("sheet%1").arg(j));
        button->setAutoDefault(false);
        grid->addWidget(button, (j - 1) / 3, (j - 1) % 3);
        connect(button, &QPushButton::clicked, this, [this, j] { logic_->openSheetImage(j); });
        sheetButtons_[static_cast<size_t>(j - 1)] = button;
    }
    panelRows->addLayout(grid);

    connect(help, &QPushButton::clicked, this, [&dialogs] { dialogs.showHelp(kMapImageHelpFile); });
    addWindowShortcuts(this, [&dialogs] { dialogs.showHelp(kMapImageHelpFile); });
    connect(pointBox_, &QSpinBox::valueChanged, this, [this](int value) {
        if (!refreshing_ && value >= 1) logic_->stepTo(value);
    });
    connect(elevation_, &QLineEdit::returnPressed, this,
            [this] { logic_->enterElevation(elevation_->text().toStdString()); });
    for (QScrollBar* scrollBar : {scroll_->horizontalScrollBar(), scroll_->verticalScrollBar()})
        connect(scrollBar, &QScrollBar::valueChanged, this, [this] {
            if (!refreshing_)
                logic_->scrollTo(scroll_->horizontalScrollBar()->value(), scroll_->verticalScrollBar()->value());
        });
    qApp->installEventFilter(this);

    logic_->changed = [this] { refresh(); };
    resize(900, 640);
    logic_->activate();
}

MapImageWindow::~MapImageWindow() {
    qApp->removeEventFilter(this);
    logic_->changed = nullptr;
    menus_.reset();
}

void MapImageWindow::dispatch(const std::string& toolId) {
    logic_->dispatch(toolId);
    if (logic_->outcome != MapImageOutcome::Open) accept();
}

ImageLoad MapImageWindow::loadImage(const std::string& path, ImageSize& size) {
    MapImageRead read = readMapImage(path);
    if (read.load != ImageLoad::Loaded) return read.load;
    image_ = std::move(read.image);
    size = {image_.width(), image_.height()};
    view_->resize(image_.size());
    view_->update();
    return ImageLoad::Loaded;
}

void MapImageWindow::applyScroll() {
    scroll_->horizontalScrollBar()->setValue(logic_->horizontal.value);
    scroll_->verticalScrollBar()->setValue(logic_->vertical.value);
}

void MapImageWindow::refresh() {
    refreshing_ = true;
    const MapImageRoute& logic = *logic_;
    setWindowTitle(toQString(logic.caption));
    if (!logic.imageLoaded && !image_.isNull() && logic.outcome != MapImageOutcome::Open) {
        image_ = QImage();
        view_->resize(1, 1);
    }
    for (int j = 1; j <= 9; ++j) {
        QPushButton* button = sheetButtons_[static_cast<size_t>(j - 1)];
        button->setText(toQString(state_.meshCorners[static_cast<size_t>(j)].meshCode));
        QPalette colours = button->palette();
        colours.setColor(QPalette::ButtonText, j == logic.currentSheet ? QColor(0, 0, 255) : QColor(0, 0, 0));
        button->setPalette(colours);
    }
    if (logic.sheetPanelVisible) {
        sheetPanel_->adjustSize();
        sheetPanel_->move(10, 10);
        sheetPanel_->show();
        sheetPanel_->raise();
    } else {
        sheetPanel_->hide();
    }
    pointBox_->setRange(0, std::max(0, logic.stepperMaximum));
    pointBox_->setValue(logic.pointBox);
    latitude_->setFullText(toQString(logic.latitudeLabel));
    longitude_->setFullText(toQString(logic.longitudeLabel));
    elevationFrame_->setVisible(logic.elevationVisible);
    if (elevation_->text() != toQString(logic.elevationText)) elevation_->setText(toQString(logic.elevationText));
    if (logic.elevationFocusRequests != focusRequestsSeen_) {
        focusRequestsSeen_ = logic.elevationFocusRequests;
        if (logic.elevationVisible) {
            elevation_->setFocus();
            elevation_->selectAll();
        }
    }
    for (size_t i = 0; i < status_.size(); ++i) status_[i]->setFullText(toQString(logic.statusPanels[i]));
    applyScroll();
    view_->update();
    refreshing_ = false;
    if (logic.outcome != MapImageOutcome::Open && isVisible()) accept();
}

void MapImageWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    logic_->setViewport(scroll_->viewport()->width(), scroll_->viewport()->height());
}

void MapImageWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    logic_->setViewport(scroll_->viewport()->width(), scroll_->viewport()->height());
    refresh();
}

// Up, Down, Page Up and Page Down step through the points while the window takes them.
bool MapImageWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && logic_->takesKeys() && isActiveWindow()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        std::optional<MapImageRoute::Key> step;
        if (key == Qt::Key_Up) step = MapImageRoute::Key::Up;
        else if (key == Qt::Key_Down) step = MapImageRoute::Key::Down;
        else if (key == Qt::Key_PageUp) step = MapImageRoute::Key::PageUp;
        else if (key == Qt::Key_PageDown) step = MapImageRoute::Key::PageDown;
        if (step) {
            logic_->key(*step);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// The frame's close box and Escape: "中断", asked first when points were traced.
void MapImageWindow::closeEvent(QCloseEvent* event) {
    if (logic_->outcome == MapImageOutcome::Open && !logic_->closeByFrame()) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::closeEvent(event);
}

void MapImageWindow::reject() {
    if (logic_->outcome == MapImageOutcome::Open && !logic_->closeByFrame()) return;
    QDialog::reject();
}

bool runMapImageWindow(AppState& state, Dialogs& dialogs, QWidget* parent) {
    MapImageWindow window(state, dialogs, parent);
    window.exec();
    if (window.logic().outcome == MapImageOutcome::Open) window.logic().closeByFrame();
    return window.logic().outcome == MapImageOutcome::RouteWanted;
}

}  // namespace orv
