#pragma once
// The font picker of every font command: the desktop font chooser with a colour choice beside
// it, since the desktop's own font dialog has no colour. It returns the whole text style.
// Escape and Enter anywhere in it answer for the whole picker (cancel and OK), never for the
// font chooser inside it alone.
#include "core/TextStyle.h"

#include <QDialog>

#include <optional>

class QFontDialog;
class QPushButton;
class QWidget;

namespace orv {

inline constexpr const char* kFontPickerTitle = "フォント";
inline constexpr const char* kFontColourCaption = "文字の色...";
inline constexpr const char* kFontColourTitle = "文字の色";

class FontPicker : public QDialog {
    Q_OBJECT
public:
    FontPicker(const TextStyle& initial, QWidget* parent = nullptr);

    // The style as chosen so far: the initial style with the font and colour of the dialog.
    TextStyle chosenStyle() const;
    Colour colour() const { return colour_; }
    void setColour(Colour colour);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseColour();
    void showColour();

    TextStyle initial_;
    Colour colour_;
    QFontDialog* fonts_ = nullptr;
    QPushButton* colourButton_ = nullptr;
};

// Shows the picker modally: the chosen style, or nothing when cancelled.
std::optional<TextStyle> pickTextStyle(const TextStyle& initial, QWidget* parent);

}  // namespace orv
