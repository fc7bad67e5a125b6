// Files the user may read but not write: the commands that only look at a
// file read it; those that write one are refused with the editor's message
// and advice on what to do.
#include <fcntl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>

#include "CliFixture.h"
#include "platform/files/FaultyFileApi.h"

namespace ostra::test {
namespace {

using cli::ExitStatus;

// The real files, except that one of them cannot be opened for writing:
// EROFS as on a card with its lock switch set, EACCES as for a file without
// write permission.
class WriteProtectingFiles : public FaultyFileApi {
public:
    WriteProtectingFiles(std::string protectedPath, int error) : protected_(std::move(protectedPath)), error_(error) {}

    FileResult open(const std::string& path, int flags, mode_t mode) override
    {
        if (path == protected_ && (flags & O_ACCMODE) != O_RDONLY)
            return {-1, error_};
        return FaultyFileApi::open(path, flags, mode);
    }
    // The same file opened relative to its folder, as a card listing opens it.
    FileResult openAt(int folderFd, const std::string& name, int flags) override
    {
        std::string folder;
        readLink("/proc/self/fd/" + std::to_string(folderFd), folder);
        if (folder + "/" + name == protected_ && (flags & O_ACCMODE) != O_RDONLY)
            return {-1, error_};
        return FaultyFileApi::openAt(folderFd, name, flags);
    }

private:
    std::string protected_;
    int error_;
};

struct ProtectedCase {
    const char* Name;
    std::vector<std::string> Arguments; // "@" stands for the scratch folder
    ExitStatus Status;
    const char* Shows; // a text standard output holds
    const char* Err;
};

void PrintTo(const ProtectedCase& row, std::ostream* out)
{
    *out << row.Name;
}

// The protected file is @/e/UNIT.CFG, on the card in drive E.
const ProtectedCase kProtectedCases[] = {
    {"Show", {"show", "@/e/UNIT.CFG"}, ExitStatus::Done, "  Description:             Hall", ""},
    {"Export", {"export", "@/e/UNIT.CFG"}, ExitStatus::Done, "\"description\": \"Hall", ""},
    {"DiffAgainstItself", {"diff", "@/e/UNIT.CFG", "@/e/UNIT.CFG"}, ExitStatus::Done, "", ""},
    {"Cards", {"cards"}, ExitStatus::Done, "[     UNIT.CFG]   Hall", ""},
};

// The card in drive E, holding UNIT.CFG.
class ProtectedCard : public CliFixture {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(folder.path() / "e");
        TConfigRecord record{};
        WriteConfigText(record, 0, 32, "Hall");
        writeRecord("e/UNIT.CFG", record);
        drives.plugIn('E', folder.path() / "e", "CARD");
        bytesBefore = readBytes("e/UNIT.CFG");
    }

    std::vector<std::string> cardEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path() / "e"))
            names.push_back(entry.path().filename().string());
        return names;
    }

    std::string bytesBefore;
};

class WriteProtectedTest : public ProtectedCard, public ::testing::WithParamInterface<ProtectedCase> {
protected:

    void runAndCheck(FileApi& files)
    {
        const ProtectedCase& row = GetParam();
        const CliRun result = run(files, expand(row.Arguments));
        EXPECT_EQ(result.Status, row.Status) << result.Err;
        EXPECT_NE(result.Out.find(row.Shows), std::string::npos) << result.Out;
        EXPECT_EQ(result.Err, expand(row.Err));
        EXPECT_EQ(readBytes("e/UNIT.CFG"), bytesBefore);
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"e"});
    }
};

