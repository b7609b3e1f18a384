#include "map/ui/ColourSettingDialog.h"

#include "platform/qt/ColourSwatch.h"
#include "platform/qt/QtText.h"
#include "platform/qt/SurfaceWidget.h"
#include "platform/qt/WindowShortcuts.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr std::array<const char*, kColourBands> kBandLabels{
    "海", "1000m", "2000m", "3000m", "4000m", "5000m", "等高線（計曲線）"};

QPushButton* plainButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ColourSettingDialog::ColourSettingDialog(AppState& state, ColourSet& working, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), model_(state, working, dialogs) {
    setObjectName("ORV_MAKEC");
    setWindowTitle(kColourDialogTitle);
    buildLayout();
    model_.changed = [this] { refresh(); };
    model_.activate();
}

ColourSettingDialog::~ColourSettingDialog() {
    // The picture widgets show surfaces owned by the model: remove them first.
    model_.changed = nullptr;
    delete strip_;
    delete preview_;
}

void ColourSettingDialog::buildLayout() {
    auto* rows = new QVBoxLayout(this);
    rows->addLayout(buildSwatches());
    message_ = new QLabel(this);
    message_->setObjectName("message");
    message_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    message_->setMinimumHeight(24);
    rows->addWidget(message_);
    rows->addLayout(buildLevelRow());
    rows->addLayout(buildPictures());
    rows->addLayout(buildButtons());
}

// The six height bands and, apart from them, the contour swatch.
QGridLayout* ColourSettingDialog::buildSwatches() {
    auto* swatchGrid = new QGridLayout;
    for (int band = 0; band < kColourBands; ++band) {
        // The contour swatch stands apart from the six height bands.
        const int column = band < 6 ? band : band + 1;
        auto* label = new QLabel(QString::fromUtf8(kBandLabels[static_cast<size_t>(band)]), this);
        label->setAlignment(Qt::AlignCenter);
        auto* swatch = plainButton(QString(), this);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(band));
        swatch->setMinimumSize(56, 28);
        swatchGrid->addWidget(label, 0, column);
        swatchGrid->addWidget(swatch, 1, column);
        swatches_[static_cast<size_t>(band)] = swatch;
        if (band < 6)
            connect(swatch, &QPushButton::clicked, this, [this, band] { model_.pickBandColour(band); });
        else
            connect(swatch, &QPushButton::clicked, this, [this] { model_.pickContourColour(); });
    }
    swatchGrid->setColumnMinimumWidth(6, 16);
    return swatchGrid;
}

// The background level as a slider and as a text.
QHBoxLayout* ColourSettingDialog::buildLevelRow() {
    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(new QLabel("背景レベル", this));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setRange(kLevelSliderMin, kLevelSliderMax);
    slider_->setPageStep(1);
    levelRow->addWidget(slider_, 1);
    levelText_ = new QLineEdit(this);
    levelText_->setObjectName("levelText");
    levelText_->setMaximumWidth(70);
    levelRow->addWidget(levelText_);
    connect(slider_, &QSlider::valueChanged, this, [this](int value) { model_.moveSlider(value); });
    connect(levelText_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.editLevelText(text.toStdString()); });
    return levelRow;
}

// The colour strip and the preview.
QHBoxLayout* ColourSettingDialog::buildPictures() {
    auto* pictures = new QHBoxLayout;
    strip_ = new SurfaceWidget(model_.strip(), this);
    strip_->setObjectName("strip");
    preview_ = new SurfaceWidget(model_.preview(), this);
    preview_->setObjectName("preview");
    pictures->addWidget(strip_, 0, Qt::AlignTop);
    pictures->addWidget(preview_, 0, Qt::AlignTop);
    pictures->addStretch(1);
    return pictures;
}

QHBoxLayout* ColourSettingDialog::buildButtons() {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* registerButton = plainButton("登録", this);
    auto* cancelButton = plainButton("ｷｬﾝｾﾙ", this);
    auto* restoreButton = plainButton("戻す", this);
    auto* helpButton = plainButton("ヘルプ", this);
    for (QPushButton* button : {registerButton, cancelButton, restoreButton, helpButton})
        buttons->addWidget(button);
    connect(registerButton, &QPushButton::clicked, this,
            [this] { finish(model_.registerColours(), QDialog::Accepted); });
    connect(cancelButton, &QPushButton::clicked, this,
            [this] { finish(model_.cancel(), QDialog::Rejected); });
    connect(restoreButton, &QPushButton::clicked, this, [this] { model_.restore(); });
    connect(helpButton, &QPushButton::clicked, this, [this] { model_.showHelp(); });
    addWindowShortcuts(this, [this] { model_.showHelp(); });
    return buttons;
}

void ColourSettingDialog::refresh() {
    for (int band = 0; band < kColourBands; ++band)
        swatches_[static_cast<size_t>(band)]->setStyleSheet(colourSwatchStyle(model_.swatchColour(band)));
    message_->setText(toQString(model_.message()));
    const QString level = toQString(model_.levelTextShown());
    if (levelText_->text() != level) levelText_->setText(level);
    const QSignalBlocker blocker(slider_);
    slider_->setValue(model_.sliderValue());
}

void ColourSettingDialog::finish(bool closes, int result) {
    if (closes) done(result);
}

void ColourSettingDialog::reject() {
    model_.dismiss();
    QDialog::reject();
}

DialogOutcome runColourSettingDialog(MapContext& ctx, QWidget* parent) {
    ColourSettingDialog dialog(ctx.state, ctx.map.workingColours, ctx.dialogs, parent);
    dialog.exec();
    return dialog.model().outcome().value_or(DialogOutcome::Cancelled);
}

}  // namespace orv
