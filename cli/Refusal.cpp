#include "cli/Refusal.h"

namespace ostra::cli {

namespace {

std::string joined(const std::vector<Refusal>& refusals)
{
    std::string text;
    for (const Refusal& refusal : refusals) {
        if (!text.empty())
            text += '\n';
        text += refusal.Text();
    }
    return text;
}

} // namespace

InputRefused::InputRefused(std::vector<Refusal> refusals)
    : Exception(joined(refusals)), Refusals(std::move(refusals))
{
}

InputRefused::~InputRefused() = default;

} // namespace ostra::cli
