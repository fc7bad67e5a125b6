// Refused documents and assignments: each names its place and its reason,
// and nothing is written.
#include "CliFixture.h"

namespace ostra::test {
namespace {

using cli::ExitStatus;

struct RefusedInput {
    const char* Name;
    // A document for import, or the KEY=VALUEs for set separated by "\n".
    const char* Document;
    const char* Assignments;
    const char* Message;
};

// Test listings name the case, not its bytes.
void PrintTo(const RefusedInput& row, std::ostream* out)
{
    *out << row.Name;
}

const char* const kValid = R"({"format": "ostra-cfg/1"})";

const RefusedInput kRefused[] = {
    {"NotJson", R"({"format": "ostra-cfg/1", )", nullptr, "document: parse error at line 1, column 27"},
    {"NotAnObject", "[1, 2]", nullptr, "/: expected a JSON object"},
    {"WrongFormat", R"({"format": "ostra-cfg/2"})", nullptr, "/format: expected \"ostra-cfg/1\""},
    {"UnknownTopKey", R"({"format": "ostra-cfg/1", "colour": 1})", nullptr, "/colour: unknown key"},
    {"UnknownNestedKey", R"({"format": "ostra-cfg/1", "zones": {"3": {"fulll": "Den"}}})", nullptr,
     "/zones/3/fulll: unknown key"},
    {"ZoneOutOfRange", R"({"format": "ostra-cfg/1", "zones": {"7": {"full": "Den"}}})", nullptr,
     "/zones/7: zone \"7\" is not one of 1 to 6"},
    {"InstallerLineOutOfRange", R"({"format": "ostra-cfg/1", "installer": {"0": "x"}})", nullptr,
     "/installer/0: installer line \"0\" is not one of 1 to 4"},
    {"TextTooLong", R"({"format": "ostra-cfg/1", "sources": {"2": {"short": "Video"}}})", nullptr,
     "/sources/2/short: a text of 5 characters is longer than the field's 4"},
    {"CharacterOutsideCodePage437", R"({"format": "ostra-cfg/1", "description": "5 €"})", nullptr,
     "/description: character U+20AC has no byte in code page 437"},
    {"CharacterOutsideWindows1252", R"({"format": "ostra-cfg/1", "zones": {"1": {"full": "\u263A"}}})", nullptr,
     "/zones/1/full: character U+263A has no byte in Windows-1252"},
    {"WallplateOutOfRange", R"({"format": "ostra-cfg/1", "zones": {"2": {"wallplates": ["A1", "A7"]}}})", nullptr,
     "/zones/2/wallplates/1: wallplate \"A7\" is not one of A1 to F6"},
    {"FlagNotBoolean", R"({"format": "ostra-cfg/1", "options": {"blanking": "on"}})", nullptr,
     "/options/blanking: expected true or false"},
    {"OddHexRun", R"({"format": "ostra-cfg/1", "carried": [{"offset": 500, "hex": "abc"}]})", nullptr,
     "/carried/0/hex: expected an even number of hex digits"},
    {"NonHexRun", R"({"format": "ostra-cfg/1", "carried": [{"offset": 500, "hex": "zz"}]})", nullptr,
     "/carried/0/hex: expected an even number of hex digits"},
    {"RunPastTheEnd", R"({"format": "ostra-cfg/1", "carried": [{"offset": 2047, "hex": "0102"}]})", nullptr,
     "/carried/0/hex: the run goes past byte 2047"},
    {"OverlappingRuns",
     R"({"format": "ostra-cfg/1", "carried": [{"offset": 500, "hex": "0102"}, {"offset": 501, "hex": "03"}]})",
     nullptr, "/carried/1: byte 501 is also in an earlier run"},
    {"RunOverAText", R"({"format": "ostra-cfg/1", "description": "Hall", "carried": [{"offset": 1, "hex": "41"}]})",
     nullptr, "/carried/0: byte 1 belongs to /description"},
    {"RunOverAnOptionBit", R"({"format": "ostra-cfg/1", "options": {"blanking": false},
                                  "carried": [{"offset": 411, "hex": "40"}]})", nullptr,
     "/carried/0: byte 411 belongs to /options/blanking"},
    {"SettingsInABlankFile", R"({"format": "ostra-cfg/1", "blank": true, "description": "Hall"})", nullptr,
     "/description: a blank file holds no settings"},
    {"DescriptionThatWouldMarkBlank", R"({"format": "ostra-cfg/1", "description": "\u00A0Hall"})", nullptr,
     "/description: a description starting with byte 0xFF (U+00A0) would make the file blank"},

