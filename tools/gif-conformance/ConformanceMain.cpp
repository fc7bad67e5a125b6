// Runs the GIF library over public GIF test suites and reports each case:
//
//   ostra-gif-conformance [SUITES_DIR]
//
// SUITES_DIR holds `pygif/` and `giflib/` (by default ../shared/gif-suites
// beside the project's root). Prints "PASS name" or "FAIL name: reason"
// per case and "N passed, M failed" at the end; exits 1 when a case
// failed, 2 when no suite was found.
#include "Suites.h"

#include "gif/GIFLibrary.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

using namespace ostra::conformance;

#ifndef OSTRA_SOURCE_DIR
#define OSTRA_SOURCE_DIR "."
#endif

std::filesystem::path defaultSuites()
{
    return (std::filesystem::path(OSTRA_SOURCE_DIR) / ".." / "shared" / "gif-suites").lexically_normal();
}

int report(const std::vector<CaseResult>& results)
{
    int passed = 0;
    for (const CaseResult& result : results) {
        if (result.Passed) {
            ++passed;
            std::printf("PASS %s\n", result.Name.c_str());
        } else {
            std::printf("FAIL %s: %s\n", result.Name.c_str(), result.Reason.c_str());
        }
    }
    const int failed = static_cast<int>(results.size()) - passed;
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [SUITES_DIR]\n", argv[0]);
        return 2;
    }
    // The painters need an application object, not a display.
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    QGuiApplication application(argc, argv);
    const ostra::TGIFLibrary library;
    const std::filesystem::path suites = argc == 2 ? std::filesystem::path(argv[1]) : defaultSuites();
    if (!std::filesystem::is_directory(suites / "pygif") && !std::filesystem::is_directory(suites / "giflib")) {
        std::fprintf(stderr, "no GIF suites in %s\n", suites.string().c_str());
        return 2;
    }
    std::vector<CaseResult> results = RunPygifSuite((suites / "pygif").string());
    for (CaseResult& result : RunGiflibSuite((suites / "giflib").string()))
        results.push_back(std::move(result));
    return report(results);
}
