// Undo and Redo: the document's history in every window of the editor, on
// the desktop's keys (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y) and in the context
// menus, named for the step they take back or do again. A text box's own
// Ctrl+Z is this Undo, so that there is one history.
#include "ui/main/Unit1.h"

#include <QAction>

#include "config/ConfigFields.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/KeyboardCommands.h"
#include "ui/widgets/ListBox.h"
#include "ui/widgets/SideWindows.h"
#include "ui/widgets/SingleByteEdit.h"

namespace ostra {

void TForm1::Undo()
{
    const std::vector<const ConfigField*> changed = document_.Undo();
    fillFromDocument();
    showDocument();
    showChangedControl(changed);
}

void TForm1::Redo()
{
    const std::vector<const ConfigField*> changed = document_.Redo();
    fillFromDocument();
    showDocument();
    showChangedControl(changed);
}

// The first control a step changed comes into view: a zone's wallplates
// or main output with the zone selected in the list, and it takes the
// focus (within this window; another window that is active stays so).
void TForm1::showChangedControl(const std::vector<const ConfigField*>& fields)
{
    if (fields.empty())
        return;
    const ConfigField& field = *fields.front();
    if (field.Kind == FieldKind::Wallplates) {
        ListBox1->SetItemIndex(field.Index - 1);
        ListBox1Click();
        showDocument();
        CheckListBox1->setFocus();
        return;
    }
    QWidget* control = controlShowing(field);
    if (control == CheckListBox2) {
        CheckListBox2->setCurrentRow(field.Index - 1);
        ListBox1->SetItemIndex(field.Index - 1);
        ListBox1Click();
        showDocument();
    }
    if (control != nullptr)
        control->setFocus();
}

void TForm1::createHistoryActions()
{
    undoAction_ = new QAction(this);
    redoAction_ = new QAction(this);
    connect(undoAction_, &QAction::triggered, this, &TForm1::Undo);
    connect(redoAction_, &QAction::triggered, this, &TForm1::Redo);
    for (QWidget* menuOwner : std::initializer_list<QWidget*>{this, ListBox1, CheckListBox1, CheckListBox2})
        menuOwner->addActions({undoAction_, redoAction_});
    for (SingleByteEdit* edit : findChildren<SingleByteEdit*>())
        edit->UseHistory(undoAction_, redoAction_);
    updateHistoryActions();
}

// "Undo Typing in Description", "Redo Zone 2 wallplates"; without a step,
// the bare command, disabled.
void TForm1::updateHistoryActions()
{
    if (undoAction_ == nullptr)
        return;
    const auto name = [](const char* command, const std::string& step, const char* keys) {
        const std::string text = step.empty() ? command : std::string(command) + " " + step;
        return QString::fromStdString(text) + QLatin1Char('\t') + QString::fromLatin1(keys);
    };
    undoAction_->setText(name(kUndoCommand, document_.UndoName(), kUndoKeys));
    undoAction_->setEnabled(document_.CanUndo());
    redoAction_->setText(name(kRedoCommand, document_.RedoName(), kRedoKeys));
    redoAction_->setEnabled(document_.CanRedo());
}

QList<QAction*> TForm1::historyActions() const
{
    return {undoAction_, redoAction_};
}

} // namespace ostra
