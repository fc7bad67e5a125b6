#pragma once

#include <QString>

class QWidget;

namespace ostra {

// What the user answers when unsaved edits are about to be given up.
// Review asks to see the edits first.
enum class SaveChoice { Save, Discard, Cancel, Review };

// The buttons of a question that goes on or stops: Save and Cancel, or
// Yes and No as the platform asks before a file is replaced (No is the
// default there).
enum class ProceedButtons { SaveCancel, YesNo };

// Modal message boxes. showError has the error icon and one OK button, no
// help, and under its text an optional detail (where, and what to check);
// askToSave asks a question with Save, Discard, Cancel and Review...
// (closing the box cancels); askToReplace one with Save, Review... and
// Cancel, Cancel the default; askToProceed one with the given buttons,
// answering true for Save or Yes (closing the box stops). Each returns
// when the user has closed the box.
class MessageBoxes {
public:
    virtual ~MessageBoxes();
    virtual void showError(QWidget* owner, const QString& caption, const QString& text, const QString& detail) = 0;
    void showError(QWidget* owner, const QString& caption, const QString& text)
    {
        showError(owner, caption, text, QString());
    }
    virtual SaveChoice askToSave(QWidget* owner, const QString& caption, const QString& question) = 0;
    virtual SaveChoice askToReplace(QWidget* owner, const QString& caption, const QString& question) = 0;
    virtual bool askToProceed(QWidget* owner, const QString& caption, const QString& question,
                              ProceedButtons buttons) = 0;
};

} // namespace ostra
