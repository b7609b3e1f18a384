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

MenuCommand* MenuModel::command(const std::string& toolId) {
    for (MenuBand& band : bands_)
        for (MenuCommand& command : band.commands)
            if (command.toolId == toolId) return &command;
    return nullptr;
}

const MenuCommand* MenuModel::command(const std::string& toolId) const {
    return const_cast<MenuModel*>(this)->command(toolId);
}

template <typename Change>
void MenuModel::changeAll(const std::string& toolId, Change&& change) {
    bool any = false;
    for (MenuBand& band : bands_)
        for (MenuCommand& command : band.commands)
            if (command.toolId == toolId && change(command)) any = true;
    if (any) changed();
}

void MenuModel::setEnabled(const std::string& toolId, bool enabled) {
    changeAll(toolId,
              [enabled](MenuCommand& c) { return std::exchange(c.enabled, enabled) != enabled; });
}

void MenuModel::setChecked(const std::string& toolId, bool checked) {
    changeAll(toolId,
              [checked](MenuCommand& c) { return std::exchange(c.checked, checked) != checked; });
}

void MenuModel::setCaption(const std::string& toolId, const std::string& caption) {
    changeAll(toolId, [&caption](MenuCommand& c) {
        if (c.caption == caption) return false;
        c.caption = caption;
        return true;
    });
}

void MenuModel::setVisible(const std::string& toolId, bool visible) {
    changeAll(toolId,
              [visible](MenuCommand& c) { return std::exchange(c.visible, visible) != visible; });
}

bool MenuModel::isEnabled(const std::string& toolId) const {
    const MenuCommand* found = command(toolId);
    return found != nullptr && found->enabled;
}

bool MenuModel::isChecked(const std::string& toolId) const {
    const MenuCommand* found = command(toolId);
    return found != nullptr && found->checked;
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
