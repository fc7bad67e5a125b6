#include "Generation.h"

#include <algorithm>
#include <cstdio>

namespace ostra::cardtest {

namespace {

constexpr std::size_t kLineLength = 16;
constexpr std::size_t kLineCount = layout::kRecordSize / kLineLength;
static_assert(kLineCount * kLineLength == layout::kRecordSize);
static_assert(kLineCount <= 10000, "line numbers have four digits");

std::string lineText(std::uint32_t generation, std::size_t line)
{
    char text[kLineLength + 1];
    std::snprintf(text, sizeof text, "G%08u L%04zu\n", static_cast<unsigned>(generation), line);
    return std::string(text, kLineLength);
}

// The generation the first line names, if it has the line's shape.
std::optional<std::uint32_t> firstLineGeneration(std::span<const std::uint8_t> bytes)
{
    const std::string first(bytes.begin(), bytes.begin() + kLineLength);
    unsigned generation = 0;
    char tail[8] = {};
    if (std::sscanf(first.c_str(), "G%8u L0000%1[\n]", &generation, tail) != 2 ||
        lineText(generation, 0) != first) {
        return std::nullopt;
    }
    return generation;
}

std::string printable(std::span<const std::uint8_t> bytes)
{
    std::string text;
    for (std::uint8_t byte : bytes.first(std::min<std::size_t>(bytes.size(), kLineLength))) {
        char hex[5];
        std::snprintf(hex, sizeof hex, byte >= 0x20 && byte < 0x7F ? "%c" : "\\x%02X", byte);
        text += hex;
    }
    return text;
}

} // namespace

TConfigRecord generationRecord(std::uint32_t generation)
{
    TConfigRecord record{};
    for (std::size_t line = 0; line < kLineCount; ++line) {
        const std::string text = lineText(generation, line);
        std::copy(text.begin(), text.end(), record.begin() + line * kLineLength);
    }
    return record;
}

ContentVerdict judgeContent(std::span<const std::uint8_t> bytes, std::uint32_t before, std::uint32_t after)
{
    if (bytes.size() != layout::kRecordSize)
        return ContentVerdict::Neither;
    bool anyOld = false;
    bool anyNew = false;
    for (std::size_t line = 0; line < kLineCount; ++line) {
        const std::string text(bytes.begin() + line * kLineLength, bytes.begin() + (line + 1) * kLineLength);
        if (text == lineText(before, line))
            anyOld = true;
        else if (text == lineText(after, line))
            anyNew = true;
        else
            return ContentVerdict::Neither;
    }
    return anyOld && anyNew ? ContentVerdict::Mixed : anyOld ? ContentVerdict::Old : ContentVerdict::New;
}

Inspection inspectGeneration(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return {std::nullopt, "empty"};
    if (bytes.size() != layout::kRecordSize)
        return {std::nullopt, std::to_string(bytes.size()) + " bytes instead of " +
                                  std::to_string(layout::kRecordSize)};
    const std::optional<std::uint32_t> generation = firstLineGeneration(bytes);
    if (!generation)
        return {std::nullopt, "no generation record: starts with \"" + printable(bytes) + "\""};
    const TConfigRecord expected = generationRecord(*generation);
    const auto [differs, unused] = std::mismatch(bytes.begin(), bytes.end(), expected.begin());
    if (differs != bytes.end()) {
        const std::size_t offset = static_cast<std::size_t>(differs - bytes.begin());
        const std::size_t lineStart = offset - offset % kLineLength;
        return {std::nullopt, "generation " + std::to_string(*generation) + " mixed at byte " +
                                  std::to_string(offset) + ": line holds \"" +
                                  printable(bytes.subspan(lineStart)) + "\""};
    }
    return {generation, {}};
}

CutOutcome judgeCut(const Inspection& file, std::uint32_t lastCompleted)
{
    if (!file.generation)
        return {CutVerdict::Damaged, file.problem};
    const std::uint32_t found = *file.generation;
    const std::string foundText = "generation " + std::to_string(found) + ", last completed " +
                                  std::to_string(lastCompleted);
    if (found == lastCompleted || found == lastCompleted + 1)
        return {CutVerdict::Current, foundText};
    if (found < lastCompleted)
        return {CutVerdict::Stale, foundText + ": a completed save was lost"};
    return {CutVerdict::Damaged, foundText + ": a save that never started"};
}

std::string newFileName(std::uint32_t generation)
{
    char name[16];
    std::snprintf(name, sizeof name, "G%07u.CFG", static_cast<unsigned>(generation));
    return name;
}

CutOutcome judgeNewFilesCut(const std::map<std::string, Inspection>& files, std::uint32_t lastCompleted)
{
    for (std::uint32_t generation = 1; generation <= lastCompleted + 1; ++generation) {
        const std::string name = newFileName(generation);
        const auto found = files.find(name);
        if (found == files.end()) {
            if (generation <= lastCompleted)
                return {CutVerdict::Stale, name + " of a completed save is missing"};
            continue;
        }
        if (found->second.generation != generation) {
            return {CutVerdict::Damaged, name + (found->second.generation
                                                     ? " holds generation " + std::to_string(*found->second.generation)
                                                     : ": " + found->second.problem)};
        }
    }
    const auto beyond = files.find(newFileName(lastCompleted + 2));
    if (beyond != files.end())
        return {CutVerdict::Damaged, beyond->first + " of a save that never started"};
    return {CutVerdict::Current, std::to_string(lastCompleted) + " files of completed saves complete"};
}

} // namespace ostra::cardtest
