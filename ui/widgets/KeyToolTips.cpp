#include "ui/widgets/KeyToolTips.h"

#include <algorithm>

#include <QAbstractButton>
#include <QStringList>

namespace ostra {

QString CaptionWithoutMnemonicMarker(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size())
            break;
        shown += caption[i];
    }
    return shown;
}

QString ToolTipWithKeys(const QString& text, const QList<QKeySequence>& keys)
{
    if (keys.isEmpty())
        return text;
    QStringList names;
    for (const QKeySequence& key : keys)
        names << key.toString(QKeySequence::NativeText);
    return QStringLiteral("%1 (%2)").arg(text, names.join(QStringLiteral(", ")));
}

void KeyToolTips::Add(QAbstractButton& control, const QList<QKeySequence>& keys, std::function<bool()> shownWhile)
{
    QList<QKeySequence> bound = keys;
    bound.removeAll(QKeySequence());
    if (bound.isEmpty())
        return;
    auto known = std::find_if(controls_.begin(), controls_.end(),
                              [&control](const Control& entry) { return entry.Button == &control; });
    if (known == controls_.end())
        known = controls_.insert(controls_.end(), Control{&control, control.toolTip(), {}});
    known->Groups.push_back({bound, std::move(shownWhile)});
    write(*known);
}

void KeyToolTips::Refresh()
{
    for (const Control& control : controls_)
        write(control);
}

void KeyToolTips::write(const Control& control) const
{
    if (control.Button == nullptr)
        return;
    QList<QKeySequence> keys;
    for (const KeyGroup& group : control.Groups)
        if (!group.ShownWhile || group.ShownWhile())
            keys += group.Keys;
    const QString text =
        control.OwnToolTip.isEmpty() ? CaptionWithoutMnemonicMarker(control.Button->text()) : control.OwnToolTip;
    control.Button->setToolTip(ToolTipWithKeys(text, keys));
}

} // namespace ostra
