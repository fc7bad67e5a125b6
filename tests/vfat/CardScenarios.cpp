// What the card's directory shows after saves: the hidden and system
// attributes read and set through the kernel's FAT requests, and the short
// and long names of files saved again and again.
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "Scenarios.h"
#include "platform/drives/CardFolderNames.h"

namespace ostra::cardtest {

namespace {

constexpr int kNameRounds = 3;

bool setFatAttributes(const std::filesystem::path& file, std::uint32_t attributes)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool set = ::ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &attributes) == 0;
    ::close(fd);
    return set;
}

bool hasAttribute(const std::filesystem::path& file, std::uint32_t attribute)
{
    const std::optional<std::uint32_t> attributes = test::fatAttributesOf(file);
    return attributes && (*attributes & attribute) != 0;
}

} // namespace

// The card holds (see run-scenario.sh) PLAIN.CFG, HIDDEN.CFG (hidden),
// SYSTEM.CFG (system), RDONLY.CFG (read-only), "Long Config Name.cfg",
// lower.cfg, BYIOCTL.CFG and NOTES.TXT in LIST.
void hiddenSystemListing(ScenarioContext& context)
{
    GuestReport& report = context.report;
    const std::filesystem::path folder = context.card / "LIST";
    report.check(hasAttribute(folder / "HIDDEN.CFG", ATTR_HIDDEN), "the kernel reports HIDDEN.CFG hidden");
    report.check(hasAttribute(folder / "SYSTEM.CFG", ATTR_SYS), "the kernel reports SYSTEM.CFG as a system file");
    const auto plain = test::fatAttributesOf(folder / "BYIOCTL.CFG");
    report.check(plain && setFatAttributes(folder / "BYIOCTL.CFG", *plain | ATTR_HIDDEN),
                 "BYIOCTL.CFG is hidden through FAT_IOCTL_SET_ATTRIBUTES");

    const std::vector<std::string> visible = {"Long Config Name.cfg", "PLAIN.CFG", "RDONLY.CFG", "lower.cfg"};
    report.check(test::listedNames(systemFileApi(), folder) == visible,
                 "the search lists " + joinNames(visible) + ": " + joinNames(test::listedNames(systemFileApi(), folder)));

    // A hidden or system file saved by name stays what it was.
    for (const char* name : {"HIDDEN.CFG", "SYSTEM.CFG"}) {
        if (saveGeneration(context, folder / name, 1))
            checkGeneration(context, folder / name, 1);
    }
    report.check(hasAttribute(folder / "HIDDEN.CFG", ATTR_HIDDEN), "HIDDEN.CFG is still hidden after a save");
    report.check(hasAttribute(folder / "SYSTEM.CFG", ATTR_SYS), "SYSTEM.CFG is still a system file after a save");
    report.check(test::listedNames(systemFileApi(), folder) == visible,
                 "after the saves the search still lists " + joinNames(visible) + ": " +
                     joinNames(test::listedNames(systemFileApi(), folder)));
    checkNoLeftovers(context, folder);
}

// Every file in NAMES (8.3 names, long names, mixed case; see
// run-scenario.sh) is saved a few times; the host then compares the
// folder's short and long names with those it wrote.
void namesSurviveSaves(ScenarioContext& context)
{
    const std::filesystem::path folder = context.card / "NAMES";
    const std::vector<std::string> names = folderNames(folder);
    context.report.figure("names", static_cast<long long>(names.size()));
    for (std::uint32_t round = 1; round <= kNameRounds; ++round) {
        for (const std::string& name : names) {
            if (saveGeneration(context, folder / name, round))
                checkGeneration(context, folder / name, round);
        }
    }
    const auto after = folderNames(folder);
    context.report.check(after == names, "the folder keeps its names " + joinNames(names) + ": " + joinNames(after));
}

} // namespace ostra::cardtest
