#pragma once
// A command's tool id: the name a menu entry sends to its window's single dispatch. The id text
// is data ("ActMakeRoot") and stays exactly as it is. Each window lists its ids once, as typed
// constants in its command table (route/RouteMapTools.h, app/StartMenuTools.h, …); code names a
// command by its constant, so a misspelt command does not compile.
//
// A tool id that no table or band knows is a programming error: it is reported through one hook.
// The program logs each such id once on standard error and goes on; the test main turns every
// report into a test failure.
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace orv {

class ToolId {
public:
    constexpr ToolId() = default;
    // From a string literal only (the tables and the tests), never from text made at run time:
    // an id from a menu entry or a test's text is looked up in the window's table instead.
    template <std::size_t N>
    consteval ToolId(const char (&text)[N]) : text_(text, N - 1) {  // NOLINT: implicit on purpose
        if (N <= 1) throw "a tool id is never empty";
    }
    // From text that lives at least as long as the id (a test's list of ids).
    explicit constexpr ToolId(std::string_view text) : text_(text) {}

    constexpr std::string_view text() const { return text_; }
    std::string str() const { return std::string(text_); }
    constexpr bool empty() const { return text_.empty(); }

    friend constexpr bool operator==(ToolId a, ToolId b) { return a.text_ == b.text_; }
    friend constexpr bool operator==(ToolId a, std::string_view b) { return a.text_ == b; }

private:
    std::string_view text_;
};

// The entry of a command table (entries with an `id`) for a tool id's text; nullptr for none.
template <typename Entry>
const Entry* findTool(std::span<const Entry> table, std::string_view toolId) {
    for (const Entry& entry : table)
        if (entry.id == toolId) return &entry;
    return nullptr;
}

// Called with the place that met an unknown tool id ("MenuModel", "RouteMap", …) and the id.
using UnknownToolHandler = std::function<void(std::string_view where, std::string_view toolId)>;

// Installs the handler of unknown tool ids and returns the one it replaces. An empty handler
// restores the program's own: each unknown id is logged once on standard error.
UnknownToolHandler setUnknownToolHandler(UnknownToolHandler handler);

// Reports an unknown tool id to the installed handler.
void reportUnknownTool(std::string_view where, std::string_view toolId);

}  // namespace orv
