#pragma once

#include <string>
#include <vector>

namespace ostra {

// What the editor's command line asks for: the window, optionally with a
// file to open at start; or a text to print and a status to end with,
// without a window (--help, --version, or a command line it refuses).
struct StartupRequest {
    bool ShowWindow = true;
    std::string File;       // opened at start as Advanced Load would
    std::string Output;     // printed on standard output
    std::string Error;      // printed on standard error
    int ExitStatus = 0;
};

StartupRequest ParseStartupArguments(const std::vector<std::string>& arguments, const std::string& version);

} // namespace ostra
