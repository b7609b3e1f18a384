#pragma once
// The window shown while Orvane starts: title, version and a small animation area.
#include <QWidget>

class QLabel;

namespace orv {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    // Shows the window, lets it paint once, then shows the animation area.
    void start();

private:
    QLabel* animation_ = nullptr;
};

}  // namespace orv
