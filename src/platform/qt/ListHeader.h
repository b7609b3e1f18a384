#pragma once
// The column titles over a list whose rows are texts in columns drawn by a TabStopDelegate
// (tab-separated at its stops, or aligned in a fixed-pitch font): one line in the list's font
// and tab stops, starting where the rows' texts start and following the list's horizontal
// scrolling, so each title stands over its column.
#include <QString>
#include <QWidget>

#include <vector>

class QAbstractItemView;

namespace orv {

class ListHeader : public QWidget {
public:
    ListHeader(QAbstractItemView& list, QString titles, std::vector<int> stopsInDialogUnits,
               QWidget* parent);

    const QString& titles() const { return titles_; }
    // Where the titles' text starts, in the header's coordinates (as the rows' in the list's).
    int textLeft() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QAbstractItemView& list_;
    QString titles_;
    std::vector<int> stops_;
};

}  // namespace orv
