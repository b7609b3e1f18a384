// The yardstick of the start-up measurement: an empty Qt widget window, started and shown the
// way the program shows its first window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty"));
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
