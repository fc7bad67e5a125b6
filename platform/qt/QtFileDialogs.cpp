#include "platform/qt/QtFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace ostra {

namespace {

// "Caption (*.a *.b)" becomes "Caption (*.a *.b) (Qt's patterns)"; with the
// details hidden, Qt shows what stands before the last parentheses.
QString qtNameFilter(const QString& filter)
{
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    if (open < 0 || !filter.endsWith(QLatin1Char(')')))
        return filter;
    QStringList patterns = filter.mid(open + 1, filter.size() - open - 2)
                               .split(QRegularExpression(QStringLiteral("[ ;]")), Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
        if (pattern == QStringLiteral("*.*"))
            pattern = QStringLiteral("*");
    return filter + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setWindowTitle(request.Title);
    const bool saving = request.Kind == FileDialogKind::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    QStringList filters;
    for (const QString& filter : request.Filters)
        filters << qtNameFilter(filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.front());
    if (saving && !request.DefaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.DefaultExtension);
    if (!request.FileName.isEmpty()) {
        const QFileInfo initial(request.FileName);
        if (initial.isAbsolute())
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
}

std::optional<QString> QtFileDialogs::run(QWidget* owner, const FileDialogRequest& request)
{
    QFileDialog dialog(owner);
    ConfigureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace ostra
