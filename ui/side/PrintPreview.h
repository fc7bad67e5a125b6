#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QWidget;

namespace ostra {

// The print preview, loaded with Qt's print support from a module of its
// own the first time it is asked for, so that a start that prints nothing
// does not bind it. The module is looked for in the given folders in turn.
class PrintPreview {
public:
    explicit PrintPreview(QStringList moduleFolders = InstalledModuleFolders());

    // Shows the pages paint paints in a modal preview above owner, titled
    // title, whose Print button opens the platform's print dialog; when
    // paint fails, failed is told the PDF file or printer the pages were
    // for, while the preview still shows. Answers why it could not show
    // when the module cannot be loaded.
    using PaintFunction = std::function<bool(QPagedPaintDevice&)>;
    using FailureFunction = std::function<void(const QString& target)>;
    std::optional<QString> Show(QWidget& owner, const QString& title, const PaintFunction& paint,
                                const FailureFunction& failed);

    // Beside the program, then where the package installs it.
    static QStringList InstalledModuleFolders();

private:
    using ShowFunction = void (*)(QWidget*, const QString&, const PaintFunction&, const FailureFunction&);
    std::optional<QString> load();

    QStringList moduleFolders_;
    ShowFunction show_ = nullptr;
};

} // namespace ostra
