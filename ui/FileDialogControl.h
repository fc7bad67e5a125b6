#pragma once

#include "platform/qt/FileDialogs.h"

namespace ostra {

// A file dialog as a window keeps it: its settings and the file name it
// holds between runs. Execute opens it with that name; when the user
// confirms, the chosen full path becomes the held name.
class FileDialogControl {
public:
    FileDialogControl(FileDialogs& dialogs, QWidget* owner, FileDialogRequest settings);

    bool Execute();

    const QString& FileName() const { return settings_.FileName; }
    void SetFileName(const QString& fileName) { settings_.FileName = fileName; }
    const FileDialogRequest& Settings() const { return settings_; }

private:
    FileDialogs& dialogs_;
    QWidget* owner_;
    FileDialogRequest settings_;
};

} // namespace ostra
