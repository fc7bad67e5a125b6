// ostra-cfg report at site scale: for 50 and 500 files, the wall time and
// peak resident memory of a PDF and a CSV report against ostra-cfg show
// over the same files, each in a child process of its own.
//
//   ostra-report-bench PATH/TO/ostra-cfg
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "config/ConfigFields.h"
#include "config/ConfigRecord.h"

namespace {

struct Measure {
    double Seconds;
    long PeakKiB;
};

// Runs the program with its output thrown away; its time and peak memory.
Measure runChild(const std::vector<std::string>& arguments)
{
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr || std::freopen("/dev/null", "w", stderr) == nullptr)
            _exit(126);
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s %s: exit status %d\n", arguments[0].c_str(), arguments[1].c_str(),
                     WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return {elapsed.count(), usage.ru_maxrss};
}

// count files of a site, each unit named and wired apart.
std::vector<std::string> makeSite(const std::filesystem::path& folder, int count)
{
    std::filesystem::create_directories(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        ostra::TConfigRecord record{};
        const std::string n = std::to_string(i);
        for (const ostra::ConfigField& field : ostra::ConfigFields())
            if (field.Kind == ostra::FieldKind::Text || field.Kind == ostra::FieldKind::InstallerLine)
                ostra::WriteFieldText(record, field, field.Key.substr(0, 4) + " " + n);
        for (int z = 1; z <= ostra::layout::kZoneCount; ++z)
            ostra::SetConfigBit(record, ostra::layout::wallplateByteOffset(z, (i + z) % 36 + 1),
                                ostra::layout::wallplateBit((i + z) % 36 + 1), true);
        paths.push_back((folder / ("UNIT" + n + ".CFG")).string());
        ostra::WriteConfigFile(paths.back(), record);
    }
    return paths;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH/TO/ostra-cfg\n", argv[0]);
        return 2;
    }
    const std::string program = std::filesystem::absolute(argv[1]).string();
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / ("ostra-report-bench-" + std::to_string(getpid()));
    std::printf("%6s  %-11s %9s %11s %10s %9s\n", "files", "command", "seconds", "peak MiB", "time/show", "RSS/show");
    for (const int count : {50, 500}) {
        const std::vector<std::string> files = makeSite(scratch / std::to_string(count), count);
        auto with = [&](std::vector<std::string> arguments) {
            arguments.insert(arguments.begin(), program);
            arguments.insert(arguments.end(), files.begin(), files.end());
            return runChild(arguments);
        };
        const Measure show = with({"show"});
        const std::pair<const char*, Measure> rows[] = {
            {"show", show},
            {"report pdf", with({"report", "--force", "-o", (scratch / "site.pdf").string()})},
            {"report csv", with({"report", "--force", "-o", (scratch / "site.csv").string()})},
        };
        for (const auto& [name, measure] : rows)
            std::printf("%6d  %-11s %9.3f %11.1f %10.2f %9.2f\n", count, name, measure.Seconds,
                        static_cast<double>(measure.PeakKiB) / 1024, measure.Seconds / show.Seconds,
                        static_cast<double>(measure.PeakKiB) / static_cast<double>(show.PeakKiB));
    }
    std::filesystem::remove_all(scratch);
    return 0;
}
