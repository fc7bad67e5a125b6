#include "CrashExplorer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <optional>

#include "CrashStates.h"
#include "GuestMachine.h"

namespace ostra::cardtest {

namespace {

constexpr std::string_view kBeginMark = "ostra-mark begin";
constexpr std::string_view kEndMark = "ostra-mark end";

bool isMark(const LoggedRequest& request, std::string_view mark)
{
    return request.What == LoggedRequest::Kind::Write && request.Data.size() >= mark.size() &&
           std::equal(mark.begin(), mark.end(), request.Data.begin()) && request.Data[mark.size()] == 0;
}

std::optional<std::size_t> findMark(const std::vector<LoggedRequest>& requests, std::string_view mark)
{
    for (std::size_t i = 0; i < requests.size(); ++i)
        if (isMark(requests[i], mark))
            return i;
    return std::nullopt;
}

bool writeAt(int fd, std::size_t offset, std::span<const std::uint8_t> bytes)
{
    return ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) == static_cast<ssize_t>(bytes.size());
}

bool readAt(int fd, std::size_t offset, std::span<std::uint8_t> bytes)
{
    return ::pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)) == static_cast<ssize_t>(bytes.size());
}

std::string runJudge(const std::string& judge, const std::string& image)
{
    std::string command = judge + " '" + image + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "judge did not start";
    std::string line;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        line += buffer;
    ::pclose(pipe);
    while (!line.empty() && line.back() == '\n')
        line.pop_back();
    return line;
}

// Lays each state on the card (a file far larger than what a save
// touches), judges it and puts the bytes it covered back.
std::map<std::string, std::size_t> judgeStates(int fd, const std::string& card, const std::string& judge,
                                               const std::vector<CrashState>& states)
{
    std::map<std::string, std::size_t> verdicts;
    for (const CrashState& state : states) {
        std::vector<std::vector<std::uint8_t>> covered;
        bool laid = true;
        for (const Patch& patch : state.Patches) {
            covered.emplace_back(patch.Bytes.size());
            laid = laid && readAt(fd, patch.Offset, covered.back()) && writeAt(fd, patch.Offset, patch.Bytes);
        }
        ++verdicts[laid ? runJudge(judge, card) : "a write lies beyond the card"];
        for (std::size_t p = state.Patches.size(); p-- > 0;)
            writeAt(fd, state.Patches[p].Offset, covered[p]);
    }
    return verdicts;
}

// The log of one boot, cut at the marks: what the machine wrote before the
// save, and the save's own requests.
struct RecordedSave {
    WriteLog Log;
    std::size_t Begin = 0;
    std::size_t End = 0;

    std::span<const LoggedRequest> before() const { return {Log.Requests.data(), Begin}; }
    std::span<const LoggedRequest> save() const { return {Log.Requests.data() + Begin + 1, End - Begin - 1}; }
};

std::optional<RecordedSave> readRecordedSave(const std::string& log)
{
    const auto logBytes = readWholeFile(log);
    if (!logBytes) {
        std::cerr << "cannot read the log\n";
        return std::nullopt;
    }
    RecordedSave recorded;
    try {
        recorded.Log = readWriteLog(*logBytes);
    } catch (const WriteLogError& error) {
        std::cerr << "the log: " << error.what() << "\n";
        return std::nullopt;
    }
    const auto begin = findMark(recorded.Log.Requests, kBeginMark);
    const auto end = findMark(recorded.Log.Requests, kEndMark);
    if (!begin || !end || *end < *begin) {
        std::cerr << "the log holds no begin and end marks in order\n";
        return std::nullopt;
    }
    recorded.Begin = *begin;
    recorded.End = *end;
    return recorded;
}

// Brings a copy of the card as it was before the boot to where the save
// found it (mounting marks the file system dirty, for one).
bool layBoot(int fd, const RecordedSave& recorded)
{
    bool laid = true;
    for (const LoggedRequest& request : recorded.before())
        if (request.What == LoggedRequest::Kind::Write)
            laid = laid && writeAt(fd, request.Sector * recorded.Log.SectorSize, request.Data);
    return laid;
}

std::optional<CrashModel> modelNamed(const std::string& name)
{
    for (const CrashModel model : {CrashModel::Prefix, CrashModel::Reorder, CrashModel::Torn})
        if (name == modelName(model))
            return model;
    return std::nullopt;
}

} // namespace

int exploreCrashes(const std::string& card, const std::string& log, const std::string& judge)
{
    const std::optional<RecordedSave> recorded = readRecordedSave(log);
    if (!recorded)
        return 2;
    const int fd = ::open(card.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        std::cerr << "cannot open " << card << "\n";
        return 2;
    }
    const bool prepared = layBoot(fd, *recorded);
    std::size_t writes = 0;
    for (const LoggedRequest& request : recorded->save())
        writes += request.What == LoggedRequest::Kind::Write;
    std::cout << "the save: " << recorded->save().size() << " requests, " << writes << " writes\n";
    for (const CrashModel model : {CrashModel::Prefix, CrashModel::Reorder, CrashModel::Torn}) {
        if (!prepared)
            break;
        const std::vector<CrashState> states = buildCrashStates(recorded->save(), recorded->Log.SectorSize, model);
        std::cout << modelName(model) << ": " << states.size() << " states\n";
        for (const auto& [verdict, count] : judgeStates(fd, card, judge, states))
            std::cout << "  " << count << " " << verdict << "\n";
    }
    ::close(fd);
    if (!prepared)
        std::cerr << "the machine's writes before the save do not fit the card\n";
    return prepared ? 0 : 2;
}

int layCrashState(const std::string& card, const std::string& log, const std::string& model, long index)
{
    const std::optional<RecordedSave> recorded = readRecordedSave(log);
    const std::optional<CrashModel> crashModel = modelNamed(model);
    if (!recorded || !crashModel) {
        std::cerr << (recorded ? "unknown crash model " + model + "\n" : "");
        return 2;
    }
    const std::vector<CrashState> states = buildCrashStates(recorded->save(), recorded->Log.SectorSize, *crashModel);
    if (index < 0) {
        std::cout << states.size() << "\n";
        return 0;
    }
    if (static_cast<std::size_t>(index) >= states.size()) {
        std::cerr << "there are " << states.size() << " states\n";
        return 2;
    }
    const int fd = ::open(card.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        std::cerr << "cannot open " << card << "\n";
        return 2;
    }
    bool laid = layBoot(fd, *recorded);
    for (const Patch& patch : states[static_cast<std::size_t>(index)].Patches)
        laid = laid && writeAt(fd, patch.Offset, patch.Bytes);
    ::close(fd);
    std::cout << states[static_cast<std::size_t>(index)].Name << "\n";
    return laid ? 0 : 2;
}

} // namespace ostra::cardtest
