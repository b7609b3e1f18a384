#include "gps/ui/SelectTrackDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr std::array<const char*, kGpsFormatCount> kOptionCaptions{
    "PCXﾌｫｰﾏｯﾄ　ﾃｷｽﾄﾃﾞｰﾀ", "Waypoint＋ﾌｫｰﾏｯﾄ　ﾃｷｽﾄﾃﾞｰﾀ", "POTﾌｫｰﾏｯﾄ　ﾃｷｽﾄﾃﾞｰﾀ",
    "山行計画で作成したルートデータ", "GPXﾌｫｰﾏｯﾄ　ﾌｧｲﾙ"};

// The options from the top: the GPS file formats (GPX third), then the others.
constexpr std::array<int, kGpsFormatCount> kOptionOrder{kGpsFormatPcx, kGpsFormatWaypointPlus, kGpsFormatGpx,
                                                        kGpsFormatPot, kGpsFormatPlanRoute};

}  // namespace

SelectTrackDialog::SelectTrackDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ORV_SELTRK");
    setWindowTitle("TRKデータの選択");
    setModal(true);

    auto* rows = new QVBoxLayout(this);
    auto* note = new QLabel("読み込めるのはテキスト形式のＴＲＫデータのみです。", this);
    note->setObjectName("note");
    rows->addWidget(note);

    auto* group = new QGroupBox(this);
    auto* optionRows = new QVBoxLayout(group);
    for (const int i : kOptionOrder) {
        auto* option =
            new QRadioButton(QString::fromUtf8(kOptionCaptions[static_cast<size_t>(i)]), group);
        option->setObjectName(QStringLiteral("option%1").arg(i));
        optionRows->addWidget(option);
        options_[static_cast<size_t>(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this, i] { option_ = i; });
    }
    options_[kGpsFormatPcx]->setChecked(true);
    rows->addWidget(group);

    auto* bottom = new QHBoxLayout;
    readWaypoints_ = new QCheckBox("WPTデータも読む", this);
    readWaypoints_->setObjectName("readWaypoints");
    bottom->addWidget(readWaypoints_);
    bottom->addStretch(1);
    auto* execute = new QPushButton("実行", this);
    execute->setObjectName("execute");
    execute->setDefault(true);
    bottom->addWidget(execute);
    rows->addLayout(bottom);
    connect(execute, &QPushButton::clicked, this, &QDialog::accept);
}

GpsFormatChoice SelectTrackDialog::choice() const {
    return {option_, readWaypoints_->isChecked()};
}

std::optional<GpsFormatChoice> runSelectTrackDialog(QWidget* parent) {
    SelectTrackDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

}  // namespace orv
