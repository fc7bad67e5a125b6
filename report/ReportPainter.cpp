#include "report/ReportPainter.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPagedPaintDevice>

namespace ostra::report {

namespace {

// Sizes in points. A unit's page is laid out for the printable part of an
// A4 or Letter page within 15 mm margins; the overview's 38 rows take most
// of it.
constexpr double kTitleSize = 14;
constexpr double kSectionSize = 9.5;
constexpr double kBodySize = 8;
constexpr double kGridSize = 7.5;
constexpr double kTitleHeight = 20;
constexpr double kSectionHeight = 14;
constexpr double kRowHeight = 11;
constexpr double kGridRowHeight = 9.6;
constexpr double kGap = 8;
constexpr double kCellPadding = 3;
// The foot of every page, below what the page holds, for its number.
constexpr double kFootHeight = 14;
constexpr double kFootSize = 7.5;

const QColor kInk(0, 0, 0);
const QColor kRule(150, 150, 150);
const QColor kHeaderFill(235, 235, 235);
const QColor kWarning(176, 0, 0);

// Shares of a unit page's tables: number, short name, full name; and the
// overview's wallplate column, then six zones.
const std::vector<double> kNameShares = {0.12, 0.28, 0.60};
const std::vector<double> kSummaryShares = {0.20, 0.30, 0.12, 0.38};
std::vector<double> overviewShares(std::size_t zones)
{
    std::vector<double> shares{0.13};
    shares.insert(shares.end(), zones, 0.87 / static_cast<double>(zones));
    return shares;
}

QString qt(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

} // namespace

struct ReportPainter::Box {
    double X = 0;
    double Y = 0;
    double Width = 0;
    double Height = 0;
};

ReportPainter::ReportPainter(QPagedPaintDevice& device)
    : device_(device), painter_(&device), unit_(device.logicalDpiY() / 72.0)
{
}

QFont ReportPainter::font(double points, bool bold, bool italic) const
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No shaping for Latin text means no ligatures: "fi" stays two letters
    // for a PDF reader's search and text extraction.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void ReportPainter::nextPage()
{
    if (pageUsed_)
        device_.newPage();
    pageUsed_ = true;
    ++pageNumber_;
    painter_.resetTransform();
    pageFoot();
}

// "Page 3 of 7" at the right of the page's foot, drawn before a unit's
// page is scaled to fit, so that every page's number is the same size.
void ReportPainter::pageFoot()
{
    std::string number = "Page " + std::to_string(pageNumber_);
    if (pageCount_ > 0)
        number += " of " + std::to_string(pageCount_);
    const double width = device_.width() / unit_;
    text({0, pageHeight() + kFootHeight - kRowHeight, width, kRowHeight}, number, font(kFootSize), Qt::AlignRight,
         kInk);
}

// What a page holds above its foot, in points.
double ReportPainter::pageHeight() const
{
    return device_.height() / unit_ - kFootHeight;
}

bool ReportPainter::finish()
{
    return painter_.isActive() && painter_.end();
}

// One line of text in box, cut with an ellipsis when it is wider.
void ReportPainter::text(const Box& box, const std::string& text, const QFont& font, int flags, const QColor& colour)
{
    if (!drawing_)
        return;
    const QRectF rect(px(box.X), px(box.Y), px(box.Width), px(box.Height));
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.drawText(rect, flags | Qt::AlignVCenter,
                      QFontMetricsF(font, &device_).elidedText(qt(text), Qt::ElideRight, rect.width()));
}

double ReportPainter::section(const Box& box, const char* title)
{
    text({box.X, box.Y, box.Width, kSectionHeight}, title, font(kSectionSize, true), Qt::AlignLeft, kInk);
    return kSectionHeight;
}

// Labels in bold, their values beside them in one column.
double ReportPainter::lines(const Box& box, const std::vector<ReportLine>& lines)
{
    const QFont label = font(kBodySize, true);
    const QFontMetricsF metrics(label, &device_);
    double labelWidth = 0;
    for (const ReportLine& line : lines)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(qt(line.Label)) / unit_);
    labelWidth = std::min(labelWidth + kGap, box.Width / 2);
    double y = box.Y;
    for (const ReportLine& line : lines) {
        text({box.X, y, labelWidth, kRowHeight}, line.Label, label, Qt::AlignLeft, kInk);
        text({box.X + labelWidth, y, box.Width - labelWidth, kRowHeight}, line.Value, font(kBodySize), Qt::AlignLeft,
             kInk);
        y += kRowHeight;
    }
    return y - box.Y;
}

// A ruled table of one-line cells, a shaded header row on top; box.Height
// is the height of each row.
double ReportPainter::table(const Box& box, const ReportTable& table, const std::vector<double>& shares, bool centred)
{
    const double rowHeight = box.Height;
    const double size = centred ? kGridSize : kBodySize;
    auto row = [&](double y, const std::vector<std::string>& cells, bool header) {
        double x = box.X;
        for (std::size_t i = 0; i < cells.size() && i < shares.size(); ++i) {
            const double width = box.Width * shares[i];
            if (drawing_) {
                const QRectF cell(px(x), px(y), px(width), px(rowHeight));
                painter_.setPen(QPen(kRule, px(0.5)));
                painter_.setBrush(header ? QBrush(kHeaderFill) : QBrush(Qt::NoBrush));
                painter_.drawRect(cell);
            }
            const int align = centred && i > 0 && !header ? Qt::AlignHCenter : Qt::AlignLeft;
            text({x + kCellPadding, y, width - 2 * kCellPadding, rowHeight}, cells[i], font(size, header), align, kInk);
            x += width;
        }
    };
    double y = box.Y;
    row(y, table.Columns, true);
    y += rowHeight;
    for (const std::vector<std::string>& cells : table.Rows) {
        row(y, cells, false);
        y += rowHeight;
    }
    return y - box.Y;
}

// The page of one unit, width points wide; its height in points.
double ReportPainter::unitPage(const UnitReport& report, double width)
{
    double y = 0;
    text({0, y, width, kTitleHeight}, report.Title, font(kTitleSize, true), Qt::AlignLeft, kInk);
    y += kTitleHeight;
    if (report.Unsaved) {
        text({0, y, width, kRowHeight}, kUnsavedNotice, font(kBodySize, true), Qt::AlignLeft, kWarning);
        y += kRowHeight;
    }
    if (!report.LengthWarning.empty()) {
        text({0, y, width, kRowHeight}, report.LengthWarning, font(kBodySize, true), Qt::AlignLeft, kWarning);
        y += kRowHeight;
    }
    // The head in two columns: the file on the left, the report and the unit's versions on the right.
    const auto middle = report.Head.begin() + static_cast<std::ptrdiff_t>((report.Head.size() + 1) / 2);
    const double half = (width - kGap) / 2;
    y += std::max(lines({0, y, half}, std::vector<ReportLine>(report.Head.begin(), middle)),
                  lines({half + kGap, y, half}, std::vector<ReportLine>(middle, report.Head.end())));
    if (!report.Notice.empty()) {
        text({0, y + kGap / 2, width, kRowHeight}, report.Notice, font(kBodySize, false, true), Qt::AlignLeft, kInk);
        y += kRowHeight + kGap / 2;
    }
    if (!report.HasSettings())
        return y;
    y += kGap;
    const double settings = section({0, y, half}, kSettingsTitle) + lines({0, y + kSectionHeight, half}, report.Settings);
    const double installer = section({half + kGap, y, half}, kInstallerTitle)
        + lines({half + kGap, y + kSectionHeight, half}, report.Installer);
    y += std::max(settings, installer) + kGap;
    section({0, y, half}, kSourcesTitle);
    section({half + kGap, y, half}, kZonesTitle);
    y += kSectionHeight;
    y += std::max(table({0, y, half, kRowHeight}, report.Sources, kNameShares, false),
                  table({half + kGap, y, half, kRowHeight}, report.Zones, kNameShares, false));
    y += kGap;
    y += section({0, y, width}, kOverviewTitle);
    y += table({0, y, width, kGridRowHeight}, report.Overview, overviewShares(report.Overview.Columns.size() - 1),
               true);
    return y;
}

void ReportPainter::paintUnit(const UnitReport& report)
{
    nextPage();
    const double width = device_.width() / unit_;
    const double height = pageHeight();
    // Measured first: on a page too short the whole page is drawn smaller.
    drawing_ = false;
    const double needed = unitPage(report, width);
    drawing_ = true;
    const double scale = needed > height ? height / needed : 1.0;
    painter_.scale(scale, scale);
    unitPage(report, width / scale);
}

// One row of the summary, its cells wrapped to their column; an error row
// has two cells, the file and the error across the other columns. Its
// height in points.
double ReportPainter::summaryRow(double y, const std::vector<std::string>& cells, bool header, bool measureOnly)
{
    const double width = device_.width() / unit_;
    const QFont cellFont = font(kBodySize, header);
    const QFontMetricsF metrics(cellFont, &device_);
    std::vector<double> widths;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        double share = kSummaryShares[i];
        if (i + 1 == cells.size())
            for (std::size_t rest = i + 1; rest < kSummaryShares.size(); ++rest)
                share += kSummaryShares[rest];
        widths.push_back(width * share);
    }
    auto flagsOf = [](std::size_t column) {
        return Qt::AlignLeft | Qt::AlignTop | (column == 0 ? Qt::TextWrapAnywhere : Qt::TextWordWrap);
    };
    double height = kRowHeight;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const QRectF room(0, 0, px(widths[i] - 2 * kCellPadding), px(1000));
        const double needed = metrics.boundingRect(room, flagsOf(i), qt(cells[i])).height() / unit_;
        height = std::max(height, needed + 2);
    }
    if (measureOnly)
        return height;
    double x = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        painter_.setPen(QPen(kRule, px(0.5)));
        painter_.setBrush(header ? QBrush(kHeaderFill) : QBrush(Qt::NoBrush));
        painter_.drawRect(QRectF(px(x), px(y), px(widths[i]), px(height)));
        painter_.setFont(cellFont);
        painter_.setPen(kInk);
        painter_.drawText(QRectF(px(x + kCellPadding), px(y + 1), px(widths[i] - 2 * kCellPadding), px(height)),
                          flagsOf(i), qt(cells[i]));
        x += widths[i];
    }
    return height;
}

