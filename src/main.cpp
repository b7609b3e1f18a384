// Orvane: starts the program on the desktop.
#include "state/AppState.h"
#include "app/IniStore.h"
#include "app/Paths.h"
#include "app/StartPreparation.h"
#include "app/Startup.h"
#include "app/ui/SplashWindow.h"
#include "app/ui/StartMenuWindow.h"
#include "core/Version.h"
#include "platform/Fonts.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/Translation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace {

const char* const kNoDisplay =
    "orvane: 画面（ディスプレイ）に接続できません。X11 または Wayland のデスクトップ上で起動してください。\n";

bool displayConfigured(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "-platform" || argument == "--platform") return true;  // Qt's option
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') return true;  // chosen explicitly (offscreen, …)
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

bool applicationStarted = false;

const char* const kUsage =
    "使い方: orvane [オプション] [ファイル]\n"
    "\n"
    "日本の山の登山ルートを計画し、GPSで記録した山行を振り返ります。\n"
    "ファイルを指定すると、起動画面がそのファイルで続けます。\n"
    "  ルートデータファイル（.RTD）        その山行計画を開きます\n"
    "  GPSファイル（.TRK .WPT .GPX .TXT）  山行記録として読み込みます\n"
    "  山名ファイル（.ndb .Ymd）           山行計画の山名ファイルにします\n"
    "\n"
    "  -h, --help     この説明を表示します\n"
    "  -v, --version  バージョンを表示します\n";

// The program's own options. Qt's options (-platform, -style, …) are taken out of the
// arguments by the application object.
struct Options {
    QCommandLineParser parser;
    QCommandLineOption help{{"h", "help"}, "この説明を表示します"};
    QCommandLineOption version{{"v", "version"}, "バージョンを表示します"};

    Options() {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        parser.addPositionalArgument("ファイル", "開くファイル", "[ファイル]");
    }
};

QStringList argumentList(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
    return list;
}

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
    // --help and --version answer before anything starts, without a display. Qt's own options
    // are not known yet here, so only these two are looked at.
    {
        Options early;
        early.parser.parse(argumentList(argc, argv));
        if (early.parser.isSet(early.help)) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (early.parser.isSet(early.version)) {
            std::printf("orvane %s\n", orv::kVersion);
            return 0;
        }
    }
    if (!displayConfigured(argc, argv)) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }
    qInstallMessageHandler(messageHandler);
    const std::filesystem::path appFolder = orv::findAppFolder(orv::executableFolder());
    orv::StartPreparation preparation(appFolder);
    QApplication app(argc, argv);
    applicationStarted = true;
    QApplication::setApplicationName("Orvane");
    QApplication::setApplicationVersion(orv::kVersion);
    // Matches the windows to the desktop entry (its icon on Wayland).
    QGuiApplication::setDesktopFileName("jp.orvane.Orvane");

    Options options;
    if (!options.parser.parse(QApplication::arguments())) {
        QStringList names;
        for (const QString& name : options.parser.unknownOptionNames())
            names << (name.size() == 1 ? "-" : "--") + name;
        const QString unknown = names.join("」「");
        std::fprintf(stderr, "orvane: 知らないオプション「%s」です。\n\n%s", unknown.toLocal8Bit().constData(), kUsage);
        return 2;
    }
    const QStringList files = options.parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "orvane: 開くファイルは一つだけ指定してください。\n\n%s", kUsage);
        return 2;
    }
    std::optional<std::filesystem::path> givenFile;
    if (!files.isEmpty()) {
        const std::filesystem::path file(QFile::encodeName(files.front()).toStdString());
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
        givenFile = ec ? file : absolute;
    }
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
    // A file given goes to the start menu once it is on the screen.
    if (givenFile)
        QTimer::singleShot(0, startMenu.get(), [&] { startMenu->logic().openGivenFile(*givenFile); });
    // The start menu quits the application once its exit question is answered Yes.
    return QApplication::exec();
}
