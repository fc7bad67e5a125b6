#include "ui/EditorWindows.h"

#include "ui/WindowPlacement.h"

namespace ostra {

EditorWindows::EditorWindows()
    : Files(systemFileApi()),
      Form1(Files, FileDialogs, MessageBoxes, Shell, [this] { showCardBrowser(); }),
      Form2(Form1, Drives, Files)
{
    CentreOnScreen(Form2);
}

void EditorWindows::showCardBrowser()
{
    Form2.show();
    Form2.raise();
    Form2.activateWindow();
}

void EditorWindows::Open(const std::string& path)
{
    if (Form1.OpenConfig(path))
        Form1.CurrentFilePath = path;
}

void EditorWindows::Show()
{
    CentreOnScreen(Form1);
    Form1.show();
}

} // namespace ostra
