#pragma once
// The main of a benchmark that draws text: text needs a GUI application for the font database
// and the program's font substitutions.
#include "platform/Fonts.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace orv::bench {

inline int runTextBenchmarks(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace orv::bench
