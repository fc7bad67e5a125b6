// A value reads alike wherever it is shown: in the window's review of
// changes, in ostra-cfg show and, given back to set, in the CSV report; a
// zone's heading alike in the Zone Overview and the report's grid.
#include <algorithm>
#include <map>
#include <sstream>

#include <QBuffer>
#include <QTableView>

#include "CliFixture.h"
#include "config/ConfigFields.h"
#include "platform/FileApi.h"
#include "report-test/ReportText.h"
#include "report/CsvReport.h"
#include "report/SiteReport.h"
#include "report/UnitReport.h"
#include "ui/FormFixture.h"
#include "ui/side/ReviewChanges.h"
#include "ui/side/ZoneOverview.h"

namespace ostra::test {
namespace {

// A field whose value views have told apart, and a text's bytes as stored
// (a flag is set, a zone feeds wallplates A1, B2 and F6).
struct TrickyValue {
    const char* Key;
    std::string Bytes;
};

const TrickyValue kTrickyValues[] = {
    {"description", "\x01 H\x93tel"},      // code page 437: a picture, then ô
    {"source.1.full", "Caf\xE9"},          // Windows-1252 é, padded with spaces
    {"source.2.short", " Ab"},             // a leading space
    {"zone.2.full", {"Den\0xyz", 7}},      // bytes after a NUL
    {"installer.1", "Line \xA0"},          // ends in a no-break space
    {"options.blanking", ""},
    {"zone.3.main", ""},
    {"mode", ""},
    {"zone.1.wallplates", ""},
};

class ValueTextTest : public FormFixture {
protected:
    CliRun ostraCfg(const std::vector<std::string>& arguments)
    {
        cli::ReportModule reports;
        return runOstraCfg(systemFileApi(), drives, reports, arguments);
    }

    // show's values of a file, by label.
    std::map<std::string, std::string> shown(const char* name)
    {
        const CliRun run = ostraCfg({"show", pathBytes(name)});
        EXPECT_EQ(run.Status, cli::ExitStatus::Done) << run.Err;
        std::map<std::string, std::string> values;
        std::istringstream lines(run.Out);
        for (std::string line; std::getline(lines, line);)
            if (const std::size_t colon = line.find(':'); line.starts_with("  ") && colon != std::string::npos)
                values[line.substr(2, colon - 2)] = line.size() > 27 ? line.substr(27) : "";
        return values;
    }

    FakeRemovableDrives drives;
};

TEST_F(ValueTextTest, TheReviewShowAndTheCsvGiveEachValueAlike)
{
    TConfigRecord unit{};
    for (const TrickyValue& value : kTrickyValues) {
        const ConfigField& field = *FindConfigField(&ConfigField::Key, value.Key);
        if (field.Kind == FieldKind::Text || field.Kind == FieldKind::InstallerLine) {
            WriteFieldText(unit, field, value.Bytes);
        } else if (field.Kind == FieldKind::Wallplates) {
            for (int w : {1, 8, 36})
                SetConfigBit(unit, layout::wallplateByteOffset(field.Index, w), layout::wallplateBit(w), true);
        } else {
            WriteFieldBit(unit, field, true);
        }
    }
    writeRecord(path("unit.cfg"), unit);
    writeRecord(path("copy.cfg"), TConfigRecord{});

    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    report::CsvReportWriter writer(csv);
    report::WriteReport(systemFileApi(), {pathBytes("unit.cfg")}, writer);
    const std::vector<std::vector<std::string>> rows = csvRows(csv.data());
    ASSERT_EQ(rows.size(), 2u);

    // Against an empty unit as the window holds it, every tricky field is
    // a change, listed in the field table's order.
    openFromCard(path("copy.cfg"));
    form->FormToConfig();
    const TConfigRecord empty = form->ConfigRecord;
    openFromCard(path("unit.cfg"));
    form->ShowReviewChanges(nullptr, empty);
    std::vector<const ConfigField*> fields;
    std::vector<std::string> set = {"set", pathBytes("copy.cfg")};
    for (std::size_t column = 0; column < rows[0].size(); ++column)
        if (const ConfigField* field = FindConfigField(&ConfigField::Key, rows[0][column]))
            if (std::ranges::any_of(kTrickyValues, [&](const TrickyValue& v) { return field->Key == v.Key; })) {
                fields.push_back(field);
                set.push_back(field->Key + "=" + rows[1][column]);
            }
    ASSERT_EQ(form->Review()->RowCount(), static_cast<int>(std::size(kTrickyValues)));
    ASSERT_EQ(fields.size(), std::size(kTrickyValues));
    const CliRun given = ostraCfg(set);
    ASSERT_EQ(given.Status, cli::ExitStatus::Done) << given.Err;

    const std::map<std::string, std::string> original = shown("unit.cfg");
    const std::map<std::string, std::string> copied = shown("copy.cfg");
    for (std::size_t row = 0; row < fields.size(); ++row) {
        const std::string& label = fields[row]->Label;
        SCOPED_TRACE(label);
        EXPECT_EQ(form->Review()->RowTexts(static_cast<int>(row)).at(2).toStdString(), original.at(label));
        EXPECT_EQ(copied.at(label), original.at(label)) << "the CSV's value, given back to set";
    }
}

TEST_F(ValueTextTest, TheZoneOverviewAndTheReportHeadEveryZoneAlike)
{
    TConfigRecord unit{};
    const std::string names[] = {"", "Kitchen", " Caf\xE9", "Bar \xA0", std::string("\0Den", 4), "Hall"};
    for (int zone = 1; zone <= 6; ++zone)
        WriteFieldText(unit, GroupField(kZoneGroup, zone, &kFullName), names[zone - 1]);
    writeRecord(path("unit.cfg"), unit);
    openFromCard(path("unit.cfg"));
    form->ShowZoneOverview();
    const QAbstractItemModel& grid = *form->Overview()->View().model();

    const report::UnitReport page =
        report::BuildUnitReport(report::ReadReportUnit(systemFileApi(), pathBytes("unit.cfg")), 0);
    ASSERT_EQ(page.Overview.Columns.size(), 7u);
    for (int zone = 0; zone < 6; ++zone)
        EXPECT_EQ(grid.headerData(zone, Qt::Horizontal).toString().toStdString(), page.Overview.Columns[zone + 1])
            << "zone " << zone + 1;
}

} // namespace
} // namespace ostra::test
