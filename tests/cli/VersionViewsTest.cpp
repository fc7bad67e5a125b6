// Every view of a unit's versions gives the text the main window's labels
// show after "Hardware Version: ": show's lines, the report's page (read
// from its HTML, which keeps every space) and its CSV cells.
#include <algorithm>
#include <sstream>

#include <QFile>
#include <QLabel>

#include "cli/CommandLine.h"
#include "cli/ReportModule.h"
#include "config/ConfigFields.h"
#include "config/ConfigLayout.h"
#include "fakes/FakeRemovableDrives.h"
#include "platform/FileApi.h"
#include "report-test/ReportText.h"
#include "ui/FormFixture.h"
#include "ui/Unit1Fields.h"

namespace ostra::test {
namespace {

struct VersionCase {
    const char* Name;
    std::string Bytes; // both versions, from the hardware version's first byte
    const char* Hardware;
    const char* Software;
};

void PrintTo(const VersionCase& row, std::ostream* out)
{
    *out << row.Name;
}

const VersionCase kVersionCases[] = {
    {"NeverWritten", std::string(8, '\0'), ".", "."},
    // A NUL ends a part; a save stamps " 1" and "01".
    {"CutByANulAndStampedBySave", std::string("1\0" "08" " 1" "01", 8), "1.08", " 1.01"},
    // Windows-1252: é and ½.
    {"InWindows1252", std::string("\xE9\0" "\xBD" "5" "12\0\0", 8), "\u00e9.\u00bd5", "12."},
};

class VersionViews : public FormFixture, public ::testing::WithParamInterface<VersionCase> {
protected:
    // ostra-cfg's standard output; what it says on standard error fails the test.
    std::string runTool(const std::vector<std::string>& arguments)
    {
        FakeRemovableDrives drives;
        std::istringstream in;
        std::ostringstream out, err;
        cli::ReportModule reports{{OSTRA_BUILT_REPORT_MODULE_FOLDER}};
        cli::CliContext context{systemFileApi(), drives, in, out, err, reports};
        EXPECT_EQ(cli::runCommandLine(context, arguments), cli::ExitStatus::Done) << err.str();
        EXPECT_EQ(err.str(), "");
        return out.str();
    }

    QByteArray fileBytes(const QString& name)
    {
        QFile file(path(name.toLatin1().constData()));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
};

// show's value for label: its line's text from the column the values start in.
std::string shownValue(const std::string& show, const std::string& label)
{
    const std::size_t description = show.find("  Description:");
    const std::size_t column = show.find("Hall", description) - description;
    const std::size_t line = show.find("\n  " + label + ":");
    if (description == std::string::npos || line == std::string::npos)
        return "(no line)";
    return show.substr(line + 1 + column, show.find('\n', line + 1) - line - 1 - column);
}

TEST_P(VersionViews, ShowTheTextTheWindowShows)
{
    TConfigRecord record{};
    WriteFieldText(record, *FindConfigField(&ConfigField::Key, "description"), "Hall");
    std::copy(GetParam().Bytes.begin(), GetParam().Bytes.end(), record.begin() + layout::kHardwareVersionOffset);
    writeRecord(path("unit.cfg"), record);
    openFromCard(path("unit.cfg"));
    const std::string file = pathBytes("unit.cfg");
    const std::string show = runTool({"show", file});
    runTool({"report", file, "-o", pathBytes("unit.html")});
    runTool({"report", file, "-o", pathBytes("unit.csv")});
    const std::string html = htmlText(fileBytes("unit.html"));
    const std::vector<std::vector<std::string>> csv = csvRows(fileBytes("unit.csv"));
    ASSERT_EQ(csv.size(), 2u);

    int versions = 0;
    for (const unit1::ShownField& shown : unit1::ShownFields()) {
        const ConfigField& field = *shown.Field;
        if (field.Kind != FieldKind::Version)
            continue;
        SCOPED_TRACE(field.Label);
        ++versions;
        const std::string expected = field.Key == "hardware_version" ? GetParam().Hardware : GetParam().Software;
        const auto* label = form->findChild<QLabel*>(QString::fromLatin1(shown.Control));
        ASSERT_NE(label, nullptr);
        const std::string caption = label->text().toStdString();
        ASSERT_EQ(caption.rfind(field.Label + ": ", 0), 0u) << caption;
        const std::string window = caption.substr(field.Label.size() + 2);
        EXPECT_EQ(window, expected);

        EXPECT_EQ(shownValue(show, field.Label), window) << show;
        EXPECT_NE(html.find(field.Label + "|" + window + "|"), std::string::npos) << html;
        const auto column = std::find(csv[0].begin(), csv[0].end(), field.Key);
        ASSERT_NE(column, csv[0].end()) << "a CSV column for " << field.Key;
        EXPECT_EQ(csv[1][static_cast<std::size_t>(column - csv[0].begin())], window);
    }
    EXPECT_EQ(versions, 2);
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionViews, ::testing::ValuesIn(kVersionCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace ostra::test
