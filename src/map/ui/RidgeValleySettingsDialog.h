#pragma once
// ORV_ONECOFIG, the settings dialog of ridge and valley tracing ("尾根筋作図設定"): the
// explanation, the frames "尾根" and "谷" with a colour swatch, a width slider 1..5 with its
// text box and "実　行", and "ヘルプ". It shows a RidgeValleySettings and forwards every action.
#include "map/RidgeValleySettings.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace orv {

class RidgeValleySettingsDialog : public QDialog {
    Q_OBJECT
public:
    RidgeValleySettingsDialog(RidgeValleySettings& model, QWidget* parent = nullptr);

private:
    QGroupBox* buildFrame(int frame);
    void refresh();

    RidgeValleySettings& model_;
    std::array<QPushButton*, 2> swatches_{};
    std::array<QSlider*, 2> sliders_{};
    std::array<QLineEdit*, 2> widthTexts_{};
};

// Runs the dialog modally over `parent`; the route map installs it as its tracing's dialog.
void runRidgeValleySettingsDialog(RidgeValleySettings& model, QWidget* parent);

}  // namespace orv
