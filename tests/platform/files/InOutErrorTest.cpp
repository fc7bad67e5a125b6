#include "platform/InOutError.h"

#include <cerrno>
#include <gtest/gtest.h>

#include <ostream>

#include "platform/FilePath.h"

namespace ostra {
namespace {

TEST(InOutError, EachTableCodeCarriesItsExactMessage)
{
    const struct {
        InOutErrorCode code;
        int number;
        const char* message;
    } rows[] = {
        {InOutErrorCode::FileNotFound, 2, "File not found"},
        {InOutErrorCode::InvalidFilename, 3, "Invalid filename"},
        {InOutErrorCode::TooManyOpenFiles, 4, "Too many open files"},
        {InOutErrorCode::FileAccessDenied, 5, "File access denied"},
        {InOutErrorCode::ReadBeyondEndOfFile, 100, "Read beyond end of file"},
        {InOutErrorCode::DiskFull, 101, "Disk full"},
        {InOutErrorCode::InvalidNumericInput, 106, "Invalid numeric input"},
    };
    for (const auto& row : rows) {
        const EInOutError error(row.code);
        EXPECT_EQ(error.ErrorCode, row.number);
        EXPECT_EQ(error.Message, row.message);
        EXPECT_STREQ(error.what(), row.message);
    }
}

TEST(InOutError, IsCaughtAsTheBaseErrorKind)
{
    try {
        throw EInOutError(InOutErrorCode::DiskFull);
    } catch (const Exception& caught) {
        EXPECT_EQ(caught.Message, "Disk full");
    }
}

struct ErrnoRow {
    const char* name;
    int errorNumber;
    bool folderExists;
    int code;
    const char* message;
};

void PrintTo(const ErrnoRow& row, std::ostream* out)
{
    *out << row.name;
}

class ErrnoMapping : public ::testing::TestWithParam<ErrnoRow> {};

TEST_P(ErrnoMapping, GivesTheCodeAndMessage)
{
    const ErrnoRow& row = GetParam();
    const EInOutError error = inOutErrorFromErrno(row.errorNumber, row.folderExists);
    EXPECT_EQ(error.ErrorCode, row.code);
    EXPECT_EQ(error.Message, row.message);
}

// EIO, ESRCH and EINTR share their numbers with table codes 5, 3 and 4 but
// are not those conditions: they must read "I/O error N".
INSTANTIATE_TEST_SUITE_P(Linux, ErrnoMapping, ::testing::Values(
    ErrnoRow{"MissingFile", ENOENT, true, 2, "File not found"},
    ErrnoRow{"MissingFolder", ENOENT, false, 3, "Invalid filename"},
    ErrnoRow{"FileOnThePath", ENOTDIR, true, 3, "Invalid filename"},
    ErrnoRow{"ProcessOutOfFiles", EMFILE, true, 4, "Too many open files"},
    ErrnoRow{"SystemOutOfFiles", ENFILE, true, 4, "Too many open files"},
    ErrnoRow{"PermissionBits", EACCES, true, 5, "File access denied"},
    ErrnoRow{"ImmutableFile", EPERM, true, 5, "File access denied"},
    ErrnoRow{"ReadOnlyMedium", EROFS, true, 5, "File access denied"},
    ErrnoRow{"FolderAsFile", EISDIR, true, 5, "File access denied"},
    ErrnoRow{"NoSpace", ENOSPC, true, 101, "Disk full"},
    ErrnoRow{"QuotaExceeded", EDQUOT, true, 101, "Disk full"},
    ErrnoRow{"MediumError", EIO, true, 5, "I/O error 5"},
    ErrnoRow{"NoSuchProcess", ESRCH, true, 3, "I/O error 3"},
    ErrnoRow{"Interrupted", EINTR, true, 4, "I/O error 4"},
    ErrnoRow{"CrossDevice", EXDEV, true, 18, "I/O error 18"},
    ErrnoRow{"LinkLoop", ELOOP, true, 40, "I/O error 40"},
    ErrnoRow{"NameTooLong", ENAMETOOLONG, true, 36, "I/O error 36"}),
    [](const auto& info) { return info.param.name; });

TEST(FilePath, FolderOfCoversBareRootedAndNestedNames)
{
    const struct {
        const char* path;
        const char* folder;
    } rows[] = {
        {"unit.cfg", "."}, {"/unit.cfg", "/"}, {"/media/card/unit.cfg", "/media/card"},
        {"card/unit.cfg", "card"}, {"", "."},
    };
    for (const auto& row : rows)
        EXPECT_EQ(folderOf(row.path), row.folder) << row.path;
}

} // namespace
} // namespace ostra
