#include "cli/Cli.h"

#include "cli/ConvertCommand.h"
#include "cli/DemCommand.h"
#include "cli/ProfileCommand.h"
#include "cli/RenderCommand.h"

#include <ostream>

namespace orv::cli {

namespace {

constexpr const char* kUsage =
    "使い方: orvane-cli COMMAND [OPTIONS]\n"
    "\n"
    "COMMAND:\n"
    "  dem      今の測量成果（FG-GML DEM、標高タイル）から50mメッシュ（標高）のファイルを作ります\n"
    "  convert  GPSのファイルを GPX、PCXトラック、Waypoint+ の間で変換します\n"
    "  render   ルート平面図の絵を画面なしで描いてファイルにします\n"
    "  profile  ルート断面図の絵を画面なしで描いてファイルにします\n"
    "\n"
    "orvane-cli COMMAND --help で各コマンドの説明を表示します。\n";

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return kExitOk;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "dem") return runDemCommand(rest, out, err, terminal);
    if (args[0] == "convert") return runConvertCommand(rest, out, err);
    if (args[0] == "render") return runRenderCommand(rest, out, err);
    if (args[0] == "profile") return runProfileCommand(rest, out, err);
    err << "orvane-cli: コマンド「" << args[0] << "」はありません\n" << kUsage;
    return kExitUsage;
}

}  // namespace orv::cli
