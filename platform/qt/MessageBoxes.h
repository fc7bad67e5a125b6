#pragma once

#include <QString>

class QWidget;

namespace ostra {

// Modal message boxes with the error icon and one OK button, no help.
// Show returns when the user has closed the box.
class MessageBoxes {
public:
    virtual ~MessageBoxes();
    virtual void ShowError(QWidget* owner, const QString& caption, const QString& text) = 0;
};

} // namespace ostra
