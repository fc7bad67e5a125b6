#pragma once

#include <iosfwd>

namespace ostra {
class FileApi;
class RemovableDrives;
} // namespace ostra

namespace ostra::cli {

class ReportModule;

// What the tool ends with, as scripts see it.
enum class ExitStatus : int {
    Done = 0,
    Differences = 1, // diff only
    WrongUsage = 2,  // bad arguments, or input refused
    FileFailed = 3,  // a file could not be read or written
    ReportIncomplete = 4, // report only: written, but some files could not be read
};

// Everything a command reaches outside itself, so that tests can run the
// tool in-process over fakes.
struct CliContext {
    FileApi& Files;
    RemovableDrives& Drives;
    std::istream& In;
    std::ostream& Out;
    std::ostream& Err;
    ReportModule& Reports; // what draws report's documents, loaded only by report
};

} // namespace ostra::cli
