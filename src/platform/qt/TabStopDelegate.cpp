#include "platform/qt/TabStopDelegate.h"

#include <QApplication>
#include <QList>
#include <QPainter>
#include <QTextOption>

#include <utility>

namespace orv {

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

    const double unit = option.fontMetrics.averageCharWidth() / 4.0;
    QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
    textOption.setWrapMode(QTextOption::NoWrap);
    if (!stops_.empty()) textOption.setTabStopDistance(stops_.back() * unit);
    if (stops_.size() > 1) {
        QList<qreal> positions;
        for (const int stop : stops_) positions.push_back(stop * unit);
        textOption.setTabArray(positions);
    }
    painter->save();
    painter->setPen(item.palette.color(
        (option.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRectF(option.rect.adjusted(3, 0, -3, 0)), text, textOption);
    painter->restore();
}

}  // namespace orv
