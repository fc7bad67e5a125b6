#pragma once

#include <optional>

#include <QString>
#include <QStringList>

class QWidget;

namespace ostra {

enum class FileDialogKind { Open, Save };

// Everything a standard file dialog is opened with. Filters are written as
// "Description (*.ext)"; DefaultExtension has no leading dot and is added to
// a name typed without one (save dialogs only).
struct FileDialogRequest {
    FileDialogKind Kind = FileDialogKind::Open;
    QString Title;
    QStringList Filters;
    QString DefaultExtension;
    QString FileName;
};

// The open-file and save-file dialogs. Run returns the chosen full path, or
// nothing when the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs();
    virtual std::optional<QString> run(QWidget* owner, const FileDialogRequest& request) = 0;
};

} // namespace ostra
