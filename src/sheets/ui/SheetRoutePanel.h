#pragma once
// The sheet measurement panel "ルート作成：地形図寸法" over the route map, and the sheet
// dimensions dialog ORV_MAPINFO "地形図データ設定". Both only show their models
// (sheets/SheetRoute) and forward the user's actions.
#include "sheets/SheetRoute.h"

#include <QDialog>
#include <QFrame>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace orv {

class RouteMapWindow;

class SheetRoutePanel : public QFrame {
    Q_OBJECT
public:
    // Made over `map`, hidden until "地形図寸法からﾙｰﾄ作成"; it connects itself to the map's logic.
    explicit SheetRoutePanel(RouteMapWindow& map);
    ~SheetRoutePanel() override;

    SheetRoute& logic() { return logic_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeBoxes();
    void refresh();

    RouteMapWindow& map_;
    SheetRoute logic_;
    std::array<QPushButton*, 9> sheets_{};
    QLineEdit* latitudeMm_ = nullptr;
    QLineEdit* longitudeMm_ = nullptr;
    QLabel* elevationLabel_ = nullptr;
    QLineEdit* elevation_ = nullptr;
    std::array<QRadioButton*, 4> corners_{};
    QListWidget* list_ = nullptr;
    int focusSeen_ = 0;
    bool refreshing_ = false;
};

class SheetDimensionsDialog : public QDialog {
    Q_OBJECT
public:
    SheetDimensionsDialog(SheetDimensions& model, QWidget* parent = nullptr);

private:
    SheetDimensions& model_;
    std::array<std::array<QLineEdit*, 4>, 9> boxes_{};
};

}  // namespace orv
