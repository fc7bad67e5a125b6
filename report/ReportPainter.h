#pragma once

#include <ctime>
#include <vector>

#include <QFont>
#include <QPainter>
#include <QString>

#include "report/SiteReport.h"
#include "report/UnitReport.h"

class QPagedPaintDevice;

namespace ostra::report {

// Paints report pages on a printer or a PDF writer with one painter, page
// after page: a unit on a page of its own (made smaller when the device's
// page is too short for it), a summary on as many pages as its rows need.
// Each page ends in "Page 3 of 7", the whole document's count given
// before the first page. Text is drawn as text in DejaVu Sans, which
// holds every character of both code pages, so a PDF carries it
// searchable, its font embedded.
class ReportPainter {
public:
    explicit ReportPainter(QPagedPaintDevice& device);
    ReportPainter(const ReportPainter&) = delete;
    ReportPainter& operator=(const ReportPainter&) = delete;

    // The pages of the whole document: the summary's (summaryPageCount)
    // and one a unit.
    void setPageCount(int pages) { pageCount_ = pages; }
    // The pages paintSummary takes for the summary on this device,
    // measured without drawing.
    int summaryPageCount(const SiteSummary& summary);
    void paintSummary(const SiteSummary& summary);
    void paintUnit(const UnitReport& report);
    // Ends the painting; false when the device failed (a file it could not write).
    bool finish();

private:
    struct Box; // where a part of a page goes, in points
    void nextPage();
    void pageFoot();
    double pageHeight() const;
    int summaryPages(const SiteSummary& summary);
    double unitPage(const UnitReport& report, double width);
    double lines(const Box& box, const std::vector<ReportLine>& lines);
    double section(const Box& box, const char* title);
    double table(const Box& box, const ReportTable& table, const std::vector<double>& shares, bool centred);
    double summaryRow(double y, const std::vector<std::string>& cells, bool header, bool measureOnly);
    void text(const Box& box, const std::string& text, const QFont& font, int flags, const QColor& colour);
    QFont font(double points, bool bold = false, bool italic = false) const;
    double px(double points) const { return points * unit_; }

    QPagedPaintDevice& device_;
    QPainter painter_;
    double unit_;           // device pixels per point
    bool drawing_ = true;   // false while a page is only measured
    bool pageUsed_ = false; // whether the current page holds anything
    int pageNumber_ = 0;    // of the current page, counted from 1
    int pageCount_ = 0;     // of the document; 0 while unknown
};

// The editor's print: the one-unit report of unit (a record as it stands
// in the window, unit.Unsaved when it holds edits not yet saved) on one
// page of device, a printer or a PDF writer, "Page 1 of 1" at its foot.
// False when the device failed.
// A print preview calls it from QPrintPreviewWidget::paintRequested with
// the preview's printer, and the print dialog's printer takes the same
// call; unit.File comes from ReportFileAt for the window's file (a path
// left empty for a record never saved).
bool PrintUnitReport(QPagedPaintDevice& device, const ReportUnit& unit, std::time_t generated);

} // namespace ostra::report
