#include "app/ui/PlanStartDialog.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowShortcuts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orv {

namespace {

QPushButton* plainButton(const char* caption, QWidget* parent, const char* name) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void setTextKeepingCursor(QLineEdit* box, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (box->text() != value) box->setText(value);
}

}  // namespace

PlanStartDialog::PlanStartDialog(PlanStart& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("ORV_MRINFO");
    setWindowTitle(toDisplayText(model_.caption()));
    setModal(true);
    buildLayout();
    model_.changed = [this] { refresh(); };
    focusRequestsSeen_ = model_.nameFocusRequests();
    refresh();
    nameBox_->setFocus();
}

PlanStartDialog::~PlanStartDialog() { model_.changed = nullptr; }

void PlanStartDialog::buildLayout() {
    auto* rows = new QVBoxLayout(this);
    rows->addWidget(buildPlanBox());
    rows->addWidget(buildMountainFileBox());
    rows->addWidget(buildDemSourceBox());
    rows->addLayout(buildButtons());
}

// The plan: its name, or one of the saved plans.
QGroupBox* PlanStartDialog::buildPlanBox() {
    auto* planBox = new QGroupBox(QString::fromUtf8("管理ファイル名"), this);
    auto* planRows = new QVBoxLayout(planBox);
    planRows->addWidget(new QLabel(toDisplayText(kPlanStartPrompt), planBox));
    nameBox_ = new QLineEdit(planBox);
    nameBox_->setObjectName("nameBox");
    planRows->addWidget(nameBox_);
    connect(nameBox_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.editName(text.toStdString()); });
    planList_ = new QTreeWidget(planBox);
    planList_->setObjectName("planList");
    planList_->setColumnCount(2);
    planList_->setHeaderHidden(true);
    planList_->setRootIsDecorated(false);
    planList_->setColumnWidth(0, 300);
    planList_->setMinimumHeight(140);
    planRows->addWidget(planList_);
    connect(planList_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        model_.pickPlan(planList_->indexOfTopLevelItem(item));
    });
    // A double click opens that plan: picked, then "実　行".
    connect(planList_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        model_.pickPlan(planList_->indexOfTopLevelItem(item));
        executePlan();
    });
    return planBox;
}

// The mountain-name file.
QGroupBox* PlanStartDialog::buildMountainFileBox() {
    auto* mountainGroup = new QGroupBox(QString::fromUtf8("山名ファイル"), this);
    auto* mountainRow = new QHBoxLayout(mountainGroup);
    mountainBox_ = new QLineEdit(mountainGroup);
    mountainBox_->setObjectName("mountainBox");
    mountainBox_->setMinimumWidth(320);
    mountainRow->addWidget(mountainBox_, 1);
    connect(mountainBox_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.editMountainFile(text.toStdString()); });
    auto* browse = plainButton(kBrowseCaption, mountainGroup, "browse");
    mountainRow->addWidget(browse);
    connect(browse, &QPushButton::clicked, this, [this] { model_.browseMountainFile(); });
    auto* newFile = plainButton(kNewMountainFileCaption, mountainGroup, "newMountainFile");
    mountainRow->addWidget(newFile);
    connect(newFile, &QPushButton::clicked, this, [this] { model_.createMountainFile(); });
    return mountainGroup;
}

// The elevation data source.
QGroupBox* PlanStartDialog::buildDemSourceBox() {
    auto* demGroup = new QGroupBox(QString::fromUtf8("数値地図"), this);
    auto* demRows = new QGridLayout(demGroup);
    useDem_ = new QCheckBox(QString::fromUtf8(kUseDemCaption), demGroup);
    useDem_->setObjectName("useDem");
    demRows->addWidget(useDem_, 0, 0, 1, 4);
    connect(useDem_, &QCheckBox::clicked, this, [this](bool on) { model_.setUseDem(on); });
    useDisc_ = new QCheckBox(QString::fromUtf8(kUseDiscCaption), demGroup);
    useDisc_->setObjectName("useDisc");
    demRows->addWidget(useDisc_, 1, 0);
    connect(useDisc_, &QCheckBox::clicked, this, [this](bool on) { model_.setUseDisc(on); });
    for (int i = 0; i < kMaxDiscIcons; ++i) {
        auto* icon = new QToolButton(demGroup);
        icon->setObjectName(QStringLiteral("disc%1").arg(i));
        icon->setIcon(style()->standardIcon(QStyle::SP_DriveCDIcon));
        icon->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        icon->setCheckable(true);
        icon->setAutoRaise(true);
        demRows->addWidget(icon, 1, 1 + i);
        connect(icon, &QToolButton::clicked, this, [this, i] { model_.clickDisc(i); });
        discIcons_[static_cast<size_t>(i)] = icon;
    }
    // Where the icons would be: the disc found missing when the dialog opened.
    noDisc_ = new QLabel(demGroup);
    noDisc_->setObjectName("noDisc");
    noDisc_->setStyleSheet(QStringLiteral("color: #c00000;"));
    demRows->addWidget(noDisc_, 1, 1, 1, 3);
    discNote_ = new QLabel(QString::fromUtf8(kUseDiscNote), demGroup);
    discNote_->setObjectName("discNote");
    demRows->addWidget(discNote_, 2, 0, 1, 4);
    discPrompt_ = new QLabel(QString::fromUtf8(kSeveralDiscsPrompt), demGroup);
    discPrompt_->setObjectName("discPrompt");
    demRows->addWidget(discPrompt_, 3, 0, 1, 4);
    addDiskFolderRow(demGroup, demRows, 4);
    return demGroup;
}

