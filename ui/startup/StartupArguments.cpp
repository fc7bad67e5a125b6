#include "ui/startup/StartupArguments.h"

namespace ostra {

namespace {

constexpr const char* kUsage =
    "Usage: ostra-config-utility [FILE]\n"
    "Edit the configuration file of an Ostra or Melka video auto-selector.\n"
    "FILE, when given, is opened at start as Advanced Load opens it.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  --version      show the version and exit\n";

StartupRequest refused(const std::string& why)
{
    return {false, {}, {}, "ostra-config-utility: " + why + "\nTry 'ostra-config-utility --help'.\n", 2};
}

} // namespace

StartupRequest ParseStartupArguments(const std::vector<std::string>& arguments, const std::string& version)
{
    StartupRequest request;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && (argument == "-h" || argument == "--help"))
            return {false, {}, kUsage, {}, 0};
        if (!optionsEnded && argument == "--version")
            return {false, {}, "ostra-config-utility " + version + "\n", {}, 0};
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
            return refused("unknown option " + argument);
        } else if (!request.File.empty()) {
            return refused("one file at a time");
        } else {
            request.File = argument;
        }
    }
    return request;
}

} // namespace ostra
