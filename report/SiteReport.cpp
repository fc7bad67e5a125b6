#include "report/SiteReport.h"

#include <sys/stat.h>

#include <filesystem>

#include "config/CardFiles.h"
#include "config/ConfigFile.h"
#include "platform/FilePath.h"
#include "platform/InOutError.h"

namespace ostra::report {

namespace {

// The units of the report between their two readings: their paths and
// summary rows, side by side.
struct Entries {
    std::vector<std::string> Paths;
    std::vector<SummaryRow> Rows;

    void add(std::string path, SummaryRow row)
    {
        Paths.push_back(std::move(path));
        Rows.push_back(std::move(row));
    }
};

// A folder that gives the report no unit takes their place itself, with why.
void addFolderFailure(const std::string& folder, std::string error, Entries& entries)
{
    ReportUnit unit;
    unit.File.Path = folder;
    unit.Error = std::move(error);
    entries.add(folder, BuildSummaryRow(unit));
}

// A folder's configuration files, each read once from its one listing. A
// folder that cannot be read, or holds no configuration file, stands in
// their place with why: neither may pass for a site without units.
void addFolder(FileApi& files, const std::string& folder, Entries& entries)
{
    CardFolderListing listing(files, folder, kConfigCardFiles.Pattern, kConfigCardFiles.HeadSize,
                              FileAccess::ReadOnly);
    if (listing.failure() != 0) {
        addFolderFailure(folder, inOutErrorFromErrno(listing.failure()).Message, entries);
        return;
    }
    struct Listed {
        std::string Path;
        SummaryRow Row;
        std::string Line;
    };
    std::vector<Listed> listed;
    while (std::optional<CardFile> file = listing.next()) {
        ReportUnit unit;
        // The listing reads no further than a record: the length, which
        // the summary marks when it is not a record's, comes from stat.
        unit.File = ReportFileAt(files, (std::filesystem::path(folder) / file->Name).string());
        unit.Error = FailureMessage(*file);
        if (unit.Error.empty())
            unit.Record = CardFileRecord(*file);
        listed.push_back({unit.File.Path, BuildSummaryRow(unit), ListedCardFileLine(*file)});
    }
    if (listed.empty()) {
        addFolderFailure(folder, kNoConfigurationFiles, entries);
        return;
    }
    SortCardFiles(listed, &Listed::Line);
    for (Listed& file : listed)
        entries.add(std::move(file.Path), std::move(file.Row));
}

} // namespace

SiteSummary BuildSiteSummary(const std::vector<SummaryRow>& rows, std::time_t generated)
{
    SiteSummary summary{kSummaryTitle,
                        {{kReportDateLabel, ReportTime(generated)}, {"Units", std::to_string(rows.size())}},
                        {std::begin(kSummaryColumns), std::end(kSummaryColumns)},
                        {}};
    for (const SummaryRow& row : rows) {
        SiteSummary::Row& cells = summary.Rows.emplace_back();
        cells.Cells = row.Error.empty() ? std::vector<std::string>{row.File, row.Description, row.Mode, row.Zones}
                                        : std::vector<std::string>{row.File, UnreadableNotice(row.Error)};
        cells.LengthWarning = row.LengthWarning;
    }
    return summary;
}

ReportWriter::~ReportWriter() = default;

void ReportWriter::Begin(std::size_t)
{
}

ReportFile ReportFileAt(FileApi& files, const std::string& path)
{
    ReportFile file{path, {}, {}};
    struct stat status {};
    if (!files.stat(path, status).failed()) {
        // A folder's size says nothing of a unit.
        if (S_ISREG(status.st_mode))
            file.Size = static_cast<std::uint64_t>(status.st_size);
        file.Modified = status.st_mtime;
    }
    return file;
}

ReportUnit ReadReportUnit(FileApi& files, const std::string& path)
{
    ReportUnit unit;
    unit.File = ReportFileAt(files, path);
    try {
        TConfigRecord record{};
        ReadConfigFile(files, path, record, FileAccess::ReadOnly);
        unit.Record = record;
    } catch (const EInOutError& error) {
        unit.Error = error.Message;
    }
    return unit;
}

ReportOutcome WriteReport(FileApi& files, const std::vector<std::string>& names, ReportWriter& writer)
{
    Entries entries;
    bool site = names.size() > 1;
    for (const std::string& name : names) {
        if (folderExists(files, name)) {
            site = true;
            addFolder(files, name, entries);
        } else {
            entries.add(name, BuildSummaryRow(ReadReportUnit(files, name)));
        }
    }
    writer.Begin(entries.Paths.size());
    if (site)
        writer.Summary(entries.Rows);
    ReportOutcome outcome;
    for (std::size_t i = 0; i < entries.Paths.size(); ++i) {
        ReportUnit unit = ReadReportUnit(files, entries.Paths[i]);
        // A unit that failed either reading counts, with its first error.
        const std::string& listedError = entries.Rows[i].Error;
        if (!unit.Record && !listedError.empty())
            unit.Error = listedError;
        writer.Unit(unit);
        if (!unit.Record || !listedError.empty())
            outcome.Unreadable.push_back({entries.Paths[i], listedError.empty() ? unit.Error : listedError});
    }
    outcome.Finished = writer.Finish();
    return outcome;
}

} // namespace ostra::report
