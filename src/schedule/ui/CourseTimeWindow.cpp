#include "schedule/ui/CourseTimeWindow.h"

#include "platform/Fonts.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowPlacement.h"
#include "schedule/CourseTimeTools.h"
#include "schedule/ScheduleList.h"
#include "platform/qt/WindowShortcuts.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace orv {

namespace {

// Up and down arrows beside a field, as the up/down control of a text box.
QWidget* upDown(QWidget* parent, const char* name, QToolButton*& up, QToolButton*& down) {
    auto* box = new QWidget(parent);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up = new QToolButton(box);
    up->setObjectName(QString::fromLatin1(name) + QStringLiteral("Up"));
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    down = new QToolButton(box);
    down->setObjectName(QString::fromLatin1(name) + QStringLiteral("Down"));
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    for (QToolButton* b : {up, down}) {
        b->setFixedSize(18, 11);
        column->addWidget(b);
    }
    return box;
}

void setTextKeepingCursor(QLineEdit* edit, const std::string& text) {
    const QString value = toQString(text);
    if (edit->text() != value) edit->setText(value);
}

}  // namespace

CourseTimeWindow::CourseTimeWindow(AppState& state, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(state, dialogs) {
    setObjectName(QStringLiteral("ORV_CTIME"));
    rememberPlace(*this, state.windowFrames);
    setWindowTitle(toQString(kCourseTimeTitle));
    menus_ = std::make_unique<MenuAdapter>(model_.menus(),
                                           [this](const std::string& id) { model_.dispatch(id); });
    buildLayout();
    model_.changed = [this] { refresh(); };
    model_.closeRequested = [this] { QDialog::accept(); };
    model_.open();
}

CourseTimeWindow::~CourseTimeWindow() {
    model_.changed = nullptr;
    model_.closeRequested = nullptr;
    menus_.reset();
}

QLineEdit* CourseTimeWindow::field(const char* name, std::string CourseTimeFields::*text) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(80);
    connect(edit, &QLineEdit::textEdited, this,
            [this, text](const QString& typed) { model_.fields().*text = typed.toStdString(); });
    return edit;
}

void CourseTimeWindow::buildLayout() {
    auto* bar = new QMenuBar(this);
    menus_->fillMenuBar(bar, kScheduleMenuBand);
    auto* columns = new QHBoxLayout;
    columns->addLayout(buildParameters());
    buildScheduleList();
    columns->addWidget(list_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(columns, 1);
    layout->addLayout(buildButtons());
}

// The walking parameters and the window's own values.
QGridLayout* CourseTimeWindow::buildParameters() {
    auto* grid = new QGridLayout;
    int row = 0;
    auto label = [&](const char* text, int column = 0) {
        grid->addWidget(new QLabel(toQString(text), this), row, column);
    };
    auto minutes = [&] { grid->addWidget(new QLabel(toQString(kMinutesUnit), this), row, 2); };

    climbSpeed_ = field("climbSpeed", &CourseTimeFields::climbSpeed);
    label(kClimbSpeedLabel);
    grid->addWidget(climbSpeed_, row++, 1);
    descentSpeed_ = field("descentSpeed", &CourseTimeFields::descentSpeed);
    label(kDescentSpeedLabel);
    grid->addWidget(descentSpeed_, row++, 1);
    flatSpeed_ = field("flatSpeed", &CourseTimeFields::flatSpeed);
    label(kFlatSpeedLabel);
    grid->addWidget(flatSpeed_, row++, 1);
    shortRest_ = field("shortRest", &CourseTimeFields::shortRest);
    label(kShortRestLabel);
    grid->addWidget(shortRest_, row, 1);
    minutes();
    ++row;
    longRest_ = field("longRest", &CourseTimeFields::longRest);
    label(kLongRestLabel);
    grid->addWidget(longRest_, row, 1);
    minutes();
    ++row;

    correction_ = field("correction", &CourseTimeFields::correction);
    label(kCorrectionLabel);
    grid->addWidget(correction_, row, 1);
    grid->addWidget(upDown(this, "correction", correctionUp_, correctionDown_), row++, 2);
    connect(correctionUp_, &QToolButton::clicked, this,
            [this] { model_.setCorrectionSpinner(model_.correctionSpinner() + 1); });
    connect(correctionDown_, &QToolButton::clicked, this,
            [this] { model_.setCorrectionSpinner(model_.correctionSpinner() - 1); });

    QToolButton* pitchUp = nullptr;
    QToolButton* pitchDown = nullptr;
    pitch_ = field("pitch", &CourseTimeFields::pitch);
    label(kPitchLabel);
    grid->addWidget(pitch_, row, 1);
    grid->addWidget(upDown(this, "pitch", pitchUp, pitchDown), row++, 2);
    connect(pitchUp, &QToolButton::clicked, this,
            [this] { model_.setPitchSpinner(model_.pitchSpinner() + kPitchStep); });
    connect(pitchDown, &QToolButton::clicked, this,
            [this] { model_.setPitchSpinner(model_.pitchSpinner() - kPitchStep); });
    grid->addWidget(new QLabel(toQString(kFirstPitchNote), this), row++, 0, 1, 3);

    startTime_ = field("startTime", &CourseTimeFields::startTime);
    label(kStartTimeLabel);
    grid->addWidget(startTime_, row++, 1);
    forecast_ = new QLabel(this);
    forecast_->setObjectName(QStringLiteral("forecast"));
    forecast_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    forecast_->setFont(columnListFont());
    label(kForecastLabel);
    grid->addWidget(forecast_, row++, 1);
    grid->addWidget(new QLabel(toQString(kPlaceNamesNote), this), row++, 0, 1, 3);
    grid->addWidget(new QLabel(toQString(kEstimateNote), this), row++, 0, 1, 3);
    outsideLegend_ = new QLabel(toQString(kOutsideDataLegend), this);
    outsideLegend_->hide();
    grid->addWidget(outsideLegend_, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);

    return grid;
}

// The schedule list: its headings are the list's column headings, so they hide with it.
void CourseTimeWindow::buildScheduleList() {
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("schedule"));
    list_->setFont(columnListFont());
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setToolTip(toQString(kScheduleListTooltip));
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    QStringList headings;
    for (const char* heading : kScheduleHeadings) headings << toQString(heading);
    list_->setHeaderLabels(headings);
    // Tab stops in dialog units, a quarter of the average character width each.
    const int averageWidth = QFontMetrics(list_->font()).averageCharWidth();
    int previousStop = 0;
    for (size_t c = 0; c < kScheduleTabStops.size(); ++c) {
        list_->setColumnWidth(static_cast<int>(c),
                              (kScheduleTabStops[c] - previousStop) * averageWidth / 4);
        previousStop = kScheduleTabStops[c];
    }
    list_->setMinimumWidth(previousStop * averageWidth / 4 + 14 * averageWidth);
    list_->setMinimumHeight(QFontMetrics(list_->font()).height() * 18);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (refreshing_) return;
        const QList<QTreeWidgetItem*> selected = list_->selectedItems();
        model_.selectRow(selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.front()));
    });
    connect(list_, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (model_.popupAvailable())
            menus_->popup(kSchedulePopupBand, list_->viewport()->mapToGlobal(at));
    });

}

