// orvane-cli: Orvane's logic from the command line, without a display.
#include "cli/Cli.h"
#include "platform/Fonts.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace {

// Qt's own notes (a missing runtime folder, a font it substitutes) are English words about the
// machine, not about the work: they are left out of what the program prints. A critical or fatal
// one is said after the program's own words.
void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    std::fprintf(stderr, "orvane-cli: Qt の処理に失敗しました（%s）\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (type == QtFatalMsg) std::_Exit(orv::cli::kExitFailed);
}

}  // namespace

int main(int argc, char** argv) {
    // Pictures with text need a GUI application; the offscreen platform draws them without a
    // display. Qt Network's requests need an application object too; nothing is shown.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(qtMessage);
    QGuiApplication app(argc, argv);
    orv::installFontSubstitutions();
    std::vector<std::string> args(argv + 1, argv + argc);
    return orv::cli::runCli(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
