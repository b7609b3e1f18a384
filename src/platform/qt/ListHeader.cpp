#include "platform/qt/ListHeader.h"

#include "platform/qt/TabStopDelegate.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>

#include <utility>

namespace orv {

ListHeader::ListHeader(QAbstractItemView& list, QString titles, std::vector<int> stopsInDialogUnits,
                       QWidget* parent)
    : QWidget(parent), list_(list), titles_(std::move(titles)), stops_(std::move(stopsInDialogUnits)) {
    setObjectName(list.objectName() + QStringLiteral("Header"));
    setFont(list.font());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(list.horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

int ListHeader::textLeft() const {
    // The rows' left edge is the viewport's, moved by the horizontal scrolling; header and list
    // stand in the same column of their layout.
    const QPoint viewport = list_.viewport()->mapTo(&list_, QPoint(0, 0));
    return list_.x() - x() + viewport.x() - list_.horizontalScrollBar()->value() + kTabStopTextMargin;
}

QSize ListHeader::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(titles_), metrics.height() + 2};
}

QSize ListHeader::minimumSizeHint() const { return {0, sizeHint().height()}; }

void ListHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    const int left = textLeft() - kTabStopTextMargin;
    drawTabStopText(painter, QRectF(left, 0, width() - left + metrics.horizontalAdvance(titles_), height()),
                    titles_, stops_, metrics);
}

}  // namespace orv
