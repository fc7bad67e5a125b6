#include "cli/ReportModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace ostra::cli {

namespace {

constexpr const char* kEntrySymbol = "ostraMakeReport";

// What dlopen or dlsym said last.
std::string loaderError()
{
    const char* error = dlerror();
    return error != nullptr ? error : "unknown error";
}

} // namespace

std::vector<std::string> ReportModule::InstalledFolders()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    const std::filesystem::path folder = program.parent_path();
    return {folder.string(), (folder / OSTRA_REPORT_MODULE_FOLDER).lexically_normal().string()};
}

MakeReportFunction ReportModule::load(std::vector<std::string>& failures)
{
    if (make_ != nullptr)
        return make_;
    if (folders_.empty())
        folders_ = InstalledFolders();
    if (folders_.empty())
        failures.push_back("/proc/self/exe: the program's own folder is unknown");
    for (const std::string& folder : folders_) {
        const std::string path = (std::filesystem::path(folder) / OSTRA_REPORT_MODULE_NAME).string();
        // Kept loaded for the rest of the run: the report's code lives there.
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            failures.push_back(loaderError());
            continue;
        }
        make_ = reinterpret_cast<MakeReportFunction>(dlsym(module, kEntrySymbol));
        if (make_ != nullptr)
            return make_;
        failures.push_back(loaderError());
        dlclose(module);
    }
    return nullptr;
}

} // namespace ostra::cli
