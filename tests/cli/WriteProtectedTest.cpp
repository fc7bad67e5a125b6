// Files the user may read but not write: the commands that only look at a
// file read it; those that write one are refused, with advice.
#include <fcntl.h>

#include <cstring>
#include <filesystem>
#include <tuple>

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

class WriteProtectedTest : public CliFixture, public ::testing::WithParamInterface<ProtectedCase> {
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

    std::string bytesBefore;
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

// Commands that write, on a locked card (EROFS) or in a folder closed to
// writing (EACCES): "File access denied" stays the message, the next line
// says what may protect the file and what to do, and the file stays as it was.
using RefusedWrite = CliFixture;

TEST_F(RefusedWrite, SaysTheFileIsWriteProtectedAndWhatToDo)
{
    writeRecord("UNIT.CFG", TConfigRecord{});
    ASSERT_EQ(run({"export", path("UNIT.CFG"), "-o", path("unit.json")}).Status, ExitStatus::Done);
    const std::string before = readBytes("UNIT.CFG");
    // The command, the file it writes, and what its advice offers besides unlocking the card.
    const std::tuple<std::vector<std::string>, const char*, const char*> writes[] = {
        {{"set", "@/UNIT.CFG", "description=Den"}, "UNIT.CFG", "copy the file"},
        {{"blank", "--force", "@/UNIT.CFG"}, "UNIT.CFG", "name a file"},
        {{"import", "@/unit.json", "-o", "@/UNIT.CFG", "--force"}, "UNIT.CFG", "-o FILE"},
        {{"export", "@/UNIT.CFG", "-o", "@/out.json"}, "out.json", "-o FILE"},
        {{"report", "@/UNIT.CFG", "-o", "@/out.csv"}, "out.csv", "-o OUT"},
    };
    for (const auto& [arguments, written, wayOut] : writes) {
        for (const int error : {EROFS, EACCES}) {
            SCOPED_TRACE(arguments[0] + ", " + std::strerror(error));
            FaultyFileApi files;
            files.refuseWriting(error);
            const CliRun result = run(files, expand(arguments));
            EXPECT_EQ(result.Status, ExitStatus::FileFailed);
            const std::string denied = "ostra-cfg: " + path(written) + ": File access denied\n";
            EXPECT_EQ(result.Err.substr(0, denied.size()), denied);
            EXPECT_EQ(result.Err.find("ostra-cfg: the card or the file is write-protected", denied.size()), denied.size())
                << result.Err;
            EXPECT_NE(result.Err.find("unlock the card"), std::string::npos) << result.Err;
            EXPECT_NE(result.Err.find(wayOut), std::string::npos) << result.Err;
            EXPECT_EQ(readBytes("UNIT.CFG"), before);
        }
    }
    // A failing card is no locked one, though EIO's number is that of "File access denied".
    FaultyFileApi failing;
    failing.inject({FileStep::Write, EIO});
    EXPECT_EQ(run(failing, {"blank", path("NEW.CFG")}).Err, "ostra-cfg: " + path("NEW.CFG") + ": I/O error 5\n");
}

} // namespace
} // namespace ostra::test
