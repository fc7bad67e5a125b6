// The card-test program, linked statically so that it runs alone in the
// test machine's initramfs.
//
// In the machine (started by /init, with ostra.scenario=NAME and optionally
// ostra.kills=N on the kernel command line) it mounts the card, runs the
// scenario, reports on the second serial port, unmounts and powers off.
//
// On the host it serves the harness:
//   ostra-vfat-guest --write-generation N FILE   writes generation N's record
//   ostra-vfat-guest --inspect FILE              "generation N" or "damaged: why"
//   ostra-vfat-guest --judge-cut LAST FILE       the file after a power cut
//                                                with save LAST acknowledged:
//                                                "current|stale|damaged: detail",
//                                                exit status 0, 1 or 2
//   ostra-vfat-guest --judge-new-files LAST DIR  the same for a folder whose
//                                                files each save created
//   ostra-vfat-guest --judge-content OLD NEW FILE "old", "new", "mixed" or
//                                                "neither": a file a crashed
//                                                save from OLD to NEW left
//   ostra-vfat-guest --explore-crashes CARD LOG JUDGE
//                                                every crash state of the
//                                                recorded save, laid on the
//                                                copy CARD of the card as it
//                                                was before, judged
//   ostra-vfat-guest --count-states LOG MODEL    how many states MODEL has
//   ostra-vfat-guest --lay-state CARD LOG MODEL N
//                                                state N laid on CARD
//   ostra-vfat-guest --exfat-copy IMAGE PATH FILE
//                                                copies a file off an exFAT
//                                                image; exit status 1 when
//                                                it has none of that name
//   ostra-vfat-guest --exfat-list IMAGE FOLDER   the names in a folder of an
//                                                exFAT image, one a line
#include <cstdio>
#include <iostream>
#include <string>

#include "CrashExplorer.h"
#include "ExfatImage.h"
#include "Generation.h"
#include "GuestMachine.h"
#include "Scenarios.h"

