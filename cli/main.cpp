// ostra-cfg: the editor's command-line companion.
#include <iostream>

#include "cli/CommandLine.h"
#include "platform/FileApi.h"
#include "platform/drives/LinuxRemovableDrives.h"

int main(int argc, char** argv)
{
    ostra::LinuxRemovableDrives drives;
    ostra::cli::CliContext context{ostra::systemFileApi(), drives, std::cin, std::cout, std::cerr};
    return static_cast<int>(ostra::cli::runCommandLine(context, argc, argv));
}
