#include "terrain/DemMessages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace orv::terrain {

namespace {

constexpr const char* kBreak = "\r\n";
constexpr size_t kProblemsListed = 100;  // in the details; more are counted

std::string percent(long long part, long long whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%", whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
}

// A source's cell size: a product's nominal size as it is ("5m"), a measured one to two
// significant digits ("約450m", "約63m", "約7.8m").
std::string metresText(double metres, bool nominal) {
    if (nominal) return std::to_string(std::lround(metres)) + "m";
    const auto digits = [](double m) { return m > 0 ? static_cast<int>(std::floor(std::log10(m))) : 0; };
    const double unit = std::pow(10.0, digits(metres) - 1);
    const double rounded = std::round(metres / unit) * unit;  // 9.96 becomes 10, not 10.0
    char text[32];
    std::snprintf(text, sizeof text, "%.*fm", std::max(0, 1 - digits(rounded)), rounded);
    return "約" + std::string(text);
}

}  // namespace

std::string sourceProblemText(const SourceProblem& p) {
    std::string text = "ファイル " + p.file;
    if (p.problem.line > 0) text += " の " + std::to_string(p.problem.line) + " 行目";
    return text + ": " + p.problem.detail;
}

std::string buildProblemText(const Problem& problem) {
    return "標高データを作成できません。" + std::string(kBreak) + problem.detail;
}

std::string replaceQuestion(const std::vector<std::filesystem::path>& existing) {
    std::string text = "出力フォルダに同じメッシュのファイルがあります。";
    text += kBreak;
    for (size_t i = 0; i < existing.size(); ++i) text += existing[i].filename().string() + (i + 1 < existing.size() ? " " : "");
    text += kBreak;
    text += "置き換えてよろしいですか";
    return text;
}

namespace {

// The server as the messages name it: the survey's by its owner, any other by its host.
std::string serverName(const std::string& host) {
    if (host == "gsi.go.jp" || host.ends_with(".gsi.go.jp")) return "国土地理院のサーバー";
    return host.empty() ? "標高タイルのサーバー" : "標高タイルのサーバー " + host + " ";
}

std::string headline(const DemBuildReport& r) {
    if (r.cancelled) return "標高データの作成を取り消しました。";
    if (!r.writeFailedFile.empty()) return "標高データを書き出せませんでした。";
    return r.meshesWritten() > 0 ? "標高データを作成しました。" : "標高データを作成できませんでした。";
}

// What went wrong, first: a failed write, the server out of reach, or the first source that
// could not be read (the rest go to the details).
std::vector<std::string> causeLines(const DemBuildReport& r) {
    std::vector<std::string> lines;
    if (!r.writeFailedFile.empty()) {
        lines.push_back("書き込めません（ディスクの空きがないか、書き込めない場所です）: " + r.writeFailedFile);
        lines.push_back(r.writeRestored ? "出力フォルダのファイルは元のままです。"
                                        : "出力フォルダのファイルを元に戻せませんでした。新旧のファイルが混ざっています。");
    }
    if (r.offline) {
        const std::string cause = r.offlineCause.empty() ? "" : "（" + r.offlineCause + "）";
        lines.push_back(serverName(r.offlineHost) + "に接続できません" + cause + "。ネットワークの接続を確かめてください。");
    } else if (!r.problems.empty()) {
        lines.push_back(sourceProblemText(r.problems.front()));
        if (r.problems.size() > 1)
            lines.push_back("ほか " + std::to_string(r.problems.size() - 1) + " 件のデータを読めませんでした");
    }
    return lines;
}

}  // namespace

DemSummary summaryParts(const DemBuildReport& r) {
    DemSummary out;
    out.text = headline(r) + kBreak;
    for (const auto& line : causeLines(r)) out.text += line + kBreak;
    const long long cells = r.cellsWritten();
    out.text += "書き出したメッシュ: " + std::to_string(r.meshesWritten()) + " / 9" + kBreak;
    if (cells > 0) {
        out.text += "データのあるセル: " + percent(r.cellsWithData(), cells) + kBreak;
        if (!r.sources.empty()) {
            std::string sizes;
            for (const auto& s : r.sources)
                sizes += (sizes.empty() ? "" : "、") + metresText(s.metres, s.layer.nominalCellSize()) + "（" +
                         s.layer.name() + "）";
            out.text += "元データのセルの大きさ: " + sizes + kBreak;
        }
        out.text += "50mより粗いデータのセル: " + std::to_string(r.cellsCoarse()) + kBreak;
        out.text += "海・データなしのセル: " + std::to_string(cells - r.cellsWithData()) + kBreak;
    }
    if (r.tilesMissingRemembered > 0)
        out.text += "サーバーにないタイル: " + std::to_string(r.tilesMissing) + "（うち " +
                    std::to_string(r.tilesMissingRemembered) + " は保存先に残る前回の答えによります）" + kBreak;
    out.text += kSurveyCredit;

    std::vector<std::string> details;
    for (const auto& m : r.meshes)
        if (!m.written && !m.notWritten.empty() && !r.cancelled && m.notWritten != kMeshWriteFailed)
            details.push_back("メッシュ " + m.code + " は書き出していません（" + m.notWritten + "）");
    // With the server out of reach every tile failed alike: the first is named with the cause.
    const size_t firstListed = r.offline ? 0 : 1;
    for (size_t i = firstListed; i < r.problems.size() && i < firstListed + kProblemsListed; ++i)
        details.push_back(sourceProblemText(r.problems[i]));
    if (r.problems.size() > firstListed + kProblemsListed)
        details.push_back("ほか " + std::to_string(r.problems.size() - firstListed - kProblemsListed) + " 件");
    for (const auto& line : details) out.details += (out.details.empty() ? "" : kBreak) + line;
    return out;
}

std::string summaryText(const DemBuildReport& r) {
    DemSummary parts = summaryParts(r);
    if (parts.details.empty()) return parts.text;
    const size_t credit = parts.text.size() - std::string(kSurveyCredit).size();
    return parts.text.substr(0, credit) + parts.details + kBreak + kSurveyCredit;
}

}  // namespace orv::terrain
