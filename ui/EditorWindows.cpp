#include "ui/EditorWindows.h"

#include "ui/WindowPlacement.h"

namespace ostra {

EditorWindows::EditorWindows()
    : Form1(FileDialogs, MessageBoxes, Shell, [this] { showCardBrowser(); }), Form2(Form1, Drives)
{
    CentreOnScreen(Form2);
}

void EditorWindows::showCardBrowser()
{
    Form2.show();
    Form2.raise();
    Form2.activateWindow();
}

void EditorWindows::Show()
{
    CentreOnScreen(Form1);
    Form1.show();
}

} // namespace ostra
