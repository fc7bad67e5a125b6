#pragma once

#include <QString>

class QWidget;

namespace ostra {

// What the user answers when unsaved edits are about to be given up.
enum class SaveChoice { Save, Discard, Cancel };

// Modal message boxes. ShowError has the error icon and one OK button, no
// help, and under its text an optional detail (where, and what to check);
// AskToSave asks a question with Save, Discard and Cancel (closing the box
// cancels). Each returns when the user has closed the box.
class MessageBoxes {
public:
    virtual ~MessageBoxes();
    virtual void ShowError(QWidget* owner, const QString& caption, const QString& text, const QString& detail) = 0;
    void ShowError(QWidget* owner, const QString& caption, const QString& text)
    {
        ShowError(owner, caption, text, QString());
    }
    virtual SaveChoice AskToSave(QWidget* owner, const QString& caption, const QString& question) = 0;
};

} // namespace ostra
