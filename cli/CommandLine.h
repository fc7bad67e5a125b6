#pragma once

#include <string>
#include <vector>

#include "cli/CliContext.h"

namespace ostra::cli {

// Parses the command line (argv[0] is the program) and runs the command.
ExitStatus runCommandLine(CliContext& context, int argc, const char* const* argv);

// The same for arguments without the program name, as tests give them.
ExitStatus runCommandLine(CliContext& context, const std::vector<std::string>& arguments);

} // namespace ostra::cli
