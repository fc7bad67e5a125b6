// Starts the editor's windows as start-up does, waits until the chosen
// window is on the screen, and saves a PNG of it.
//
//   ostra-screenshot OUT.png [main|help|cleared|sample|browser]
//
// "help" shows the help text first, "cleared" runs Clear first, "sample"
// fills every field to its full width, "browser" captures the card file
// browser.
#include <cstdio>
#include <cstring>

#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "ui/startup/Application.h"
#include "ui/widgets/ApplicationTitle.h"
#include "ui/startup/EditorWindows.h"

namespace {

// Every text field full, with wide letters, and a few bits set.
void fillSample(ostra::TForm1& form)
{
    using namespace ostra;
    for (int offset = 0; offset < layout::kWallplateGroupBase; ++offset)
        form.ConfigRecord[offset] = static_cast<unsigned char>("WMQ@"[offset % 4]);
    for (int offset = 0; offset < layout::kInstallerInfoWidth; ++offset)
        form.ConfigRecord[layout::kInstallerInfoOffset + offset] = 'W';
    WriteConfigText(form.ConfigRecord, layout::kDescriptionOffset, layout::kDescriptionWidth,
                    "\xC9\xCD\xCD Living Room \x01 \xB0\xB1\xB2\xDB caf\x82 \xCD\xCD\xBB");
    form.ConfigRecord[layout::kOptionFlagsOffset] = 0x7C;
    form.ConfigRecord[layout::kZoneMainOutputOffset] = 0x21;
    form.ConfigRecord[layout::wallplateGroupOffset(1)] = 0x05;
    StampSoftwareVersion(form.ConfigRecord);
    form.ConfigToForm();
}

QWidget* prepareWindow(ostra::EditorWindows& windows, const char* view)
{
    if (std::strcmp(view, "help") == 0)
        windows.Form1.Button3Click();
    if (std::strcmp(view, "cleared") == 0)
        windows.Form1.Button4Click();
    if (std::strcmp(view, "sample") == 0)
        fillSample(windows.Form1);
    if (std::strcmp(view, "browser") == 0) {
        windows.Form1.Button2Click();
        return &windows.CardBrowser();
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
        std::fprintf(stderr, "usage: %s OUT.png [main|help|cleared|sample|browser]\n", argv[0]);
        return 2;
    }
    ostra::TApplication application(argc, argv);
    application.SetTitle(ostra::kApplicationTitle);
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
