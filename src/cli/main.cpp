// orvane-cli: Orvane's logic from the command line, without a display.
#include "cli/Cli.h"
#include "platform/Fonts.h"

#include <QGuiApplication>

#include <cstdlib>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    // Pictures with text need a GUI application; the offscreen platform draws them without a
    // display. Qt Network's requests need an application object too; nothing is shown.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    orv::installFontSubstitutions();
    std::vector<std::string> args(argv + 1, argv + argc);
    return orv::cli::runCli(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
