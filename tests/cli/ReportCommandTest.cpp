// ostra-cfg report: how the command line picks the format, the paper and
// the exit status; the report's content is tested with the library.
#include <QProcess>
#include <QProcessEnvironment>

#include <cerrno>
#include <filesystem>

#include "cli/CliFixture.h"
#include "platform/files/FaultyFileApi.h"

namespace ostra::test {
namespace {

using cli::ExitStatus;

struct ReportCase {
    const char* Name;
    std::vector<std::string> Arguments; // "@" stands for the scratch folder
    ExitStatus Status;
    const char* Written; // how the report begins; null when none may be written
};

const ReportCase kCases[] = {
    {"NoOutput", {"report", "@/HALL.CFG"}, ExitStatus::WrongUsage, nullptr},
    {"ExtensionOfNoFormat", {"report", "@/HALL.CFG", "-o", "@/out.txt"}, ExitStatus::WrongUsage, nullptr},
    {"UnknownFormat", {"report", "@/HALL.CFG", "-o", "@/out.txt", "--format", "doc"}, ExitStatus::WrongUsage, nullptr},
    {"PdfInUpperCase", {"report", "@/HALL.CFG", "-o", "@/out.PDF"}, ExitStatus::Done, "%PDF-"},
    {"Html", {"report", "@/HALL.CFG", "-o", "@/out.html"}, ExitStatus::Done, "<!DOCTYPE html>"},
    {"FormatOverExtension", {"report", "@/HALL.CFG", "-o", "@/out.pdf", "--format", "csv"}, ExitStatus::Done, "file,"},
    {"UnreadableFile", {"report", "@/HALL.CFG", "@/missing.cfg", "-o", "@/out.csv"}, ExitStatus::ReportIncomplete,
     "file,"},
    {"OutputFolderMissing", {"report", "@/HALL.CFG", "-o", "@/none/out.csv"}, ExitStatus::FileFailed, nullptr},
};

void PrintTo(const ReportCase& row, std::ostream* out)
{
    *out << row.Name;
}

class ReportCommand : public CliFixture, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ReportCommand, ChoosesTheFormatAndTheStatus)
{
    TConfigRecord record{};
    BlankConfig(record);
    writeRecord("HALL.CFG", record);
    const CliRun result = run(expand(GetParam().Arguments));
    EXPECT_EQ(result.Status, GetParam().Status) << result.Err;
    const std::vector<std::string> entries = folder.entries();
    const auto report = std::find_if(entries.begin(), entries.end(), [](const std::string& name) {
        return name.starts_with("out.");
    });
    if (GetParam().Written == nullptr) {
        EXPECT_EQ(report, entries.end()) << "nothing is written";
        return;
    }
    ASSERT_NE(report, entries.end());
    EXPECT_TRUE(readBytes(*report).starts_with(GetParam().Written));
    if (GetParam().Status == ExitStatus::ReportIncomplete) {
        EXPECT_NE(result.Err.find(path("missing.cfg") + ": File not found"), std::string::npos) << result.Err;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportCommand, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

class ReportPaper : public CliFixture {};

TEST_F(ReportPaper, IsTheOneAskedFor)
{
    writeRecord("HALL.CFG", TConfigRecord{});
    const std::pair<const char*, const char*> papers[] = {
        {"letter", "/MediaBox [0 0 612.000000 792.000000]"},
        {"a4", "/MediaBox [0 0 595.000000 842.000000]"},
    };
    for (const auto& [paper, box] : papers) {
        ASSERT_EQ(run(expand({"report", "@/HALL.CFG", "-o", "@/out.pdf", "--page-size", paper})).Status,
                  ExitStatus::Done);
        EXPECT_NE(readBytes("out.pdf").find(box), std::string::npos) << paper;
    }
}

// A folder that cannot be listed is no folder without units.
TEST_F(ReportPaper, NamesAFolderThatCannotBeReadAndIsStillWritten)
{
    std::filesystem::create_directory(path("site"));
    writeRecord("site/HALL.CFG", TConfigRecord{});
    FaultyFileApi files;
    files.inject({FileStep::ListFolder, EACCES});
    const CliRun result = run(files, expand({"report", "@/site", "-o", "@/out.csv"}));
    EXPECT_EQ(result.Status, ExitStatus::ReportIncomplete);
    EXPECT_NE(result.Err.find(path("site") + ": File access denied"), std::string::npos) << result.Err;
    EXPECT_NE(readBytes("out.csv").find(",File access denied\r\n"), std::string::npos);
}

// The installed program, started without any display or platform named.
TEST_F(ReportPaper, IsWrittenWithoutADisplay)
{
    writeRecord("HALL.CFG", TConfigRecord{});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(OSTRA_CFG_PROGRAM, {"report", QString::fromStdString(path("HALL.CFG")), "-o",
                                      QString::fromStdString(path("out.pdf"))});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardError().toStdString(), "");
    EXPECT_TRUE(readBytes("out.pdf").starts_with("%PDF-"));
}

} // namespace
} // namespace ostra::test
