// The report's content in each format, read back as a reader gets it:
// PDF through pdftotext, HTML as XML, CSV by RFC 4180.
#include <algorithm>
#include <fstream>

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "platform/FileApi.h"
#include "report/CsvReport.h"
#include "report/HtmlReport.h"
#include "report/PdfReport.h"
#include "report/ReportPainter.h"
#include "report-test/ReportText.h"
#include "support/TempFolder.h"

namespace ostra::test {
namespace {

using namespace report;

constexpr std::time_t kReportTime = 1796000000;

void setText(TConfigRecord& record, const std::string& key, const std::string& bytes)
{
    WriteFieldText(record, *FindConfigField(&ConfigField::Key, key), bytes);
}

// Every field set; names in both code pages, with markup and a formula.
TConfigRecord fullRecord()
{
    TConfigRecord record{};
    setText(record, "description", "H\x93tel \xB0 <Grand> & Co"); // code page 437: ô, ░
    for (int i = 1; i <= 6; ++i) {
        const std::string n = std::to_string(i);
        setText(record, "source." + n + ".short", "S" + n);
        setText(record, "source." + n + ".full", "Source " + n);
        setText(record, "zone." + n + ".short", "Z" + n);
        setText(record, "zone." + n + ".full", "Zone " + n);
    }
    setText(record, "source.2.full", "Caf\xE9 Se\xF1" "al"); // Windows-1252: é, ñ
    setText(record, "zone.3.full", "<b>&");
    setText(record, "zone.4.full", "=SUM(A1)");
    for (int k = 1; k <= 4; ++k)
        setText(record, "installer." + std::to_string(k), k == 1 ? "J\xFCrgen & S\xF6hne" : "Line " + std::to_string(k));
    for (const ConfigField& field : ConfigFields())
        if (field.Kind == FieldKind::Flag || field.Kind == FieldKind::ScreenMode)
            WriteFieldBit(record, field, field.Key != "zone.1.main" && field.Index == 0);
    WriteFieldBit(record, *FindConfigField(&ConfigField::Key, "zone.2.main"), true);
    for (auto [zone, plate] : {std::pair{1, 1}, {1, 8}, {1, 36}, {6, 15}})
        SetConfigBit(record, layout::wallplateByteOffset(zone, plate), layout::wallplateBit(plate), true);
    StampSoftwareVersion(record); // " 1" and "01"
    WriteConfigText(record, layout::kHardwareVersionOffset, 4, std::string("1\0" "08", 4));
    return record;
}

int occurrences(const std::string& text, const std::string& what)
{
    int found = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++found;
    return found;
}

// Each page of pdftotext's text ends in "Page N of M", M the pages there are.
void expectPagesNumbered(const std::string& text)
{
    const auto pages = std::count(text.begin(), text.end(), '\f');
    std::size_t start = 0;
    for (int page = 1; page <= pages; ++page, start = text.find('\f', start) + 1)
        EXPECT_NE(text.substr(start, text.find('\f', start) - start)
                      .find("Page " + std::to_string(page) + " of " + std::to_string(pages)),
                  std::string::npos)
            << "page " << page;
}

struct Format {
    const char* Name;
    std::unique_ptr<ReportWriter> (*Make)(QIODevice&);
};

const Format kFormats[] = {
    {"Pdf", [](QIODevice& out) -> std::unique_ptr<ReportWriter> {
         return std::make_unique<PdfReportWriter>(out, QPageSize(QPageSize::A4), kReportTime);
     }},
    {"Html", [](QIODevice& out) -> std::unique_ptr<ReportWriter> {
         return std::make_unique<HtmlReportWriter>(out, kReportTime);
     }},
    {"Csv", [](QIODevice& out) -> std::unique_ptr<ReportWriter> { return std::make_unique<CsvReportWriter>(out); }},
};

void PrintTo(const Format& format, std::ostream* out)
{
    *out << format.Name;
}

// What a reader finds, in the formats named ("" for all).
struct Expected {
    const char* What;
    const char* Text;
    std::string_view Formats;
};

const Expected kExpected[] = {
    {"the description in code page 437", "Hôtel ░ <Grand> & Co", ""},
    {"a source name in Windows-1252", "Café Señal", ""},
    {"an installer line", "Jürgen & Söhne", ""},
    {"markup in a zone name, as text", "<b>&", ""},
    {"a formula in a zone name", "=SUM(A1)", "Pdf Html"},
    {"a formula kept a text", "|'=SUM(A1)|", "Csv"},
    {"the blank file", "<Blank Config File>", ""},
    {"the unreadable file's error", "Read beyond end of file", ""},
    {"a zone heading of the overview", "4 =SUM(A1)", "Pdf Html"},
    {"the screen mode", "Professional", "Pdf Html"},
    {"a wallplate row of the overview", "B2 - 08|\u2713||||||", "Html"},
    {"the main output row", "Main||\u2713|||||", "Html"},
    {"zone 1's wallplates", "|A1,B2,F6|", "Csv"},
    // As the window's labels show them: a part ends at a NUL, a space stays.
    {"the hardware version", "Hardware Version|1.08|", "Html"},
    {"the software version as saves stamp it", "Software Version| 1.01|", "Html"},
    {"both versions", "|1.08| 1.01|", "Csv"},
};

class ReportContent : public ::testing::TestWithParam<Format> {
protected:
    ReportContent()
    {
        WriteConfigFile(folder.file("FULL.CFG"), fullRecord());
        TConfigRecord blank{};
        BlankConfig(blank);
        WriteConfigFile(folder.file("BLANK.CFG"), blank);
        std::ofstream(folder.file("BROKEN.CFG")) << "short";
    }

