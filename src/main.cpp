// Orvane: starts the program on the desktop.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "app/Paths.h"
#include "app/StartPreparation.h"
#include "app/Startup.h"
#include "app/ui/SplashWindow.h"
#include "app/ui/StartMenuWindow.h"
#include "platform/Fonts.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/Translation.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

const char* const kNoDisplay =
    "orvane: 画面（ディスプレイ）に接続できません。X11 または Wayland のデスクトップ上で起動してください。\n";

bool displayConfigured() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') return true;  // chosen explicitly (offscreen, …)
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

bool applicationStarted = false;

// A display that is configured but cannot be reached makes Qt stop with a fatal message while
// the application object is made: say it in one line and leave without a crash. Qt's own
// complaints before that point only repeat it.
void messageHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(applicationStarted ? "orvane: " : kNoDisplay, stderr);
        if (applicationStarted) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::fflush(stderr);
        _exit(1);
    }
    if (applicationStarted && (type == QtCriticalMsg || type == QtWarningMsg))
        std::fprintf(stderr, "orvane: %s\n", message.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayConfigured()) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    qInstallMessageHandler(messageHandler);
    const std::filesystem::path appFolder = orv::findAppFolder(orv::executableFolder());
    orv::StartPreparation preparation(appFolder);
    QApplication app(argc, argv);
    applicationStarted = true;
    QApplication::setApplicationName("Orvane");
    orv::installFontSubstitutions();
    if (!orv::installJapaneseTranslation())
        std::fputs("orvane: Qt の日本語訳 (qtbase_ja) が見つかりません。標準ダイアログは英語で表示されます。\n", stderr);

    auto state = preparation.takeState();
    orv::IniStore settings;
    const orv::StartPaths paths{appFolder, orv::defaultDataFolder(), orv::defaultSettingsPath()};
    orv::QtDialogs startDialogs(nullptr);
    preparation.waitForFonts();
    orv::SplashWindow splash;
    std::unique_ptr<orv::StartMenuWindow> startMenu;

    orv::StartWindows windows;
    windows.showSplash = [&] { splash.start(); };
    windows.showStartMenu = [&] {
        startMenu = std::make_unique<orv::StartMenuWindow>(*state, settings, paths.settingsFile, nullptr,
                                                           nullptr, preparation.takeOverview());
        startMenu->show();
        splash.close();
    };
    const auto result = orv::startProgram(*state, settings, paths, startDialogs, windows);
    if (result != orv::StartResult::Started) return 1;
    // The start menu quits the application once its exit question is answered Yes.
    return QApplication::exec();
}
