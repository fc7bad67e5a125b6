#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/FileApi.h"
#include "platform/drives/RemovableDrives.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtShell.h"
#include "ui/startup/GIFStartUp.h"
#include "ui/main/Unit1.h"
#include "ui/browser/Unit2.h"

namespace ostra {

// The removable drives of this machine, scanned once on creation.
std::unique_ptr<RemovableDrives> ThisMachinesDrives();

// The editor as start-up builds it: the real files, dialogs, message boxes
// and shell, and the main window. Start-up does only what the main window
// needs: the card file browser and the removable drives it scans are made
// the first time the browser is asked for, and the application icon is set
// once the main window has been drawn. Both windows read and write files
// through the one file layer.
struct EditorWindows {
    // Where the card file browser gets its drives from, called once, when
    // the browser is first built.
    using DriveSource = std::function<std::unique_ptr<RemovableDrives>()>;

    explicit EditorWindows(DriveSource drives = ThisMachinesDrives);
    ~EditorWindows();
    EditorWindows(const EditorWindows&) = delete;
    EditorWindows& operator=(const EditorWindows&) = delete;

    // Shows the main window, centred on the screen.
    void Show();
    // Opens the file at path as Advanced Load opens the file it is given:
    // errors in the usual box, and plain Save writes there from then on.
    void Open(const std::string& path);
    // The card file browser, built hidden and centred on first use.
    TForm2& CardBrowser();

    // First: the main window reads its logo through the GIF library.
    GIFStartUp GIFLibrary;
    FileApi& Files;
    QtFileDialogs FileDialogs;
    QtMessageBoxes MessageBoxes;
    QtShell Shell;
    TForm1 Form1;

private:
    void showCardBrowser();

    DriveSource driveSource_;
    // The browser goes before its drives and both before the main window
    // it opens files in.
    std::unique_ptr<RemovableDrives> drives_;
    std::unique_ptr<TForm2> form2_;
};

} // namespace ostra
