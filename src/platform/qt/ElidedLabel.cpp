#include "platform/qt/ElidedLabel.h"

#include <QFontMetrics>
#include <QResizeEvent>

namespace orv {

ElidedLabel::ElidedLabel(const QString& sample, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    width_ = fontMetrics().horizontalAdvance(sample);
}

// One line of text, whatever it says, so that neither a long nor an empty text moves anything.
QSize ElidedLabel::sizeHint() const {
    const QMargins margins = contentsMargins();
    return {width_ + margins.left() + margins.right() + 2 * margin(),
            fontMetrics().height() + margins.top() + margins.bottom() + 2 * margin()};
}

QSize ElidedLabel::minimumSizeHint() const { return sizeHint(); }

void ElidedLabel::setFullText(const QString& text) {
    if (text == full_) return;
    full_ = text;
    elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, contentsRect().width() - 2 * margin());
    if (shown != text()) setText(shown);
    const QString tip = shown == full_ ? QString() : full_;
    if (tip != toolTip()) setToolTip(tip);
}

}  // namespace orv