    {"SetWithoutEquals", nullptr, "description", "description (assignment 1): expected KEY=VALUE"},
    {"SetUnknownKey", nullptr, "zone.3.fulll=Den", "zone.3.fulll (assignment 1): unknown key"},
    {"SetZoneOutOfRange", nullptr, "zone.3.full=Den\nzone.7.full=Den",
     "zone.7.full (assignment 2): zone \"7\" is not one of 1 to 6"},
    {"SetTextTooLong", nullptr, "installer.4=0123456789012345678901234567890",
     "installer.4 (assignment 1): a text of 31 characters is longer than the field's 30"},
    {"SetCharacterOutsideCodePage", nullptr, "description=Caf\xC3\xA9 \xE2\x82\xAC",
     "description (assignment 1): character U+20AC has no byte in code page 437"},
    {"SetNotUtf8", nullptr, "source.1.full=\xE9t\xE9", "source.1.full (assignment 1): the text is not valid UTF-8"},
    {"SetWallplateOutOfRange", nullptr, "zone.1.wallplates=A1,G1",
     "zone.1.wallplates (assignment 1): wallplate \"G1\" is not one of A1 to F6"},
    {"SetBadSwitch", nullptr, "zone.1.main=yes", "zone.1.main (assignment 1): expected \"on\" or \"off\""},
    {"SetBadMode", nullptr, "mode=pro", "mode (assignment 1): expected \"residential\" or \"professional\""},
    {"SetVersion", nullptr, "software_version=2",
     "software_version (assignment 1): the software version is stamped by every save"},
    {"SetTwice", nullptr, "zone.1.full=A\nzone.1.full=B", "zone.1.full (assignment 2): the key is given more than once"},
};

class RefusalTest : public CliFixture, public ::testing::WithParamInterface<RefusedInput> {};

std::vector<std::string> lines(const char* text)
{
    std::vector<std::string> result;
    std::string line;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            result.push_back(line);
            line.clear();
        } else {
            line.push_back(*c);
        }
    }
    result.push_back(line);
    return result;
}

TEST_P(RefusalTest, NamesThePlaceAndWritesNothing)
{
    const RefusedInput& input = GetParam();
    CliRun result;
    if (input.Document != nullptr) {
        writeBytes("in.json", input.Document);
        result = run({"import", path("in.json"), "-o", path("out.cfg")});
        EXPECT_FALSE(std::filesystem::exists(path("out.cfg")));
        EXPECT_EQ(result.Err.rfind("ostra-cfg: " + path("in.json") + ": " + input.Message, 0), 0u) << result.Err;
    } else {
        std::mt19937 random(3);
        TConfigRecord before = randomRecord(random);
        before[0] = 'H';
        writeRecord("unit.cfg", before);
        std::vector<std::string> arguments = {"set", path("unit.cfg")};
        for (const std::string& assignment : lines(input.Assignments))
            arguments.push_back(assignment);
        // A valid assignment beside the refused one is not applied either.
        arguments.push_back("description=Kept out");
        result = run(arguments);
        EXPECT_EQ(readRecord("unit.cfg"), before);
        EXPECT_NE(result.Err.find(": " + std::string(input.Message) + "\n"), std::string::npos) << result.Err;
    }
    EXPECT_EQ(result.Status, ExitStatus::WrongUsage);
    EXPECT_EQ(folder.entries().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Inputs, RefusalTest, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CliFixture, TruncateCutsOverlongTextsInsteadOfRefusing)
{
    writeBytes("in.json", R"({"format": "ostra-cfg/1", "sources": {"2": {"short": "Video"}}})");
    ASSERT_EQ(run({"import", path("in.json"), "-o", path("out.cfg"), "--truncate"}).Status, ExitStatus::Done);
    EXPECT_EQ(ReadConfigText(readRecord("out.cfg"), 36, 4), "Vide");
    ASSERT_EQ(run({"set", path("out.cfg"), "zone.1.short=Kitchen", "--truncate"}).Status, ExitStatus::Done);
    EXPECT_EQ(ReadConfigText(readRecord("out.cfg"), 134, 4), "Kitc");
    // The valid document the table's refusals start from is accepted.
    writeBytes("valid.json", kValid);
    EXPECT_EQ(run({"import", path("valid.json"), "-o", path("valid.cfg")}).Status, ExitStatus::Done);
}

} // namespace
} // namespace ostra::test
