#include "cli/Cli.h"

#include "cli/CliText.h"
#include "cli/CommandLine.h"
#include "cli/ConvertCommand.h"
#include "cli/DemCommand.h"
#include "cli/PanoramaCommand.h"
#include "cli/ProfileCommand.h"
#include "cli/RenderCommand.h"
#include "core/ShownText.h"
#include "core/Version.h"

#include <ostream>

namespace orv::cli {

namespace {

CommandSyntax programSyntax() {
    CommandSyntax s;
    s.synopsis =
        "使い方: orvane-cli COMMAND [OPTIONS]\n"
        "       orvane-cli COMMAND --help\n"
        "       orvane-cli --version\n";
    s.description =
        "COMMAND:\n"
        "  dem      今の測量成果（FG-GML DEM、標高タイル）から50mメッシュ（標高）のファイルを作ります\n"
        "  convert  GPSのファイルを GPX、PCXトラック、Waypoint+ の間で変換します\n"
        "  render   ルート平面図の絵を画面なしで描いてファイルにします\n"
        "  profile  ルート断面図の絵を画面なしで描いてファイルにします\n"
        "  panorama 地点からの展望図を画面なしで描いてファイルにします";
    s.options = {{{"v", "version"}, "", "バージョンを表示します", ""}};
    s.epilogue = "orvane-cli COMMAND --help で各コマンドの説明を表示します。\n";
    return s;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
    if (!args.empty()) {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "dem") return runDemCommand(rest, out, err, terminal);
        if (args[0] == "convert") return runConvertCommand(rest, out, err);
        if (args[0] == "render") return runRenderCommand(rest, out, err);
        if (args[0] == "profile") return runProfileCommand(rest, out, err);
        if (args[0] == "panorama") return runPanoramaCommand(rest, out, err, terminal);
    }
    CommandLine line(programSyntax());
    if (args.empty()) {
        err << line.helpText();
        return kExitUsage;
    }
    if (args[0] == "help") {
        out << line.helpText();
        return kExitOk;
    }
    if (!isOption(args[0])) return line.usageError(err, "コマンド「" + shownFileText(args[0]) + "」はありません");
    if (const auto problem = line.parse(args)) return line.usageError(err, *problem);
    if (line.helpAsked()) {
        out << line.helpText();
        return kExitOk;
    }
    if (line.isSet("version")) {
        out << "orvane-cli " << kVersion << '\n';
        return kExitOk;
    }
    // Options without a command.
    return line.usageError(err, "コマンドがありません");
}

}  // namespace orv::cli
