#pragma once

#include <string>
#include <vector>

#include "cli/CliContext.h"

namespace ostra::cli {

// The arguments of every command, filled by the command line.
struct CommandOptions {
    std::string File;               // the one FILE (or IN) of a command
    std::vector<std::string> Files; // show's FILEs, diff's two
    std::string Output;             // -o; empty when not given
    bool Truncate = false;          // --truncate: cut overlong texts
    bool Force = false;             // --force: replace an existing file (set: shorten a longer one)
    bool Json = false;              // cards --json
    std::string Format;             // report --format: pdf, html or csv; empty for OUT's extension
    std::string PageSize;           // report --page-size: a4 or letter; empty for the locale's paper
    std::vector<std::string> Assignments;
};

ExitStatus runShow(CliContext& context, const CommandOptions& options);
ExitStatus runExport(CliContext& context, const CommandOptions& options);
ExitStatus runImport(CliContext& context, const CommandOptions& options);
ExitStatus runSet(CliContext& context, const CommandOptions& options);
ExitStatus runDiff(CliContext& context, const CommandOptions& options);
ExitStatus runCards(CliContext& context, const CommandOptions& options);
ExitStatus runBlank(CliContext& context, const CommandOptions& options);
ExitStatus runReport(CliContext& context, const CommandOptions& options);

} // namespace ostra::cli
