#include "terrain/ui/DemCreationDialog.h"

#include "platform/qt/QtText.h"
#include "terrain/DemMessages.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

using terrain::DemSourceKind;

DemCreationDialog::DemCreationDialog(Dialogs& dialogs, const std::string& centreMesh, const std::string& tileSetting,
                               QWidget* parent, const std::string& outFolder)
    : QDialog(parent), model_(dialogs, centreMesh, tileSetting) {
    model_.outFolder = outFolder;
    setObjectName("ORV_DEMMAKE");
    setWindowTitle(QString::fromUtf8(terrain::kDemBuildTitle));
    buildLayout();
    model_.changed = [this] { refresh(); };
    refresh();
}

QPushButton* DemCreationDialog::button(ToolId toolId) {
    const terrain::DemCreationTool* tool = terrain::findDemCreationTool(toolId.text());
    auto* b = new QPushButton(toQString(tool->caption), this);
    b->setObjectName(toQString(toolId.text()));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, id = toolId.str()] { dispatch(id); });
    return b;
}

void DemCreationDialog::buildLayout() {
    auto* rows = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    rows->addLayout(grid);
    int row = 0;
    addCentreAndSourceChoice(grid, row);
    addGmlRows(grid, row);
    addTileFolderRows(grid, row);
    addDownloadRows(grid, row);
    addOutputRow(grid, row);

    progress_ = new QProgressBar(this);
    progress_->setObjectName("progress");
    progress_->setRange(0, 100);
    rows->addWidget(progress_);
    progressText_ = new QLabel(this);
    progressText_->setObjectName("progressText");
    rows->addWidget(progressText_);

    rows->addLayout(buildButtons());
    rows->addWidget(new QLabel(QString::fromUtf8(terrain::kSurveyCredit), this));
}

QLineEdit* DemCreationDialog::field(const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    return edit;
}

// The centre mesh, and the three sources as one choice.
void DemCreationDialog::addCentreAndSourceChoice(QGridLayout* grid, int& row) {
    grid->addWidget(new QLabel(QStringLiteral("中心メッシュ"), this), row, 0);
    centre_ = field("centre");
    centre_->setMaxLength(6);
    grid->addWidget(centre_, row++, 1);
    connect(centre_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.centre = t.toStdString(); });

    auto* kinds = new QButtonGroup(this);
    gml_ = new QRadioButton(QStringLiteral("FG-GMLファイル（XML・ZIP、DEM5A〜DEM10B）"), this);
    tiles_ = new QRadioButton(QStringLiteral("標高タイルのフォルダ"), this);
    download_ = new QRadioButton(QStringLiteral("標高タイルをダウンロード"), this);
    gml_->setObjectName("gml");
    tiles_->setObjectName("tiles");
    download_->setObjectName("download");
    const std::pair<QRadioButton*, DemSourceKind> choices[] = {
        {gml_, DemSourceKind::Gml}, {tiles_, DemSourceKind::TileFolder}, {download_, DemSourceKind::Download}};
    for (const auto& [radio, kind] : choices) {
        kinds->addButton(radio);
        connect(radio, &QRadioButton::toggled, this, [this, k = kind](bool on) {
            if (on) model_.kind = k;
        });
    }
}

void DemCreationDialog::addGmlRows(QGridLayout* grid, int& row) {
    grid->addWidget(gml_, row++, 0, 1, 3);
    gmlList_ = new QListWidget(this);
    gmlList_->setObjectName("gmlFiles");
    gmlList_->setMaximumHeight(90);
    grid->addWidget(gmlList_, row, 1);
    auto* gmlButtons = new QVBoxLayout;
    gmlButtons->addWidget(button(terrain::demTool::kAddGml));
    gmlButtons->addWidget(button(terrain::demTool::kClearGml));
    grid->addLayout(gmlButtons, row++, 2);
}

