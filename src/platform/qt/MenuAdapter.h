#pragma once
// Builds Qt menus from the bands of a MenuModel and keeps them in step with it: captions,
// enabled, checked and visible states follow every change of the model, and every chosen
// command goes to the window's dispatch(toolId) as its tool id. A heading becomes a menu section
// (a separator with its title), which cannot be chosen.
#include "platform/MenuModel.h"

#include <QPoint>
#include <QPointer>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace orv {

class MenuAdapter {
public:
    using Dispatch = std::function<void(const std::string& toolId)>;

    // The model must outlive the adapter.
    MenuAdapter(MenuModel& model, Dispatch dispatch);
    ~MenuAdapter();
    MenuAdapter(const MenuAdapter&) = delete;
    MenuAdapter& operator=(const MenuAdapter&) = delete;

    // Puts a band's commands on a menu bar: a command with a sub-band becomes a menu of its
    // own, any other command an entry of the bar itself.
    void fillMenuBar(QMenuBar* bar, const std::string& band);

    // A menu of a band's commands, sub-bands as sub-menus, titled with the band's caption.
    // The parent owns it; without a parent the caller does.
    QMenu* buildMenu(const std::string& band, QWidget* parent);

    // Shows a band as a pop-up menu at a screen position and waits until it closes; a chosen
    // command has been dispatched by then.
    void popup(const std::string& band, const QPoint& globalPosition);
    void popupAtCursor(const std::string& band);

    // Brings every menu entry in line with the model (also done after each change of it).
    void refresh();

    // The live menu entries of a tool id, in the order they were built.
    std::vector<QAction*> actions(const std::string& toolId) const;

private:
    struct Entry {
        std::string band;
        std::size_t index = 0;  // the command's place in its band
        QPointer<QAction> action;
        bool opensBand = false;
    };

    template <typename Target>
    void addCommands(Target* target, const std::string& band, int depth);
    void apply(const Entry& entry) const;
    const MenuCommand* commandOf(const Entry& entry) const;

    MenuModel& model_;
    Dispatch dispatch_;
    int listenerId_ = 0;
    std::vector<Entry> entries_;
    // Menu entries hold a weak handle to this: once it has expired the adapter is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace orv
