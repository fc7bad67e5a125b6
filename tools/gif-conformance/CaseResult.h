#pragma once

#include <string>

namespace ostra::conformance {

// The outcome of one case: passed, or failed with the first reason found.
struct CaseResult {
    std::string Name;
    bool Passed = true;
    std::string Reason;

    static CaseResult Pass(std::string name) { return {std::move(name), true, {}}; }
    static CaseResult Fail(std::string name, std::string reason) { return {std::move(name), false, std::move(reason)}; }
};

} // namespace ostra::conformance