void DemCreationDialog::addTileFolderRows(QGridLayout* grid, int& row) {
    grid->addWidget(tiles_, row++, 0, 1, 3);
    tileFolder_ = field("tileFolder");
    grid->addWidget(tileFolder_, row, 1);
    grid->addWidget(button(terrain::demTool::kTileFolder), row++, 2);
    connect(tileFolder_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.tileFolder = t.toStdString(); });
}

void DemCreationDialog::addDownloadRows(QGridLayout* grid, int& row) {
    grid->addWidget(download_, row++, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("URL"), this), row, 0);
    tileSetting_ = field("tileSetting");
    grid->addWidget(tileSetting_, row++, 1, 1, 2);
    connect(tileSetting_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.tileSetting = t.toStdString(); });
    grid->addWidget(new QLabel(QStringLiteral("保存先"), this), row, 0);
    cacheFolder_ = field("cacheFolder");
    grid->addWidget(cacheFolder_, row, 1);
    grid->addWidget(button(terrain::demTool::kCacheFolder), row++, 2);
    connect(cacheFolder_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.cacheFolder = t.toStdString(); });
}

void DemCreationDialog::addOutputRow(QGridLayout* grid, int& row) {
    grid->addWidget(new QLabel(QStringLiteral("出力フォルダ"), this), row, 0);
    outFolder_ = field("outFolder");
    grid->addWidget(outFolder_, row, 1);
    grid->addWidget(button(terrain::demTool::kOutFolder), row++, 2);
    connect(outFolder_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.outFolder = t.toStdString(); });
}

QHBoxLayout* DemCreationDialog::buildButtons() {
    auto* buttons = new QHBoxLayout;
    run_ = button(terrain::demTool::kRun);
    cancel_ = button(terrain::demTool::kCancel);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("close");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(run_);
    buttons->addWidget(cancel_);
    buttons->addWidget(close);
    return buttons;
}

void DemCreationDialog::refresh() {
    centre_->setText(QString::fromStdString(model_.centre));
    gml_->setChecked(model_.kind == DemSourceKind::Gml);
    tiles_->setChecked(model_.kind == DemSourceKind::TileFolder);
    download_->setChecked(model_.kind == DemSourceKind::Download);
    gmlList_->clear();
    for (const auto& f : model_.gmlFiles) gmlList_->addItem(QString::fromStdString(f));
    tileFolder_->setText(QString::fromStdString(model_.tileFolder));
    tileSetting_->setText(QString::fromStdString(model_.tileSetting));
    cacheFolder_->setText(QString::fromStdString(model_.cacheFolder));
    outFolder_->setText(QString::fromStdString(model_.outFolder));
    const bool running = model_.running();
    run_->setEnabled(!running);
    cancel_->setEnabled(running);
    if (!running) {
        progress_->setValue(0);
        progressText_->clear();
    }
}

void DemCreationDialog::dispatch(const std::string& toolId) {
    terrain::DemBuildView view;
    view.progress = [this](int percent, const std::string& text) {
        progress_->setValue(percent);
        progressText_->setText(QString::fromStdString(text));
    };
    view.keepResponsive = [] {
        QApplication::processEvents();
        return true;
    };
    model_.dispatch(toolId, view);
}

void DemCreationDialog::reject() {
    if (model_.running()) {
        model_.dispatch(terrain::demTool::kCancel.text());
        return;
    }
    QDialog::reject();
}

std::optional<std::string> runDemCreationDialog(Dialogs& dialogs, QWidget* parent, const std::string& centreMesh,
                                             std::string& tileSetting, const std::string& outFolder) {
    DemCreationDialog dialog(dialogs, centreMesh, tileSetting, parent, outFolder);
    dialog.exec();
    tileSetting = dialog.model().tileSetting;
    if (dialog.model().lastOutcome() == terrain::DemBuildOutcome::Written) return dialog.model().outFolder;
    return std::nullopt;
}

}  // namespace orv
