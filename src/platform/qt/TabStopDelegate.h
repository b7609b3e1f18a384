#pragma once
// Draws the rows of a list whose columns are separated by tabs with the list's tab stops, given
// in dialog units (a quarter of the average character width of the list's font). One stop
// repeats across the row; with several, the tabs go to each stop in turn and then on at the
// distance of the last one.
#include <QStyledItemDelegate>

#include <vector>

namespace orv {

class TabStopDelegate : public QStyledItemDelegate {
public:
    TabStopDelegate(std::vector<int> stopsInDialogUnits, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    std::vector<int> stops_;
};

}  // namespace orv
