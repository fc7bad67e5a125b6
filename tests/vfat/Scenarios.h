#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "GuestReport.h"
#include "KillLoop.h"

namespace ostra::cardtest {

struct ScenarioContext {
    GuestReport& report;
    std::filesystem::path card; // where the card is mounted
    int kills;                  // rounds of each kill loop
};

// One thing tested on a freshly booted machine. The host prepares the card
// image for it beforehand and checks the image afterwards (run-scenario.sh);
// mountOptions are the vfat options the card is mounted with.
struct Scenario {
    std::string_view name;
    std::string_view mountOptions;
    void (*run)(ScenarioContext&);
};

const Scenario* findScenario(std::string_view name);

// The scenarios, by concern.
void normalSave(ScenarioContext& context);
void readOnlyFolder(ScenarioContext& context);
void fullRootFolder(ScenarioContext& context);
void killLoop(ScenarioContext& context);
void hiddenSystemListing(ScenarioContext& context);
void namesSurviveSaves(ScenarioContext& context);
void powerCuts(ScenarioContext& context);
void powerCutsNewFiles(ScenarioContext& context);
void recordRewrite(ScenarioContext& context);
void recordNewFile(ScenarioContext& context);
void nextSaveRewrite(ScenarioContext& context);
void nextSaveNewFile(ScenarioContext& context);

// Shared steps: a save whose errors become a failed check, and the check
// that a file holds one generation, complete.
bool saveGeneration(ScenarioContext& context, const std::filesystem::path& file, std::uint32_t generation);
bool checkGeneration(ScenarioContext& context, const std::filesystem::path& file, std::uint32_t generation);
void reportKillLoop(ScenarioContext& context, const std::string& where, const KillLoopFigures& figures);
void checkNoLeftovers(ScenarioContext& context, const std::filesystem::path& folder);

} // namespace ostra::cardtest
