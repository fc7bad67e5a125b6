// The keys the tooltips of both windows name: each control with keys names
// them after its caption, and every key a tooltip names runs its control.
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "BrowserFixture.h"

namespace ostra::test {
namespace {

// The keys at the end of a tooltip, "Load (Ctrl+O, Alt+L)", as the user
// reads them; none when the tooltip names no keys.
QList<QKeySequence> namedKeys(const QString& toolTip)
{
    static const QRegularExpression keyList(R"(\(([^()]+)\)$)");
    QList<QKeySequence> keys;
    for (const QString& name : keyList.match(toolTip).captured(1).split(", ", Qt::SkipEmptyParts))
        keys << QKeySequence::fromString(name, QKeySequence::NativeText);
    return keys;
}

class KeyToolTipsTest : public BrowserFixture {};

// A control that keys run, in the state it is shown in, and the keys
// (portable text, ", " between them) its tooltip names at least.
struct KeyedControl {
    const char* What;
    QAbstractButton* (*Control)(TForm1&, TForm2&);
    bool InBrowser;
    bool HelpShown;
    const char* Keys;
};

const KeyedControl kKeyed[] = {
    {"Load", [](TForm1& f, TForm2&) -> QAbstractButton* { return f.Button2; }, false, false, "Ctrl+O, Alt+L"},
    {"Save", [](TForm1& f, TForm2&) -> QAbstractButton* { return f.Button1; }, false, false, "Ctrl+S, Alt+S"},
    {"Help", [](TForm1& f, TForm2&) -> QAbstractButton* { return f.Button3; }, false, false, "F1, Alt+H"},
    {"Close Help", [](TForm1& f, TForm2&) -> QAbstractButton* { return f.Button3; }, false, true, "F1, Alt+H, Esc"},
    {"Clear", [](TForm1& f, TForm2&) -> QAbstractButton* { return f.Button4; }, false, false, "Alt+C"},
    {"advanced mode", [](TForm1& f, TForm2&) -> QAbstractButton* { return f.CheckBox5; }, false, false, "Alt+A"},
    {"browser's Cancel", [](TForm1&, TForm2& b) -> QAbstractButton* { return b.Button1; }, true, false, "Esc"},
};

TEST_F(KeyToolTipsTest, EachControlNamesItsKeysAndEveryKeyNamedRunsIt)
{
    std::vector<QAbstractButton*> keyed;
    for (const KeyedControl& row : kKeyed) {
        SCOPED_TRACE(row.What);
        QAbstractButton* control = row.Control(*form, browser);
        keyed.push_back(control);
        QWidget* window = row.InBrowser ? static_cast<QWidget*>(&browser) : form.get();
        const auto prepare = [&] {
            row.InBrowser ? browser.show() : browser.hide();
            form->show();
            if (form->Memo1->isVisible() != row.HelpShown)
                form->Button3Click();
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        };
        prepare();
        const QString toolTip = control->toolTip();
        EXPECT_TRUE(toolTip.startsWith(control->text() + " (")) << toolTip.toStdString();
        const QList<QKeySequence> named = namedKeys(toolTip);
        for (const QString& key : QString(row.Keys).split(", "))
            EXPECT_TRUE(named.contains(QKeySequence::fromString(key))) << key.toStdString() << " in " << toolTip.toStdString();
        for (const QKeySequence& key : named) {
            prepare();
            QSignalSpy clicks(control, &QAbstractButton::clicked);
            QTest::keySequence(window, key);
            EXPECT_EQ(clicks.count(), 1) << key.toString().toStdString() << " does not run it";
        }
    }
    // The other buttons and check boxes name no keys, and keep tooltips of
    // their own as they were.
    for (QWidget* window : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(&browser)}) {
        for (QAbstractButton* control : window->findChildren<QAbstractButton*>()) {
            if (std::find(keyed.begin(), keyed.end(), control) == keyed.end()) {
                EXPECT_EQ(namedKeys(control->toolTip()), QList<QKeySequence>()) << control->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(form->CheckBox4->toolTip(), "Enabled Display Blanking");
}

} // namespace
} // namespace ostra::test
