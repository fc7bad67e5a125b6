#include "platform/qt/QtFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace ostra {

std::optional<QString> QtFileDialogs::Run(QWidget* owner, const FileDialogRequest& request)
{
    QFileDialog dialog(owner, request.Title);
    const bool saving = request.Kind == FileDialogKind::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilters(request.Filters);
    if (!request.Filters.isEmpty())
        dialog.selectNameFilter(request.Filters.front());
    if (saving && !request.DefaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.DefaultExtension);
    if (!request.FileName.isEmpty()) {
        const QFileInfo initial(request.FileName);
        if (initial.isAbsolute())
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace ostra
