#pragma once
// Named bands of commands, each a tool id with caption, category, enabled and checked state,
// and optionally a sub-band. Logic sets the states; a Qt adapter builds menus from the model
// and sends every chosen tool id to the window's single dispatch(toolId).
//
// While a mouse mode of a window lasts, the window may hold its commands: every command but the
// ones the mode keeps is shown disabled, without touching the enabled states the logic set.
#include "platform/ToolId.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

struct MenuCommand {
    std::string toolId;
    std::string caption;
    std::string category;
    bool enabled = true;
    bool checked = false;
    bool visible = true;
    std::string subBand;  // name of the band shown as this command's sub-menu, or ""
    bool separatorBefore = false;
    // A title over the entries that follow it: shown, never chosen.
    bool heading = false;
};

struct MenuBand {
    std::string name;
    std::string caption;  // shown as the band's title where it has one (a menu of its own)
    std::vector<MenuCommand> commands;
};

class MenuModel {
public:
    // The band with this name, added at the end when new (an existing band keeps its caption
    // unless a non-empty one is given). References stay valid only until the next band is added.
    MenuBand& addBand(const std::string& name, const std::string& caption = "");
    // Appends a command to a band (the band is added when new).
    MenuCommand& addCommand(const std::string& band, MenuCommand command);

    const MenuBand* band(const std::string& name) const;
    const std::vector<MenuBand>& bands() const { return bands_; }

    // The command with this tool id text (first match over all bands); nullptr when none.
    MenuCommand* command(std::string_view toolId);
    const MenuCommand* command(std::string_view toolId) const;
    bool has(ToolId toolId) const { return command(toolId.text()) != nullptr; }

    // State changes. A tool id may stand in several bands (a menu bar band and a pop-up band):
    // every command with the id changes. An unknown tool id is reported (reportUnknownTool) and
    // changes nothing. The listeners hear of every call that changes something.
    void setEnabled(ToolId toolId, bool enabled);
    void setChecked(ToolId toolId, bool checked);
    void setCaption(ToolId toolId, const std::string& caption);
    void setVisible(ToolId toolId, bool visible);
    bool isEnabled(ToolId toolId) const;  // false (and reported) for unknown tool ids
    bool isChecked(ToolId toolId) const;

    // Holding: while held, only the kept commands can be chosen (entries that open a sub-band
    // too); isAvailable tells what a menu shows. release ends the hold.
    void holdAllExcept(std::vector<ToolId> kept);
    void release();
    bool held() const { return kept_.has_value(); }
    bool isHeld(std::string_view toolId) const;
    // Enabled, and not held.
    bool isAvailable(ToolId toolId) const;

    // Registers a listener called after each change; the returned id removes it again.
    int onChanged(std::function<void()> listener);
    void removeListener(int id);

private:
    template <typename Change>
    void changeAll(ToolId toolId, Change&& change);
    const MenuCommand* known(ToolId toolId) const;
    void changed();

    struct Listener {
        int id = 0;
        std::function<void()> call;
    };
    std::vector<MenuBand> bands_;
    std::optional<std::vector<ToolId>> kept_;
    std::vector<Listener> listeners_;
    int nextListenerId_ = 1;
};

}  // namespace orv
