// The name setting dialog of route points: the mountain list opens without complaints from the
// style machinery and shows the model's rows under their column titles.
#include "route/ui/PointNameDialog.h"

#include "platform/qt/ListHeader.h"
#include "platform/qt/TabStopDelegate.h"
#include "support/MapWorld.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

// Collects Qt's warnings while it lives (but the offscreen platform's note on size hints).
struct WarningCatcher {
    static inline QStringList* seen = nullptr;
    QStringList texts;
    QtMessageHandler previous;
    WarningCatcher() {
        seen = &texts;
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg && seen != nullptr && !text.contains(QLatin1String("propagateSizeHints")))
                seen->push_back(text);
        });
    }
    ~WarningCatcher() {
        qInstallMessageHandler(previous);
        seen = nullptr;
    }
};

struct PointNameDialogTest : ::testing::Test, test::MapWorld {
    PointNameDialogTest() { addRoutePoint(300, 300); }
};

TEST_F(PointNameDialogTest, MountainListOpensQuietlyWithItsRows) {
    addMountain("北岳", 100, 100);
    addMountain("間ノ岳", 200, 100);
    PointNaming naming(ctx, PointNameKind::Mountain, 1);
    WarningCatcher warnings;
    PointNameDialog dialog(naming);
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(warnings.texts.isEmpty()) << warnings.texts.join(QLatin1Char('\n')).toStdString();
    auto* list = dialog.findChild<QListWidget*>("mountains");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text().toStdString(), naming.rows[1]);

    // The column titles stand over the list, their text starting where the rows' texts do.
    auto* header = dialog.findChild<ListHeader*>("mountainsHeader");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->titles(), QString::fromUtf8("番号\t山名\t標高"));
    EXPECT_TRUE(header->isVisible());
    EXPECT_LT(header->geometry().bottom(), list->geometry().top());
    const QPoint rowText = list->viewport()->mapTo(&dialog, list->visualItemRect(list->item(0)).topLeft());
    EXPECT_EQ(header->mapTo(&dialog, QPoint(header->textLeft(), 0)).x(), rowText.x() + kTabStopTextMargin);
}

}  // namespace
}  // namespace orv
