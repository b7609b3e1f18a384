#pragma once
// ORV_PNAMESET, the name setting dialog of route points ("山名設定" / "地名・名称設定"): the
// prompt, the name box, the mountain list under its column titles and the buttons "登録",
// "ｷｬﾝｾﾙ", "削除". It shows a PointNaming and forwards every button; it closes after each of them.
#include "route/PointNaming.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace orv {

class PointNameDialog : public QDialog {
    Q_OBJECT
public:
    PointNameDialog(PointNaming& model, QWidget* parent = nullptr);

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void closeIfDone();

    PointNaming& model_;
    QLineEdit* text_ = nullptr;
    QListWidget* list_ = nullptr;
    QPushButton* register_ = nullptr;
    QPushButton* delete_ = nullptr;
};

// Runs the dialog modally over `parent`; the route map installs it as its naming dialog.
void runPointNameDialog(PointNaming& model, QWidget* parent);

}  // namespace orv
