#include "ui/widgets/FileDialogControl.h"

#include <utility>

#include <QFile>

#include "ui/widgets/DisplayText.h"

namespace ostra {

FileDialogControl::FileDialogControl(FileDialogs& dialogs, QWidget* owner, FileDialogRequest settings)
    : dialogs_(dialogs), owner_(owner), settings_(std::move(settings))
{
    fileName_ = QFile::encodeName(settings_.FileName).toStdString();
}

FileDialogRequest FileDialogControl::Settings() const
{
    FileDialogRequest shown = settings_;
    shown.FileName = DisplayName(fileName_);
    return shown;
}

bool FileDialogControl::Execute(QWidget* owner)
{
    const FileDialogRequest request = Settings();
    const std::optional<QString> chosen = dialogs_.run(owner != nullptr ? owner : owner_, request);
    if (!chosen)
        return false;
    if (*chosen != request.FileName)
        fileName_ = QFile::encodeName(*chosen).toStdString();
    return true;
}

} // namespace ostra
