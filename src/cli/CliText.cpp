#include "cli/CliText.h"

#include "core/Characters.h"
#include "core/ShownText.h"
#include "plans/PlanName.h"


namespace orv::cli {

bool isOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }

std::string terminalText(std::string text) {
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
    return text;
}

std::optional<std::string> planNameProblem(const std::string& plan) {
    const auto refused = validatePlanName(plan);
    if (!refused) return std::nullopt;
    return "--plan の「" + shownFileText(plan) + "」は山行計画の名前になりません: " + *refused;
}

std::string lowerExtension(const std::filesystem::path& path) {
    std::string ext = asciiLower(path.extension().string());
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    return ext;
}

}  // namespace orv::cli
