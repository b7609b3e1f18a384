#include "terrain/DemMessages.h"

#include <cstdio>

namespace orv::terrain {

namespace {

constexpr const char* kBreak = "\r\n";
constexpr size_t kProblemsListed = 5;

std::string percent(long long part, long long whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%", whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
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

std::string summaryText(const DemBuildReport& r) {
    std::string text = r.meshesWritten() > 0 ? "標高データを作成しました。" : "標高データを作成できませんでした。";
    if (r.cancelled) text = "標高データの作成を取り消しました。";
    text += kBreak;
    const long long cells = r.cellsWritten();
    text += "書き出したメッシュ: " + std::to_string(r.meshesWritten()) + " / 9" + kBreak;
    if (cells > 0) {
        text += "データのあるセル: " + percent(r.cellsWithData(), cells) + kBreak;
        text += "粗いデータで補ったセル: " + std::to_string(r.cellsFromCoarser()) + kBreak;
        text += "海・データなしのセル: " + std::to_string(cells - r.cellsWithData()) + kBreak;
    }
    for (const auto& m : r.meshes)
        if (!m.written && !m.notWritten.empty() && !r.cancelled)
            text += "メッシュ " + m.code + " は書き出していません（" + m.notWritten + "）" + kBreak;
    if (r.offline) text += "標高タイルのサーバーに接続できません。ネットワークの接続を確かめてください。" + std::string(kBreak);
    for (size_t i = 0; i < r.problems.size() && i < kProblemsListed; ++i)
        text += sourceProblemText(r.problems[i]) + kBreak;
    if (r.problems.size() > kProblemsListed)
        text += "ほか " + std::to_string(r.problems.size() - kProblemsListed) + " 件のデータを読めませんでした" + kBreak;
    text += kSurveyCredit;
    return text;
}

}  // namespace orv::terrain
