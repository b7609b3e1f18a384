#pragma once
// ORV_MAKEC, the colour dialog ("表示色の設定"): seven colour swatches, the message panel, the
// background level slider and text, the colour strip and the preview, and the buttons "登録",
// "ｷｬﾝｾﾙ", "戻す", "ヘルプ". It shows a ColourSetting and forwards every action to it.
#include "map/ColourSetting.h"
#include "map/MapContext.h"

#include <QDialog>

#include <array>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace orv {

class SurfaceWidget;

class ColourSettingDialog : public QDialog {
    Q_OBJECT
public:
    ColourSettingDialog(AppState& state, ColourSet& working, Dialogs& dialogs, QWidget* parent = nullptr);
    ~ColourSettingDialog() override;

    ColourSetting& model() { return model_; }

public slots:
    // Closing by the frame or Escape reports a cancel without writing anything back.
    void reject() override;

private:
    // The dialog's layout from its sections.
    void buildLayout();
    QGridLayout* buildSwatches();
    QHBoxLayout* buildLevelRow();
    QHBoxLayout* buildPictures();
    QHBoxLayout* buildButtons();
    void refresh();
    void finish(bool closes, int result);

    ColourSetting model_;
    std::array<QPushButton*, kColourBands> swatches_{};
    QLabel* message_ = nullptr;
    QSlider* slider_ = nullptr;
    QLineEdit* levelText_ = nullptr;
    SurfaceWidget* strip_ = nullptr;
    SurfaceWidget* preview_ = nullptr;
};

// Opens the colour dialog for the set colourSetIndex over the map window and returns when it
// closes: Accepted when the colours were registered. The route map installs it as
// MapContext::openColourDialog.
DialogOutcome runColourSettingDialog(MapContext& ctx, QWidget* parent);

}  // namespace orv