namespace ostra::cardtest {
namespace {

constexpr const char* kReportPort = "/dev/ttyS1";
constexpr const char* kMountPoint = "/card";
constexpr int kDefaultKills = 100;

Inspection inspectPath(const std::string& path)
{
    const auto bytes = readWholeFile(path);
    return bytes ? inspectGeneration(*bytes) : Inspection{std::nullopt, "missing or unreadable"};
}

std::map<std::string, Inspection> inspectFolder(const std::string& folder)
{
    std::map<std::string, Inspection> files;
    for (const std::string& name : folderNames(folder))
        files[name] = inspectPath(folder + "/" + name);
    return files;
}

int writeGenerationFile(const std::string& generation, const std::string& path)
{
    const TConfigRecord record = generationRecord(static_cast<std::uint32_t>(std::stoul(generation)));
    return writeWholeFile(path, record) ? 0 : 2;
}

int exfatTool(const std::string& command, char** argv)
{
    try {
        const ExfatImage image(readFromImageFile(argv[2]));
        if (command == "--exfat-list") {
            for (const ExfatEntry& entry : image.folder(argv[3]))
                std::cout << entry.Name << "\n";
            return 0;
        }
        const auto bytes = image.file(argv[3]);
        if (!bytes)
            return 1;
        return writeWholeFile(argv[4], *bytes) ? 0 : 2;
    } catch (const ExfatError& error) {
        std::cerr << argv[2] << ": " << error.what() << "\n";
        return 2;
    }
}

int usage(const char* program)
{
    std::cerr << "usage: " << program
              << " --write-generation N FILE | --inspect FILE | --judge-cut LAST FILE | --judge-new-files LAST FOLDER"
                 " | --judge-content OLD NEW FILE | --explore-crashes CARD LOG JUDGE | --count-states LOG MODEL | --lay-state CARD LOG MODEL N"
                 " | --exfat-copy IMAGE PATH FILE | --exfat-list IMAGE FOLDER\n";
    return 64;
}

int hostTool(int argc, char** argv)
{
    const std::string command = argv[1];
    if (command == "--write-generation" && argc == 4)
        return writeGenerationFile(argv[2], argv[3]);
    if (command == "--inspect" && argc == 3) {
        const Inspection found = inspectPath(argv[2]);
        if (found.generation)
            std::cout << "generation " << *found.generation << "\n";
        else
            std::cout << "damaged: " << found.problem << "\n";
        return found.generation ? 0 : 2;
    }
    if ((command == "--judge-cut" || command == "--judge-new-files") && argc == 4) {
        const auto lastCompleted = static_cast<std::uint32_t>(std::stoul(argv[2]));
        const CutOutcome outcome = command == "--judge-cut" ? judgeCut(inspectPath(argv[3]), lastCompleted)
                                                            : judgeNewFilesCut(inspectFolder(argv[3]), lastCompleted);
        static constexpr const char* kVerdicts[] = {"current", "stale", "damaged"};
        std::cout << kVerdicts[static_cast<int>(outcome.verdict)] << ": " << outcome.detail << "\n";
        return static_cast<int>(outcome.verdict);
    }
    if (command == "--judge-content" && argc == 5) {
        static constexpr const char* kVerdicts[] = {"old", "new", "mixed", "neither"};
        const auto bytes = readWholeFile(argv[4]);
        const ContentVerdict verdict =
            bytes ? judgeContent(*bytes, static_cast<std::uint32_t>(std::stoul(argv[2])),
                                 static_cast<std::uint32_t>(std::stoul(argv[3])))
                  : ContentVerdict::Neither;
        std::cout << kVerdicts[static_cast<int>(verdict)] << "\n";
        return 0;
    }
    if (command == "--new-file-name" && argc == 3) {
        std::cout << newFileName(static_cast<std::uint32_t>(std::stoul(argv[2]))) << "\n";
        return 0;
    }
    if (command == "--explore-crashes" && argc == 5)
        return exploreCrashes(argv[2], argv[3], argv[4]);
    if (command == "--count-states" && argc == 4)
        return layCrashState("", argv[2], argv[3], -1);
    if (command == "--lay-state" && argc == 6)
        return layCrashState(argv[2], argv[3], argv[4], std::stol(argv[5]));
    if ((command == "--exfat-copy" && argc == 5) || (command == "--exfat-list" && argc == 4))
        return exfatTool(command, argv);
    return usage(argv[0]);
}

void runScenario(GuestReport& report, const std::string& name)
{
    const Scenario* scenario = findScenario(name);
    if (!report.check(scenario != nullptr, "scenario " + name + " exists"))
        return;
    const int kills = std::stoi(kernelParameter("ostra.kills").value_or(std::to_string(kDefaultKills)));
    try {
        mountCard(kMountPoint, std::string(scenario->mountOptions));
        ScenarioContext context{report, kMountPoint, kills};
        scenario->run(context);
        unmountCard(kMountPoint);
    } catch (const std::exception& error) {
        report.check(false, "scenario " + name + " ran to its end: " + error.what());
    }
}

int runGuest(const std::string& scenario)
{
    GuestReport report(kReportPort);
    report.line("start " + scenario);
    runScenario(report, scenario);
    report.line("end " + scenario + (report.failures() == 0 ? " passed" : " failed"));
    powerOff();
}

} // namespace
} // namespace ostra::cardtest

int main(int argc, char** argv)
{
    using namespace ostra::cardtest;
    if (argc > 1)
        return hostTool(argc, argv);
    // Only the test machine's kernel names a scenario: anywhere else this
    // program must not mount anything or power the machine off.
    const auto scenario = kernelParameter("ostra.scenario");
    if (!scenario) {
        std::cerr << "no ostra.scenario on the kernel command line: not in the card-test machine\n";
        return usage(argv[0]);
    }
    return runGuest(*scenario);
}
