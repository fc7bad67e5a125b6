#include "Scenarios.h"

#include <array>

#include "Generation.h"
#include "config/ConfigFile.h"
#include "platform/Exception.h"

namespace ostra::cardtest {

namespace {

// The card as the device's users meet it: files owned by root, group 1000
// may write them (fmask), but only root may add files to a folder (dmask).
constexpr std::string_view kFolderClosedToGroup = "uid=0,gid=1000,fmask=0002,dmask=0022";

constexpr std::array kScenarios = {
    Scenario{"normal-save", "", normalSave},
    Scenario{"read-only-folder", kFolderClosedToGroup, readOnlyFolder},
    Scenario{"full-root-folder", "", fullRootFolder},
    Scenario{"kill-loop", "", killLoop},
    Scenario{"hidden-system-listing", "", hiddenSystemListing},
    Scenario{"names-survive-saves", "", namesSurviveSaves},
    Scenario{"power-cuts", "", powerCuts},
    Scenario{"power-cuts-new-files", "", powerCutsNewFiles},
    Scenario{"record-rewrite", "", recordRewrite},
    Scenario{"record-new-file", "", recordNewFile},
    Scenario{"next-save-rewrite", "", nextSaveRewrite},
    Scenario{"next-save-new-file", "", nextSaveNewFile},
};

} // namespace

const Scenario* findScenario(std::string_view name)
{
    for (const Scenario& scenario : kScenarios) {
        if (scenario.name == name)
            return &scenario;
    }
    return nullptr;
}

bool saveGeneration(ScenarioContext& context, const std::filesystem::path& file, std::uint32_t generation)
{
    const std::string what = "save of generation " + std::to_string(generation) + " into " + file.string();
    try {
        WriteConfigFile(file.string(), generationRecord(generation));
    } catch (const Exception& error) {
        return context.report.check(false, what + " raised \"" + error.Message + "\"");
    }
    return true;
}

bool checkGeneration(ScenarioContext& context, const std::filesystem::path& file, std::uint32_t generation)
{
    const auto bytes = readWholeFile(file);
    const Inspection found = bytes ? inspectGeneration(*bytes) : Inspection{std::nullopt, "unreadable"};
    const std::string what = file.string() + " holds generation " + std::to_string(generation);
    if (!found.generation)
        return context.report.check(false, what + ": " + found.problem);
    return context.report.check(found.generation == generation,
                                what + (found.generation == generation
                                            ? ""
                                            : ": holds " + std::to_string(*found.generation)));
}

void reportKillLoop(ScenarioContext& context, const std::string& where, const KillLoopFigures& figures)
{
    context.report.figure(where + "-kills", figures.kills);
    context.report.figure(where + "-damaged", figures.damaged);
    context.report.figure(where + "-stale", figures.stale);
    context.report.figure(where + "-save-errors", figures.saveFailures);
    for (const std::string& problem : figures.problems)
        context.report.line("note " + where + ": " + problem);
    context.report.check(figures.damaged == 0 && figures.stale == 0,
                         where + ": " + std::to_string(figures.kills) +
                             " kills left the file complete, old or new, every time");
}

void checkNoLeftovers(ScenarioContext& context, const std::filesystem::path& folder)
{
    const auto leftovers = leftoverTemporaryFiles(folder);
    context.report.check(leftovers.empty(), "no temporary files left in " + folder.string() +
                                                (leftovers.empty() ? "" : ": " + joinNames(leftovers)));
}

} // namespace ostra::cardtest
