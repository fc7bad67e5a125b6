#include "ui/FileDialogControl.h"

#include <utility>

namespace ostra {

FileDialogControl::FileDialogControl(FileDialogs& dialogs, QWidget* owner, FileDialogRequest settings)
    : dialogs_(dialogs), owner_(owner), settings_(std::move(settings))
{
}

bool FileDialogControl::Execute()
{
    const std::optional<QString> chosen = dialogs_.Run(owner_, settings_);
    if (!chosen)
        return false;
    settings_.FileName = *chosen;
    return true;
}

} // namespace ostra
