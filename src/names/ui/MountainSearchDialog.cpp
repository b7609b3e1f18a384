#include "names/ui/MountainSearchDialog.h"

#include "platform/qt/ListHeader.h"
#include "platform/qt/QtText.h"
#include "platform/qt/TabStopDelegate.h"
#include "platform/Events.h"
#include "platform/Fonts.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSizePolicy>
#include <QStringList>
#include <QVBoxLayout>

#include <utility>

namespace orv {

namespace {

// Display columns of a full list row (19 + 9 + 33 + 12 + 12).
constexpr int kRowColumns = kNameColumnWidth + static_cast<int>(kElevationColumnChars) +
                            kSheetColumnWidth + 2 * static_cast<int>(kPositionColumnChars);

}  // namespace

MountainSearchDialog::MountainSearchDialog(AppState& state, OverviewRange overview,
                                           std::function<void()> clearOverview, QWidget* parent)
    : QDialog(parent),
      state_(state),
      overview_(std::move(overview)),
      clearOverview_(std::move(clearOverview)) {
    setObjectName(QStringLiteral("ORV_YAMANAME"));
    setWindowTitle(toQString("山の検索"));
    buildLayout();
}

MountainSearchDialog::~MountainSearchDialog() = default;

void MountainSearchDialog::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildSearchRow());
    layout->addLayout(buildOptionRow());
    buildResultList();
    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(0);
    listColumn->addWidget(header_);
    listColumn->addWidget(list_, 1);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buildStatusRow());
    layout->addLayout(buildButtonRow());

    connect(searchButton_, &QPushButton::clicked, this, &MountainSearchDialog::search);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            &MountainSearchDialog::pickSelectedRow);
    connect(confirmButton_, &QPushButton::clicked, this, &MountainSearchDialog::confirm);
    // A double click on a result is "確定" for that result.
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list_->setCurrentItem(item);
        if (confirmButton_->isEnabled()) confirmButton_->click();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &MountainSearchDialog::reject);
    text_->setFocus();
}

// The search text and "検索".
QHBoxLayout* MountainSearchDialog::buildSearchRow() {
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("searchText"));
    searchButton_ = new QPushButton(toQString("検索"), this);
    searchButton_->setObjectName(QStringLiteral("searchButton"));
    searchButton_->setDefault(true);  // Enter in the text box searches
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(text_, 1);
    searchRow->addWidget(searchButton_);
    return searchRow;
}

// Where to search.
QHBoxLayout* MountainSearchDialog::buildOptionRow() {
    withinRange_ = new QRadioButton(toQString("表示範囲内で検索"), this);
    withinRange_->setObjectName(QStringLiteral("withinRange"));
    withinRange_->setChecked(true);
    allJapan_ = new QRadioButton(toQString("日本全域で検索"), this);
    allJapan_->setObjectName(QStringLiteral("allJapan"));
    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(withinRange_);
    optionRow->addWidget(allJapan_);
    optionRow->addStretch(1);
    return optionRow;
}

// The results, one row per mountain in fixed columns, under their column titles.
void MountainSearchDialog::buildResultList() {
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("results"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setFont(columnListFont());
    // The rows' texts start where the titles' do.
    list_->setItemDelegate(new TabStopDelegate({}, list_));
    header_ = new ListHeader(*list_, toQString(mountainListHeader()), {}, this);
    list_->setUniformItemSizes(true);
    const QFontMetrics metrics(list_->font());
    list_->setMinimumWidth(metrics.horizontalAdvance(QString(kRowColumns + 4, QLatin1Char('0'))) +
                           list_->frameWidth() * 2 + 24);
    list_->setMinimumHeight(metrics.height() * 16);
}

// The status line and the busy indicator.
QHBoxLayout* MountainSearchDialog::buildStatusRow() {
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    busy_ = new QProgressBar(this);
    busy_->setObjectName(QStringLiteral("animation"));
    busy_->setRange(0, 0);  // an endless busy indicator
    busy_->setTextVisible(false);
    busy_->setMaximumWidth(120);
    QSizePolicy keepSpace = busy_->sizePolicy();
    keepSpace.setRetainSizeWhenHidden(true);
    busy_->setSizePolicy(keepSpace);
    busy_->hide();
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status_, 1);
    statusRow->addWidget(busy_);
    return statusRow;
}

// "確定" and "キャンセル".
QHBoxLayout* MountainSearchDialog::buildButtonRow() {
    confirmButton_ = new QPushButton(toQString("確定"), this);
    confirmButton_->setObjectName(QStringLiteral("confirmButton"));
    confirmButton_->setEnabled(false);
    cancelButton_ = new QPushButton(toQString("キャンセル"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(confirmButton_);
    buttonRow->addWidget(cancelButton_);
    return buttonRow;
}

void MountainSearchDialog::search() {
    // Pending events run while the status is shown; a second click meanwhile is ignored.
    if (searching_) return;
    searching_ = true;
    if (clearOverview_) clearOverview_();
    state_.mountainConfirmed = false;
    confirmed_.reset();
    busy_->show();
    records_.clear();
    list_->clear();
    picked_.reset();
    confirmButton_->setEnabled(false);
    status_->setText(toQString(kSearchingText));
    processPendingEvents();

    const SearchArea area = allJapan_->isChecked() ? SearchArea::AllJapan
                                                   : SearchArea::DisplayedRange;
    DestinationSearch search =
        searchDestinationMountains(state_, text_->text().toStdString(), area, overview_);
    if (search.area == SearchArea::AllJapan) allJapan_->setChecked(true);
    MountainSearchResult& result = search.result;
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(result.rows.size()));
    for (const std::string& row : result.rows) rows.push_back(QString::fromStdString(row));
    list_->addItems(rows);
    records_ = std::move(result.records);
    status_->setText(QString::fromStdString(result.status));
    busy_->hide();
    searching_ = false;
}

void MountainSearchDialog::pickSelectedRow() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    const int row = selected.isEmpty() ? -1 : list_->row(selected.front());
    if (row >= 0 && row < static_cast<int>(records_.size()))
        picked_ = records_[static_cast<size_t>(row)];
    else
        picked_.reset();
    confirmButton_->setEnabled(picked_.has_value());
}

void MountainSearchDialog::confirm() {
    if (!picked_) return;
    state_.mountainConfirmed = true;
    confirmed_ = picked_;
    if (clearOverview_) clearOverview_();
    accept();
}

void MountainSearchDialog::reject() {
    if (searching_) return;  // the search finishes first
    state_.mountainConfirmed = false;
    confirmed_.reset();
    QDialog::reject();
}

std::optional<int> runMountainSearch(AppState& state, const OverviewRange& overview,
                                     QWidget* parent, std::function<void()> clearOverview) {
    MountainSearchDialog dialog(state, overview, std::move(clearOverview), parent);
    dialog.exec();
    return dialog.confirmedRecord();
}

}  // namespace orv
