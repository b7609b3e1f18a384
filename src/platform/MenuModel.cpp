#include "platform/MenuModel.h"

#include <algorithm>
#include <utility>

namespace orv {

MenuBand& MenuModel::addBand(const std::string& name, const std::string& caption) {
    for (MenuBand& band : bands_) {
        if (band.name != name) continue;
        if (!caption.empty()) band.caption = caption;
        return band;
    }
    bands_.push_back(MenuBand{name, caption, {}});
    return bands_.back();
}

MenuCommand& MenuModel::addCommand(const std::string& band, MenuCommand command) {
    MenuBand& target = addBand(band);
    target.commands.push_back(std::move(command));
    return target.commands.back();
}

const MenuBand* MenuModel::band(const std::string& name) const {
    for (const MenuBand& band : bands_)
        if (band.name == name) return &band;
    return nullptr;
}

MenuCommand* MenuModel::command(std::string_view toolId) {
    for (MenuBand& band : bands_)
        for (MenuCommand& command : band.commands)
            if (command.toolId == toolId) return &command;
    return nullptr;
}

const MenuCommand* MenuModel::command(std::string_view toolId) const {
    return const_cast<MenuModel*>(this)->command(toolId);
}

const MenuCommand* MenuModel::known(ToolId toolId) const {
    const MenuCommand* found = command(toolId.text());
    if (found == nullptr) reportUnknownTool("MenuModel", toolId.text());
    return found;
}

template <typename Change>
void MenuModel::changeAll(ToolId toolId, Change&& change) {
    if (known(toolId) == nullptr) return;
    bool any = false;
    for (MenuBand& band : bands_)
        for (MenuCommand& command : band.commands)
            if (command.toolId == toolId.text() && change(command)) any = true;
    if (any) changed();
}

void MenuModel::setEnabled(ToolId toolId, bool enabled) {
    changeAll(toolId,
              [enabled](MenuCommand& c) { return std::exchange(c.enabled, enabled) != enabled; });
}

void MenuModel::setChecked(ToolId toolId, bool checked) {
    changeAll(toolId,
              [checked](MenuCommand& c) { return std::exchange(c.checked, checked) != checked; });
}

void MenuModel::setCaption(ToolId toolId, const std::string& caption) {
    changeAll(toolId, [&caption](MenuCommand& c) {
        if (c.caption == caption) return false;
        c.caption = caption;
        return true;
    });
}

void MenuModel::setVisible(ToolId toolId, bool visible) {
    changeAll(toolId,
              [visible](MenuCommand& c) { return std::exchange(c.visible, visible) != visible; });
}

bool MenuModel::isEnabled(ToolId toolId) const {
    const MenuCommand* found = known(toolId);
    return found != nullptr && found->enabled;
}

bool MenuModel::isChecked(ToolId toolId) const {
    const MenuCommand* found = known(toolId);
    return found != nullptr && found->checked;
}

void MenuModel::holdAllExcept(std::vector<ToolId> kept) {
    if (kept_ == kept) return;
    kept_ = std::move(kept);
    changed();
}

void MenuModel::release() {
    if (!kept_) return;
    kept_.reset();
    changed();
}

bool MenuModel::isHeld(std::string_view toolId) const {
    return kept_ && std::none_of(kept_->begin(), kept_->end(),
                                 [toolId](ToolId kept) { return kept == toolId; });
}

bool MenuModel::isAvailable(ToolId toolId) const {
    return isEnabled(toolId) && !isHeld(toolId.text());
}

int MenuModel::onChanged(std::function<void()> listener) {
    const int id = nextListenerId_++;
    listeners_.push_back(Listener{id, std::move(listener)});
    return id;
}

void MenuModel::removeListener(int id) {
    std::erase_if(listeners_, [id](const Listener& l) { return l.id == id; });
}

void MenuModel::changed() {
    // A listener may change the model or remove listeners while being told: work on a copy,
    // and skip the listeners removed meanwhile.
    const std::vector<Listener> current = listeners_;
    for (const Listener& listener : current) {
        const bool stillThere = std::any_of(listeners_.begin(), listeners_.end(),
                                            [&](const Listener& l) { return l.id == listener.id; });
        if (stillThere && listener.call) listener.call();
    }
}

}  // namespace orv
