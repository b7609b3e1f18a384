#include "platform/ToolId.h"

#include <iostream>
#include <set>
#include <utility>

namespace orv {

namespace {

// The program's own handler: one line per unknown id, however often it comes back.
void logOnce(std::string_view where, std::string_view toolId) {
    static std::set<std::string, std::less<>> logged;
    if (!logged.emplace(toolId).second) return;
    std::cerr << "orvane: " << where << ": unknown tool id \"" << toolId << "\"\n";
}

UnknownToolHandler& installed() {
    static UnknownToolHandler handler = logOnce;
    return handler;
}

}  // namespace

UnknownToolHandler setUnknownToolHandler(UnknownToolHandler handler) {
    if (!handler) handler = logOnce;
    return std::exchange(installed(), std::move(handler));
}

void reportUnknownTool(std::string_view where, std::string_view toolId) {
    // A copy: the handler may install another one while it runs.
    const UnknownToolHandler handler = installed();
    handler(where, toolId);
}

}  // namespace orv
