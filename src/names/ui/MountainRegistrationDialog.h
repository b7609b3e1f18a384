#pragma once
// ORV_MNSET "山名登録": the sheet data, the reference corner with its picture, the two
// measurements, the mountain's fields and the buttons "計算", "登録", "終了", "ヘルプ". The
// window only shows its model (names/MountainRegistration) and forwards the user's actions.
#include "names/MountainRegistration.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace orv {

class MountainRegistrationDialog : public QDialog {
    Q_OBJECT
public:
    MountainRegistrationDialog(MountainRegistration& model, QWidget* parent = nullptr);
    ~MountainRegistrationDialog() override;

private:
    QWidget* buildSheetBox();
    QWidget* buildCornerBox();
    QWidget* buildMeasurementBox();
    QWidget* buildMountainBox();
    QLineEdit* addBox(QWidget* parent, const char* name);
    void takeBoxes();
    void refresh();

    MountainRegistration& model_;
    std::array<QLineEdit*, 8> sheetBoxes_{};
    std::array<QRadioButton*, 4> corners_{};
    QLabel* cornerPicture_ = nullptr;
    QLineEdit* latitudeMm_ = nullptr;
    QLineEdit* longitudeMm_ = nullptr;
    std::array<QLineEdit*, 5> mountainBoxes_{};
};

// Shows the dialog modally over the opened model.
void runMountainRegistrationDialog(MountainRegistration& model, QWidget* parent);

}  // namespace orv
