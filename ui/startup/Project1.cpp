// Start-up: the application with its title, the main window and the event
// loop; the font configuration loads beside them on a thread of its own,
// and the card file browser is built when it is first asked for.
// Closing the main window ends the program.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/startup/Application.h"
#include "ui/widgets/ApplicationTitle.h"
#include "ui/startup/EditorWindows.h"
#include "ui/startup/FontConfigWarmUp.h"
#include "ui/startup/StartupArguments.h"

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
    // Help and version need no display: they are answered before one is
    // looked for.
    const ostra::StartupRequest request =
        ostra::ParseStartupArguments(std::vector<std::string>(argv + 1, argv + argc), OSTRA_VERSION);
    if (!request.ShowWindow) {
        std::fputs(request.Output.c_str(), stdout);
        std::fputs(request.Error.c_str(), stderr);
        return request.ExitStatus;
    }
    if (!hasDisplay()) {
        std::fputs("ostra-config-utility: no display to show the window on "
                   "(neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
                   stderr);
        return 1;
    }
    const ostra::FontConfigWarmUp fontConfig;
    ostra::TApplication application(argc, argv);
    application.SetTitle(ostra::kApplicationTitle);
    ostra::EditorWindows windows;
    application.SetErrorBoxes(&windows.MessageBoxes);
    windows.Show();
    if (!request.File.empty())
        windows.Open(request.File);
    return application.exec();
}
