// Start-up: the application with its title, the main window, the card
// file browser (hidden) and the event loop. Closing the main window ends
// the program.
#include <cstdio>
#include <cstdlib>

#include "ui/Application.h"
#include "ui/EditorWindows.h"

namespace {

bool isSet(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Without a display server to talk to and without a platform chosen
// explicitly, Qt would abort (status 134) with several lines about
// platform plugins; one plain line and status 1 say the same thing.
bool hasDisplay()
{
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    if (!hasDisplay()) {
        std::fputs("ostra-config-utility: no display to show the window on "
                   "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
    ostra::TApplication application(argc, argv);
    application.SetTitle("Ostra Configuration Utility");
    ostra::EditorWindows windows;
    application.SetErrorBoxes(&windows.MessageBoxes);
    windows.Show();
    return application.exec();
}
