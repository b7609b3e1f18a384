// Lists whose columns are separated by tabs: each column starts at its tab stop.
#include "platform/qt/TabStopDelegate.h"

#include <QFontMetrics>
#include <QImage>
#include <QListWidget>

#include <gtest/gtest.h>

#include <vector>

namespace orv {
namespace {

// The first columns of the row's picture where ink begins after a gap of background.
std::vector<int> columnStarts(const QImage& row) {
    std::vector<int> starts;
    bool inInk = false;
    int gap = 0;
    for (int x = 0; x < row.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < row.height() && !ink; ++y) ink = qGray(row.pixel(x, y)) < 128;
        if (ink && (!inInk || gap > 6)) starts.push_back(x);
        if (ink) {
            inInk = true;
            gap = 0;
        } else {
            ++gap;
        }
    }
    return starts;
}

TEST(TabStopDelegate, ColumnsStartAtTheStops) {
    struct Case {
        std::vector<int> stops;
        std::vector<int> expectedStarts;  // in dialog units after the row's margin
    };
    const Case cases[] = {
        {{50, 150, 150}, {0, 50, 150}},
        {{40}, {0, 40, 80}},  // one stop repeats
    };
    for (const Case& c : cases) {
        QListWidget list;
        list.setItemDelegate(new TabStopDelegate(c.stops, &list));
        list.addItem(QStringLiteral("1\t1\t1"));
        list.resize(600, 120);
        list.show();
        const QRect rect = list.visualItemRect(list.item(0));
        const QImage row = list.viewport()->grab(rect).toImage();
        const double unit = QFontMetrics(list.font()).averageCharWidth() / 4.0;
        const std::vector<int> starts = columnStarts(row);
        ASSERT_EQ(starts.size(), c.expectedStarts.size()) << c.stops.front();
        for (size_t i = 0; i < starts.size(); ++i) {
            const double expected = 3 + c.expectedStarts[i] * unit;
            EXPECT_NEAR(starts[i], expected, 3.0) << "column " << i;
        }
    }
}

}  // namespace
}  // namespace orv
