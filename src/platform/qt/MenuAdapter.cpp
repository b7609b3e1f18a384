#include "platform/qt/MenuAdapter.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QString>

#include <algorithm>

namespace orv {

namespace {

// Sub-bands deeper than this are not followed (a band that leads back to itself would never end).
constexpr int kMaxDepth = 8;

// Captions are shown as they are: a "&" in them is no keyboard mnemonic.
QString menuText(const std::string& caption) {
    return QString::fromStdString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

MenuAdapter::MenuAdapter(MenuModel& model, Dispatch dispatch)
    : model_(model), dispatch_(std::move(dispatch)) {
    listenerId_ = model_.onChanged([this] { refresh(); });
}

MenuAdapter::~MenuAdapter() { model_.removeListener(listenerId_); }

void MenuAdapter::fillMenuBar(QMenuBar* bar, const std::string& band) {
    if (bar != nullptr) addCommands(bar, band, 0);
}

QMenu* MenuAdapter::buildMenu(const std::string& band, QWidget* parent) {
    auto* menu = new QMenu(parent);
    if (const MenuBand* found = model_.band(band)) menu->setTitle(menuText(found->caption));
    addCommands(menu, band, 0);
    return menu;
}

void MenuAdapter::popup(const std::string& band, const QPoint& globalPosition) {
    const std::weak_ptr<bool> alive = alive_;
    {
        QMenu menu;
        addCommands(&menu, band, 0);
        menu.exec(globalPosition);
    }
    if (!alive.expired()) refresh();  // drops the entries of the closed menu
}

void MenuAdapter::popupAtCursor(const std::string& band) { popup(band, QCursor::pos()); }

template <typename Target>
void MenuAdapter::addCommands(Target* target, const std::string& band, int depth) {
    const MenuBand* found = model_.band(band);
    if (found == nullptr || depth > kMaxDepth) return;
    for (std::size_t i = 0; i < found->commands.size(); ++i) {
        const MenuCommand& command = found->commands[i];
        if (command.separatorBefore) target->addSeparator();
        Entry entry{band, i, nullptr, !command.subBand.empty()};
        if (command.heading) {
            // A section: a separator with the title, which no click or key can choose.
            QAction* action = target->addAction(menuText(command.caption));
            action->setSeparator(true);
            entry.action = action;
        } else if (entry.opensBand) {
            QMenu* sub = target->addMenu(menuText(command.caption));
            addCommands(sub, command.subBand, depth + 1);
            entry.action = sub->menuAction();
        } else {
            QAction* action = target->addAction(menuText(command.caption));
            const std::string toolId = command.toolId;
            const std::weak_ptr<bool> alive = alive_;
            QObject::connect(action, &QAction::triggered, action, [this, toolId, alive] {
                if (alive.expired()) return;
                const Dispatch dispatch = dispatch_;  // the adapter may go away while it runs
                if (dispatch) dispatch(toolId);
                // Qt flips a checkable entry by itself; the model has the last word.
                if (!alive.expired()) refresh();
            });
            entry.action = action;
        }
        apply(entry);
        entries_.push_back(std::move(entry));
    }
}

const MenuCommand* MenuAdapter::commandOf(const Entry& entry) const {
    const MenuBand* band = model_.band(entry.band);
    if (band == nullptr || entry.index >= band->commands.size()) return nullptr;
    return &band->commands[entry.index];
}

void MenuAdapter::apply(const Entry& entry) const {
    const MenuCommand* command = commandOf(entry);
    QAction* action = entry.action.data();
    if (command == nullptr || action == nullptr) return;
    const QString text = menuText(command->caption);
    if (action->text() != text) action->setText(text);
    action->setEnabled(command->enabled && !model_.isHeld(command->toolId));
    action->setVisible(command->visible);
    if (entry.opensBand || action->isSeparator()) return;
    // Only a checked command shows a check mark; unchecked ones look like plain commands.
    if (command->checked) {
        action->setCheckable(true);
        action->setChecked(true);
    } else {
        action->setChecked(false);
        action->setCheckable(false);
    }
}

void MenuAdapter::refresh() {
    std::erase_if(entries_, [](const Entry& entry) { return entry.action.isNull(); });
    for (const Entry& entry : entries_) apply(entry);
}

std::vector<QAction*> MenuAdapter::actions(const std::string& toolId) const {
    std::vector<QAction*> found;
    for (const Entry& entry : entries_) {
        const MenuCommand* command = commandOf(entry);
        if (command != nullptr && command->toolId == toolId && !entry.action.isNull())
            found.push_back(entry.action.data());
    }
    return found;
}

}  // namespace orv
