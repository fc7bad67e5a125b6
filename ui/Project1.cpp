// Start-up: the application with its title, the main window, the card
// file browser (hidden) and the event loop. Closing the main window ends
// the program.
#include "ui/Application.h"
#include "ui/EditorWindows.h"

int main(int argc, char** argv)
{
    ostra::TApplication application(argc, argv);
    application.SetTitle("Ostra Configuration Utility");
    ostra::EditorWindows windows;
    application.SetErrorBoxes(&windows.MessageBoxes);
    windows.Show();
    return application.exec();
}
