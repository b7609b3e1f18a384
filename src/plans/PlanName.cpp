#include "plans/PlanName.h"

#include "core/Cp932.h"
#include "core/StagedFiles.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace orv {

namespace fs = std::filesystem;

namespace {

constexpr char32_t kIdeographicSpace = 0x3000;
constexpr char32_t kInvalid = 0xFFFFFFFF;

// The next code point of a UTF-8 text, or kInvalid for a broken sequence; `pos` moves past it.
char32_t nextCodePoint(std::string_view s, size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos]);
    size_t length = 1;
    char32_t cp = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        cp = lead & 0x07u;
    } else if (lead >= 0xE0) {
        length = 3;
        cp = lead & 0x0Fu;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        cp = lead & 0x1Fu;
    } else if (lead >= 0x80) {
        ++pos;
        return kInvalid;
    }
    if (pos + length > s.size()) {
        pos = s.size();
        return kInvalid;
    }
    for (size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(s[pos + k]);
        if ((c & 0xC0u) != 0x80u) {
            pos += k;
            return kInvalid;
        }
        cp = (cp << 6) | (c & 0x3Fu);
    }
    pos += length;
    return cp;
}

bool isControl(char32_t cp) { return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0x9F); }

// The plan list holds the name in CP932: the name must read back as the very same text, or
// the list would name a file that does not exist ("¥" is written as the byte of "\").
bool survivesCodePage(std::string_view name) {
    const Cp932Result bytes = utf8ToCp932(name);
    if (!bytes.lossless) return false;
    const Cp932Result back = cp932ToUtf8(bytes.text);
    return back.lossless && back.text == name;
}

fs::path planFile(const fs::path& dataFolder, std::string_view name, const char* extension) {
    std::string file(name);
    file += extension;
    return dataFolder / fs::path(file);
}

}  // namespace

fs::path planListPath(const fs::path& dataFolder) { return dataFolder / kPlanListFileName; }

fs::path routeFilePath(const fs::path& dataFolder, std::string_view name) {
    return planFile(dataFolder, name, kRouteFileExtension);
}

fs::path ridgeValleyFilePath(const fs::path& dataFolder, std::string_view name) {
    return planFile(dataFolder, name, kRidgeValleyFileExtension);
}

size_t longestSavedFileName(std::string_view name) {
    const size_t extension = std::max(std::string_view(kRouteFileExtension).size(),
                                      std::string_view(kRidgeValleyFileExtension).size());
    return name.size() + extension + kLongestTemporarySuffixBytes;
}

std::optional<std::string> validatePlanName(std::string_view name) {
    if (name.empty()) return kPlanNameEmpty;
    bool blank = false, control = false, separator = false, broken = false;
    for (size_t pos = 0; pos < name.size();) {
        const char32_t cp = nextCodePoint(name, pos);
        if (cp == kInvalid) broken = true;
        else if (cp == U' ' || cp == kIdeographicSpace) blank = true;
        else if (isControl(cp)) control = true;
        else if (cp == U'/' || cp == U'\\') separator = true;
    }
    if (blank) return kPlanNameBlank;
    if (control) return kPlanNameControl;
    if (separator) return kPlanNameSeparator;
    if (name == "." || name == "..") return kPlanNameDots;
    if (broken || !survivesCodePage(name)) return kPlanNameCharacter;
    if (longestSavedFileName(name) > kMaxFileNameBytes) return kPlanNameTooLong;
    return std::nullopt;
}

bool isPlainFileStem(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string planDateText(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", (local.tm_year + 1900) % 10000,
                  (local.tm_mon + 1) % 100, local.tm_mday % 100);
    return buffer;
}

std::string todayText() { return planDateText(std::chrono::system_clock::now()); }

}  // namespace orv
