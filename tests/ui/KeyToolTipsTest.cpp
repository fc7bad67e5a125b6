// The keys the tooltips of both windows name: each control with keys names
// them after its caption, and every key a tooltip names runs its control.
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "BrowserFixture.h"

namespace ostra::test {
namespace {

// The keys at the end of a tooltip, "Load (Ctrl+O, Alt+L)"; none without.
QList<QKeySequence> namedKeys(const QString& toolTip)
{
    static const QRegularExpression keyList(R"(\(([^()]+)\)$)");
    QList<QKeySequence> keys;
    for (const QString& name : keyList.match(toolTip).captured(1).split(", ", Qt::SkipEmptyParts))
        keys << QKeySequence::fromString(name, QKeySequence::NativeText);
    return keys;
}

// A control (by object name) in the state it shows in, and the keys
// (portable text) its tooltip names at least.
struct KeyedControl {
    const char* Control;
    bool InBrowser, HelpShown;
    const char* Keys;
};

const KeyedControl kKeyed[] = {
    {"Button2", false, false, "Ctrl+O, Alt+L"}, {"Button1", false, false, "Ctrl+S, Alt+S"},
    {"Button3", false, false, "F1, Alt+H"},     {"Button3", false, true, "F1, Alt+H, Esc"},
    {"Button4", false, false, "Alt+C"},         {"CheckBox5", false, false, "Alt+A"},
    {"Button1", true, false, "Esc"},           {"ZoneOverviewButton", false, false, "Ctrl+G, Alt+Z"},
};

using KeyToolTipsTest = BrowserFixture;

TEST_F(KeyToolTipsTest, EachControlNamesItsKeysAndEveryKeyNamedRunsIt)
{
    std::vector<QAbstractButton*> keyed;
    for (const KeyedControl& row : kKeyed) {
        QWidget* window = row.InBrowser ? static_cast<QWidget*>(&browser) : form.get();
        auto* control = window->findChild<QAbstractButton*>(row.Control);
        ASSERT_NE(control, nullptr) << row.Control;
        keyed.push_back(control);
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
        SCOPED_TRACE(toolTip.toStdString());
        EXPECT_TRUE(toolTip.startsWith(control->text() + " ("));
        for (const QString& key : QString(row.Keys).split(", "))
            EXPECT_TRUE(namedKeys(toolTip).contains(QKeySequence::fromString(key))) << key.toStdString();
        for (const QKeySequence& key : namedKeys(toolTip)) {
            prepare();
            QSignalSpy clicks(control, &QAbstractButton::clicked);
            QTest::keySequence(window, key);
            EXPECT_EQ(clicks.count(), 1) << key.toString().toStdString() << " does not run it";
        }
    }
    auto controls = form->findChildren<QAbstractButton*>() + browser.findChildren<QAbstractButton*>();
    for (QAbstractButton* control : controls) {
        if (std::find(keyed.begin(), keyed.end(), control) == keyed.end()) {
            EXPECT_EQ(namedKeys(control->toolTip()), QList<QKeySequence>()) << control->objectName().toStdString();
        }
    }
    EXPECT_EQ(form->CheckBox4->toolTip(), "Enabled Display Blanking");
}

} // namespace
} // namespace ostra::test
