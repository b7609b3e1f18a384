#include "cli/DemCommand.h"

#include "cli/Cli.h"
#include "cli/CliText.h"
#include "cli/CommandLine.h"
#include "core/ShownText.h"
#include "exchange/XmlErrorText.h"
#include "geo/MeshCode.h"
#include "terrain/DemBuild.h"
#include "terrain/DemMessages.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <set>

namespace orv::cli {

namespace {

CommandSyntax demSyntax() {
    CommandSyntax s;
    s.command = "dem";
    s.synopsis =
        "使い方: orvane-cli dem --centre CODE (--gml FILE_OR_ZIP... | --tiles DIR | --download [--cache DIR]) --out DIR [--force]\n"
        "                       [--url TEMPLATE [--zoom N]]... [--interval MS]\n";
    s.description = "中心の2次メッシュとその周りの3×3メッシュの50mメッシュ（標高）ファイル（CODE.MEM）を作ります。";
    s.options = {
        {{"centre", "center"}, "CODE", "中心の2次メッシュコード（6桁、例 644205）", "メッシュコード"},
        {{"gml"}, "FILE_OR_ZIP",
         "基盤地図情報 数値標高モデル（FG-GML の XML または ZIP）。\n"
         "DEM5A/5B/5C/10A/10B を混ぜてよく、細かいものが優先します。\n"
         "後に続くファイルも読みます。何度でも指定できます",
         "ファイル"},
        {{"tiles"}, "DIR", "標高タイルのフォルダ（DIR/z/x/y.txt または .png）", "フォルダ"},
        {{"download"}, "", "標高タイルをダウンロードする", ""},
        {{"cache"}, "DIR", "ダウンロードしたタイルを置くフォルダ（次から使う）", "フォルダ"},
        {{"url"}, "TEMPLATE", "タイルのURL（{z} {x} {y} を含む）。\n何度でも指定でき、先のものが優先します", "URL"},
        {{"zoom"}, "N", "直前の --url のズームレベル（既定 14）", "数"},
        {{"interval"}, "MS", "リクエストの最小間隔（ミリ秒、既定 250）", "数"},
        {{"out"}, "DIR", "出力フォルダ", "フォルダ"},
        {{"force"}, "", "出力フォルダにある同じメッシュのファイルを置き換える", ""},
    };
    s.moreArguments = true;  // the files after --gml's
    s.epilogue = std::string(terrain::kSurveyCredit) + "\n";
    return s;
}

bool isNumber(const std::string& v, size_t maxDigits) {
    return !v.empty() && v.size() <= maxDigits && std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
}

struct DemOptions {
    terrain::DemBuildRequest request;
    bool force = false;  // replace existing files
};

// The options, or the usage error. --zoom belongs to the --url before it, so the options are
// taken in the order given.
std::optional<std::string> demOptions(const CommandLine& line, DemOptions& o) {
    terrain::DemBuildRequest& r = o.request;
    std::set<terrain::DemSourceKind> sources;
    std::vector<terrain::TileServer> servers;
    for (const auto& [name, v] : line.given()) {
        if (name == "centre") {
            r.centre = v;
        } else if (name == "gml") {
            sources.insert(r.kind = terrain::DemSourceKind::Gml);
            r.gmlFiles.push_back(v);
        } else if (name == "tiles") {
            sources.insert(r.kind = terrain::DemSourceKind::TileFolder);
            r.tileFolder = v;
        } else if (name == "download") {
            sources.insert(r.kind = terrain::DemSourceKind::Download);
        } else if (name == "cache") {
            r.download.cacheFolder = v;
        } else if (name == "url") {
            if (v.find("{z}") == std::string::npos || v.find("{x}") == std::string::npos || v.find("{y}") == std::string::npos)
                return "--url には {z} {x} {y} を含むURLを指定してください";
            servers.push_back({v, 14});
        } else if (name == "zoom") {
            if (servers.empty() || !isNumber(v, 2) || std::stoi(v) > 20) return "--zoom は --url の後に 0〜20 の数で指定してください";
            servers.back().zoom = std::stoi(v);
        } else if (name == "interval") {
            if (!isNumber(v, 6)) return "--interval はミリ秒の数で指定してください";
            r.download.minimumIntervalMs = std::stoi(v);
        } else if (name == "out") {
            r.outFolder = v;
        } else if (name == "force") {
            o.force = true;
        } else if (name.empty()) {
            // Files after --gml's are more of them ("--gml *.zip").
            if (!sources.contains(terrain::DemSourceKind::Gml)) return "余分な引数「" + shownFileText(v) + "」があります";
            r.gmlFiles.push_back(v);
        }
    }
    if (r.centre.empty()) return "--centre がありません";
    if (!isValidMeshCode(r.centre)) return "メッシュコード「" + shownFileText(r.centre) + "」は6桁の2次メッシュコードではありません";
    if (sources.size() != 1) return "--gml, --tiles, --download のどれか一つを指定してください";
    if (!line.isSet("out")) return "--out がありません";
    if (r.outFolder == "-") return "--out は出力フォルダです（- で標準出力には書けません）";
    if (!servers.empty()) r.download.servers = servers;
    return std::nullopt;
}

}  // namespace

int runDemCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
    CommandLine line(demSyntax());
    if (const auto problem = line.parse(args)) return line.usageError(err, *problem);
    if (line.helpAsked()) {
        out << line.helpText();
        return kExitOk;
    }
    DemOptions o;
    if (const auto problem = demOptions(line, o)) return line.usageError(err, *problem);
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
        Problem problem = report.problem();
        problem.detail = explainedXmlDetail(problem.detail);
        err << "orvane-cli dem: " << terminalText(terrain::buildProblemText(problem)) << '\n';
        return kExitFailed;
    }
    // The XML parser's English words come after their Japanese cause.
    for (terrain::SourceProblem& p : report->problems) p.problem.detail = explainedXmlDetail(p.problem.detail);
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
