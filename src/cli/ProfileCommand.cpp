#include "cli/ProfileCommand.h"

#include "app/IniStore.h"
#include "app/Paths.h"
#include "app/PlanFileLoading.h"
#include "app/Settings.h"
#include "app/StartMenuModel.h"
#include "cli/BlockLoading.h"
#include "cli/Cli.h"
#include "cli/CliText.h"
#include "cli/CommandLine.h"
#include "cli/PictureOutput.h"
#include "cli/CommandLineDialogs.h"
#include "profile/Profile.h"
#include "profile/ProfileDrawing.h"
#include "route/Measurement.h"
#include "schedule/CourseTimeCalculation.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

namespace orv::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "orvane-cli profile: ";
CommandSyntax profileSyntax() {
    CommandSyntax s;
    s.command = "profile";
    s.synopsis = "使い方: orvane-cli profile --plan NAME [--data-folder DIR] --dem DIR [--schedule] --out FILE.png|.bmp|-\n";
    s.description =
        "山行計画のルート断面図（784×364）を、画面なしでルート断面図の窓と同じに描いてファイルにします。\n"
        "ルートは計画のブロックの標高で計り直します。左上に計画名を入れます。";
    s.options = {
        {{"plan"}, "NAME", "山行計画（NAME.RTD のルート）", "山行計画の名前"},
        {{"data-folder"}, "DIR", "山行計画のフォルダ（既定 ~/.local/share/Orvane/Data）", "フォルダ"},
        {{"dem"}, "DIR", "50mメッシュ（標高）のファイル（CODE.MEM）のフォルダ", "フォルダ"},
        {{"schedule"}, "", "保存されている歩行条件でコースタイムを計算し、\n区間と５つのデータをすべて表示します", ""},
        {{"out"}, "FILE", "出力ファイル（.png または .bmp。- で標準出力にPNG）", "ファイル"},
    };
    return s;
}

struct ProfileOptions {
    std::string plan;
    fs::path dataFolder;
    fs::path dem;
    bool schedule = false;
    fs::path out;
};

std::optional<std::string> profileOptions(const CommandLine& line, ProfileOptions& o) {
    o.plan = line.value("plan");
    o.dataFolder = line.value("data-folder");
    o.dem = line.value("dem");
    o.schedule = line.isSet("schedule");
    o.out = line.value("out");
    if (o.plan.empty()) return "--plan がありません";
    if (auto problem = planNameProblem(o.plan)) return problem;
    if (o.dem.empty()) return "--dem がありません";
    if (o.out.empty()) return "--out がありません";
    return pictureOutProblem(o.out);
}

}  // namespace

int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommandLine line(profileSyntax());
    if (const auto problem = line.parse(args)) return line.usageError(err, *problem);
    if (line.helpAsked()) {
        out << line.helpText();
        return kExitOk;
    }
    ProfileOptions o;
    if (const auto problem = profileOptions(line, o)) return line.usageError(err, *problem);
    const auto fail = [&err](const std::string& text) {
        err << kPrefix << terminalText(text) << '\n';
        return kExitFailed;
    };

    auto state = makeAppState();
    setStartValues(*state);
    loadSettings(*state, IniStore());
    state->planName = o.plan;
    state->dataFolder = o.dataFolder.empty() ? defaultDataFolder() : o.dataFolder;
    StartMenuModel menu;
    const RouteFileLoad route = readRouteFile(*state, menu);
    if (!route.loaded) return fail(route.message);
    if (state->routeCount < 1) return fail("山行計画「" + o.plan + "」にはルートがありません。");
    if (loadBlock(*state, o.dem) == 0)
        return fail("「" + o.dem.string() + "」に中心メッシュ " + state->centreMeshCode + " の周りの50mメッシュのファイルがありません。");
    measureRoute(*state);

    if (o.schedule) {
        ScheduleParameters parameters;
        parameters.shortRest = state->settings.shortRest;
        const ScheduleResult result = buildSchedule(*state, parameters);
        if (!result.ok) return fail(result.message);
        state->pitchMinutes = static_cast<int16_t>(parameters.pitchMinutes);
        state->profileLabels.fill(true);
    }

    CommandLineDialogs dialogs(err, kPrefix);
    Profile profile(*state, dialogs);
    profile.activate();
    DrawingSurface& picture = profile.surface();
    stampPlanName(picture, *state);
    if (const auto problem = writePicture(picture, o.out, out)) return fail(*problem);
    std::ostream& report = pictureReport(o.out, out, err, kPrefix);
    report << picture.width() << "×" << picture.height() << "\n";
    if (outsideDataDistance(state->route, state->routeCount) > 0) report << routeFiguresLine(*state) << "\n";
    return kExitOk;
}

}  // namespace orv::cli
