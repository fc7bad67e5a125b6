// The command table and its parsing: each command with its arguments, its
// help text and the function that runs it.
#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

#include "cli/Commands.h"

namespace ostra::cli {

namespace {

using AddArguments = void (*)(CLI::App&, CommandOptions&);
using RunCommand = ExitStatus (*)(CliContext&, const CommandOptions&);

struct CommandSpec {
    const char* Name;
    const char* Summary;
    const char* Footer;
    AddArguments Arguments;
    RunCommand Run;
};

void addOneFile(CLI::App& command, CommandOptions& options, const char* name, const char* help)
{
    command.add_option(name, options.File, help)->required();
}

void addTruncate(CLI::App& command, CommandOptions& options)
{
    command.add_flag("--truncate", options.Truncate, "cut texts longer than their field instead of refusing them");
}

void addForce(CLI::App& command, CommandOptions& options)
{
    command.add_flag("--force", options.Force, "replace the file when it exists");
}

constexpr const char* kKeysHelp =
    "Keys: description, mode (residential|professional), options.disable_autoselect,\n"
    "options.disable_front_panel, options.disable_front_ir, options.blanking (on|off),\n"
    "source.N.short, source.N.full (N 1-6), zone.N.short, zone.N.full,\n"
    "zone.N.wallplates (A1,B2,F6 or empty), zone.N.main (on|off), installer.K (K 1-4).\n"
    "Texts are UTF-8; the description takes code page 437 characters, other texts\n"
    "Windows-1252 ones.";

const CommandSpec kCommands[] = {
    {"show", "Show every setting of each file as the editor's window shows it", "",
     [](CLI::App& command, CommandOptions& options) {
         command.add_option("FILE", options.Files, "configuration files")->required();
     },
     runShow},
    {"export", "Write a file's record as a JSON document (format ostra-cfg/1)",
     "Texts are decoded through their code page; bytes no setting owns are kept as\n"
     "hex runs with their offsets, so that import rebuilds the file byte for byte.",
     [](CLI::App& command, CommandOptions& options) {
         addOneFile(command, options, "FILE", "configuration file");
         command.add_option("-o,--output", options.Output, "where to write the document (default: standard output)");
     },
     runExport},
    {"import", "Build a configuration file from a JSON document",
     "Nothing is written when any part of the document is refused.",
     [](CLI::App& command, CommandOptions& options) {
         addOneFile(command, options, "IN", "JSON document, or - for standard input");
         command.add_option("-o,--output", options.Output, "configuration file to write (default: IN with .cfg)");
         addTruncate(command, options);
         addForce(command, options);
     },
     runImport},
    {"set", "Edit settings of a file in place, as a save from the editor would",
     kKeysHelp,
     [](CLI::App& command, CommandOptions& options) {
         addOneFile(command, options, "FILE", "configuration file");
         command.add_option("KEY=VALUE", options.Assignments, "settings to change")->required();
         addTruncate(command, options);
         command.add_flag("--force", options.Force, "shorten a file longer than 2048 bytes to the record");
     },
     runSet},
    {"diff", "Show the settings and carried bytes that differ between two files",
     "Exit status 0 when the files are equal, 1 when they differ.",
     [](CLI::App& command, CommandOptions& options) {
         command.add_option("FILE", options.Files, "the two configuration files")->required()->expected(2);
     },
     runDiff},
    {"cards", "List the removable drives and the configuration files on each", "",
     [](CLI::App& command, CommandOptions& options) {
         command.add_flag("--json", options.Json, "write the list as a JSON document");
     },
     runCards},
    {"blank", "Write a blank configuration file, as the editor's Clear leaves it", "",
     [](CLI::App& command, CommandOptions& options) {
         addOneFile(command, options, "FILE", "file to write");
         addForce(command, options);
     },
     runBlank},
    {"report", "Write a report of one unit, or of a site, as PDF, HTML or CSV",
     "The format is OUT's extension (.pdf, .html, .csv) unless --format is given.\n"
     "Several files, or a folder (its .cfg files in the order cards lists them),\n"
     "make a site report: a summary, then a page per unit. A file that cannot be\n"
     "read keeps its place with its error; the report is still written (status 4).",
     [](CLI::App& command, CommandOptions& options) {
         command.add_option("FILE", options.Files, "configuration files or folders")->required();
         command.add_option("-o,--output", options.Output, "the report to write")->required();
         command.add_option("--format", options.Format, "pdf, html or csv (default: OUT's extension)")
             ->check(CLI::IsMember({"pdf", "html", "csv"}));
         command.add_option("--page-size", options.PageSize, "a4 or letter (default: the locale's paper)")
             ->check(CLI::IsMember({"a4", "letter"}));
         addForce(command, options);
     },
     runReport},
};

constexpr const char* kExitStatusHelp =
    "Exit status: 0 done, 1 differences (diff only), 2 wrong usage or refused input,\n"
    "3 a file could not be read or written, 4 a report written without some\n"
    "files that could not be read (report only).";

} // namespace

ExitStatus runCommandLine(CliContext& context, int argc, const char* const* argv)
{
    CLI::App app("Reads, compares and edits the configuration files of Ostra and Melka units.", "ostra-cfg");
    app.set_version_flag("--version", std::string("ostra-cfg ") + OSTRA_VERSION);
    app.require_subcommand(1);
    app.footer(kExitStatusHelp);
    CommandOptions options;
    std::vector<std::pair<CLI::App*, RunCommand>> commands;
    for (const CommandSpec& entry : kCommands) {
        CLI::App* command = app.add_subcommand(entry.Name, entry.Summary);
        command->footer(entry.Footer);
        entry.Arguments(*command, options);
        commands.emplace_back(command, entry.Run);
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error, context.Out, context.Err);
        return code == 0 ? ExitStatus::Done : ExitStatus::WrongUsage;
    }
    for (const auto& [command, run] : commands)
        if (command->parsed())
            return run(context, options);
    return ExitStatus::WrongUsage;
}

ExitStatus runCommandLine(CliContext& context, const std::vector<std::string>& arguments)
{
    std::vector<const char*> argv = {"ostra-cfg"};
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    return runCommandLine(context, static_cast<int>(argv.size()), argv.data());
}

} // namespace ostra::cli
