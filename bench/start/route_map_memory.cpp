// Peak memory of the program at the route map: the start menu window opens a plan on the
// bundled sample block (幌尻岳) the way a user does, the route map window shows its picture,
// and the process's peak resident size is read. Run by scripts/bench-start.sh on its display.
#include "app/ui/StartMenuWindow.h"
#include "route/ui/RouteMapWindow.h"
#include "state/ColourTable.h"

#include "../BenchSample.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace orv;

// Answers every question at once; the elevation folder asked for is the sample's.
class SampleDialogs : public bench::ReadyDialogs {
public:
    std::string pickFolder(const std::string&, const std::string&) override { return bench::kSampleFolder; }
};

// A line of /proc/self/status in megabytes (VmHWM: the peak resident size, VmRSS: now).
double statusMegabytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
    return -1;
}

void runEvents(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const fs::path dir = fs::temp_directory_path() / ("orvane-route-map-memory-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(dir / "Data");

    auto state = makeAppState();
    state->appFolder = ORVANE_ASSETS;
    state->dataFolder = dir / "Data";
    state->demMedia = 1;
    state->settings.colourTable[0] = kDefaultColourSet;
    state->settings.registeredSets[0] = 1;
    IniStore settings;
    SampleDialogs dialogs;
    auto window = std::make_unique<StartMenuWindow>(*state, settings, dir / "Orvane2.ini", &dialogs);
    StartDialogs& windows = window->logic().startDialogs();
    windows.planStart = [](PlanStart& dialog) {
        dialog.editName("幌尻岳0801");
        dialog.execute();
    };
    windows.mountainSearch = [&state](const OverviewRange&, const std::function<void()>& clear) {
        clear();
        state->mountainConfirmed = true;
        return std::optional<int>(1);  // 幌尻岳, the first record of the sample file
    };
    windows.trackFormat = [] { return std::optional<GpsFormatChoice>(GpsFormatChoice{kGpsFormatPcx, false}); };
    window->show();
    runEvents(300);
    const double atStartMenu = statusMegabytes("VmHWM");

    window->dispatch("ActMakeRootMode");
    window->meshButton(2)->click();  // 範囲確定: the block is loaded and the route map opens
    const bool opened = window->routeMap() != nullptr && window->routeMap()->isVisible();
    runEvents(500);
    const double peak = statusMegabytes("VmHWM");
    const double now = statusMegabytes("VmRSS");
    std::printf("peak memory: %.1f MB at the start menu, %.1f MB at the route map (now %.1f MB)%s\n",
                atStartMenu, peak, now, opened ? "" : "  [the route map did not open]");
    std::printf("  route map: %.1f MB (target <= 70: %s)\n", peak, peak <= 70.0 ? "met" : "NOT met");
    std::fflush(stdout);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
    std::_Exit(opened ? 0 : 1);  // no exit questions: the measurement is all this program does
}
