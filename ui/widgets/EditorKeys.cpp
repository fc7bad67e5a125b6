#include "ui/widgets/EditorKeys.h"

#include <QWidget>

#include "ui/widgets/KeyboardCommands.h"
#include "ui/widgets/SideWindows.h"

namespace ostra {

namespace {

// The keys as the main window binds them: the platform's standard keys for
// the command, where it has some, and the editor's own.
struct EditorKey {
    QKeySequence::StandardKey Standard;
    const char* Own;
    void (*Run)(const EditorCommands& commands, QWidget& window);
};

const EditorKey kEditorKeys[] = {
    {QKeySequence::Save, kSaveKeys, [](const EditorCommands& c, QWidget& window) { c.Save(window); }},
    {QKeySequence::Print, kPrintKeys, [](const EditorCommands& c, QWidget& window) { c.Print(window); }},
    {QKeySequence::UnknownKey, kReviewChangesKeys, [](const EditorCommands& c, QWidget&) { c.Review(); }},
    {QKeySequence::UnknownKey, kZoneOverviewKeys, [](const EditorCommands& c, QWidget&) { c.Overview(); }},
    {QKeySequence::HelpContents, kHelpKeys, [](const EditorCommands& c, QWidget&) { c.Help(); }},
};

} // namespace

void BindHistoryKeys(QWidget& window, const std::function<void()>& undo, const std::function<void()>& redo)
{
    const auto keys = [](const char* text) { return QKeySequence::fromString(text, QKeySequence::PortableText); };
    BindCommandKeys(window, QKeySequence::Undo, keys(kUndoKeys), undo);
    BindCommandKeys(window, QKeySequence::Redo, keys(kRedoKeys), redo);
    BindKeys(window, keys(kOtherRedoKeys), redo);
}

QList<QKeySequence> BindEditorKeys(QWidget& window, const EditorCommands& commands)
{
    BindHistoryKeys(window, commands.Undo, commands.Redo);
    for (const EditorKey& key : kEditorKeys)
        BindCommandKeys(window, key.Standard, QKeySequence::fromString(key.Own, QKeySequence::PortableText),
                        [&window, commands, run = key.Run] { run(commands, window); });
    const QKeySequence close(Qt::Key_Escape);
    if (!BindKeys(window, close, [&window] { window.close(); }))
        return {};
    return {close};
}

} // namespace ostra
