#include "sheets/ui/SheetRoutePanel.h"

#include "platform/Fonts.h"
#include "platform/qt/QtText.h"
#include "route/ui/RouteMapWindow.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr std::array<SheetCorner, 4> kCorners{SheetCorner::TopLeft, SheetCorner::TopRight,
                                              SheetCorner::BottomLeft, SheetCorner::BottomRight};
constexpr std::array<const char*, 4> kCornerCaptions{"左上基準", "右上基準", "左下基準", "右下基準"};

QPushButton* button(const char* caption, QWidget* parent, const char* name) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// The 240 × 240 block diagram of ORV_MAPINFO with the destination mountain.
class BlockDiagram : public QWidget {
public:
    BlockDiagram(const SheetDimensions& model, QWidget* parent) : QWidget(parent), model_(model) {
        setObjectName("blockDiagram");
        setFixedSize(240, 240);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, 239, 239);
        painter.setPen(QColor(160, 160, 160));
        for (int i = 1; i < 3; ++i) {
            painter.drawLine(i * 80, 0, i * 80, 239);
            painter.drawLine(0, i * 80, 239, i * 80);
        }
        for (int j = 0; j < 9; ++j)
            painter.drawText(QRect((j % 3) * 80, (j / 3) * 80 + 4, 80, 20), Qt::AlignHCenter,
                             toQString(model_.rows[static_cast<size_t>(j)].meshCode));
        if (const auto mark = model_.destinationMark()) {
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(QColor(255, 0, 0));
            painter.drawPolygon(QPolygon{{mark->x - 3, mark->y + 3}, {mark->x, mark->y - 3}, {mark->x + 3, mark->y + 3}});
            const TextStyle& style = mark->style;
            const QFont font = fontFor(style.face, style.size, style.bold, style.italic, style.underline,
                                       style.strikeThrough);
            painter.setFont(font);
            painter.setPen(QColor(redOf(style.colour), greenOf(style.colour), blueOf(style.colour)));
            painter.drawText(mark->x + 10, mark->y - 2 + QFontMetrics(font).ascent(), toQString(mark->name));
        }
    }

private:
    const SheetDimensions& model_;
};

}  // namespace

