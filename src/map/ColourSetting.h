#pragma once
// The colour dialog ORV_MAKEC ("表示色の設定"): edits a copy of one colour set (the working
// colours) with seven swatches and the background level, shows the result on a colour strip
// and a preview, and writes it back into the colour table on "登録" or "ｷｬﾝｾﾙ". The window
// (ui/ColourSettingDialog) shows this model and forwards every action to it.
//
// The swatches and buttons follow the one dispatch rule of every window
// (platform/CommandQueue.h): one that arrives while a colour picker is open waits for it.
#include "platform/CommandQueue.h"
#include "platform/DialogOutcome.h"
#include "platform/Dialogs.h"
#include "platform/DrawingSurface.h"
#include "state/AppState.h"
#include "state/ColourTable.h"

#include <functional>
#include <optional>
#include <string>

namespace orv {

inline constexpr int kLevelSliderMin = 90;   // the background level is slider value / 100
inline constexpr int kLevelSliderMax = 100;
inline constexpr int kContourBand = 6;

inline constexpr const char* kColourDialogTitle = "表示色の設定";
inline constexpr const char* kUnregisteredSetMessage =
    "指定色は現在未登録です。デフォルト色を参照して作成して下さい。";
inline constexpr const char* kBadLevelMessage =
    "背景レベルには0.9から1.0までの数値を入力して下さい。";
inline constexpr const char* kColourDialogHelp = "ORVANE14.hlp";

// The level as the text box shows it: shortest form with its leading zero ("0.9", "0.95", "1").
std::string levelText(float level);
// The number in a level text when it is one from 0.9 to 1 (blanks around it and full-width
// digits allowed); nothing otherwise.
std::optional<float> parseLevelText(const std::string& text);

// A swatch or button of the dialog.
struct ColourSettingCommand {
    enum class Kind { PickColour, Register, Cancel, Restore, Help };
    Kind kind = Kind::Help;
    int band = 0;  // the swatch of PickColour, 0..6
};

class ColourSetting {
public:
    // `working` is the map's working colour set, which the dialog edits in place.
    ColourSetting(AppState& state, ColourSet& working, Dialogs& dialogs);

    // Opening: takes the set named by colourSetIndex (or the default set when that one is not
    // registered yet) and the saved background level.
    void activate();

    void pickBandColour(int band);  // swatches 0..5 ("基準色の作成")
    void pickContourColour();       // the contour swatch ("等高線色の作成")
    void moveSlider(int value);     // 90..100
    void editLevelText(std::string text);

    // "登録" and "ｷｬﾝｾﾙ": true when the dialog closes; false (after a message) when the level
    // text is not an acceptable number.
    bool registerColours();
    bool cancel();
    void restore();   // "戻す"
    void showHelp();  // "ヘルプ"
    // Closed by the window frame or Escape: reported as a cancel, nothing written back.
    void dismiss();

    // Accepted after "登録", Cancelled after "ｷｬﾝｾﾙ" or a dismissal; nothing while open.
    std::optional<DialogOutcome> outcome() const { return outcome_; }

    Colour swatchColour(int band) const;  // 0..6
    const std::string& message() const { return message_; }
    const std::string& levelTextShown() const { return levelText_; }
    int sliderValue() const { return slider_; }
    int editedSet() const { return editedSet_; }
    int baseSet() const { return baseSet_; }
    bool closed() const { return outcome_.has_value(); }
    const DrawingSurface& strip() const { return strip_; }
    DrawingSurface& strip() { return strip_; }
    DrawingSurface& preview() { return preview_; }

    // Called after every change the dialog shows.
    std::function<void()> changed;

private:
    void run(const ColourSettingCommand& command);
    void pickColour(int band);
    bool writeBack();
    void refresh();

    AppState& state_;
    ColourSet& working_;
    Dialogs& dialogs_;
    int editedSet_ = 0;
    int baseSet_ = 0;
    std::string message_;
    std::string levelText_;
    int slider_ = kLevelSliderMin;
    std::optional<DialogOutcome> outcome_;
    DrawingSurface strip_;
    DrawingSurface preview_;
    CommandQueue<ColourSettingCommand> commands_;
};

}  // namespace orv
