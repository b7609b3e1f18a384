#pragma once
// A mouse mode of the route map: how the mouse and the keys work on the map picture while the
// mode is in force (the zoom square, drawing a route, editing route points, choosing the
// reference start, and the normal position read-out beneath them all).
//
// The route map keeps its modes in order of precedence and hands every mouse event and key to
// the first mode in force; a mode that does not take an event leaves it to the next one (a
// route creation that waits for its first click takes the left click and leaves moves and right
// clicks to the mode beneath). A mode is in force while the state it works on says so, so that
// every operation that ends it (a finished creation, a deleted route) ends the mode too.
//
// Adding a mode: derive from MapMode, answer active() from the state the mode works on, take
// the events it handles, and hand it to RouteMap::addMode at its place in the order.
#include "platform/ToolId.h"

#include <optional>
#include <string>
#include <vector>

namespace orv {

enum class MapKey { Up, Down, PageUp, PageDown, Delete, Escape };

class MapMode {
public:
    virtual ~MapMode() = default;

    // Whether the mode is in force now.
    virtual bool active() const = 0;

    // The mouse on the map picture, in picture pixels: true when the mode took the event.
    virtual bool mouseMove(int /*x*/, int /*y*/) { return false; }
    virtual bool leftRelease(int /*x*/, int /*y*/) { return false; }
    // A right release taken by the mode gives the band to pop up at the cursor ("" for none);
    // nothing leaves it to the next mode.
    virtual std::optional<std::string> rightRelease(int /*x*/, int /*y*/) { return std::nullopt; }
    // A key of the map window: true when the mode took it. A mode that Escape ends takes its
    // guide line with it, as when a command ends it.
    virtual bool key(MapKey /*key*/) { return false; }

    // The guide line the mode shows in the first status panel when it begins ("" for none); a
    // mode a command ends takes it away again.
    virtual std::string guide() const { return {}; }

    // The commands that stay enabled while the mode lasts; nothing when every command does.
    // The others are shown disabled and do nothing.
    virtual std::optional<std::vector<ToolId>> keptCommands() const { return std::nullopt; }

    // A command is about to run. A mode whose drawing the command would spoil ends here first,
    // leaving nothing of itself on the picture (the zoom square is erased).
    virtual void beforeCommand(ToolId /*command*/) {}
};

}  // namespace orv
