#include "config/ConfigFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <future>
#include <optional>
#include <gtest/gtest.h>

#include "platform/InOutError.h"
#include "platform/files/FaultyFileApi.h"
#include "platform/files/FileTestSupport.h"

namespace ostra {
namespace {

using test::Bytes;
using test::FileFault;
using test::FileStep;

struct ReadFault {
    const char* name;
    FileFault fault;
    int code;
    const char* message;
    std::size_t recordBytesKept; // of the file's first bytes; zeros after
    std::optional<FileFault> readOnlyOpen{}; // after a refusal to write
};

void PrintTo(const ReadFault& row, std::ostream* out)
{
    *out << row.name;
}

class ReadConfigFault : public ::testing::TestWithParam<ReadFault> {};

TEST_P(ReadConfigFault, RaisesAndKeepsWhatWasDelivered)
{
    const ReadFault& row = GetParam();
    test::TempFolder folder;
    const std::string path = folder.file("unit.cfg");
    const Bytes file = test::patternBytes(layout::kRecordSize, 4);
    test::writeBytes(path, file);
    test::FaultyFileApi files;
    files.inject(row.fault);
    if (row.readOnlyOpen)
        files.inject(*row.readOnlyOpen);
    TConfigRecord record;
    record.fill(0xAA);

    try {
        ReadConfigFile(files, path, record);
        FAIL() << "the load reported success";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.ErrorCode, row.code);
        EXPECT_EQ(error.Message, row.message);
    }

    Bytes expected(layout::kRecordSize, 0);
    std::copy_n(file.begin(), row.recordBytesKept, expected.begin());
    EXPECT_EQ(Bytes(record.begin(), record.end()), expected);
    EXPECT_EQ(files.openDescriptors(), 0u) << "a descriptor was left open";
}

INSTANTIATE_TEST_SUITE_P(EveryStep, ReadConfigFault, ::testing::Values(
    ReadFault{"OpenOutOfFiles", {FileStep::Open, EMFILE}, 4, "Too many open files", 0},
    ReadFault{"OpenDenied", {FileStep::Open, EACCES}, 5, "File access denied", 0, {{FileStep::Open, EACCES, -1, 2}}},
    ReadFault{"OpenReadOnlyMedium", {FileStep::Open, EROFS}, 5, "I/O error 5", 0, {{FileStep::Open, EIO, -1, 2}}},
    ReadFault{"ReadMediumError", {FileStep::Read, EIO}, 5, "I/O error 5", 0},
    ReadFault{"ShortRead", {FileStep::Read, 0, 100}, 100, "Read beyond end of file", 100},
    ReadFault{"NothingRead", {FileStep::Read, 0, 0}, 100, "Read beyond end of file", 0},
    ReadFault{"CloseMediumError", {FileStep::Close, EIO}, 5, "I/O error 5", layout::kRecordSize},
    ReadFault{"CloseNoSpace", {FileStep::Close, ENOSPC}, 28, "I/O error 28", layout::kRecordSize},
    ReadFault{"CloseInterrupted", {FileStep::Close, EINTR}, 4, "I/O error 4", layout::kRecordSize}),
    [](const auto& info) { return info.param.name; });

// A pipe named like a configuration file must not hang a load. Should the
// load block anyway, feeding the pipe a record ends the wait, so that the
// test fails instead of hanging.
TEST(ReadConfigFromPipe, FailsAtOnceInsteadOfWaiting)
{
    test::TempFolder folder;
    const std::string path = folder.file("unit.cfg");
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    TConfigRecord record;
    auto load = std::async(std::launch::async, [&] {
        try {
            ReadConfigFile(path, record);
        } catch (const EInOutError& error) {
            return error.Message;
        }
        return std::string("no error");
    });
    if (load.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        const Bytes unblock(layout::kRecordSize, 0);
        EXPECT_EQ(::write(writer, unblock.data(), unblock.size()), layout::kRecordSize);
        ::close(writer);
        load.wait();
        FAIL() << "the load waited for a writer";
    }
    EXPECT_EQ(load.get(), "I/O error " + std::to_string(EAGAIN));
}

} // namespace
} // namespace ostra
