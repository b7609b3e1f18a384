#include "map/ui/RidgeValleySettingsDialog.h"

#include "platform/qt/ColourSwatch.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowShortcuts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace orv {

RidgeValleySettingsDialog::RidgeValleySettingsDialog(RidgeValleySettings& model, QWidget* parent)
    : QDialog(parent), model_(model) {
    setObjectName("ORV_ONECOFIG");
    setWindowTitle(toQString(kRidgeValleySettingsTitle));
    auto* rows = new QVBoxLayout(this);
    rows->addWidget(new QLabel(toQString(kRidgeValleySettingsExplanation), this));
    auto* frames = new QHBoxLayout();
    frames->addWidget(buildFrame(0));
    frames->addWidget(buildFrame(1));
    rows->addLayout(frames);
    auto* help = new QPushButton(toQString("ヘルプ"), this);
    help->setAutoDefault(false);
    connect(help, &QPushButton::clicked, this, [this] { model_.help(); });
    addWindowShortcuts(this, [this] { model_.help(); });
    rows->addWidget(help, 0, Qt::AlignRight);
    refresh();
}

QGroupBox* RidgeValleySettingsDialog::buildFrame(int frame) {
    const auto i = static_cast<size_t>(frame);
    auto* box = new QGroupBox(toQString(kRidgeValleyFrameCaptions[i]), this);
    auto* grid = new QGridLayout(box);
    grid->addWidget(new QLabel(toQString(kLineColourCaption), box), 0, 0);
    swatches_[i] = new QPushButton(box);
    swatches_[i]->setAutoDefault(false);
    swatches_[i]->setFixedSize(48, 20);
    connect(swatches_[i], &QPushButton::clicked, this, [this, frame] {
        model_.pickColour(frame);
        refresh();
    });
    grid->addWidget(swatches_[i], 0, 1);
    grid->addWidget(new QLabel(toQString(kLineWidthCaption), box), 1, 0);
    sliders_[i] = new QSlider(Qt::Horizontal, box);
    sliders_[i]->setRange(kMinTraceWidth, kMaxTraceWidth);
    connect(sliders_[i], &QSlider::valueChanged, this, [this, frame](int value) {
        model_.moveSlider(frame, value);
        refresh();
    });
    grid->addWidget(sliders_[i], 1, 1);
    widthTexts_[i] = new QLineEdit(box);
    widthTexts_[i]->setFixedWidth(32);
    connect(widthTexts_[i], &QLineEdit::textEdited, this,
            [this, frame](const QString& text) { model_.setWidthText(frame, text.toStdString()); });
    grid->addWidget(widthTexts_[i], 1, 2);
    auto* execute = new QPushButton(toQString(kTraceExecuteCaption), box);
    execute->setAutoDefault(false);
    connect(execute, &QPushButton::clicked, this, [this, frame] {
        if (model_.execute(frame)) accept();
    });
    grid->addWidget(execute, 2, 0, 1, 3);
    return box;
}

void RidgeValleySettingsDialog::refresh() {
    for (size_t i = 0; i < 2; ++i) {
        const QSignalBlocker block(sliders_[i]);
        sliders_[i]->setValue(model_.slider[i]);
        widthTexts_[i]->setText(toQString(model_.widthText[i]));
        swatches_[i]->setStyleSheet(colourSwatchStyle(model_.swatch[i]));
    }
}

void runRidgeValleySettingsDialog(RidgeValleySettings& model, QWidget* parent) {
    RidgeValleySettingsDialog dialog(model, parent);
    dialog.exec();
}

}  // namespace orv