    QByteArray write(const std::vector<std::string>& names)
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        std::unique_ptr<ReportWriter> writer = GetParam().Make(out);
        const ReportOutcome outcome = WriteReport(systemFileApi(), names, *writer);
        EXPECT_TRUE(outcome.Finished);
        failures = outcome.Unreadable;
        writer.reset();
        return out.data();
    }

    // The document as its reader sees it; nothing when the reader is missing.
    std::optional<std::string> read(const QByteArray& document)
    {
        const std::string_view format = GetParam().Name;
        if (format == "Pdf")
            return pdfText(document);
        if (format == "Html")
            return htmlText(document);
        std::string text;
        for (const std::vector<std::string>& row : csvRows(document)) {
            for (const std::string& cell : row)
                text += cell + "|";
            text += "\n";
        }
        return text;
    }

    TempFolder folder;
    std::vector<ReportFailure> failures;
};

TEST_P(ReportContent, ShowsEveryUnitOfTheSiteAsItsReaderReadsIt)
{
    const std::optional<std::string> text = read(write({folder.path().string()}));
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    for (const Expected& expected : kExpected) {
        if (expected.Formats.empty() || expected.Formats.find(GetParam().Name) != std::string_view::npos) {
            EXPECT_NE(text->find(expected.Text), std::string::npos) << expected.What << ": " << expected.Text;
        }
    }
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].Path, folder.file("BROKEN.CFG"));
    // A unit's page in a site: its four wallplates and its main output.
    if (GetParam().Name != std::string_view("Csv")) {
        EXPECT_EQ(occurrences(*text, kFedMark), 5);
    }
}

// A file longer or shorter than a record is marked on its page and in the
// summary (the CSV, whose rows are the summary, in a column); no other is.
TEST_P(ReportContent, MarksEveryFileThatIsNotARecordsLength)
{
    std::ofstream(folder.file("LONG.CFG"), std::ios::binary) << std::string(3000, 'L');
    std::optional<std::string> text = read(write({folder.path().string()}));
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    std::replace(text->begin(), text->end(), '\n', ' '); // a summary cell may wrap
    const int places = GetParam().Name == std::string_view("Csv") ? 1 : 2;
    EXPECT_EQ(occurrences(*text, "Not a configuration file: 3000 bytes, not 2048"), places) << *text;
    EXPECT_EQ(occurrences(*text, "Not a configuration file: 5 bytes, not 2048"), places) << *text;
    EXPECT_EQ(occurrences(*text, "Not a configuration file"), 2 * places) << "none for FULL.CFG and BLANK.CFG";
}

INSTANTIATE_TEST_SUITE_P(Formats, ReportContent, ::testing::ValuesIn(kFormats),
                         [](const auto& info) { return std::string(info.param.Name); });

class CsvReport : public ReportContent {};