void ReportPainter::paintSummary(const SiteSummary& summary)
{
    nextPage();
    summaryPages(summary);
}

int ReportPainter::summaryPageCount(const SiteSummary& summary)
{
    drawing_ = false;
    const int pages = summaryPages(summary);
    drawing_ = true;
    return pages;
}

// The summary from the top of the current page on, drawn unless only
// measured; the pages it takes. Counting and drawing share this one
// walk, so that the count given to every page's foot is the pages drawn.
int ReportPainter::summaryPages(const SiteSummary& summary)
{
    const double width = device_.width() / unit_;
    const double height = pageHeight();
    int pages = 1;
    double y = 0;
    text({0, y, width, kTitleHeight}, summary.Title, font(kTitleSize, true), Qt::AlignLeft, kInk);
    y += kTitleHeight;
    y += lines({0, y, width}, summary.Head);
    y += kGap;
    y += summaryRow(y, summary.Columns, true, !drawing_);
    for (const SiteSummary::Row& row : summary.Rows) {
        std::vector<std::string> cells = row.Cells;
        if (!row.LengthWarning.empty())
            cells[1] += "\n" + row.LengthWarning;
        const double rowHeight = summaryRow(y, cells, false, true);
        if (y + rowHeight > height) {
            if (drawing_)
                nextPage();
            ++pages;
            y = summaryRow(0, summary.Columns, true, !drawing_);
        }
        y += summaryRow(y, cells, false, !drawing_);
    }
    return pages;
}

bool PrintUnitReport(QPagedPaintDevice& device, const ReportUnit& unit, std::time_t generated)
{
    ReportPainter painter(device);
    painter.setPageCount(1);
    painter.paintUnit(BuildUnitReport(unit, generated));
    return painter.finish();
}

} // namespace ostra::report
