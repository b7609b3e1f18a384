#pragma once
// ORV_SELTRK, the GPS format dialog ("TRKデータの選択"): five format options, the check box
// "WPTデータも読む" and the button "実行". It only records the choice; runGpsImport acts on it.
#include "gps/GpsImportRun.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QRadioButton;

namespace orv {

class SelectTrackDialog : public QDialog {
    Q_OBJECT
public:
    explicit SelectTrackDialog(QWidget* parent = nullptr);

    // The option clicked last (0 until another is clicked) and the check box.
    GpsFormatChoice choice() const;

private:
    std::array<QRadioButton*, kGpsFormatCount> options_{};
    QCheckBox* readWaypoints_ = nullptr;
    int option_ = kGpsFormatPcx;
};

// Shows the dialog modally: the choice after "実行", nothing when it was closed otherwise.
std::optional<GpsFormatChoice> runSelectTrackDialog(QWidget* parent);

}  // namespace orv