TEST_P(CsvReport, HasAHeaderOfTheSetKeysAndARowPerUnitInTheCardsOrder)
{
    const std::vector<std::vector<std::string>> rows = csvRows(write({folder.path().string()}));
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::string>& header = rows[0];
    EXPECT_EQ(header.front(), "file");
    EXPECT_EQ(header.back(), "error");
    auto cell = [&](std::size_t row, const std::string& key) {
        const auto column = std::find(header.begin(), header.end(), key);
        EXPECT_NE(column, header.end()) << key;
        return rows[row].at(static_cast<std::size_t>(column - header.begin()));
    };
    // Padded to the line the browser shows: the shorter name first.
    EXPECT_EQ(cell(1, "file"), folder.file("FULL.CFG"));
    EXPECT_EQ(cell(2, "file"), folder.file("BLANK.CFG"));
    EXPECT_EQ(cell(3, "file"), folder.file("BROKEN.CFG"));
    EXPECT_EQ(cell(1, "mode"), "professional");
    EXPECT_EQ(cell(1, "zone.2.main"), "on");
    EXPECT_EQ(cell(1, "zone.6.wallplates"), "C3");
    EXPECT_EQ(cell(1, "source.1.full"), "Source 1") << "padding left off";
    EXPECT_EQ(cell(2, "description"), "<Blank Config File>");
    EXPECT_EQ(cell(2, "mode"), "");
    EXPECT_EQ(cell(3, "error"), "Read beyond end of file");
    EXPECT_EQ(cell(1, "length_warning"), "");
    EXPECT_EQ(cell(3, "length_warning"), "Not a configuration file: 5 bytes, not 2048");
    for (const std::vector<std::string>& row : rows)
        EXPECT_EQ(row.size(), header.size());
}

INSTANTIATE_TEST_SUITE_P(Csv, CsvReport, ::testing::Values(kFormats[2]),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(CsvCell, KeepsFormulasAndSeparatorsAsText)
{
    const std::pair<const char*, const char*> cells[] = {
        {"=1+2", "'=1+2"}, {"+1", "'+1"}, {"-1", "'-1"}, {"@SUM", "'@SUM"}, {"a=b", "a=b"},
        {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"=a,b", "\"'=a,b\""}, {"", ""},
    };
    for (const auto& [text, cell] : cells)
        EXPECT_EQ(CsvCell(text), cell) << text;
}

TEST(HtmlEscaped, LeavesNoMarkup)
{
    EXPECT_EQ(HtmlEscaped("<script>&\"'"), "&lt;script&gt;&amp;&quot;&#39;");
}

class PdfReport : public ReportContent {};

// Summary rows run on over as many pages as they need, none lost at a page's foot.
TEST_P(PdfReport, CarriesEveryRowOfALongSummaryAndAPagePerUnit)
{
    constexpr int kUnits = 80;
    std::vector<std::string> names;
    for (int i = 0; i < kUnits; ++i) {
        names.push_back(folder.file("U" + std::to_string(100 + i) + ".CFG"));
        WriteConfigFile(names.back(), fullRecord());
    }
    const std::optional<std::string> text = pdfText(write(names));
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    const auto pages = std::count(text->begin(), text->end(), '\f');
    EXPECT_GE(pages, kUnits + 2);
    EXPECT_LE(pages, kUnits + 3);
    for (int i = 0; i < kUnits; ++i) {
        const std::string name = "U" + std::to_string(100 + i) + ".CFG";
        const std::size_t first = text->find(name);
        EXPECT_NE(first, std::string::npos) << name;
        EXPECT_NE(text->find(name, first + 1), std::string::npos) << name << " has a page";
    }
    expectPagesNumbered(*text);
}

// A report of one file, and the editor's print of its unit: "Page 1 of 1".
TEST_P(PdfReport, OfOneUnitAndTheEditorsPrintNumberTheirPage)
{
    QBuffer print;
    print.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&print);
        ASSERT_TRUE(PrintUnitReport(writer, ReadReportUnit(systemFileApi(), folder.file("FULL.CFG")), kReportTime));
    }
    for (const QByteArray& pdf : {write({folder.file("FULL.CFG")}), print.data()}) {
        const std::optional<std::string> text = pdfText(pdf);
        if (!text)
            GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
        EXPECT_EQ(std::count(text->begin(), text->end(), '\f'), 1);
        expectPagesNumbered(*text);
    }
}

INSTANTIATE_TEST_SUITE_P(Pdf, PdfReport, ::testing::Values(kFormats[0]),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PaperSize, IsLetterOnlyForLetterPaper)
{
    EXPECT_EQ(PaperSizeOf(216, 279), QPageSize::Letter);
    EXPECT_EQ(PaperSizeOf(210, 297), QPageSize::A4);
    EXPECT_EQ(PaperSizeOf(216, 356), QPageSize::A4); // Legal: A4, the only other size offered
}

} // namespace
} // namespace ostra::test
