// The editor's command line: a file to open, help and version without a
// window, and what it refuses.
#include <gtest/gtest.h>

#include "ui/startup/StartupArguments.h"

namespace ostra::test {
namespace {

struct ArgumentsCase {
    const char* What;
    std::vector<std::string> Arguments;
    bool ShowWindow;
    const char* File;
    int ExitStatus;
    const char* Printed; // part of standard output, or of standard error when refused
};

const ArgumentsCase kArguments[] = {
    {"nothing", {}, true, "", 0, ""},
    {"a file", {"/media/card/HALL.CFG"}, true, "/media/card/HALL.CFG", 0, ""},
    {"a file that looks like an option", {"--", "-odd.cfg"}, true, "-odd.cfg", 0, ""},
    {"help", {"--help"}, false, "", 0, "Usage: ostra-config-utility [FILE]"},
    {"help after a file", {"a.cfg", "-h"}, false, "", 0, "Usage:"},
    {"version", {"--version"}, false, "", 0, "ostra-config-utility 9.9"},
    {"unknown option", {"--bogus"}, false, "", 2, "unknown option --bogus"},
    {"two files", {"a.cfg", "b.cfg"}, false, "", 2, "one file at a time"},
};

TEST(StartupArguments, AskForTheWindowAFileOrAnAnswer)
{
    for (const ArgumentsCase& row : kArguments) {
        SCOPED_TRACE(row.What);
        const StartupRequest request = ParseStartupArguments(row.Arguments, "9.9");
        EXPECT_EQ(request.ShowWindow, row.ShowWindow);
        EXPECT_EQ(request.File, row.File);
        EXPECT_EQ(request.ExitStatus, row.ExitStatus);
        const std::string& printed = request.ExitStatus == 0 ? request.Output : request.Error;
        EXPECT_NE(printed.find(row.Printed), std::string::npos) << printed;
    }
}

} // namespace
} // namespace ostra::test
