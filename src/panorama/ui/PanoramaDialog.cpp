#include "panorama/ui/PanoramaDialog.h"

#include "geo/Angles.h"
#include "platform/qt/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace orv::panorama {

namespace {

// The first entry keeps the observer the settings have; the last is a typed position.
constexpr int kCurrentObserver = 0;

QDoubleSpinBox* numberField(QWidget* parent, double lo, double hi, double step, int decimals, double value,
                            const char* suffix) {
    auto* field = new QDoubleSpinBox(parent);
    field->setRange(lo, hi);
    field->setSingleStep(step);
    field->setDecimals(decimals);
    field->setValue(value);
    field->setSuffix(QString::fromUtf8(suffix));
    return field;
}

QString dmsText(double degrees) { return toQString(degreesToDmsText(degrees, 1)); }

}  // namespace

PanoramaDialog::PanoramaDialog(const PanoramaSettings& settings, std::vector<ObserverChoice> choices, bool download,
                               QWidget* parent)
    : QDialog(parent), start_(settings), choices_(std::move(choices)), download_(download) {
    setObjectName("ORV_PANORAMA_SETTINGS");
    setWindowTitle(QString::fromUtf8("展望図の設定"));
    buildLayout();
}

void PanoramaDialog::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildObserverSection());
    layout->addWidget(buildViewSection());
    downloadBox_ = new QCheckBox(QString::fromUtf8("足りない標高タイルをダウンロードする"), this);
    downloadBox_->setChecked(download_);
    layout->addWidget(downloadBox_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("展望図を描く"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PanoramaDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PanoramaDialog::reject);
    layout->addWidget(buttons);
}

QWidget* PanoramaDialog::buildObserverSection() {
    auto* box = new QGroupBox(QString::fromUtf8("観測点"), this);
    auto* form = new QFormLayout(box);
    observer_ = new QComboBox(box);
    observer_->setObjectName("observer");
    observer_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    observer_->setMinimumContentsLength(24);
    const QString current = start_.observerName.empty() ? QString::fromUtf8("現在の位置")
                                                         : toQString(start_.observerName);
    observer_->addItem(current);
    for (const ObserverChoice& choice : choices_) observer_->addItem(toQString(choice.caption));
    observer_->addItem(QString::fromUtf8("緯度経度を入力"));
    form->addRow(QString::fromUtf8("場所"), observer_);
    latitude_ = new QLineEdit(dmsText(start_.observer.latitude), box);
    latitude_->setObjectName("latitude");
    longitude_ = new QLineEdit(dmsText(start_.observer.longitude), box);
    longitude_->setObjectName("longitude");
    form->addRow(QString::fromUtf8("緯度（世界測地系 D.MMSS）"), latitude_);
    form->addRow(QString::fromUtf8("経度（世界測地系 D.MMSS）"), longitude_);
    eyeHeight_ = numberField(box, 0.0, kMaxEyeHeight, 0.1, 1, start_.eyeHeight, " m");
    eyeHeight_->setObjectName("eyeHeight");
    form->addRow(QString::fromUtf8("目の高さ（地面から）"), eyeHeight_);
    connect(observer_, &QComboBox::currentIndexChanged, this, &PanoramaDialog::observerChosen);
    observerChosen(kCurrentObserver);
    return box;
}

QWidget* PanoramaDialog::buildViewSection() {
    auto* box = new QGroupBox(QString::fromUtf8("見る範囲"), this);
    auto* form = new QFormLayout(box);
    azimuth_ = numberField(box, 0.0, 359.9, 5.0, 1, start_.azimuth, " °");
    azimuth_->setWrapping(true);
    form->addRow(QString::fromUtf8("中心の方位（北から右回り）"), azimuth_);
    fieldOfView_ = numberField(box, kMinFieldOfView, 360.0, 10.0, 0, start_.fieldOfView, " °");
    form->addRow(QString::fromUtf8("視野（360°で全周）"), fieldOfView_);
    distance_ = numberField(box, kMinSightDistanceKm, kMaxSightDistanceKm, 10.0, 0, start_.maxDistanceKm, " km");
    distance_->setObjectName("distance");
    form->addRow(QString::fromUtf8("最大距離"), distance_);
    refraction_ = numberField(box, -1.0, 1.0, 0.01, 2, start_.refraction, "");
    form->addRow(QString::fromUtf8("大気の屈折係数"), refraction_);
    return box;
}

void PanoramaDialog::observerChosen(int index) {
    const bool typed = index == observer_->count() - 1;
    latitude_->setEnabled(typed);
    longitude_->setEnabled(typed);
    if (typed) return;
    const LatLon at = index == kCurrentObserver ? start_.observer : choices_[static_cast<size_t>(index - 1)].position;
    latitude_->setText(dmsText(at.latitude));
    longitude_->setText(dmsText(at.longitude));
}

std::optional<std::string> PanoramaDialog::read(PanoramaSettings& settings) const {
    PanoramaSettings read = start_;
    const int index = observer_->currentIndex();
    if (index == observer_->count() - 1) {
        const std::optional<double> latitude = dmsTextDegrees(latitude_->text().trimmed().toStdString());
        const std::optional<double> longitude = dmsTextDegrees(longitude_->text().trimmed().toStdString());
        if (!latitude || !longitude) return std::string("緯度・経度は D.MMSS の形で入力してください。");
        read.observer = {*latitude, *longitude};
        read.observerName.clear();
        read.groundHeight = std::nan("");
    } else if (index > kCurrentObserver) {
        const ObserverChoice& choice = choices_[static_cast<size_t>(index - 1)];
        read.observer = choice.position;
        read.observerName = choice.caption;
        read.groundHeight = choice.groundHeight;
    }
    read.eyeHeight = eyeHeight_->value();
    read.azimuth = azimuth_->value();
    read.fieldOfView = fieldOfView_->value();
    read.maxDistanceKm = distance_->value();
    read.refraction = refraction_->value();
    if (std::optional<std::string> problem = settingsProblem(read)) return problem;
    settings = read;
    return std::nullopt;
}

bool PanoramaDialog::download() const { return downloadBox_->isChecked(); }

void PanoramaDialog::accept() {
    PanoramaSettings settings;
    if (const std::optional<std::string> problem = read(settings)) {
        QMessageBox::warning(this, windowTitle(), toQString(*problem));
        return;
    }
    QDialog::accept();
}

bool runPanoramaDialog(PanoramaSettings& settings, const std::vector<ObserverChoice>& choices, AppState& state,
                       QWidget* parent) {
    PanoramaDialog dialog(settings, choices, state.sightChoices.download, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (dialog.read(settings)) return false;
    state.sightChoices.download = dialog.download();
    return true;
}

}  // namespace orv::panorama
