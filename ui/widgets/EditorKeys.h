#pragma once

#include <functional>

#include <QKeySequence>
#include <QList>

class QAction;
class QWidget;

namespace ostra {

// The editor's commands that every one of its windows answers with the
// same keys, so that a routing job in the Zone Overview or a look through
// Review Changes ends without a trip back to the main window. Save and
// Print show their dialogs and boxes above the window they were asked
// from.
struct EditorCommands {
    std::function<void(QWidget& from)> Save;
    std::function<void(QWidget& from)> Print;
    std::function<void()> Review;
    std::function<void()> Overview;
    std::function<void()> Help;
    std::function<void()> Undo;
    std::function<void()> Redo;
    // Undo and Redo as the context menus offer them, named for their steps.
    QList<QAction*> HistoryActions;
};

// Binds Undo (Ctrl+Z) and Redo (Ctrl+Shift+Z, Ctrl+Y, and the platform's
// own keys for both) in window.
void BindHistoryKeys(QWidget& window, const std::function<void()>& undo, const std::function<void()>& redo);

// Binds, in a window beside the main one, each command's keys that the
// window has not bound to something of its own, and Esc to close it.
// Answers the keys that close it, to be named on its Close button.
QList<QKeySequence> BindEditorKeys(QWidget& window, const EditorCommands& commands);

} // namespace ostra
