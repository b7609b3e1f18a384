#include "platform/qt/FontPicker.h"

#include "platform/Fonts.h"
#include "platform/qt/QtText.h"

#include <QColor>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

namespace {

QFont startFont(const TextStyle& style) {
    return fontFor(style.face, style.size, style.bold, style.italic, style.underline,
                   style.strikeThrough);
}

}  // namespace

FontPicker::FontPicker(const TextStyle& initial, QWidget* parent)
    : QDialog(parent), initial_(initial), colour_(initial.colour) {
    setWindowTitle(toQString(kFontPickerTitle));
    auto* rows = new QVBoxLayout(this);

    // The font chooser without its own buttons, as a part of this dialog.
    fonts_ = new QFontDialog(startFont(initial), this);
    fonts_->setObjectName("fonts");
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setWindowFlags(Qt::Widget);
    // Being a dialog itself, the chooser would take Escape, and Enter in its lists, as closing
    // just itself, leaving an empty picker: the keys it leaves go to the picker, and a close of
    // its own closes the picker the same way with the chooser kept in its place.
    fonts_->installEventFilter(this);
    connect(fonts_, &QDialog::finished, this, [this](int result) {
        fonts_->show();
        done(result == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected);
    });
    rows->addWidget(fonts_, 1);

    auto* colourRow = new QHBoxLayout;
    colourButton_ = new QPushButton(toQString(kFontColourCaption), this);
    colourButton_->setObjectName("colour");
    colourRow->addWidget(colourButton_);
    colourRow->addStretch(1);
    rows->addLayout(colourRow);
    connect(colourButton_, &QPushButton::clicked, this, [this] { chooseColour(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    rows->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showColour();
}

bool FontPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fonts_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Cancel)) {
            reject();
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FontPicker::setColour(Colour colour) {
    colour_ = colour;
    showColour();
}

void FontPicker::chooseColour() {
    const QColor chosen = QColorDialog::getColor(
        QColor(redOf(colour_), greenOf(colour_), blueOf(colour_)), this, toQString(kFontColourTitle));
    if (chosen.isValid()) setColour(makeColour(chosen.red(), chosen.green(), chosen.blue()));
}

// The colour button carries a swatch of the chosen colour.
void FontPicker::showColour() {
    QPixmap swatch(16, 16);
    swatch.fill(QColor(redOf(colour_), greenOf(colour_), blueOf(colour_)));
    colourButton_->setIcon(QIcon(swatch));
}

TextStyle FontPicker::chosenStyle() const {
    const QFont chosen = fonts_->currentFont();
    TextStyle style = initial_;
    // The stored face ("ＭＳ ゴシック") shows as the installed font it stands for; it stays
    // unless another family was chosen.
    if (chosen.family() != QFontInfo(startFont(initial_)).family())
        style.face = chosen.family().toStdString();
    if (chosen.pointSizeF() > 0) style.size = static_cast<float>(chosen.pointSizeF());
    style.bold = chosen.bold();
    style.italic = chosen.italic();
    style.underline = chosen.underline();
    style.strikeThrough = chosen.strikeOut();
    style.colour = colour_;
    return style;
}

std::optional<TextStyle> pickTextStyle(const TextStyle& initial, QWidget* parent) {
    FontPicker picker(initial, parent);
    if (picker.exec() != QDialog::Accepted) return std::nullopt;
    return picker.chosenStyle();
}

}  // namespace orv
