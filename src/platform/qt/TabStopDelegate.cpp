#include "platform/qt/TabStopDelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QList>
#include <QPainter>
#include <QTextOption>

#include <utility>

namespace orv {

void drawTabStopText(QPainter& painter, const QRectF& rect, const QString& text,
                     const std::vector<int>& stops, const QFontMetrics& metrics) {
    const double unit = metrics.averageCharWidth() / 4.0;
    QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
    textOption.setWrapMode(QTextOption::NoWrap);
    if (!stops.empty()) textOption.setTabStopDistance(stops.back() * unit);
    if (stops.size() > 1) {
        QList<qreal> positions;
        for (const int stop : stops) positions.push_back(stop * unit);
        textOption.setTabArray(positions);
    }
    painter.drawText(rect.adjusted(kTabStopTextMargin, 0, -kTabStopTextMargin, 0), text, textOption);
}

TabStopDelegate::TabStopDelegate(std::vector<int> stopsInDialogUnits, QObject* parent)
    : QStyledItemDelegate(parent), stops_(std::move(stopsInDialogUnits)) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    painter->save();
    painter->setPen(item.palette.color(
        (option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    drawTabStopText(*painter, QRectF(option.rect), text, stops_, option.fontMetrics);
    painter->restore();
}

}  // namespace orv
