#include "report/UnitReport.h"

#include <filesystem>

#include <QString>

#include "config/CardFileLine.h"
#include "config/ConfigFields.h"
#include "config/FieldText.h"

namespace ostra::report {

namespace {

// A text as a page shows it: bytes that are no UTF-8 (a file name) and
// control characters (Windows-1252 texts may hold them) as U+FFFD, the
// padding after the last character left off.
std::string shown(std::string_view utf8)
{
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (QChar& character : text)
        if (character.category() == QChar::Other_Control)
            character = QChar::ReplacementCharacter;
    while (text.endsWith(u' '))
        text.chop(1);
    return text.toStdString();
}

// A field's value as the window shows it, made safe for a page.
std::string fieldText(const TConfigRecord& record, const ConfigField& field)
{
    return shown(ValueAsShown(record, field));
}

std::string fieldText(const TConfigRecord& record, std::string_view key)
{
    return fieldText(record, *FindConfigField(&ConfigField::Key, key));
}

std::string zoneHeading(const TConfigRecord& record, int zone)
{
    return shown(ZoneHeadingAsShown(record, zone));
}

// The path without the slashes a folder may be named with ("site/" is
// site), so that its last part is its name.
std::filesystem::path namedPath(const std::string& path)
{
    std::filesystem::path named(path);
    while (!named.has_filename() && named.has_relative_path())
        named = named.parent_path();
    return named;
}

std::string fileName(const ReportFile& file)
{
    const std::filesystem::path path = namedPath(file.Path);
    return shown((path.has_filename() ? path.filename() : path).string());
}

std::vector<ReportLine> headLines(const ReportUnit& unit, std::time_t generated)
{
    std::vector<ReportLine> head;
    if (unit.File.Path.empty()) {
        head.push_back({"File", "(not saved)"});
    } else {
        head.push_back({"File", fileName(unit.File)});
        head.push_back({"Folder", shown(std::filesystem::absolute(namedPath(unit.File.Path)).parent_path().string())});
    }
    if (unit.File.Size)
        head.push_back({"Size", std::to_string(*unit.File.Size) + " bytes"});
    if (unit.File.Modified)
        head.push_back({"Modified", ReportTime(*unit.File.Modified)});
    head.push_back({kReportDateLabel, ReportTime(generated)});
    if (unit.Record && !IsBlankConfig(*unit.Record))
        for (const ConfigField& field : ConfigFields())
            if (field.Kind == FieldKind::Version)
                head.push_back({field.Label, fieldText(*unit.Record, field)});
    return head;
}

std::vector<ReportLine> settingLines(const TConfigRecord& record)
{
    std::vector<ReportLine> lines;
    // The front panel's flags, not a zone's main output.
    for (const ConfigField& field : ConfigFields())
        if (field.Kind == FieldKind::ScreenMode || (field.Kind == FieldKind::Flag && field.Index == 0))
            lines.push_back({field.Label, fieldText(record, field)});
    return lines;
}

ReportTable namesTable(const TConfigRecord& record, const FieldGroup& group)
{
    ReportTable table{{"No.", kShortName.Label, kFullName.Label}, {}};
    for (int i = 1; i <= group.Count; ++i)
        table.Rows.push_back({std::to_string(i), fieldText(record, GroupField(group, i, &kShortName)),
                              fieldText(record, GroupField(group, i, &kFullName))});
    return table;
}

// Zones as columns, wallplates and then the main output as rows, as the
// window's Zone Overview lays them out.
ReportTable overviewTable(const TConfigRecord& record)
{
    ReportTable table{{"Wallplate"}, {}};
    for (int z = 1; z <= layout::kZoneCount; ++z)
        table.Columns.push_back(zoneHeading(record, z));
    for (int w = 1; w <= layout::kWallplateCount; ++w) {
        std::vector<std::string>& row = table.Rows.emplace_back(1, WallplateCaption(w));
        for (int z = 1; z <= layout::kZoneCount; ++z)
            row.push_back(ZoneFeedsWallplate(record, z, w) ? kFedMark : "");
    }
    std::vector<std::string>& main = table.Rows.emplace_back(1, kZoneMainOutput.Label);
    for (int z = 1; z <= layout::kZoneCount; ++z)
        main.push_back(ReadFieldBit(record, GroupField(kZoneGroup, z, &kZoneMainOutput)) ? kFedMark : "");
    return table;
}

std::vector<ReportLine> installerLines(const TConfigRecord& record)
{
    std::vector<ReportLine> lines;
    for (const ConfigField& field : ConfigFields())
        if (field.Kind == FieldKind::InstallerLine)
            lines.push_back({std::to_string(field.Index), fieldText(record, field)});
    return lines;
}

} // namespace

UnitReport BuildUnitReport(const ReportUnit& unit, std::time_t generated)
{
    UnitReport report;
    report.Unsaved = unit.Unsaved;
    report.LengthWarning = LengthWarning(unit.File);
    report.Head = headLines(unit, generated);
    if (!unit.Record) {
        report.Title = fileName(unit.File);
        report.Notice = UnreadableNotice(unit.Error);
        return report;
    }
    const TConfigRecord& record = *unit.Record;
    if (IsBlankConfig(record)) {
        report.Title = kBlankConfigDescription;
        report.Notice = "A blank configuration file: it holds no settings.";
        return report;
    }
    report.Title = fieldText(record, "description");
    report.Settings = settingLines(record);
    report.Sources = namesTable(record, kSourceGroup);
    report.Zones = namesTable(record, kZoneGroup);
    report.Overview = overviewTable(record);
    report.Installer = installerLines(record);
    return report;
}

SummaryRow BuildSummaryRow(const ReportUnit& unit)
{
    SummaryRow row{fileName(unit.File), {}, {}, {}, unit.Error, LengthWarning(unit.File)};
    if (!unit.Record)
        return row;
    const TConfigRecord& record = *unit.Record;
    if (IsBlankConfig(record)) {
        row.Description = kBlankConfigDescription;
        return row;
    }
    row.Description = fieldText(record, "description");
    row.Mode = fieldText(record, "mode");
    for (int z = 1; z <= layout::kZoneCount; ++z) {
        int plates = 0;
        for (int w = 1; w <= layout::kWallplateCount; ++w)
            plates += ZoneFeedsWallplate(record, z, w) ? 1 : 0;
        const bool main = ReadFieldBit(record, GroupField(kZoneGroup, z, &kZoneMainOutput));
        if (plates == 0 && !main)
            continue;
        row.Zones += (row.Zones.empty() ? "" : ", ") + zoneHeading(record, z) + " (" + std::to_string(plates)
            + (main ? ", " + std::string(kZoneMainOutput.Label) : "") + ")";
    }
    return row;
}

std::string UnreadableNotice(std::string_view error)
{
    std::string notice = "Could not be read: ";
    notice += error;
    return notice;
}

std::string LengthWarning(const ReportFile& file)
{
    if (!file.Size || *file.Size == static_cast<std::uint64_t>(layout::kRecordSize))
        return {};
    return "Not a configuration file: " + std::to_string(*file.Size) + " bytes, not "
        + std::to_string(layout::kRecordSize);
}

std::string ReportTime(std::time_t time)
{
    std::tm local{};
    localtime_r(&time, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

} // namespace ostra::report
