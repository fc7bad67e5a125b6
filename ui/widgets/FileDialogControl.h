#pragma once

#include <string>

#include "platform/qt/FileDialogs.h"

namespace ostra {

// A file dialog as a window keeps it: its settings and the file name it
// holds between runs. Execute opens it with that name; when the user
// confirms, the chosen full path becomes the held name. The name is kept as
// the exact bytes of the path: a name the dialog hands back unchanged keeps
// bytes that are no UTF-8.
class FileDialogControl {
public:
    FileDialogControl(FileDialogs& dialogs, QWidget* owner, FileDialogRequest settings);

    // Runs the dialog above owner, or above the window that holds it.
    bool Execute(QWidget* owner = nullptr);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    // The settings the dialog opens with, its file name as shown.
    FileDialogRequest Settings() const;

private:
    FileDialogs& dialogs_;
    QWidget* owner_;
    FileDialogRequest settings_;
    std::string fileName_;
};

} // namespace ostra
