#pragma once
// The two panels of ridge and valley names on the route map's side: "尾根・谷名称設定" (name box,
// magnification slider and text, angle spin control and text, preview, "表示位置指定", "終了",
// "ヘルプ") and "尾根・谷名称登録リスト" (the list with its right-click pop-up, "終了",
// "ヘルプ"). They show a RidgeValleyNaming and forward every action to it.
#include "map/RidgeValleyNaming.h"

#include <QObject>

#include <functional>
#include <string>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QSlider;
class QSpinBox;

namespace orv {

class SurfaceWidget;

class RidgeValleyNamePanels : public QObject {
    Q_OBJECT
public:
    // `popup` pops up a band at the cursor (the list's right-click pop-up); `changed` is called
    // after an action so the window can show the state.
    RidgeValleyNamePanels(RidgeValleyNaming& naming, QWidget* parent,
                          std::function<void(const std::string&)> popup, std::function<void()> changed);
    ~RidgeValleyNamePanels() override;

    QGroupBox* inputPanel() const { return input_; }
    QGroupBox* listPanel() const { return list_; }
    // True while one of the panels takes the place of the point panels.
    bool shown() const;
    void refresh();

private:
    void buildInput(QWidget* parent);
    void buildList(QWidget* parent);
    void acted();

    RidgeValleyNaming& naming_;
    std::function<void(const std::string&)> popup_;
    std::function<void()> changed_;
    QGroupBox* input_ = nullptr;
    QLineEdit* name_ = nullptr;
    QSlider* magnification_ = nullptr;
    QLineEdit* magnificationText_ = nullptr;
    QSpinBox* angle_ = nullptr;
    QLineEdit* angleText_ = nullptr;
    SurfaceWidget* preview_ = nullptr;
    QGroupBox* list_ = nullptr;
    QListWidget* entries_ = nullptr;
    bool applying_ = false;
};

}  // namespace orv
