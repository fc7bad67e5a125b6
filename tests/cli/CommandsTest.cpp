// diff, cards, show, blank and the file errors every command reports.
#include <filesystem>

#include "CliFixture.h"
#include "cli/FieldText.h"

namespace ostra::test {
namespace {

using cli::ExitStatus;

TConfigRecord unitRecord()
{
    TConfigRecord record{};
    WriteConfigText(record, 0, 32, "Hall");
    WriteConfigText(record, 158 + 13 * 2, 13, "Den");
    record[411] = 0x83; // carried bits 0, 1 and 7
    record[1000] = 0x5A;
    return record;
}

struct DiffCase {
    const char* Name;
    void (*Change)(TConfigRecord&);
    const char* Lines;
    ExitStatus Status;
};

// Test listings name the case, not its bytes.
void PrintTo(const DiffCase& row, std::ostream* out)
{
    *out << row.Name;
}

const DiffCase kDiffCases[] = {
    {"Nothing", [](TConfigRecord&) {}, "", ExitStatus::Done},
    {"OneText", [](TConfigRecord& r) { WriteConfigText(r, 158 + 13 * 2, 13, "Study"); },
     "zone.3.full: \"Den\" | \"Study\"\n", ExitStatus::Differences},
    {"OneWallplate", [](TConfigRecord& r) { r[285] |= 0x08; }, "zone.6.wallplates: [] | [F6 - 36]\n",
     ExitStatus::Differences},
    {"OneOption", [](TConfigRecord& r) { r[411] |= 0x04; }, "mode: Residential | Professional\n",
     ExitStatus::Differences},
    {"OneCarriedByte", [](TConfigRecord& r) { r[1000] = 0x00; }, "carried 1000: 5a | 00\n", ExitStatus::Differences},
    {"OneCarriedBit", [](TConfigRecord& r) { r[411] &= 0x7F; }, "carried 411: 83 | 03\n", ExitStatus::Differences},
    {"BytesAfterANul", [](TConfigRecord& r) { r[2] = 0, r[3] = 'x'; },
     "description: \"Hall\" | \"Ha\"\ncarried 2-3: 6c6c | 0078\n", ExitStatus::Differences},
    {"BlankAgainstSettings", [](TConfigRecord& r) { r[0] = 0xFF; }, "blank: false | true\n", ExitStatus::Differences},
};

class DiffTest : public CliFixture, public ::testing::WithParamInterface<DiffCase> {};

TEST_P(DiffTest, ListsEachDifferenceOnce)
{
    const TConfigRecord a = unitRecord();
    TConfigRecord b = a;
    GetParam().Change(b);
    writeRecord("a.cfg", a);
    writeRecord("b.cfg", b);
    const CliRun result = run({"diff", path("a.cfg"), path("b.cfg")});
    EXPECT_EQ(result.Out, GetParam().Lines);
    EXPECT_EQ(result.Status, GetParam().Status);
    EXPECT_EQ(result.Err, "");
}

INSTANTIATE_TEST_SUITE_P(Pairs, DiffTest, ::testing::ValuesIn(kDiffCases),
                         [](const auto& info) { return std::string(info.param.Name); });

struct FileErrorCase {
    const char* Name;
    std::vector<std::string> Arguments; // "@" stands for the scratch folder
    const char* Message;
};

void PrintTo(const FileErrorCase& row, std::ostream* out)
{
    *out << row.Name;
}

const FileErrorCase kFileErrors[] = {
    {"ShowMissingFile", {"show", "@/missing.cfg"}, "@/missing.cfg: File not found"},
    {"ExportShortFile", {"export", "@/short.cfg"}, "@/short.cfg: Read beyond end of file"},
    {"SetMissingFolder", {"set", "@/no/unit.cfg", "description=x"}, "@/no/unit.cfg: Invalid filename"},
    {"DiffSecondMissing", {"diff", "@/short.cfg", "@/missing.cfg"}, "@/short.cfg: Read beyond end of file"},
    {"ImportMissingDocument", {"import", "@/missing.json", "-o", "@/out.cfg"}, "@/missing.json: File not found"},
    {"BlankIntoMissingFolder", {"blank", "@/no/blank.cfg"}, "@/no/blank.cfg: Invalid filename"},
};

class FileErrorTest : public CliFixture, public ::testing::WithParamInterface<FileErrorCase> {};

TEST_P(FileErrorTest, ReportsTheEditorsMessageAndThePath)
{
    writeBytes("short.cfg", std::string(100, 'x'));
    const CliRun result = run(expand(GetParam().Arguments));
    EXPECT_EQ(result.Status, ExitStatus::FileFailed);
    EXPECT_EQ(result.Err, "ostra-cfg: " + expand(GetParam().Message) + "\n");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"short.cfg"});
}

INSTANTIATE_TEST_SUITE_P(Commands, FileErrorTest, ::testing::ValuesIn(kFileErrors),
                         [](const auto& info) { return std::string(info.param.Name); });

class CardsTest : public CliFixture {
protected:
    std::string card(const std::string& name)
    {
        std::filesystem::create_directories(folder.path() / name);
        return name + "/";
    }
};