TEST_P(WriteProtectedTest, OnALockedCardOrWithoutWritePermission)
{
    for (const int error : {EROFS, EACCES}) {
        SCOPED_TRACE(std::strerror(error));
        WriteProtectingFiles files(path("e/UNIT.CFG"), error);
        runAndCheck(files);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, WriteProtectedTest, ::testing::ValuesIn(kProtectedCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// A command that writes a file where writing is refused: a card with its
// lock switch on (EROFS), a folder without write permission (EACCES).
struct RefusedWrite {
    const char* Name;
    std::vector<std::string> Arguments; // "@" stands for the scratch folder
    const char* Written;                // the file it would write
    const char* WayOut;                 // what its advice offers besides unlocking the card
};

const RefusedWrite kRefusedWrites[] = {
    {"Set", {"set", "@/e/UNIT.CFG", "description=Den"}, "@/e/UNIT.CFG", "copy the file"},
    {"Blank", {"blank", "--force", "@/e/UNIT.CFG"}, "@/e/UNIT.CFG", "name a file in a folder"},
    {"Import", {"import", "@/hall.json", "-o", "@/e/UNIT.CFG", "--force"}, "@/e/UNIT.CFG", "-o FILE"},
    {"Export", {"export", "@/e/UNIT.CFG", "-o", "@/e/UNIT.json"}, "@/e/UNIT.json", "-o FILE"},
    {"Report", {"report", "@/e/UNIT.CFG", "-o", "@/e/UNIT.csv"}, "@/e/UNIT.csv", "-o OUT"},
};

// "File access denied" stays the message; the line after it says what
// protects the file and what to do, and every file stays as it was.
TEST_F(ProtectedCard, WritingCommandsSayTheFileIsWriteProtectedAndWhatToDo)
{
    ASSERT_EQ(run({"export", path("e/UNIT.CFG"), "-o", path("hall.json")}).Status, ExitStatus::Done);
    for (const RefusedWrite& row : kRefusedWrites) {
        for (const int error : {EROFS, EACCES}) {
            SCOPED_TRACE(std::string(row.Name) + ", " + std::strerror(error));
            FaultyFileApi files;
            files.refuseWriting(error);
            const CliRun result = run(files, expand(row.Arguments));
            EXPECT_EQ(result.Status, ExitStatus::FileFailed);
            const std::size_t lineEnd = result.Err.find('\n');
            ASSERT_NE(lineEnd, std::string::npos) << result.Err;
            EXPECT_EQ(result.Err.substr(0, lineEnd), expand(std::string("ostra-cfg: ") + row.Written + ": File access denied"));
            const std::string advice = result.Err.substr(lineEnd + 1);
            EXPECT_EQ(advice.find("ostra-cfg: the card or the file is write-protected"), 0u) << advice;
            EXPECT_NE(advice.find("unlock the card"), std::string::npos) << advice;
            EXPECT_NE(advice.find(row.WayOut), std::string::npos) << advice;
            EXPECT_EQ(std::count(advice.begin(), advice.end(), '\n'), 1) << advice;
            EXPECT_EQ(readBytes("e/UNIT.CFG"), bytesBefore);
            EXPECT_EQ(folder.entries(), (std::vector<std::string>{"e", "hall.json"}));
            EXPECT_EQ(cardEntries(), std::vector<std::string>{"UNIT.CFG"});
        }
    }
}

// Only a refusal to write is advised so: neither a folder that is not
// there nor a failing card (EIO, whose number is that of "File access
// denied" but whose message is not) is write-protected.
TEST_F(ProtectedCard, OtherWriteFailuresKeepTheirMessageAlone)
{
    const struct {
        const char* Name;
        const char* Written;
        std::optional<FileFault> Fault;
        const char* Message;
    } failures[] = {
        {"a missing folder", "gone/UNIT.CFG", std::nullopt, "Invalid filename"},
        {"a failing card", "e/NEW.CFG", FileFault{FileStep::Write, EIO}, "I/O error 5"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.Name);
        FaultyFileApi files;
        if (failure.Fault)
            files.inject(*failure.Fault);
        const CliRun result = run(files, {"blank", path(failure.Written)});
        EXPECT_EQ(result.Status, ExitStatus::FileFailed);
        EXPECT_EQ(result.Err, "ostra-cfg: " + path(failure.Written) + ": " + failure.Message + "\n");
    }
}

} // namespace
} // namespace ostra::test
