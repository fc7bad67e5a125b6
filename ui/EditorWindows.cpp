#include "ui/EditorWindows.h"

#include "ui/WindowPlacement.h"

namespace ostra {

EditorWindows::EditorWindows() : Form1(FileDialogs, MessageBoxes, Shell), Form2(Form1, Drives)
{
    Form1.Form2 = &Form2;
    CentreOnScreen(Form2);
}

void EditorWindows::Show()
{
    CentreOnScreen(Form1);
    Form1.show();
}

} // namespace ostra