SheetRoutePanel::SheetRoutePanel(RouteMapWindow& map) : QFrame(&map), map_(map), logic_(map.logic()) {
    setObjectName("sheetPanel");
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(6, 4, 6, 4);
    rows->setSpacing(3);
    rows->addWidget(new QLabel(QString::fromUtf8(kSheetPanelCaption), this));

    auto* sheetGrid = new QGridLayout;
    sheetGrid->setSpacing(2);
    for (int j = 1; j <= 9; ++j) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("sheet%1").arg(j));
        b->setAutoDefault(false);
        b->setCheckable(true);
        sheetGrid->addWidget(b, (j - 1) / 3, (j - 1) % 3);
        connect(b, &QPushButton::clicked, this, [this, j] {
            takeBoxes();
            logic_.showSheet(j);
        });
        sheets_[static_cast<size_t>(j - 1)] = b;
    }
    rows->addLayout(sheetGrid);

    auto* boxes = new QGridLayout;
    boxes->addWidget(new QLabel(QString::fromUtf8("緯度方向寸法(mm)"), this), 0, 0);
    latitudeMm_ = new QLineEdit(this);
    latitudeMm_->setObjectName("latitudeMm");
    boxes->addWidget(latitudeMm_, 0, 1);
    boxes->addWidget(new QLabel(QString::fromUtf8("経度方向寸法(mm)"), this), 1, 0);
    longitudeMm_ = new QLineEdit(this);
    longitudeMm_->setObjectName("longitudeMm");
    boxes->addWidget(longitudeMm_, 1, 1);
    elevationLabel_ = new QLabel(QString::fromUtf8("標高"), this);
    boxes->addWidget(elevationLabel_, 2, 0);
    elevation_ = new QLineEdit(this);
    elevation_->setObjectName("elevation");
    boxes->addWidget(elevation_, 2, 1);
    rows->addLayout(boxes);

    auto* cornerGrid = new QGridLayout;
    auto* exclusive = new QButtonGroup(this);
    for (size_t i = 0; i < kCorners.size(); ++i) {
        corners_[i] = new QRadioButton(QString::fromUtf8(kCornerCaptions[i]), this);
        corners_[i]->setObjectName(QStringLiteral("corner%1").arg(i));
        exclusive->addButton(corners_[i]);
        cornerGrid->addWidget(corners_[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
        connect(corners_[i], &QRadioButton::clicked, this, [this, i] {
            takeBoxes();
            logic_.setCorner(kCorners[i]);
        });
    }
    rows->addLayout(cornerGrid);
    auto* calculate = button("計算", this, "calculate");
    rows->addWidget(calculate);
    connect(calculate, &QPushButton::clicked, this, [this] {
        takeBoxes();
        logic_.addPoint();
    });
    for (QLineEdit* box : {latitudeMm_, longitudeMm_, elevation_})
        connect(box, &QLineEdit::returnPressed, calculate, &QPushButton::click);

    list_ = new QListWidget(this);
    list_->setObjectName("points");
    list_->setFont(columnListFont());
    list_->setMinimumHeight(90);
    list_->viewport()->installEventFilter(this);
    rows->addWidget(list_, 1);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!refreshing_ && row >= 0) logic_.selectPoint(row);
    });

    auto* settings = button("地形図情報  設定", this, "sheetSettings");
    rows->addWidget(settings);
    connect(settings, &QPushButton::clicked, this, [this] {
        takeBoxes();
        logic_.editDimensions();
    });
    auto* finishRow = new QHBoxLayout;
    auto* finish = button("終了", this, "finish");
    auto* cancel = button("キャンセル", this, "cancel");
    auto* help = button("ヘルプ", this, "help");
    for (QPushButton* b : {finish, cancel, help}) finishRow->addWidget(b);
    rows->addLayout(finishRow);
    connect(finish, &QPushButton::clicked, this, [this] { logic_.finish(); });
    connect(cancel, &QPushButton::clicked, this, [this] { logic_.cancel(); });
    connect(help, &QPushButton::clicked, this, [this] { logic_.help(); });

    logic_.dimensionsWindow = [this](SheetDimensions& model) {
        SheetDimensionsDialog dialog(model, this);
        return dialog.exec() == QDialog::Accepted;
    };
    logic_.changed = [this] { refresh(); };
    map.logic().setSheetRouteHook([this](ToolId toolId) {
        takeBoxes();
        logic_.run(toolId);
    });
    hide();
}