QHBoxLayout* CourseTimeWindow::buildButtons() {
    auto* calculate = new QPushButton(toQString("計算"), this);
    calculate->setObjectName(QStringLiteral("calculateButton"));
    calculate->setDefault(true);
    reverseButton_ = new QPushButton(toQString("逆ルート"), this);
    reverseButton_->setObjectName(QStringLiteral("reverseButton"));
    auto* close = new QPushButton(toQString("終了"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    auto* help = new QPushButton(toQString("ヘルプ"), this);
    help->setObjectName(QStringLiteral("helpButton"));
    connect(calculate, &QPushButton::clicked, this, [this] { model_.calculate(); });
    connect(reverseButton_, &QPushButton::clicked, this, [this] { model_.reverse(); });
    connect(close, &QPushButton::clicked, this, [this] { model_.close(); });
    connect(help, &QPushButton::clicked, this, [this] { model_.help(); });
    addWindowShortcuts(this, [help] { help->click(); }, [close] { close->click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {calculate, reverseButton_, close, help}) buttons->addWidget(b);

    return buttons;
}

void CourseTimeWindow::refresh() {
    refreshing_ = true;
    const CourseTimeFields& f = model_.fields();
    setTextKeepingCursor(climbSpeed_, f.climbSpeed);
    setTextKeepingCursor(descentSpeed_, f.descentSpeed);
    setTextKeepingCursor(flatSpeed_, f.flatSpeed);
    setTextKeepingCursor(shortRest_, f.shortRest);
    setTextKeepingCursor(longRest_, f.longRest);
    setTextKeepingCursor(correction_, f.correction);
    setTextKeepingCursor(pitch_, f.pitch);
    setTextKeepingCursor(startTime_, f.startTime);
    forecast_->setText(toQString(model_.forecast()));

    const bool parameters = model_.parametersEnabled();
    for (QWidget* w : std::initializer_list<QWidget*>{climbSpeed_, descentSpeed_, flatSpeed_,
                                                      shortRest_, longRest_, correction_,
                                                      correctionUp_, correctionDown_})
        w->setEnabled(parameters);
    reverseButton_->setEnabled(model_.reverseEnabled());

    showRows();
    list_->setVisible(model_.listVisible());
    refreshing_ = false;
}

void CourseTimeWindow::showRows() {
    if (shownRows_ != model_.rows()) {
        shownRows_ = model_.rows();
        list_->clear();
        QList<QTreeWidgetItem*> items;
        for (const std::string& row : shownRows_)
            items << new QTreeWidgetItem(toQString(row).split(QLatin1Char('\t')));
        list_->addTopLevelItems(items);
        outsideLegend_->setVisible(std::any_of(shownRows_.begin(), shownRows_.end(), [](const std::string& row) {
            return row.find(kOutsideDataMark) != std::string::npos;
        }));
    }
    const int selected = model_.selectedRow();
    QTreeWidgetItem* item = selected >= 0 ? list_->topLevelItem(selected) : nullptr;
    if (item == nullptr)
        list_->clearSelection();
    else if (!item->isSelected())
        list_->setCurrentItem(item);
}

void CourseTimeWindow::reject() { model_.close(); }

void runCourseTimeWindow(AppState& state, Dialogs& dialogs, QWidget* parent) {
    CourseTimeWindow window(state, dialogs, parent);
    window.exec();
}

}  // namespace orv
