#pragma once

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "cli/CliContext.h"
#include "cli/ReportModule.h"
#include "config/ConfigRecord.h"
#include "platform/FileApi.h"
#include "fakes/FakeRemovableDrives.h"

namespace ostra::test {

// What one run of the tool gave.
struct CliRun {
    cli::ExitStatus Status;
    std::string Out;
    std::string Err;
};

// Runs ostra-cfg in-process over files and drives, its report drawn by reports.
CliRun runOstraCfg(FileApi& files, RemovableDrives& drives, cli::ReportModule& reports,
                   const std::vector<std::string>& arguments, const std::string& input = {});

// Runs ostra-cfg in-process on the real files of a scratch folder and on
// fake removable drives.
class CliFixture : public ::testing::Test {
protected:
    CliRun run(const std::vector<std::string>& arguments, const std::string& input = {});
    // The same over another file layer, such as one that refuses some opens.
    CliRun run(FileApi& files, const std::vector<std::string>& arguments, const std::string& input = {});

    std::string path(const std::string& name) const { return folder.file(name); }
    // text with each "@" standing for the scratch folder's path.
    std::string expand(const std::string& text) const;
    std::vector<std::string> expand(const std::vector<std::string>& arguments) const;
    void writeRecord(const std::string& name, const TConfigRecord& record) const;
    void writeBytes(const std::string& name, const std::string& bytes) const;
    std::string readBytes(const std::string& name) const;
    TConfigRecord readRecord(const std::string& name) const;

    TempFolder folder;
    FakeRemovableDrives drives;
    // The report module of this build; a test may give another.
    cli::ReportModule reports{{OSTRA_BUILT_REPORT_MODULE_FOLDER}};
};

// A record of random bytes shaped like real files: texts often padded, now
// and then cut by a NUL with bytes after it; sometimes blank, all zero or
// Clear's pattern.
TConfigRecord randomRecord(std::mt19937& random);

} // namespace ostra::test