// The route map window, whose child the panel is, takes its hook back before its children go;
// by then the map's logic is gone, so the panel's widgets say nothing more while they go.
SheetRoutePanel::~SheetRoutePanel() {
    logic_.changed = nullptr;
    for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

void SheetRoutePanel::takeBoxes() {
    logic_.latitudeMm = latitudeMm_->text().toStdString();
    logic_.longitudeMm = longitudeMm_->text().toStdString();
    logic_.elevation = elevation_->text().toStdString();
}

void SheetRoutePanel::refresh() {
    refreshing_ = true;
    for (size_t i = 0; i < sheets_.size(); ++i) {
        QPushButton* b = sheets_[i];
        b->setText(toQString(logic_.sheetCaptions[i]));
        QPalette colours = b->palette();
        colours.setColor(QPalette::ButtonText,
                         logic_.sheetRegistered[i] ? QColor(Qt::black) : palette().color(QPalette::Disabled, QPalette::ButtonText));
        b->setPalette(colours);
        // The sheet clicked last is shown pressed in.
        b->setChecked(static_cast<int>(i) + 1 == map_.logic().state().selectedSheet);
    }
    const auto setText = [](QLineEdit* box, const std::string& text) {
        if (box->text() != toQString(text)) box->setText(toQString(text));
    };
    setText(latitudeMm_, logic_.latitudeMm);
    setText(longitudeMm_, logic_.longitudeMm);
    setText(elevation_, logic_.elevation);
    elevationLabel_->setVisible(logic_.elevationVisible);
    elevation_->setVisible(logic_.elevationVisible);
    for (size_t i = 0; i < kCorners.size(); ++i) corners_[i]->setChecked(logic_.corner == kCorners[i]);
    if (list_->count() != static_cast<int>(logic_.listRows.size()) ||
        (list_->count() > 0 && list_->item(list_->count() - 1)->text() != toQString(logic_.listRows.back()))) {
        list_->clear();
        for (const std::string& row : logic_.listRows) list_->addItem(toQString(row));
    } else {
        for (int i = 0; i < list_->count(); ++i) list_->item(i)->setText(toQString(logic_.listRows[static_cast<size_t>(i)]));
    }
    list_->setCurrentRow(logic_.selectedRow);
    if (logic_.visible) {
        const QWidget* frame = map_.mapFrame();
        const QPoint at = frame->mapTo(&map_, QPoint(frame->width() + 6, 0));
        const int height = std::max(sizeHint().height(), map_.height() - at.y() - 30);
        setGeometry(at.x(), at.y(), std::max(250, map_.width() - at.x() - 6), std::min(height, map_.height() - at.y()));
        show();
        raise();
    } else {
        hide();
    }
    if (logic_.focusRequests != focusSeen_) {
        focusSeen_ = logic_.focusRequests;
        latitudeMm_->setFocus();
    }
    refreshing_ = false;
}

// The right button released over the point list opens the point's pop-up.
bool SheetRoutePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        logic_.listPopup();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

SheetDimensionsDialog::SheetDimensionsDialog(SheetDimensions& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("ORV_MAPINFO");
    setWindowTitle(QString::fromUtf8("地形図データ設定"));
    setModal(true);
    auto* rows = new QVBoxLayout(this);
    auto* frameTitle = new QLabel(QString::fromUtf8("地形図情報設定"), this);
    QFont bold = frameTitle->font();
    bold.setBold(true);
    frameTitle->setFont(bold);
    rows->addWidget(frameTitle);
    rows->addWidget(new QLabel(QString::fromUtf8("該当メッシュコードの上下左右の図郭寸法を入力して下さい。"), this));
    auto* middle = new QHBoxLayout;
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8("ﾒｯｼｭｺｰﾄﾞ 左下緯度・経度"), this), 0, 0);
    constexpr std::array<const char*, 4> headings{"上辺", "下辺", "左辺", "右辺"};
    for (size_t c = 0; c < headings.size(); ++c)
        grid->addWidget(new QLabel(QString::fromUtf8(headings[c]), this), 0, static_cast<int>(c) + 1, Qt::AlignHCenter);
    for (size_t j = 0; j < model_.rows.size(); ++j) {
        const SheetDimensionRow& row = model_.rows[j];
        auto* info = new QLabel(toQString(row.information), this);
        info->setFont(columnListFont());
        info->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        grid->addWidget(info, static_cast<int>(j) + 1, 0);
        for (size_t c = 0; c < 4; ++c) {
            auto* box = new QLineEdit(toQString(row.sides[c]), this);
            box->setObjectName(QStringLiteral("side%1_%2").arg(j + 1).arg(c));
            box->setFixedWidth(64);
            grid->addWidget(box, static_cast<int>(j) + 1, static_cast<int>(c) + 1);
            boxes_[j][c] = box;
        }
    }
    middle->addLayout(grid);
    auto* diagramColumn = new QVBoxLayout;
    diagramColumn->addWidget(new QLabel(QString::fromUtf8("図郭上辺寸法"), this), 0, Qt::AlignHCenter);
    auto* diagramRow = new QHBoxLayout;
    diagramRow->addWidget(new QLabel(QString::fromUtf8("図郭左辺寸法"), this));
    diagramRow->addWidget(new BlockDiagram(model_, this));
    diagramRow->addWidget(new QLabel(QString::fromUtf8("図郭右辺寸法"), this));
    diagramColumn->addLayout(diagramRow);
    diagramColumn->addWidget(new QLabel(QString::fromUtf8("図郭下辺寸法"), this), 0, Qt::AlignHCenter);
    diagramColumn->addStretch();
    middle->addLayout(diagramColumn);
    rows->addLayout(middle);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* finish = button("終了", this, "finish");
    auto* cancel = button("ｷｬﾝｾﾙ", this, "cancel");
    buttons->addWidget(finish);
    buttons->addWidget(cancel);
    rows->addLayout(buttons);
    connect(finish, &QPushButton::clicked, this, [this] {
        for (size_t j = 0; j < boxes_.size(); ++j)
            for (size_t c = 0; c < 4; ++c) model_.rows[j].sides[c] = boxes_[j][c]->text().toStdString();
        model_.finish();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace orv
