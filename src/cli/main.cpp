// orvane-cli: Orvane's logic from the command line, without a display.
#include "cli/Cli.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    // Qt Network's requests need an event loop's application object; nothing is shown.
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    return orv::cli::runCli(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
