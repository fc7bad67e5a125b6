#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigRecord.h"

namespace ostra::report {

// The file a unit's record came from, as its report's head names it.
struct ReportFile {
    std::string Path; // as given; empty for a record that was never saved
    std::optional<std::uint64_t> Size; // of a regular file only
    std::optional<std::time_t> Modified;
};

// One unit as a report receives it: its file and either its record or
// the editor's message for why the file could not be read.
struct ReportUnit {
    ReportFile File;
    std::optional<TConfigRecord> Record;
    std::string Error;
    // The record holds edits not yet saved to the file (the editor's print).
    bool Unsaved = false;
};

// A label and its value, one line of a head or a list.
struct ReportLine {
    std::string Label;
    std::string Value;
};

struct ReportTable {
    std::vector<std::string> Columns;
    std::vector<std::vector<std::string>> Rows;
};

// A unit's page as every printed format lays it out, its texts in UTF-8
// ready to show (control characters and bytes that are no UTF-8 as U+FFFD).
// A blank or unreadable file has its head and a notice, no settings.
struct UnitReport {
    std::string Title; // the description, or what stands for it
    std::string Notice;
    bool Unsaved = false;
    std::string LengthWarning; // LengthWarning(file); empty for a record's length
    std::vector<ReportLine> Head;
    std::vector<ReportLine> Settings; // the screen mode and the front-panel options
    ReportTable Sources;
    ReportTable Zones;
    ReportTable Overview; // wallplates and the main output by zone
    std::vector<ReportLine> Installer;

    bool HasSettings() const { return !Settings.empty(); }
};

// The titles of a unit page's sections, in page order.
inline constexpr const char* kSettingsTitle = "Settings";
inline constexpr const char* kSourcesTitle = "Sources";
inline constexpr const char* kZonesTitle = "Zones";
inline constexpr const char* kOverviewTitle = "Zone Overview";
inline constexpr const char* kInstallerTitle = "Installer Information";

// What an overview cell shows for a wallplate (or the main output) a zone feeds.
inline constexpr const char* kFedMark = "\u2713";
// What a page printed from unsaved edits says under its title.
inline constexpr const char* kUnsavedNotice = "Unsaved changes included: this page shows edits not yet saved to the file.";

UnitReport BuildUnitReport(const ReportUnit& unit, std::time_t generated);

// What stands for a unit whose file could not be read, on its page and in
// a site's summary: "Could not be read: File not found".
std::string UnreadableNotice(std::string_view error);

// The label of the date a report was made, in a page's head and a summary's.
inline constexpr const char* kReportDateLabel = "Report Date";

// What marks a regular file whose length is not a record's: it is no
// configuration file, even where its first bytes read as a record. "Not a
// configuration file: 3000 bytes, not 2048"; empty for a file of a
// record's length, and where the length is unknown.
std::string LengthWarning(const ReportFile& file);

// One row of a site report's summary.
struct SummaryRow {
    std::string File; // the file's name
    std::string Description;
    std::string Mode;
    std::string Zones; // the zones that feed something, with their wallplate counts
    std::string Error;
    std::string LengthWarning; // as the unit's page gives it
};

inline constexpr const char* kSummaryTitle = "Site Report";
// The summary table's columns; an unreadable file's error spans the last three.
inline constexpr const char* kSummaryColumns[] = {"File", "Description", "Mode", "Zones (wallplates)"};

SummaryRow BuildSummaryRow(const ReportUnit& unit);

// "2026-12-08 10:33" in local time.
std::string ReportTime(std::time_t time);

} // namespace ostra::report
