// blank, import and report leave whatever is at their target alone unless
// --force is given.
#include <filesystem>

#include "CliFixture.h"

namespace ostra::test {
namespace {

using cli::ExitStatus;

// What @/out.cfg is before the command runs.
enum class Target { Nothing, File, DanglingLink };

// What @/out.cfg holds after it.
enum class Outcome { Untouched, Blank, Imported, Reported };

struct ReplaceCase {
    const char* Name;
    Target Before;
    std::vector<std::string> Arguments; // "@" stands for the scratch folder
    Outcome After;
};

void PrintTo(const ReplaceCase& row, std::ostream* out)
{
    *out << row.Name;
}

const ReplaceCase kReplaceCases[] = {
    {"BlankNew", Target::Nothing, {"blank", "@/out.cfg"}, Outcome::Blank},
    {"BlankOverAFile", Target::File, {"blank", "@/out.cfg"}, Outcome::Untouched},
    {"BlankForced", Target::File, {"blank", "--force", "@/out.cfg"}, Outcome::Blank},
    {"BlankOverADanglingLink", Target::DanglingLink, {"blank", "@/out.cfg"}, Outcome::Untouched},
    {"BlankForcedThroughADanglingLink", Target::DanglingLink, {"blank", "@/out.cfg", "--force"}, Outcome::Blank},
    {"ImportNew", Target::Nothing, {"import", "@/out.json", "-o", "@/out.cfg"}, Outcome::Imported},
    {"ImportOverAFile", Target::File, {"import", "@/out.json", "-o", "@/out.cfg"}, Outcome::Untouched},
    {"ImportOverTheDefaultOutput", Target::File, {"import", "@/out.json"}, Outcome::Untouched},
    {"ImportFromStandardInputOverAFile", Target::File, {"import", "-", "-o", "@/out.cfg"}, Outcome::Untouched},
    {"ImportForcedOverTheDefaultOutput", Target::File, {"import", "@/out.json", "--force"}, Outcome::Imported},
    {"ImportFromStandardInputForced", Target::File, {"import", "-", "-o", "@/out.cfg", "--force"}, Outcome::Imported},
    {"ReportNew", Target::Nothing, {"report", "@/out.json", "-o", "@/out.cfg", "--format", "csv"}, Outcome::Reported},
    {"ReportOverAFile", Target::File, {"report", "@/out.json", "-o", "@/out.cfg", "--format", "csv"}, Outcome::Untouched},
    {"ReportOverADanglingLink", Target::DanglingLink, {"report", "@/out.json", "-o", "@/out.cfg", "--format", "csv"},
     Outcome::Untouched},
    {"ReportForced", Target::File, {"report", "--force", "@/out.json", "-o", "@/out.cfg", "--format", "csv"},
     Outcome::Reported},
};

constexpr const char* kHallDocument = R"({"format": "ostra-cfg/1", "description": "Hall"})";

TConfigRecord describedAs(const char* description)
{
    TConfigRecord record{};
    WriteConfigText(record, 0, 32, description);
    return record;
}

class ReplaceTest : public CliFixture, public ::testing::WithParamInterface<ReplaceCase> {
protected:
    void prepare(Target target)
    {
        if (target == Target::File)
            writeRecord("out.cfg", describedAs("Den"));
        if (target == Target::DanglingLink)
            std::filesystem::create_symlink(folder.path() / "gone.cfg", path("out.cfg"));
    }

    void expectUntouched(Target target)
    {
        switch (target) {
        case Target::Nothing: break;
        case Target::File: EXPECT_EQ(readRecord("out.cfg"), describedAs("Den")); break;
        case Target::DanglingLink:
            EXPECT_FALSE(std::filesystem::exists(path("out.cfg"))) << "the link's file was created";
            break;
        }
    }

    static TConfigRecord written(Outcome outcome)
    {
        if (outcome == Outcome::Imported)
            return describedAs("Hall");
        TConfigRecord cleared{};
        BlankConfig(cleared);
        return cleared;
    }
};

TEST_P(ReplaceTest, AnExistingTargetIsReplacedOnlyWithForce)
{
    const ReplaceCase& row = GetParam();
    writeBytes("out.json", kHallDocument);
    prepare(row.Before);
    const std::vector<std::string> before = folder.entries();

    const CliRun result = run(expand(row.Arguments), kHallDocument);
    if (row.After == Outcome::Untouched) {
        EXPECT_EQ(result.Status, ExitStatus::WrongUsage);
        EXPECT_EQ(result.Err, "ostra-cfg: " + path("out.cfg") + ": already exists; use --force to replace it\n");
        EXPECT_EQ(folder.entries(), before);
        expectUntouched(row.Before);
    } else if (row.After == Outcome::Reported) {
        // The report's one unit, out.json, is no configuration file.
        EXPECT_EQ(result.Status, ExitStatus::ReportIncomplete) << result.Err;
        EXPECT_TRUE(readBytes("out.cfg").starts_with("file,"));
    } else {
        EXPECT_EQ(result.Status, ExitStatus::Done) << result.Err;
        EXPECT_EQ(result.Err, "");
        EXPECT_EQ(readRecord("out.cfg"), written(row.After));
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, ReplaceTest, ::testing::ValuesIn(kReplaceCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace ostra::test
