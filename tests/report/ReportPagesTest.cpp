// Every page of a printed report says where it stands, "Page 3 of 7",
// however many pages the site's summary runs to; the editor's print of
// its one unit too. Read back from the PDF through pdftotext.
#include <QBuffer>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include "config/ConfigFields.h"
#include "config/ConfigFile.h"
#include "platform/FileApi.h"
#include "report/PdfReport.h"
#include "report/ReportPainter.h"
#include "report-test/ReportText.h"
#include "support/TempFolder.h"

namespace ostra::test {
namespace {

using namespace report;

constexpr std::time_t kReportTime = 1796000000;

// The pages of pdftotext's text, each ending in a form feed.
std::vector<std::string> pagesOf(const std::string& text)
{
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t end = text.find('\f'); end != std::string::npos; end = text.find('\f', start)) {
        pages.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pages;
}

// Each page holds its own number and the count, and no other page's.
void expectNumbered(const std::vector<std::string>& pages)
{
    const std::string count = " of " + std::to_string(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::string number = "Page " + std::to_string(i + 1) + count;
        EXPECT_NE(pages[i].find(number), std::string::npos) << number << " in:\n" << pages[i];
        EXPECT_EQ(pages[i].find("Page "), pages[i].rfind("Page ")) << "one number on page " << i + 1;
    }
}

struct PagesCase {
    const char* Name;
    int Units;
    bool AsFolder; // a site: its summary first
    int FewestPages; // a site's summary may take more than one
};

void PrintTo(const PagesCase& row, std::ostream* out)
{
    *out << row.Name;
}

const PagesCase kPagesCases[] = {
    {"OneFile", 1, false, 1},
    {"SiteOfSixUnits", 6, true, 7},
    // More rows than one page of the summary holds: the count must take
    // in the pages it runs on to.
    {"SiteWithASummaryOfSeveralPages", 130, true, 132},
};

class ReportPages : public ::testing::TestWithParam<PagesCase> {};

TEST_P(ReportPages, NumberEveryPageWithTheDocumentsCount)
{
    const PagesCase& row = GetParam();
    TempFolder folder;
    TConfigRecord record{};
    WriteFieldText(record, *FindConfigField(&ConfigField::Key, "description"), "Hall");
    std::vector<std::string> names;
    for (int i = 0; i < row.Units; ++i) {
        names.push_back(folder.file("U" + std::to_string(1000 + i) + ".CFG"));
        WriteConfigFile(names.back(), record);
    }
    if (row.AsFolder)
        names = {folder.path().string()};

    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        PdfReportWriter writer(out, QPageSize(QPageSize::A4), kReportTime);
        ASSERT_TRUE(WriteReport(systemFileApi(), names, writer).Finished);
    }
    const std::optional<std::string> text = pdfText(out.data());
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    const std::vector<std::string> pages = pagesOf(*text);
    EXPECT_GE(pages.size(), static_cast<std::size_t>(row.FewestPages));
    expectNumbered(pages);
}

INSTANTIATE_TEST_SUITE_P(Reports, ReportPages, ::testing::ValuesIn(kPagesCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(EditorPrint, NumbersItsOnePage)
{
    TConfigRecord record{};
    WriteFieldText(record, *FindConfigField(&ConfigField::Key, "description"), "Hall");
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&out);
        ASSERT_TRUE(PrintUnitReport(writer, {{}, record, {}, true}, kReportTime));
    }
    const std::optional<std::string> text = pdfText(out.data());
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    const std::vector<std::string> pages = pagesOf(*text);
    ASSERT_EQ(pages.size(), 1u);
    expectNumbered(pages);
}

} // namespace
} // namespace ostra::test
