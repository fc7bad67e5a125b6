// ostra-cfg report: how the command line picks the format, the paper and
// the exit status; the report's content is tested with the library.
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "cli/CliFixture.h"
#include "platform/files/FaultyFileApi.h"

namespace ostra::test {
namespace {

using cli::ExitStatus;

struct ReportCase {
    const char* Name;
    std::vector<std::string> Arguments; // "@" stands for the scratch folder; -o's file is written there
    ExitStatus Status;
    const char* Written; // how the report begins; null when none may be written
    const char* Said;    // what standard error says after the scratch folder's path, if anything
};

const ReportCase kCases[] = {
    {"NoOutput", {"report", "@/HALL.CFG"}, ExitStatus::WrongUsage, nullptr, nullptr},
    {"ExtensionOfNoFormat", {"report", "@/HALL.CFG", "-o", "@/out.txt"}, ExitStatus::WrongUsage, nullptr, nullptr},
    {"UnknownFormat", {"report", "@/HALL.CFG", "-o", "@/out.txt", "--format", "doc"}, ExitStatus::WrongUsage, nullptr,
     nullptr},
    {"PdfInUpperCase", {"report", "@/HALL.CFG", "-o", "@/out.PDF"}, ExitStatus::Done, "%PDF-", nullptr},
    {"Html", {"report", "@/HALL.CFG", "-o", "@/out.html"}, ExitStatus::Done, "<!DOCTYPE html>", nullptr},
    {"FormatOverExtension", {"report", "@/HALL.CFG", "-o", "@/out.pdf", "--format", "csv"}, ExitStatus::Done, "file,",
     nullptr},
    {"NameOfNoUtf8", {"report", "@/HALL.CFG", "-o", "@/out\xFF\xFE.pdf"}, ExitStatus::Done, "%PDF-", nullptr},
    {"UnreadableFile", {"report", "@/HALL.CFG", "@/missing.cfg", "-o", "@/out.csv"}, ExitStatus::ReportIncomplete,
     "file,", "/missing.cfg: File not found\n"},
    {"FolderWithoutUnits", {"report", "@/empty/", "-o", "@/out.csv"}, ExitStatus::ReportIncomplete, "file,",
     "/empty/: No configuration files (*.cfg) in the folder\n"},
    {"OutputFolderMissing", {"report", "@/HALL.CFG", "-o", "@/none/out.csv"}, ExitStatus::FileFailed, nullptr,
     "/none/out.csv: Invalid filename\n"},
};

void PrintTo(const ReportCase& row, std::ostream* out)
{
    *out << row.Name;
}

class ReportCommand : public CliFixture, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ReportCommand, ChoosesTheFormatTheNameAndTheStatus)
{
    const ReportCase& row = GetParam();
    TConfigRecord record{};
    BlankConfig(record);
    writeRecord("HALL.CFG", record);
    std::filesystem::create_directory(path("empty"));
    const CliRun result = run(expand(row.Arguments));
    EXPECT_EQ(result.Status, row.Status) << result.Err;
    if (row.Said != nullptr) {
        EXPECT_NE(result.Err.find(folder.path().string() + row.Said), std::string::npos) << result.Err;
    }
    std::vector<std::string> written = folder.entries();
    std::erase_if(written, [](const std::string& name) { return name == "HALL.CFG" || name == "empty"; });
    if (row.Written == nullptr) {
        EXPECT_EQ(written, std::vector<std::string>()) << "nothing is written";
        return;
    }
    // The name's bytes as given, after "@/".
    const std::string named = std::find(row.Arguments.begin(), row.Arguments.end(), "-o")[1].substr(2);
    ASSERT_EQ(written, std::vector<std::string>{named});
    EXPECT_TRUE(readBytes(named).starts_with(row.Written));
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
        ASSERT_EQ(run(expand({"report", "@/HALL.CFG", "-o", "@/out.pdf", "--page-size", paper, "--force"})).Status,
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

// The built program, with its module beside it, started without a display
// whatever platform QT_QPA_PLATFORM names (null: none).
TEST_F(ReportPaper, IsWrittenWithoutADisplay)
{
    writeRecord("HALL.CFG", TConfigRecord{});
    for (const char* platform : {static_cast<const char*>(nullptr), "", "wayland", "xcb", "offscreen"}) {
        SCOPED_TRACE(platform == nullptr ? "QT_QPA_PLATFORM unset" : platform);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        if (platform != nullptr)
            environment.insert("QT_QPA_PLATFORM", platform);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(OSTRA_CFG_PROGRAM, {"report", QString::fromStdString(path("HALL.CFG")), "-o",
                                          QString::fromStdString(path("out.pdf"))});
        ASSERT_TRUE(program.waitForFinished(60000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardError().toStdString(), "");
        EXPECT_TRUE(readBytes("out.pdf").starts_with("%PDF-"));
        std::filesystem::remove(path("out.pdf"));
    }
}

struct ModuleCase {
    const char* Name;
    std::vector<std::string> Folders; // "@" stands for the scratch folder, "built" for this build's module
    bool Drawn;
};

void PrintTo(const ModuleCase& row, std::ostream* out)
{
    *out << row.Name;
}

const ModuleCase kModuleCases[] = {
    {"Missing", {"@/modules"}, false},
    {"NotALibrary", {"@/junk"}, false},
    {"FoundInALaterFolder", {"@/modules", "@/junk", "built"}, true},
};

class ReportModuleLoad : public CliFixture, public ::testing::WithParamInterface<ModuleCase> {};

TEST_P(ReportModuleLoad, DrawsOrSaysWhyWithoutWritingAnything)
{
    const ModuleCase& row = GetParam();
    writeRecord("HALL.CFG", TConfigRecord{});
    std::filesystem::create_directory(path("modules"));
    std::filesystem::create_directory(path("junk"));
    writeBytes("junk/" OSTRA_REPORT_MODULE_NAME, "not a library");
    std::vector<std::string> folders;
    for (const std::string& name : row.Folders)
        folders.push_back(name == "built" ? OSTRA_BUILT_REPORT_MODULE_FOLDER : expand(name));
    reports = cli::ReportModule(folders);

    const CliRun result = run(expand({"report", "@/HALL.CFG", "-o", "@/out.csv"}));
    if (row.Drawn) {
        EXPECT_EQ(result.Status, ExitStatus::Done) << result.Err;
        EXPECT_TRUE(readBytes("out.csv").starts_with("file,"));
        return;
    }
    EXPECT_EQ(result.Status, ExitStatus::FileFailed);
    EXPECT_TRUE(result.Err.starts_with("ostra-cfg: report: the module that draws reports could not be loaded\n"))
        << result.Err;
    for (const std::string& folder : folders) {
        EXPECT_NE(result.Err.find(folder + "/" OSTRA_REPORT_MODULE_NAME ": "), std::string::npos) << result.Err;
    }
    EXPECT_FALSE(std::filesystem::exists(path("out.csv")));
}

INSTANTIATE_TEST_SUITE_P(Folders, ReportModuleLoad, ::testing::ValuesIn(kModuleCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace ostra::test
