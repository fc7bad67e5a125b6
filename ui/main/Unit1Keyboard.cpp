// The main window from the keyboard: shortcuts and mnemonics for the
// commands, named in their tooltips, Escape to leave the help text, and
// the controls under the help text kept from the keyboard while it shows.
#include "ui/main/Unit1.h"

#include <QCheckBox>
#include <QPushButton>

#include "ui/widgets/EditorKeys.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/HelpMemo.h"
#include "ui/main/HelpText.h"
#include "ui/widgets/KeyboardCommands.h"
#include "ui/widgets/SideWindows.h"

namespace ostra {

namespace {

// The keys of each command button: the platform's standard keys for it,
// the usual desktop key where the platform gives none, and a mnemonic
// letter (Alt+letter) that leaves the caption as it is.
struct CommandKeys {
    QPushButton* TForm1::*Button;
    QKeySequence::StandardKey Standard;
    const char* Own;
    Qt::Key Mnemonic;
};

const CommandKeys kCommandKeys[] = {
    {&TForm1::Button2, QKeySequence::Open, kOpenKeys, Qt::Key_L},
    {&TForm1::Button1, QKeySequence::Save, kSaveKeys, Qt::Key_S},
    {&TForm1::Button3, QKeySequence::HelpContents, kHelpKeys, Qt::Key_H},
    {&TForm1::Button4, QKeySequence::UnknownKey, "", Qt::Key_C},
    {&TForm1::ZoneOverviewButton, QKeySequence::UnknownKey, kZoneOverviewKeys, Qt::Key_Z},
};

constexpr Qt::Key kAdvancedModeMnemonic = Qt::Key_A;
constexpr Qt::Key kCloseHelpKey = Qt::Key_Escape;

} // namespace

void TForm1::bindKeys()
{
    for (const CommandKeys& row : kCommandKeys) {
        QPushButton* button = this->*row.Button;
        QList<QKeySequence> keys = BindCommandKeys(*this, row.Standard,
                                                   QKeySequence::fromString(row.Own, QKeySequence::PortableText),
                                                   [button] { button->click(); });
        keys << BindMnemonic(*this, *button, row.Mnemonic);
        keyToolTips_.Add(*button, keys);
    }
    BindCommandKeys(*this, QKeySequence::Print, QKeySequence::fromString(kPrintKeys, QKeySequence::PortableText),
                    [this] { ShowPrintPreview(this); });
    // Review Changes has no button here; its key is named in the context
    // menus and on the Zone Overview's button for it.
    BindKeys(*this, QKeySequence::fromString(kReviewChangesKeys, QKeySequence::PortableText),
             [this] { ShowReviewChanges(); });
    BindHistoryKeys(*this, [this] { Undo(); }, [this] { Redo(); });
    keyToolTips_.Add(*CheckBox5, {BindMnemonic(*this, *CheckBox5, kAdvancedModeMnemonic)});
    // Escape is Close Help while the help shows, and does nothing else.
    const QKeySequence closeHelp(kCloseHelpKey);
    if (BindKeys(*this, closeHelp, [this] {
            if (Memo1->isVisible())
                Button3->click();
        }))
        keyToolTips_.Add(*Button3, {closeHelp}, [this] { return !Memo1->isHidden(); });
}

// From a window beside this one, Save and Print ask above that window;
// Help shows in this window, which comes to the front for it.
EditorCommands TForm1::editorCommands()
{
    return {
        [this](QWidget& from) { SaveAsCommanded(&from); },
        [this](QWidget& from) { ShowPrintPreview(&from); },
        [this] { ShowReviewChanges(); },
        [this] { ShowZoneOverview(); },
        [this] {
            raise();
            activateWindow();
            Button3->click();
        },
        [this] { Undo(); },
        [this] { Redo(); },
        historyActions(),
    };
}

// The help text lies over the controls above the advanced-mode box; while
// it shows they take neither the focus nor keys. The commands below it
// stay usable.
void TForm1::setHelpShown(bool shown)
{
    const QRect helpArea = Memo1->geometry();
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control != Memo1 && control->focusPolicy() != Qt::NoFocus && helpArea.contains(control->geometry()))
            control->setEnabled(!shown);
    if (shown && Memo1->document()->isEmpty()) {
        Memo1->setFont(HelpFont());
        Memo1->setPlainText(HelpText());
    }
    Memo1->setVisible(shown);
    Button3->setText(shown ? "Close Help" : "Help");
    keyToolTips_.Refresh();
    if (shown)
        Memo1->setFocus();
}

} // namespace ostra
