#include "app/RidgeValleyFile.h"

#include "app/PlanName.h"
#include "core/NumberText.h"
#include "core/Rounding.h"
#include "platform/Progress.h"

#include <algorithm>
#include <cctype>

namespace orv {

namespace {

// Progress counts every line as its characters plus this many.
constexpr int kLineOverhead = 5;

std::string_view trimBlanks(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// The token before the first blank and the trimmed text from that blank on.
std::pair<std::string_view, std::string_view> splitFirst(std::string_view s) {
    const auto blank = s.find(' ');
    if (blank == std::string_view::npos) return {trimBlanks(s), {}};
    return {trimBlanks(s.substr(0, blank)), trimBlanks(s.substr(blank))};
}

bool isNumberText(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0;
}

size_t characterCount(std::string_view utf8) {
    size_t n = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u) ++n;
    return n;
}

}  // namespace

std::string ridgeValleyLine(const RidgeValleyPoint& p) {
    return p.latitude + " " + p.longitude + " " + integerText(p.kind);
}

std::optional<RidgeValleyPoint> parseRidgeValleyLine(std::string_view line) {
    const auto [latitude, rest] = splitFirst(trimBlanks(line));
    const auto [longitude, kind] = splitFirst(rest);
    if (!isNumberText(latitude) || !isNumberText(longitude) || !isNumberText(kind))
        return std::nullopt;
    RidgeValleyPoint p;
    p.latitude = latitude;
    p.longitude = longitude;
    p.kind = roundToInt16(leadingNumber(kind));
    return p;
}

int ridgeValleySaveProgress(int i, int count) {
    if (count <= 1) return kProgressWidth;
    return roundHalfEven(static_cast<double>(i) / (count - 1) * kProgressWidth);
}

std::vector<std::string> ridgeValleyFileLines(const AppState& state,
                                              const std::function<void(int)>& progress) {
    const int count = std::clamp<int32_t>(state.ridgeValleyCount, 0, kMaxRidgeValleyPoints);
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        lines.push_back(ridgeValleyLine(state.ridgeValleyPoints[static_cast<size_t>(i)]));
        if (progress) progress(ridgeValleySaveProgress(i, count));
    }
    return lines;
}

RidgeValleyLoad ReadRidvFile(AppState& state, StartMenuModel& menu) {
    RidgeValleyLoad load;
    const auto file = ridgeValleyFilePath(state.dataFolder, state.planName);
    const TextLines text = readTextLines(file);
    if (text.error == FileError::NotFound) return load;
    load.found = true;
    load.error = text.error;
    load.lossless = text.lossless;
    if (text.error != FileError::None) return load;

    std::error_code ec;
    const auto length = static_cast<double>(std::filesystem::file_size(file, ec));
    menu.progressVisible = true;
    menu.notify();
    ProgressStrip strip(menu.progress, kRidgeValleyLoadText);

    int32_t count = 0;
    double total = 0;
    for (const auto& line : text.lines) {
        total += static_cast<double>(characterCount(line) + kLineOverhead);
        strip.show(!ec && length > 0 ? roundHalfEven(total / length * kProgressWidth) : 0);
        if (trimBlanks(line).empty()) continue;
        const auto point = parseRidgeValleyLine(line);
        if (!point) {
            ++load.skippedLines;
            continue;
        }
        if (count >= kMaxRidgeValleyPoints) {
            load.truncated = true;
            break;
        }
        state.ridgeValleyPoints[static_cast<size_t>(count)] = *point;
        ++count;
    }

    menu.progress.clear();
    menu.progressVisible = false;
    state.ridgeValleyCount = count;
    state.ridgeValleyPresent = -1;
    state.ridgeValleyLoaded = count;
    state.ridgeValleyLinesShown = true;
    menu.notify();
    return load;
}

std::string ridgeValleyLoadMessage(const RidgeValleyLoad& load, const std::string& fileName) {
    if (!load.found) return {};
    if (load.error != FileError::None)
        return "谷・尾根筋データファイル「" + fileName + "」を読み込めません。谷・尾根筋なしで続けます。";
    std::string message;
    if (load.truncated)
        message += "谷・尾根筋データが4001点を超えています。先頭の4001点だけを読み込みました。";
    if (load.skippedLines > 0) {
        if (!message.empty()) message += "\r\n";
        message += "谷・尾根筋データファイルの" + std::to_string(load.skippedLines) +
                   "行は形式が正しくないため読み込みませんでした。";
    }
    return message;
}

}  // namespace orv
