#include "platform/qt/WindowShortcuts.h"

#include <QShortcut>
#include <QWidget>

namespace orv {

namespace {

void addShortcut(QWidget* window, const QKeySequence& key, std::function<void()> action) {
    if (!action) return;
    auto* shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, std::move(action));
}

}  // namespace

void addWindowShortcuts(QWidget* window, std::function<void()> help, std::function<void()> quit) {
    addShortcut(window, kHelpKey, std::move(help));
    addShortcut(window, kQuitKey, std::move(quit));
}

QShortcut* windowShortcut(const QWidget* window, const QKeySequence& key) {
    for (QShortcut* shortcut : window->findChildren<QShortcut*>())
        if (shortcut->key() == key) return shortcut;
    return nullptr;
}

}  // namespace orv
