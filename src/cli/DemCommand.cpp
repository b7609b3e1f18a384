#include "cli/DemCommand.h"

#include "cli/Cli.h"
#include "cli/CliText.h"
#include "geo/MeshCode.h"
#include "terrain/DemMessages.h"

#include <algorithm>
#include <ostream>

namespace orv::cli {

namespace {

constexpr const char* kDemUsage =
    "使い方: orvane-cli dem --centre CODE (--gml FILE_OR_ZIP... | --tiles DIR | --download [--cache DIR]) --out DIR [--force]\n"
    "\n"
    "中心の2次メッシュとその周りの3×3メッシュの50mメッシュ（標高）ファイル（CODE.MEM）を作ります。\n"
    "\n"
    "  --centre CODE          中心の2次メッシュコード（6桁、例 644205）\n"
    "  --gml FILE_OR_ZIP...   基盤地図情報 数値標高モデル（FG-GML の XML または ZIP、DEM5A/5B/5C/10A/10B を混ぜてよい。細かいものが優先）\n"
    "  --tiles DIR            標高タイルのフォルダ（DIR/z/x/y.txt または .png）\n"
    "  --download             標高タイルをダウンロードする\n"
    "  --cache DIR            ダウンロードしたタイルを置くフォルダ（次から使う）\n"
    "  --url TEMPLATE         タイルのURL（{z} {x} {y} を含む。何度でも指定でき、先のものが優先）\n"
    "  --zoom N               直前の --url のズームレベル（既定 14）\n"
    "  --interval MS          リクエストの最小間隔（ミリ秒、既定 250）\n"
    "  --out DIR              出力フォルダ\n"
    "  --force                出力フォルダにある同じメッシュのファイルを置き換える\n"
    "  -h, --help             この説明\n"
    "\n"
    "出典：国土地理院\n";


}  // namespace

DemParse parseDemOptions(const std::vector<std::string>& args) {
    DemOptions o;
    terrain::DemBuildRequest& r = o.request;
    int sources = 0;
    bool haveOut = false;
    std::vector<terrain::TileServer> servers;
    const auto fail = [](std::string text) { return DemParse{std::nullopt, std::move(text)}; };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= args.size() || isOption(args[i + 1])) return false;
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "-h" || a == "--help") {
            o.help = true;
            return {o, ""};
        } else if (a == "--centre" || a == "--center") {
            if (!value(r.centre)) return fail(a + " にメッシュコードがありません");
        } else if (a == "--gml") {
            ++sources;
            r.kind = terrain::DemSourceKind::Gml;
            while (i + 1 < args.size() && !isOption(args[i + 1])) r.gmlFiles.push_back(args[++i]);
            if (r.gmlFiles.empty()) return fail("--gml にファイルがありません");
        } else if (a == "--tiles") {
            ++sources;
            r.kind = terrain::DemSourceKind::TileFolder;
            if (!value(v)) return fail("--tiles にフォルダがありません");
            r.tileFolder = v;
        } else if (a == "--download") {
            ++sources;
            r.kind = terrain::DemSourceKind::Download;
        } else if (a == "--cache") {
            if (!value(v)) return fail("--cache にフォルダがありません");
            r.download.cacheFolder = v;
        } else if (a == "--url") {
            if (!value(v) || v.find("{z}") == std::string::npos || v.find("{x}") == std::string::npos ||
                v.find("{y}") == std::string::npos)
                return fail("--url には {z} {x} {y} を含むURLを指定してください");
            servers.push_back({v, 14});
        } else if (a == "--zoom") {
            if (servers.empty() || !value(v) || v.empty() || v.size() > 2 ||
                !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }) || std::stoi(v) > 20)
                return fail("--zoom は --url の後に 0〜20 の数で指定してください");
            servers.back().zoom = std::stoi(v);
        } else if (a == "--interval") {
            if (!value(v) || v.empty() || v.size() > 6 ||
                !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return fail("--interval はミリ秒の数で指定してください");
            r.download.minimumIntervalMs = std::stoi(v);
        } else if (a == "--out") {
            if (!value(v)) return fail("--out にフォルダがありません");
            r.outFolder = v;
            haveOut = true;
        } else if (a == "--force") {
            o.force = true;
        } else {
            return fail("知らないオプション「" + a + "」です");
        }
    }
    if (r.centre.empty()) return fail("--centre がありません");
    if (!isValidMeshCode(r.centre)) return fail("メッシュコード「" + r.centre + "」は6桁の2次メッシュコードではありません");
    if (sources != 1) return fail("--gml, --tiles, --download のどれか一つを指定してください");
    if (!haveOut) return fail("--out がありません");
    if (!servers.empty()) r.download.servers = servers;
    return {o, ""};
}

int runDemCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
    const DemParse parsed = parseDemOptions(args);
    if (!parsed.options) {
        err << "orvane-cli dem: " << parsed.error << "\n\n" << kDemUsage;
        return kExitUsage;
    }
    const DemOptions& o = *parsed.options;
    if (o.help) {
        out << kDemUsage;
        return kExitOk;
    }
    terrain::DemBuildHooks hooks;
    std::vector<std::filesystem::path> refused;
    hooks.replaceExisting = [&](const std::vector<std::filesystem::path>& existing) {
        if (!o.force) refused = existing;
        return o.force;
    };
    int lastPercent = -1;
    if (terminal)
        hooks.progress = [&](int done, int total, const std::string& text) {
            const int percent = total > 0 ? done * 100 / total : 0;
            if (percent != lastPercent || !text.empty()) {
                std::string shown = text.size() > 60 ? "…" + text.substr(text.size() - 59) : text;
                err << "\r\x1b[K[" << (percent < 10 ? "  " : percent < 100 ? " " : "") << percent << "%] " << shown << std::flush;
                lastPercent = percent;
            }
            return true;
        };
    auto report = terrain::buildDemBlock(o.request, hooks);
    if (terminal) err << "\r\x1b[K" << std::flush;
    if (!report) {
        err << "orvane-cli dem: " << terminalText(terrain::buildProblemText(report.problem())) << '\n';
        return kExitFailed;
    }
    if (report->declined) {
        err << "orvane-cli dem: 出力フォルダに同じメッシュのファイルがあります（--force で置き換えます）:\n";
        for (const auto& p : refused) err << "  " << p.string() << '\n';
        return kExitFailed;
    }
    const std::string summary = terminalText(terrain::summaryText(*report)) + "\n";
    const bool failed = !report->problems.empty() || report->meshesWritten() == 0 || report->cancelled;
    (failed ? err : out) << summary;
    return failed ? kExitFailed : kExitOk;
}

}  // namespace orv::cli
