#include "cli/ProfileCommand.h"

#include "app/IniStore.h"
#include "app/Paths.h"
#include "app/PlanFileLoading.h"
#include "app/Settings.h"
#include "app/StartMenuModel.h"
#include "cli/BlockLoading.h"
#include "cli/Cli.h"
#include "cli/CliText.h"
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
constexpr const char* kProfileUsage =
    "使い方: orvane-cli profile --plan NAME [--data-folder DIR] --dem DIR [--schedule] --out FILE.png|.bmp\n"
    "\n"
    "山行計画のルート断面図（784×364）を、画面なしでルート断面図の窓と同じに描いてファイルにします。\n"
    "ルートは計画のブロックの標高で計り直します。左上に計画名を入れます。\n"
    "\n"
    "  --plan NAME         山行計画（NAME.RTD のルート）\n"
    "  --data-folder DIR   山行計画のフォルダ（既定 ~/.local/share/Orvane/Data）\n"
    "  --dem DIR           50mメッシュ（標高）のファイル（CODE.MEM）のフォルダ\n"
    "  --schedule          保存されている歩行条件でコースタイムを計算し、区間と５つのデータをすべて表示します\n"
    "  --out FILE          出力ファイル（.png または .bmp）\n"
    "  -h, --help          この説明\n";

struct ProfileOptions {
    std::string plan;
    fs::path dataFolder;
    fs::path dem;
    bool schedule = false;
    fs::path out;
};

std::optional<std::string> parse(const std::vector<std::string>& args, ProfileOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](fs::path& into) {
            if (i + 1 >= args.size() || isOption(args[i + 1])) return false;
            into = args[++i];
            return true;
        };
        fs::path v;
        if (a == "--plan") {
            if (!value(v)) return "--plan に山行計画の名前がありません";
            o.plan = v.string();
        } else if (a == "--data-folder") {
            if (!value(o.dataFolder)) return "--data-folder にフォルダがありません";
        } else if (a == "--dem") {
            if (!value(o.dem)) return "--dem にフォルダがありません";
        } else if (a == "--schedule") {
            o.schedule = true;
        } else if (a == "--out") {
            if (!value(o.out)) return "--out にファイルがありません";
        } else {
            return "知らないオプション「" + a + "」です";
        }
    }
    if (o.plan.empty()) return "--plan がありません";
    if (auto problem = planNameProblem(o.plan)) return problem;
    if (o.dem.empty()) return "--dem がありません";
    if (o.out.empty()) return "--out がありません";
    const std::string ext = lowerExtension(o.out);
    if (ext != "png" && ext != "bmp") return "--out のファイルは .png か .bmp にしてください";
    return std::nullopt;
}

}  // namespace

int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "-h" || a == "--help"; })) {
        out << kProfileUsage;
        return kExitOk;
    }
    ProfileOptions o;
    if (const auto problem = parse(args, o)) {
        err << kPrefix << *problem << "\n\n" << kProfileUsage;
        return kExitUsage;
    }
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
    const PictureFormat format = pictureFormatFor(o.out);
    if (!picture.savePicture(o.out, format)) return fail("「" + o.out.string() + "」を書けません。");
    out << o.out.string() << ": " << picture.width() << "×" << picture.height() << "\n";
    if (outsideDataDistance(state->route, state->routeCount) > 0) out << routeFiguresLine(*state) << "\n";
    return kExitOk;
}

}  // namespace orv::cli
