// A folder in a site report: listed once, named by its name however it is
// written, and never taken for a site without units when it gives none.
#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>

#include "config/ConfigFile.h"
#include "platform/files/FaultyFileApi.h"
#include "report/SiteReport.h"
#include "support/TempFolder.h"

namespace ostra::test {
namespace {

using namespace report;

// Keeps what a report would show: the summary's rows and each unit's page.
class RecordingWriter : public ReportWriter {
public:
    void Summary(const std::vector<SummaryRow>& rows) override { SummaryRows = rows; }
    void Unit(const ReportUnit& unit) override { Pages.push_back(BuildUnitReport(unit, 0)); }
    bool Finish() override { return true; }

    std::vector<SummaryRow> SummaryRows;
    std::vector<UnitReport> Pages;
};

struct Row {
    std::string File;
    std::string Error; // empty for a unit that was read
};

struct FolderCase {
    const char* Name;
    std::vector<std::string> Files; // made in the folder "site"
    const char* Given;              // how the command line names the folder
    bool Unreadable;                // its listing fails with EACCES
    std::vector<Row> Rows;
};

void PrintTo(const FolderCase& row, std::ostream* out)
{
    *out << row.Name;
}

const std::string kDenied = "File access denied";

const FolderCase kFolderCases[] = {
    {"Folder", {"HALL.CFG", "notes.txt"}, "site", false, {{"HALL.CFG", ""}}},
    {"FolderNamedWithASlash", {"HALL.CFG"}, "site/", false, {{"HALL.CFG", ""}}},
    {"UnreadableFolder", {"HALL.CFG"}, "site", true, {{"site", kDenied}}},
    {"UnreadableFolderNamedWithSlashes", {"HALL.CFG"}, "site//", true, {{"site", kDenied}}},
    {"EmptyFolder", {}, "site/", false, {{"site", kNoConfigurationFiles}}},
    {"FolderOfOtherFiles", {"notes.txt", "HALL.json"}, "site", false, {{"site", kNoConfigurationFiles}}},
};

class SiteFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(SiteFolder, IsListedOnceAndNamedInEveryRowAndPage)
{
    const FolderCase& row = GetParam();
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "site");
    for (const std::string& name : row.Files)
        WriteConfigFile(folder.file("site/" + name), TConfigRecord{});
    FaultyFileApi files;
    if (row.Unreadable)
        files.inject({FileStep::ListFolder, EACCES});
    RecordingWriter writer;

    WriteReport(files, {folder.file(row.Given)}, writer);

    EXPECT_EQ(files.count(FileStep::ListFolder), 1);
    ASSERT_EQ(writer.SummaryRows.size(), row.Rows.size());
    ASSERT_EQ(writer.Pages.size(), row.Rows.size());
    for (std::size_t i = 0; i < row.Rows.size(); ++i) {
        EXPECT_EQ(writer.SummaryRows[i].File, row.Rows[i].File);
        EXPECT_EQ(writer.SummaryRows[i].Error, row.Rows[i].Error);
        ASSERT_FALSE(writer.Pages[i].Head.empty());
        EXPECT_EQ(writer.Pages[i].Head[0].Value, row.Rows[i].File) << "the page's File line";
        EXPECT_EQ(writer.Pages[i].Head[1].Value, row.Rows[i].Error.empty() ? folder.file("site") : folder.path().string())
            << "the page's Folder line";
        EXPECT_EQ(writer.Pages[i].LengthWarning, "") << "a folder has no length to mark";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SiteFolder, ::testing::ValuesIn(kFolderCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace ostra::test
