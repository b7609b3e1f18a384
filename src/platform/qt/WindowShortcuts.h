#pragma once
// The keys every window of the program answers alike: F1 opens the window's help, Ctrl+Q does
// what the window's end command ("終了", "ﾙｰﾄ図終了", "Orvaneの終了") does, through the same path
// with its questions.
#include <QKeySequence>

#include <functional>

class QShortcut;
class QWidget;

namespace orv {

inline const QKeySequence kHelpKey{Qt::Key_F1};
inline const QKeySequence kQuitKey{Qt::CTRL | Qt::Key_Q};

// Adds the shortcuts to `window` (they work while it is the active window). An empty function
// adds no shortcut for its key.
void addWindowShortcuts(QWidget* window, std::function<void()> help, std::function<void()> quit = {});

// The shortcut of `key` on `window` (the first one), or null.
QShortcut* windowShortcut(const QWidget* window, const QKeySequence& key);

}  // namespace orv
