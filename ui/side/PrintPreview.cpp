#include "ui/side/PrintPreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace ostra {

namespace {

const char* const kShowSymbol = "ostraShowPrintPreview";

} // namespace

PrintPreview::PrintPreview(QStringList moduleFolders) : moduleFolders_(std::move(moduleFolders)) {}

QStringList PrintPreview::InstalledModuleFolders()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(), program.filePath(QLatin1String(OSTRA_PRINT_MODULE_FOLDER))};
}

std::optional<QString> PrintPreview::load()
{
    if (show_ != nullptr)
        return std::nullopt;
    QString reasons;
    for (const QString& folder : moduleFolders_) {
        // Kept loaded for the rest of the run: the preview's code lives there.
        QLibrary module(QDir(folder).filePath(QLatin1String(OSTRA_PRINT_MODULE_NAME)));
        show_ = reinterpret_cast<ShowFunction>(module.resolve(kShowSymbol));
        if (show_ != nullptr)
            return std::nullopt;
        reasons += module.errorString() + QLatin1Char('\n');
    }
    return reasons.trimmed();
}

std::optional<QString> PrintPreview::Show(QWidget& owner, const QString& title, const PaintFunction& paint,
                                          const FailureFunction& failed)
{
    if (std::optional<QString> failure = load())
        return failure;
    show_(&owner, title, paint, failed);
    return std::nullopt;
}

} // namespace ostra
