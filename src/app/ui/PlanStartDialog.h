#pragma once
// ORV_MRINFO, the plan start dialog ("ルート作成" / "ルート読み込み"): the management file name box
// with the list of saved plans (a double click opens one), the mountain-name file box with
// "参照" and "山名ﾌｧｲﾙ新規作成", the check boxes for the elevation data and the CD-ROM with up
// to three disc icons, the hard-disk data folder with "標高データの作成", and the
// buttons "実　行", "ｷｬﾝｾﾙ" and "ヘルプ". It shows a PlanStart model and forwards every action.
#include "app/PlanStart.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace orv {

class PlanStartDialog : public QDialog {
    Q_OBJECT
public:
    // The model has been opened (PlanStart::open) before.
    explicit PlanStartDialog(PlanStart& model, QWidget* parent = nullptr);
    ~PlanStartDialog() override;

public slots:
    // Closing by the frame or Escape is "ｷｬﾝｾﾙ".
    void reject() override;

private:
    // The dialog's layout from its sections.
    void buildLayout();
    QGroupBox* buildPlanBox();
    QGroupBox* buildMountainFileBox();
    QGroupBox* buildDemSourceBox();
    void addDiskFolderRow(QGroupBox* demGroup, QGridLayout* demRows, int row);
    QHBoxLayout* buildButtons();
    void refresh();
    // "実　行": the dialog closes when the model accepts.
    void executePlan();

    PlanStart& model_;
    QLineEdit* nameBox_ = nullptr;
    QTreeWidget* planList_ = nullptr;
    QLineEdit* mountainBox_ = nullptr;
    QCheckBox* useDem_ = nullptr;
    QCheckBox* useDisc_ = nullptr;
    QLabel* discNote_ = nullptr;
    QLabel* discPrompt_ = nullptr;
    QLineEdit* diskFolder_ = nullptr;
    QLabel* noDisc_ = nullptr;
    std::array<QToolButton*, kMaxDiscIcons> discIcons_{};
    int focusRequestsSeen_ = 0;
};

// Shows the dialog modally over `parent` and returns when it closes.
void runPlanStartDialog(PlanStart& model, QWidget* parent);

}  // namespace orv
