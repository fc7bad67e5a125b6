#pragma once

#include <functional>
#include <vector>

#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <QString>

class QAbstractButton;

namespace ostra {

// The caption as the user reads it: a lone "&" (the mnemonic marker) is
// dropped and "&&" stands for "&".
QString CaptionWithoutMnemonicMarker(const QString& caption);

// "Load (Ctrl+O, Alt+L)": text, then keys in the platform's own words.
// Without keys, text alone.
QString ToolTipWithKeys(const QString& text, const QList<QKeySequence>& keys);

// The tooltips of a window's buttons and check boxes, naming the keys that
// run each. The keys come from what the binding functions answer, so a
// tooltip names only keys that were bound, and a key table stays the one
// place a key is written. The text before the keys is the tooltip the
// control had of its own when first added, or else its current caption.
class KeyToolTips {
public:
    // keys run control (empty sequences, keys that were not bound, are
    // left out); with shownWhile, they run it only while that holds
    // (Escape closes the help only while it shows), and are named only then.
    void Add(QAbstractButton& control, const QList<QKeySequence>& keys, std::function<bool()> shownWhile = {});

    // Writes every tooltip again, after a caption or a condition changed.
    void Refresh();

private:
    struct KeyGroup {
        QList<QKeySequence> Keys;
        std::function<bool()> ShownWhile;
    };
    struct Control {
        QPointer<QAbstractButton> Button;
        QString OwnToolTip;
        std::vector<KeyGroup> Groups;
    };
    void write(const Control& control) const;

    std::vector<Control> controls_;
};

} // namespace ostra
