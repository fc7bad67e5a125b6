#include "ui/widgets/KeyboardCommands.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShortcut>

namespace ostra {

namespace {

class EnterClicks final : public QObject {
public:
    explicit EnterClicks(QAbstractButton& button) : QObject(&button), button_(button) {}

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        button_.click();
        return true;
    }

private:
    QAbstractButton& button_;
};

bool isBound(const QWidget& window, const QKeySequence& keys)
{
    for (const QShortcut* shortcut : window.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
        if (shortcut->keys().contains(keys))
            return true;
    return false;
}

} // namespace

void ClickOnEnter(QAbstractButton& button)
{
    button.installEventFilter(new EnterClicks(button));
}

bool BindKeys(QWidget& window, const QKeySequence& keys, std::function<void()> command)
{
    if (keys.isEmpty() || isBound(window, keys))
        return false;
    auto* shortcut = new QShortcut(keys, &window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &window, std::move(command));
    return true;
}

QList<QKeySequence> BindCommandKeys(QWidget& window, QKeySequence::StandardKey standard, const QKeySequence& own,
                                    const std::function<void()>& command)
{
    QList<QKeySequence> bound;
    const auto bind = [&](const QKeySequence& keys) {
        if (BindKeys(window, keys, command))
            bound.append(keys);
    };
    if (standard != QKeySequence::UnknownKey)
        for (const QKeySequence& keys : QKeySequence::keyBindings(standard))
            bind(keys);
    bind(own);
    return bound;
}

QKeySequence BindMnemonic(QWidget& window, QAbstractButton& control, Qt::Key letter)
{
    const QKeySequence keys(Qt::ALT | letter);
    const bool bound = BindKeys(window, keys, [&control] {
        control.setFocus(Qt::ShortcutFocusReason);
        control.click();
    });
    return bound ? keys : QKeySequence();
}

} // namespace ostra
