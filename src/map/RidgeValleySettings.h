#pragma once
// The settings dialog of ridge and valley tracing (ORV_ONECOFIG, "尾根筋作図設定"): two frames,
// "尾根" (0) and "谷" (1), each with a colour swatch, a width slider 1..5 with its text box and
// a "実　行" button that starts tracing with a line of that kind. The dialog window shows this
// and forwards every action here.
#include "platform/Dialogs.h"
#include "state/AppState.h"

#include <array>
#include <optional>
#include <string>

namespace orv {

inline constexpr const char* kRidgeValleySettingsTitle = "尾根筋作図設定";
inline constexpr const char* kRidgeValleySettingsExplanation =
    "作図する谷・尾根筋の設定をします。\n「実行」ボタンを押した方から作図します。";
inline constexpr std::array<const char*, 2> kRidgeValleyFrameCaptions{"尾根", "谷"};
inline constexpr const char* kLineColourCaption = "線の色";
inline constexpr const char* kLineWidthCaption = "線の太さ";
inline constexpr const char* kTraceExecuteCaption = "実　行";
inline constexpr const char* kRidgeValleyColourTitle = "谷・尾根筋色の作成";
inline constexpr const char* kRidgeValleyHelpFile = "ORVANE12.hlp";
inline constexpr const char* kLineWidthRefusal = "線の太さは1から5の整数で入力して下さい。";
inline constexpr int kMinTraceWidth = 1;
inline constexpr int kMaxTraceWidth = 5;

class RidgeValleySettings {
public:
    RidgeValleySettings(SettingsValues& settings, Dialogs& dialogs);

    // What the dialog shows: per frame the slider, its text box and the swatch colour.
    std::array<int, 2> slider{};
    std::array<std::string, 2> widthText;
    std::array<Colour, 2> swatch{};

    // Moving slider i writes its value into text box i.
    void moveSlider(int frame, int value);
    // The user edits text box i.
    void setWidthText(int frame, std::string text);
    // Clicking swatch i: the colour picker; a picked colour becomes style i's colour.
    void pickColour(int frame);
    // "実　行" of frame i: both widths from the text boxes; the next point starts a line of kind
    // i + 1. False, with a message, when a text box does not hold a whole number 1..5: the
    // dialog stays open.
    bool execute(int frame);
    // "ヘルプ".
    void help();

    // The frame whose "実　行" closed the dialog, nothing while it has not.
    std::optional<int> chosenFrame() const { return chosen_; }

private:
    SettingsValues& settings_;
    Dialogs& dialogs_;
    std::optional<int> chosen_;
};

}  // namespace orv
