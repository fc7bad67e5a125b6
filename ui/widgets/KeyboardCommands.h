#pragma once

#include <functional>

#include <QKeySequence>
#include <QList>

class QAbstractButton;
class QWidget;

namespace ostra {

// Enter or Return on the focused button clicks it, as Space does. No
// button is a default button: Enter elsewhere still does nothing.
void ClickOnEnter(QAbstractButton& button);

// Runs command when keys are pressed anywhere in window. Keys already
// bound in that window are not bound again, so a key that two tables
// share stays unambiguous. Answers whether keys now run command.
bool BindKeys(QWidget& window, const QKeySequence& keys, std::function<void()> command);

// Binds every key sequence the platform gives for standard (if any) and
// also own, to command. Answers the keys that now run it, to be shown in
// a tooltip.
QList<QKeySequence> BindCommandKeys(QWidget& window, QKeySequence::StandardKey standard, const QKeySequence& own,
                                    const std::function<void()>& command);

// Alt+letter gives the control the focus and clicks it, as a mnemonic
// does, without an underlined letter in its caption. Answers the key
// bound, or an empty sequence when the window had bound it already.
QKeySequence BindMnemonic(QWidget& window, QAbstractButton& control, Qt::Key letter);

} // namespace ostra
