#include "CrashStates.h"

#include <algorithm>
#include <random>
#include <set>

namespace ostra::cardtest {

namespace {

// A piece of an epoch that reaches the medium whole or not at all.
struct Unit {
    Patch Bytes;
    std::string Label;
};

using Epoch = std::vector<const LoggedRequest*>;

std::vector<Epoch> splitAtFlushes(std::span<const LoggedRequest> requests)
{
    std::vector<Epoch> epochs(1);
    for (const LoggedRequest& request : requests) {
        if (request.What == LoggedRequest::Kind::Write)
            epochs.back().push_back(&request);
        else if (request.What == LoggedRequest::Kind::Flush && !epochs.back().empty())
            epochs.emplace_back();
    }
    if (epochs.size() > 1 && epochs.back().empty())
        epochs.pop_back();
    return epochs;
}

std::vector<Unit> unitsOf(const Epoch& epoch, std::uint32_t sectorSize, bool torn)
{
    std::vector<Unit> units;
    for (std::size_t w = 0; w < epoch.size(); ++w) {
        const LoggedRequest& write = *epoch[w];
        const std::size_t offset = write.Sector * sectorSize;
        if (!torn) {
            units.push_back({{offset, write.Data}, "w" + std::to_string(w)});
            continue;
        }
        for (std::size_t s = 0; s * sectorSize < write.Data.size(); ++s)
            units.push_back({{offset + s * sectorSize, std::span(write.Data).subspan(s * sectorSize, sectorSize)},
                             "w" + std::to_string(w) + "s" + std::to_string(s)});
    }
    return units;
}

using Choice = std::vector<bool>; // one flag per unit: reached the medium

std::vector<Choice> choicesFor(std::size_t units, const StateLimits& limits)
{
    std::set<Choice> chosen;
    if (units <= limits.ExhaustiveUnits) {
        for (std::uint64_t mask = 0; mask < (std::uint64_t{1} << units); ++mask) {
            Choice choice(units);
            for (std::size_t u = 0; u < units; ++u)
                choice[u] = ((mask >> u) & 1) != 0;
            chosen.insert(choice);
        }
        return {chosen.begin(), chosen.end()};
    }
    for (std::size_t n = 0; n <= units; ++n) {
        Choice prefix(units, false);
        std::fill_n(prefix.begin(), n, true);
        chosen.insert(prefix);
        if (n < units) {
            Choice allButOne(units, true);
            allButOne[n] = false;
            chosen.insert(allButOne);
        }
    }
    std::mt19937 random(limits.Seed);
    std::bernoulli_distribution coin(0.5);
    for (std::size_t s = 0; s < limits.Samples; ++s) {
        Choice choice(units);
        for (std::size_t u = 0; u < units; ++u)
            choice[u] = coin(random);
        chosen.insert(choice);
    }
    return {chosen.begin(), chosen.end()};
}

std::string describe(std::size_t epoch, const std::vector<Unit>& units, const Choice& choice)
{
    std::string name = "epoch " + std::to_string(epoch) + ":";
    bool any = false;
    for (std::size_t u = 0; u < units.size(); ++u)
        if (choice[u]) {
            name += " " + units[u].Label;
            any = true;
        }
    return any ? name : name + " none";
}

std::vector<CrashState> prefixStates(std::span<const LoggedRequest> requests, std::uint32_t sectorSize)
{
    std::vector<CrashState> states{{"first 0 writes", {}}};
    std::size_t written = 0;
    for (const LoggedRequest& request : requests) {
        if (request.What != LoggedRequest::Kind::Write)
            continue;
        CrashState next{"first " + std::to_string(++written) + " writes", states.back().Patches};
        next.Patches.push_back({request.Sector * sectorSize, request.Data});
        states.push_back(std::move(next));
    }
    return states;
}

} // namespace

const char* modelName(CrashModel model)
{
    switch (model) {
    case CrashModel::Prefix: return "prefix";
    case CrashModel::Reorder: return "reorder";
    case CrashModel::Torn: return "torn";
    }
    return "?";
}

std::vector<std::uint8_t> stateImage(std::span<const std::uint8_t> before, const CrashState& state)
{
    std::vector<std::uint8_t> image(before.begin(), before.end());
    for (const Patch& patch : state.Patches) {
        if (patch.Offset + patch.Bytes.size() > image.size())
            throw WriteLogError("a write lies beyond the image");
        std::copy(patch.Bytes.begin(), patch.Bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(patch.Offset));
    }
    return image;
}

std::vector<CrashState> buildCrashStates(std::span<const LoggedRequest> requests, std::uint32_t sectorSize,
                                         CrashModel model, const StateLimits& limits)
{
    if (model == CrashModel::Prefix)
        return prefixStates(requests, sectorSize);
    std::vector<CrashState> states;
    std::vector<Patch> durable;
    const std::vector<Epoch> epochs = splitAtFlushes(requests);
    for (std::size_t e = 0; e < epochs.size(); ++e) {
        const std::vector<Unit> units = unitsOf(epochs[e], sectorSize, model == CrashModel::Torn);
        for (const Choice& choice : choicesFor(units.size(), limits)) {
            // Nothing of a later epoch is the whole of the one before.
            if (e > 0 && std::none_of(choice.begin(), choice.end(), [](bool reached) { return reached; }))
                continue;
            CrashState state{describe(e, units, choice), durable};
            for (std::size_t u = 0; u < units.size(); ++u)
                if (choice[u])
                    state.Patches.push_back(units[u].Bytes);
            states.push_back(std::move(state));
        }
        for (const Unit& unit : units)
            durable.push_back(unit.Bytes);
    }
    return states;
}

} // namespace ostra::cardtest
