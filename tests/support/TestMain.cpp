// Test main: every test program runs with an offscreen Qt application, so drawing, fonts and
// windows work without a display, and an unknown tool id fails the test that sent it.
#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Fonts.h"
#include "support/UnknownTools.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    orv::installFontSubstitutions();
    orv::test::failOnUnknownTools();
    return RUN_ALL_TESTS();
}
