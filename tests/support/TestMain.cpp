// Test main: every test program runs with an offscreen Qt application, so drawing, fonts and
// windows work without a display.
#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Fonts.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    orv::installFontSubstitutions();
    return RUN_ALL_TESTS();
}
