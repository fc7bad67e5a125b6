// Qt's print preview and print dialog, built as a module of their own:
// Qt's print support costs the start of every run a few milliseconds of
// symbol binding, so the editor loads it only when the user first prints
// (ui/PrintPreview.h).
#include <functional>

#include <QPrintPreviewDialog>
#include <QPrinter>

// Shows the pages that paint paints in a print preview above owner,
// titled title; its Print button opens the platform's print dialog, for a
// printer or a PDF file, and paints the pages again there. When painting
// fails (a PDF file in a folder that cannot be written, a printer that
// refuses the job), failed is told where the pages were to go: the PDF
// file's path or the printer's name. Returns when the preview is closed.
extern "C" Q_DECL_EXPORT void ostraShowPrintPreview(QWidget* owner, const QString& title,
                                                    const std::function<bool(QPagedPaintDevice&)>& paint,
                                                    const std::function<void(const QString&)>& failed)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, owner);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        if (!paint(*target))
            failed(target->outputFileName().isEmpty() ? target->printerName() : target->outputFileName());
    });
    preview.exec();
}
