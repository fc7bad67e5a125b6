#pragma once

#include <string>
#include <utility>
#include <vector>

#include "report/ReportDocument.h"

// The report module's one entry: the report of request, drawn with QtGui
// (ReportModuleEntry.cpp).
extern "C" ostra::report::ReportDocument ostraMakeReport(ostra::FileApi& files,
                                                         const ostra::report::ReportRequest& request);

namespace ostra::cli {

using MakeReportFunction = decltype(&ostraMakeReport);

// The report's drawing lives in a module of its own, with Qt, which only
// the report command loads: every other command starts without loading
// any Qt library, as quickly as it did before reports were drawn. The
// module is looked for in the given folders in turn; by default beside
// the program, then where the package installs it.
class ReportModule {
public:
    ReportModule() = default;
    explicit ReportModule(std::vector<std::string> folders) : folders_(std::move(folders)) {}

    // The module's entry, loaded at the first call and kept for the rest
    // of the run; null when no folder holds a module that loads, with why
    // in failures (one line for each folder tried).
    MakeReportFunction load(std::vector<std::string>& failures);

    static std::vector<std::string> InstalledFolders();

private:
    std::vector<std::string> folders_; // none given: InstalledFolders()
    MakeReportFunction make_ = nullptr;
};

} // namespace ostra::cli
