#include "cli/Cli.h"

#include "cli/DemCommand.h"

#include <ostream>

namespace orv::cli {

namespace {

constexpr const char* kUsage =
    "使い方: orvane-cli COMMAND [OPTIONS]\n"
    "\n"
    "COMMAND:\n"
    "  dem    今の測量成果（FG-GML DEM、標高タイル）から50mメッシュ（標高）のファイルを作ります\n"
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
    if (args[0] == "dem") return runDemCommand({args.begin() + 1, args.end()}, out, err, terminal);
    err << "orvane-cli: コマンド「" << args[0] << "」はありません\n" << kUsage;
    return kExitUsage;
}

}  // namespace orv::cli
