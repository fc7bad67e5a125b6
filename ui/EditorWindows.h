#pragma once

#include "platform/FileApi.h"
#include "platform/drives/LinuxRemovableDrives.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtShell.h"
#include "ui/GIFStartUp.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace ostra {

// The editor as start-up builds it: the real files, dialogs, message boxes
// and shell, the removable drives of this machine, the main window, and
// the card file browser, created hidden. Both windows read and write files
// through the one file layer.
struct EditorWindows {
    EditorWindows();

    // Shows the main window, centred on the screen.
    void Show();
    // Opens the file at path as Advanced Load opens the file it is given:
    // errors in the usual box, and plain Save writes there from then on.
    void Open(const std::string& path);

    // First: the main window reads its logo through the GIF library.
    GIFStartUp GIFLibrary;
    FileApi& Files;
    QtFileDialogs FileDialogs;
    QtMessageBoxes MessageBoxes;
    QtShell Shell;
    LinuxRemovableDrives Drives;
    TForm1 Form1;
    TForm2 Form2;

private:
    void showCardBrowser();
};

} // namespace ostra
