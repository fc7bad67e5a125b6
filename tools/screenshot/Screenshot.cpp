// Starts the editor's windows as start-up does, waits until the chosen
// window is on the screen, and saves a PNG of it.
//
//   ostra-screenshot OUT.png [main|help|cleared|browser]
//
// "help" shows the help text first, "cleared" runs Clear first,
// "browser" captures the card file browser.
#include <cstdio>
#include <cstring>

#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "ui/Application.h"
#include "ui/EditorWindows.h"

namespace {

QWidget* prepareWindow(ostra::EditorWindows& windows, const char* view)
{
    if (std::strcmp(view, "help") == 0)
        windows.Form1.Button3Click();
    if (std::strcmp(view, "cleared") == 0)
        windows.Form1.Button4Click();
    if (std::strcmp(view, "browser") == 0) {
        windows.Form1.Button2Click();
        return &windows.Form2;
    }
    return &windows.Form1;
}

bool saveWindow(QWidget& window, const QString& path)
{
    // Grabbing from the screen shows what the display server drew; the
    // widget's own rendering is the fallback on displays that cannot.
    QPixmap picture;
    if (QScreen* screen = window.screen())
        picture = screen->grabWindow(window.winId());
    if (picture.isNull())
        picture = window.grab();
    return picture.save(path, "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [main|help|cleared|browser]\n", argv[0]);
        return 2;
    }
    ostra::TApplication application(argc, argv);
    application.SetTitle("Ostra Configuration Utility");
    ostra::EditorWindows windows;
    application.SetErrorBoxes(&windows.MessageBoxes);
    windows.Show();
    QWidget* window = prepareWindow(windows, argc > 2 ? argv[2] : "main");
    const QString path = QString::fromLocal8Bit(argv[1]);
    int status = 1;
    // Give the display server time to map and draw the window.
    QTimer::singleShot(1500, [&] {
        status = saveWindow(*window, path) ? 0 : 1;
        application.quit();
    });
    application.exec();
    if (status == 0)
        std::printf("%s\n", argv[1]);
    return status;
}
