#include "report/SiteReport.h"

#include <sys/stat.h>

#include <filesystem>

#include "config/CardFiles.h"
#include "config/ConfigFile.h"
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

bool isFolder(FileApi& files, const std::string& path)
{
    struct stat status {};
    return !files.stat(path, status).failed() && S_ISDIR(status.st_mode);
}

// Why a folder's files cannot be listed, or nothing when they can. A
// listing gives no files for a folder it cannot read, which must not pass
// for a folder without configuration files.
std::string folderFailure(FileApi& files, const std::string& folder)
{
    std::vector<FolderEntry> names;
    const FileResult listed = files.listFolder(folder, names);
    return listed.failed() ? inOutErrorFromErrno(listed.error).Message : std::string();
}

// A folder's configuration files, each read once from its listing; a
// folder that cannot be read stands in their place with its error.
void addFolder(FileApi& files, const std::string& folder, Entries& entries)
{
    if (std::string error = folderFailure(files, folder); !error.empty()) {
        entries.add(folder, {std::filesystem::path(folder).filename().string(), {}, {}, {}, std::move(error)});
        return;
    }
    struct Listed {
        std::string Path;
        SummaryRow Row;
        std::string Line;
    };
    std::vector<Listed> listed;
    CardFolderListing listing(files, folder, kConfigCardFiles.Pattern, kConfigCardFiles.HeadSize,
                              FileAccess::ReadOnly);
    while (std::optional<CardFile> file = listing.next()) {
        ReportUnit unit;
        unit.File.Path = (std::filesystem::path(folder) / file->Name).string();
        unit.Error = FailureMessage(*file);
        if (unit.Error.empty())
            unit.Record = CardFileRecord(*file);
        listed.push_back({unit.File.Path, BuildSummaryRow(unit), ListedCardFileLine(*file)});
    }
    SortCardFiles(listed, &Listed::Line);
    for (Listed& file : listed)
        entries.add(std::move(file.Path), std::move(file.Row));
}

} // namespace

ReportWriter::~ReportWriter() = default;

ReportFile ReportFileAt(FileApi& files, const std::string& path)
{
    ReportFile file{path, {}, {}};
    struct stat status {};
    if (!files.stat(path, status).failed()) {
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
        if (isFolder(files, name)) {
            site = true;
            addFolder(files, name, entries);
        } else {
            entries.add(name, BuildSummaryRow(ReadReportUnit(files, name)));
        }
    }
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