TEST_F(CardsTest, ListsTheDrivesTheBrowserOffersWithTheirFilesInItsOrder)
{
    const std::string e = card("e");
    TConfigRecord zone{};
    WriteConfigText(zone, 0, 32, "Zone Setup \x81"); // ü in code page 437
    writeRecord(e + "A.CFG", zone);
    TConfigRecord blank{};
    BlankConfig(blank);
    writeRecord(e + "BLANK.CFG", blank);
    writeBytes(e + "torn.cfg", std::string(1000, 'x'));
    writeBytes(e + "notes.txt", "not a card file");
    drives.plugIn('E', folder.path() / "e", "OSTRA");
    writeRecord(card("a") + "FLOPPY.CFG", zone); // A and B are never probed
    drives.plugIn('A', folder.path() / "a");
    card("f"); // a card without configuration files is not offered
    drives.plugIn('F', folder.path() / "f");

    const CliRun text = run({"cards"});
    EXPECT_EQ(text.Out, "E: " + path("e") + " (OSTRA)\n"
                        "[        A.CFG]   Zone Setup \xC3\xBC                    \n"
                        "[     torn.cfg]   <Read beyond end of file>\n"
                        "[    BLANK.CFG]   <Blank Config File>\n");
    EXPECT_EQ(text.Status, ExitStatus::FileFailed);
    EXPECT_EQ(text.Err, "ostra-cfg: " + path("e/torn.cfg") + ": Read beyond end of file\n");

    const cli::Json json = cli::Json::parse(run({"cards", "--json"}).Out);
    ASSERT_EQ(json["drives"].size(), 1u);
    EXPECT_EQ(json["drives"][0]["letter"], "E");
    EXPECT_EQ(json["drives"][0]["mount"], path("e"));
    EXPECT_EQ(json["drives"][0]["files"][2], cli::Json::parse(R"({"name": "BLANK.CFG", "path": ")" + path("e/BLANK.CFG")
                                                             + R"(", "blank": true, "description": "<Blank Config File>"})"));
    EXPECT_EQ(json["drives"][0]["files"][1]["error"], "Read beyond end of file");
}

TEST_F(CardsTest, NoCardSaysSoAsTheBrowserDoes)
{
    const CliRun result = run({"cards"});
    EXPECT_EQ(result.Out, "No Files Found on Removeable Drive\n");
    EXPECT_EQ(result.Status, ExitStatus::Done);
    EXPECT_EQ(cli::Json::parse(run({"cards", "--json"}).Out), cli::Json::parse(R"({"drives": []})"));
}

TEST_F(CliFixture, BlankWritesClearsPatternAndShowSaysSo)
{
    writeRecord("unit.cfg", unitRecord());
    ASSERT_EQ(run({"blank", "--force", path("unit.cfg")}).Status, ExitStatus::Done);
    TConfigRecord cleared{};
    BlankConfig(cleared);
    EXPECT_EQ(readRecord("unit.cfg"), cleared);
    const CliRun shown = run({"show", path("unit.cfg")});
    EXPECT_EQ(shown.Out, path("unit.cfg") + "\n  Description:             <Blank Config File>\n");
}

TEST_F(CliFixture, ShowEscapesControlCharactersOfACard)
{
    TConfigRecord record = unitRecord();
    WriteConfigText(record, 32, 4, "\x1B[2J"); // an escape sequence in a source name
    writeRecord("unit.cfg", record);
    const CliRun shown = run({"show", path("unit.cfg")});
    EXPECT_NE(shown.Out.find("  Source 1 Short Name:     \\x1B[2J\n"), std::string::npos) << shown.Out;
    EXPECT_EQ(shown.Out.find('\x1B'), std::string::npos);
    EXPECT_NE(shown.Out.find("  Zone 3 Full Name:        Den\n"), std::string::npos) << "padding left off";
    EXPECT_NE(shown.Out.find("  Software Version:        .\n"), std::string::npos);
}

TEST_F(CliFixture, HelpAndVersionExitDoneAndWrongUsageExitsTwo)
{
    const CliRun version = run({"--version"});
    EXPECT_EQ(version.Status, ExitStatus::Done);
    EXPECT_EQ(version.Out, std::string("ostra-cfg ") + OSTRA_VERSION + "\n");
    for (const char* command : {"show", "export", "import", "set", "diff", "cards", "blank"}) {
        const CliRun help = run({command, "--help"});
        EXPECT_EQ(help.Status, ExitStatus::Done) << command;
        EXPECT_NE(help.Out.find(std::string("ostra-cfg ") + command), std::string::npos) << command;
    }
    EXPECT_EQ(run({}).Status, ExitStatus::WrongUsage);
    EXPECT_EQ(run({"diff", path("a.cfg")}).Status, ExitStatus::WrongUsage);
    EXPECT_EQ(run({"set", path("a.cfg")}).Status, ExitStatus::WrongUsage);
}

// set leaves a file exactly one record long, as the editor's save does; a
// longer file is shortened only with --force, and without it nothing is
// written.
TEST_F(CliFixture, SetShortensALongerFileOnlyWhenForced)
{
    std::string bytes(3000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>('a' + i % 26);
    writeBytes("long.cfg", bytes);

    const CliRun refused = run({"set", path("long.cfg"), "description=Shortened"});
    EXPECT_EQ(refused.Status, cli::ExitStatus::WrongUsage);
    EXPECT_NE(refused.Err.find("3000 bytes"), std::string::npos) << refused.Err;
    EXPECT_EQ(readBytes("long.cfg"), bytes) << "nothing is written without --force";

    const CliRun forced = run({"set", path("long.cfg"), "description=Shortened", "--force"});
    ASSERT_EQ(forced.Status, cli::ExitStatus::Done) << forced.Err;
    const std::string saved = readBytes("long.cfg");
    EXPECT_EQ(saved.size(), 2048u);
    EXPECT_EQ(saved.substr(0, 9), "Shortened");
    EXPECT_EQ(saved.substr(424), bytes.substr(424, 2048 - 424)) << "the carried bytes kept as they were";
}

} // namespace
} // namespace ostra::test
