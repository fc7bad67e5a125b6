// diff: the fields and the carried bytes that differ between two files.
#include <map>
#include <utility>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/FieldText.h"
#include "cli/RecordModel.h"

namespace ostra::cli {

namespace {

using BytePair = std::pair<std::uint8_t, std::uint8_t>;

std::string hexByte(std::uint8_t byte)
{
    return hexOf({byte});
}

// One line per field whose values differ: "zone.3.full: "Den" | "Hall"".
int diffFields(std::ostream& out, const RecordModel& a, const RecordModel& b)
{
    int lines = 0;
    const std::vector<ConfigField>& catalogue = ConfigFields();
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        if (*a.Values[i] == *b.Values[i])
            continue;
        out << catalogue[i].Key << ": " << valueForDiff(catalogue[i], *a.Values[i]) << " | "
            << valueForDiff(catalogue[i], *b.Values[i]) << '\n';
        ++lines;
    }
    return lines;
}

// The bytes that either file carries and that differ in the bits not owned
// by a field in both files, one line per run of neighbouring offsets:
// "carried 412-413: 0a0b | 0000". A byte that one file carries and the
// other gives to a longer text shows whole.
int diffCarried(std::ostream& out, const RecordModel& a, const RecordModel& b, const TConfigRecord& recordA,
                const TConfigRecord& recordB)
{
    const OwnedBits ownedA = rebuildFields(a).Owned;
    const OwnedBits ownedB = rebuildFields(b).Owned;
    std::map<int, BytePair> differing;
    for (const auto* carried : {&a.Carried, &b.Carried})
        for (const auto& [offset, value] : *carried) {
            const auto unowned = static_cast<std::uint8_t>(~(ownedA[offset] & ownedB[offset]));
            const auto left = static_cast<std::uint8_t>(recordA[offset] & unowned);
            const auto right = static_cast<std::uint8_t>(recordB[offset] & unowned);
            if (left != right)
                differing[offset] = {left, right};
        }
    std::map<int, std::uint8_t> offsets;
    for (const auto& [offset, pair] : differing)
        offsets[offset] = pair.first;
    const std::vector<ByteRun> runs = runsOf(offsets);
    for (const ByteRun& run : runs) {
        const int last = run.Offset + static_cast<int>(run.Bytes.size()) - 1;
        std::string left, right;
        for (int offset = run.Offset; offset <= last; ++offset) {
            left += hexByte(differing[offset].first);
            right += hexByte(differing[offset].second);
        }
        out << "carried " << run.Offset;
        if (last > run.Offset)
            out << '-' << last;
        out << ": " << left << " | " << right << '\n';
    }
    return static_cast<int>(runs.size());
}

} // namespace

ExitStatus runDiff(CliContext& context, const CommandOptions& options)
{
    const std::string& pathA = options.Files.at(0);
    const std::string& pathB = options.Files.at(1);
    return reportingFailures(context, pathA, [&] {
        const auto read = [&](const std::string& path) {
            return onFile(path, [&] { return readRecordFile(context, path, FileAccess::ReadOnly); });
        };
        const TConfigRecord recordA = read(pathA);
        const TConfigRecord recordB = read(pathB);
        const RecordModel a = splitRecord(recordA);
        const RecordModel b = splitRecord(recordB);
        if (a.Blank != b.Blank) {
            // A blank file holds no settings to compare with.
            context.Out << "blank: " << (a.Blank ? "true" : "false") << " | " << (b.Blank ? "true" : "false") << '\n';
            return ExitStatus::Differences;
        }
        int lines = a.Blank ? 0 : diffFields(context.Out, a, b);
        lines += diffCarried(context.Out, a, b, recordA, recordB);
        return lines == 0 ? ExitStatus::Done : ExitStatus::Differences;
    });
}

} // namespace ostra::cli
