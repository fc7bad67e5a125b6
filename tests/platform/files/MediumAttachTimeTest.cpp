#include "platform/MediumAttachTime.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/files/FileTestSupport.h"

namespace ostra::test {
namespace {

// A mount table of one line: the folder's device numbers mounted from
// source.
std::string mountTable(const TempFolder& folder, dev_t device, const std::string& source)
{
    const std::string table = folder.file("mountinfo");
    const std::string line = "36 35 " + std::to_string(major(device)) + ":" + std::to_string(minor(device)) +
                             " / /media/card rw - vfat " + source + " rw\n";
    writeBytes(table, Bytes(line.begin(), line.end()));
    return table;
}

// The attach time is the device node's: found only when the mount's
// source is a block device node with the very numbers of the medium.
TEST(MediumAttachTime, IsTheModificationTimeOfTheMountsDeviceNode)
{
    TempFolder folder;
    struct stat held {};
    ASSERT_EQ(::stat(folder.path().c_str(), &held), 0);
    writeBytes(folder.file("plain"), {});
    const dev_t other = makedev(major(held.st_dev) + 1, minor(held.st_dev));

    EXPECT_EQ(mediumAttachedAt(systemFileApi(), folder.path(), mountTable(folder, held.st_dev, folder.file("plain"))),
              std::nullopt)
        << "a regular file as the source";
    EXPECT_EQ(mediumAttachedAt(systemFileApi(), folder.path(), mountTable(folder, other, folder.file("plain"))),
              std::nullopt)
        << "no line for the medium";
    EXPECT_EQ(mediumAttachedAt(systemFileApi(), folder.file("missing"), mountTable(folder, held.st_dev, "/dev/x")),
              std::nullopt)
        << "a path that is not there";

    const std::string node = folder.file("card-node");
    if (::mknod(node.c_str(), S_IFBLK | 0600, held.st_dev) != 0)
        GTEST_SKIP() << "making a block device node needs root";
    const struct timeval attached[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(::utimes(node.c_str(), attached), 0);
    EXPECT_EQ(mediumAttachedAt(systemFileApi(), folder.path(), mountTable(folder, held.st_dev, node)),
              std::optional<std::time_t>(1700000000));
    const std::string wrongNode = folder.file("other-node");
    ASSERT_EQ(::mknod(wrongNode.c_str(), S_IFBLK | 0600, other), 0);
    EXPECT_EQ(mediumAttachedAt(systemFileApi(), folder.path(), mountTable(folder, held.st_dev, wrongNode)),
              std::nullopt)
        << "a node of another device";
}

} // namespace
} // namespace ostra::test
