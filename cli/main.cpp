// ostra-cfg: the editor's command-line companion.
#include <iostream>

#include "cli/CommandLine.h"
#include "cli/ReportModule.h"
#include "platform/FileApi.h"
#include "platform/drives/LinuxRemovableDrives.h"

int main(int argc, char** argv)
{
    ostra::LinuxRemovableDrives drives;
    ostra::cli::ReportModule reports;
    ostra::cli::CliContext context{ostra::systemFileApi(), drives, std::cin, std::cout, std::cerr, reports};
    return static_cast<int>(ostra::cli::runCommandLine(context, argc, argv));
}
