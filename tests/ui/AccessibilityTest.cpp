// Both windows as the accessibility layer hands them to screen readers:
// their roles, and a name for every control a user can reach.
#include <QAccessible>
#include <QComboBox>
#include <QListWidget>

#include <map>

#include "BrowserFixture.h"

namespace ostra::test {
namespace {

using AccessibilityTest = BrowserFixture;

struct Reachable {
    QString Name;
    QAccessible::Role Role;
};

// Every object below node that takes the focus, and every link and group;
// list items, scroll bars and a combo box's inside are read with their
// control.
void collectReachable(QAccessibleInterface* node, std::vector<Reachable>& found)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child == nullptr)
            continue;
        const QAccessible::Role role = child->role();
        if (role == QAccessible::ListItem || role == QAccessible::ScrollBar)
            continue;
        if (child->state().focusable || role == QAccessible::Link || role == QAccessible::Grouping)
            found.push_back({child->text(QAccessible::Name), role});
        if (role != QAccessible::ComboBox)
            collectReachable(child, found);
    }
}

struct WindowCase {
    const char* What;
    QWidget* Window;
    QAccessible::Role Role;
    std::size_t Controls;
};

TEST_F(AccessibilityTest, EveryReachableControlHasANameOfItsOwn)
{
    const WindowCase windows[] = {
        // 29 edit boxes, 7 options, 5 buttons, 3 lists, the help, the logo, 8 groups
        {"main window", form.get(), QAccessible::Window, 54},
        // the file list, the drive box, 4 buttons
        {"card file browser", &browser, QAccessible::Dialog, 6},
    };
    for (const WindowCase& window : windows) {
        SCOPED_TRACE(window.What);
        QAccessibleInterface* top = QAccessible::queryAccessibleInterface(window.Window);
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(top->role(), window.Role);
        EXPECT_FALSE(top->text(QAccessible::Name).isEmpty());
        std::vector<Reachable> controls;
        collectReachable(top, controls);
        EXPECT_EQ(controls.size(), window.Controls);
        std::map<QString, int> uses;
        for (const Reachable& control : controls) {
            EXPECT_FALSE(control.Name.trimmed().isEmpty()) << "a control of role " << control.Role << " has no name";
            ++uses[control.Name];
        }
        for (const auto& [name, count] : uses)
            EXPECT_EQ(count, 1) << name.toStdString();
    }
}

QString nameOf(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

TEST_F(AccessibilityTest, NamesComeFromTheLabelsASightedUserReads)
{
    EXPECT_EQ(nameOf(form->Edit6), "Source 3 short name");
    EXPECT_EQ(nameOf(form->Edit21), "Zone 2 full name");
    EXPECT_EQ(nameOf(form->Edit14), "Installer information, line 1");
    EXPECT_EQ(nameOf(form->CheckListBox1), "Wallplates of the selected zone");
    EXPECT_EQ(form->Label1->buddy(), form->Edit1);
    EXPECT_EQ(form->Label7->buddy(), form->Edit6) << "the row number labels its short name";
    QAccessibleInterface* mainOutputs = QAccessible::queryAccessibleInterface(form->CheckListBox2);
    QAccessibleInterface* zone4 = mainOutputs->child(3);
    ASSERT_NE(zone4, nullptr);
    EXPECT_EQ(zone4->text(QAccessible::Name), "Main output of zone 4");
    QAccessibleInterface* logo = QAccessible::queryAccessibleInterface(form->Image1);
    EXPECT_EQ(logo->role(), QAccessible::Link);
    EXPECT_TRUE(logo->text(QAccessible::Name).contains(kMakerWebSite));
    EXPECT_EQ(nameOf(browser.ComboBox1), "Drive");
}

TEST_F(AccessibilityTest, PressingTheLogoLinkFollowsIt)
{
    QAccessibleInterface* logo = QAccessible::queryAccessibleInterface(form->Image1);
    ASSERT_NE(logo->actionInterface(), nullptr);
    logo->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(shell.Opened.size(), 1);
    EXPECT_TRUE(shell.Opened.front().contains(kMakerWebSite));
}

} // namespace
} // namespace ostra::test
