#include "app/ui/SplashWindow.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace orv {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("ORV_SPLASH");
    setFixedSize(420, 220);
    setStyleSheet("background:#1f3b2c; color:#f4f1e6;");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 18);

    auto* title = new QLabel(QString::fromUtf8("登山ルート作成ツール"), this);
    QFont titleFont = title->font();
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(QStringLiteral("Ver3.1"), this);
    version->setAlignment(Qt::AlignCenter);

    // The animation area: an indeterminate bar while the program starts.
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    bar->setFixedHeight(8);
    animation_ = new QLabel(this);
    animation_->setVisible(false);
    auto* animationLayout = new QVBoxLayout(animation_);
    animationLayout->setContentsMargins(0, 0, 0, 0);
    animationLayout->addWidget(bar);

    auto* credit = new QLabel(QString::fromUtf8("Orvane　標高データ 出典：国土地理院"), this);
    credit->setAlignment(Qt::AlignCenter);
    QFont small = credit->font();
    small.setPointSize(8);
    credit->setFont(small);

    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addStretch();
    layout->addWidget(animation_);
    layout->addWidget(credit);
}

void SplashWindow::start() {
    animation_->setVisible(false);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    QCoreApplication::processEvents();
    animation_->setVisible(true);
    QCoreApplication::processEvents();
}

}  // namespace orv
