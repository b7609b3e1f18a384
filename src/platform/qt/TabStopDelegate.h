#pragma once
// Draws the rows of a list whose columns are separated by tabs with the list's tab stops, given
// in dialog units (a quarter of the average character width of the list's font). One stop
// repeats across the row; with several, the tabs go to each stop in turn and then on at the
// distance of the last one.
#include <QStyledItemDelegate>

#include <vector>

class QFontMetrics;
class QPainter;
class QRectF;
class QString;

namespace orv {

// Pixels between a row's left edge and its text.
inline constexpr int kTabStopTextMargin = 3;

// Draws `text` left-aligned in `rect` with the tabs at the stops (in dialog units of `metrics`),
// kTabStopTextMargin in from the rectangle's left edge; the painter's pen and font are used.
void drawTabStopText(QPainter& painter, const QRectF& rect, const QString& text,
                     const std::vector<int>& stopsInDialogUnits, const QFontMetrics& metrics);

class TabStopDelegate : public QStyledItemDelegate {
public:
    TabStopDelegate(std::vector<int> stopsInDialogUnits, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    std::vector<int> stops_;
};

}  // namespace orv