// The hard-disk data folder with "標高データの作成" beside it.
void PlanStartDialog::addDiskFolderRow(QGroupBox* demGroup, QGridLayout* demRows, int row) {
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QString::fromUtf8(kDiskFolderCaption), demGroup));
    diskFolder_ = new QLineEdit(demGroup);
    diskFolder_->setObjectName("diskFolder");
    diskFolder_->setReadOnly(true);
    folderRow->addWidget(diskFolder_, 1);
    auto* make = plainButton(kMakeElevationDataCaption, demGroup, "makeElevationData");
    folderRow->addWidget(make);
    connect(make, &QPushButton::clicked, this, [this] { model_.createElevationData(); });
    demRows->addLayout(folderRow, row, 0, 1, 4);
}

// The buttons.
QHBoxLayout* PlanStartDialog::buildButtons() {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* execute = plainButton(kExecuteCaption, this, "execute");
    execute->setDefault(true);
    auto* cancel = plainButton(kCancelCaption, this, "cancel");
    auto* help = plainButton(kHelpCaption, this, "help");
    buttons->addWidget(execute);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    connect(execute, &QPushButton::clicked, this, &PlanStartDialog::executePlan);
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(help, &QPushButton::clicked, this, [this] { model_.showHelp(); });
    addWindowShortcuts(this, [this] { model_.showHelp(); });
    return buttons;
}

void PlanStartDialog::refresh() {
    setTextKeepingCursor(nameBox_, model_.name());
    setTextKeepingCursor(mountainBox_, model_.mountainFile());

    if (planList_->topLevelItemCount() != static_cast<int>(model_.planLines().size())) {
        planList_->clear();
        for (const std::string& line : model_.planLines()) {
            const QString text = QString::fromStdString(line);
            const auto tab = text.indexOf(QLatin1Char('\t'));
            planList_->addTopLevelItem(new QTreeWidgetItem(
                QStringList{tab < 0 ? text : text.left(tab), tab < 0 ? QString() : text.mid(tab + 1)}));
        }
    }

    {
        const QSignalBlocker blockDem(useDem_);
        const QSignalBlocker blockDisc(useDisc_);
        useDem_->setChecked(model_.useDem());
        useDisc_->setChecked(model_.useDisc());
    }
    useDisc_->setEnabled(model_.discBoxEnabled());
    discNote_->setEnabled(model_.discBoxEnabled());
    const auto& discs = model_.discs();
    for (size_t i = 0; i < discIcons_.size(); ++i) {
        QToolButton* icon = discIcons_[i];
        const bool shown = model_.useDisc() && i < discs.size();
        icon->setVisible(shown);
        if (!shown) continue;
        icon->setText(QString::fromStdString(discs[i].string()));
        const QSignalBlocker block(icon);
        icon->setChecked(model_.chosenDisc() == static_cast<int>(i));
    }
    discPrompt_->setVisible(model_.discPromptVisible());
    setTextKeepingCursor(diskFolder_, model_.diskFolder());
    noDisc_->setText(QString::fromStdString(model_.discNote()));
    noDisc_->setVisible(!model_.discNote().empty());

    if (model_.nameFocusRequests() != focusRequestsSeen_) {
        focusRequestsSeen_ = model_.nameFocusRequests();
        nameBox_->setFocus();
        nameBox_->selectAll();
    }
}

void PlanStartDialog::executePlan() {
    if (model_.execute()) accept();
}

void PlanStartDialog::reject() {
    if (!model_.closed()) model_.cancel();
    QDialog::reject();
}

void runPlanStartDialog(PlanStart& model, QWidget* parent) {
    PlanStartDialog dialog(model, parent);
    dialog.exec();
}

}  // namespace orv
