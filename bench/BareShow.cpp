// ostra-bare-show: the show bench's peer, the least a program does to show
// a configuration file: read its 2048 bytes and print its texts, one line
// each, with the C library alone (no C++ library, no Qt, none of our code).
//
//   ostra-bare-show FILE
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "config/ConfigLayout.h"

namespace {

using namespace ostra::layout;

void showText(const char* label, int number, const unsigned char* record, int offset, int width)
{
    std::printf("  %s %d: %.*s\n", label, number, width, reinterpret_cast<const char*>(record + offset));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    unsigned char record[kRecordSize];
    const int fd = open(argv[1], O_RDONLY | O_CLOEXEC);
    if (fd < 0 || read(fd, record, sizeof record) != static_cast<ssize_t>(sizeof record)) {
        std::perror(argv[1]);
        return 3;
    }
    close(fd);
    std::printf("%s\n  Description:             %.*s\n", argv[1], kDescriptionWidth,
                reinterpret_cast<const char*>(record + kDescriptionOffset));
    for (int i = 1; i <= kSourceCount; ++i) {
        showText("Source Short Name", i, record, sourceShortNameOffset(i), kShortNameWidth);
        showText("Source Full Name", i, record, sourceFullNameOffset(i), kFullNameWidth);
    }
    for (int z = 1; z <= kZoneCount; ++z) {
        showText("Zone Short Name", z, record, zoneShortNameOffset(z), kShortNameWidth);
        showText("Zone Full Name", z, record, zoneFullNameOffset(z), kFullNameWidth);
    }
    for (int k = 1; k <= kInstallerLineCount; ++k)
        showText("Installer Information", k, record, installerLineOffset(k), kInstallerLineWidth);
    return 0;
}
