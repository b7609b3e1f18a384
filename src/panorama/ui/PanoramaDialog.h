#pragma once
// The settings of "展望図..." and of the panorama window's "設定": where from (the current
// observer, a route point, a mountain of the plan, or a typed latitude and longitude in D.MMSS
// on the world datum), the eye's height above the ground, the direction and field of view,
// the largest distance, the coefficient of refraction and whether missing tiles are fetched.
#include "panorama/RouteMapSight.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;

namespace orv::panorama {

class PanoramaDialog : public QDialog {
    Q_OBJECT
public:
    PanoramaDialog(const PanoramaSettings& settings, std::vector<ObserverChoice> choices, bool download,
                   QWidget* parent = nullptr);

    // The settings as the dialog shows them; a Japanese message when a value is not usable.
    std::optional<std::string> read(PanoramaSettings& settings) const;
    bool download() const;

    QComboBox* observerBox() const { return observer_; }
    QLineEdit* latitudeField() const { return latitude_; }
    QLineEdit* longitudeField() const { return longitude_; }
    QDoubleSpinBox* eyeHeightField() const { return eyeHeight_; }
    QDoubleSpinBox* distanceField() const { return distance_; }

    void accept() override;

private:
    void buildLayout();
    QWidget* buildObserverSection();
    QWidget* buildViewSection();
    void observerChosen(int index);

    PanoramaSettings start_;
    std::vector<ObserverChoice> choices_;
    bool download_ = true;
    QComboBox* observer_ = nullptr;
    QLineEdit* latitude_ = nullptr;
    QLineEdit* longitude_ = nullptr;
    QDoubleSpinBox* eyeHeight_ = nullptr;
    QDoubleSpinBox* azimuth_ = nullptr;
    QDoubleSpinBox* fieldOfView_ = nullptr;
    QDoubleSpinBox* distance_ = nullptr;
    QDoubleSpinBox* refraction_ = nullptr;
    QCheckBox* downloadBox_ = nullptr;
};

// Runs the dialog modally; true when confirmed (settings and state.sightChoices.download then
// hold what it showed).
bool runPanoramaDialog(PanoramaSettings& settings, const std::vector<ObserverChoice>& choices, AppState& state,
                       QWidget* parent);

}  // namespace orv::panorama
