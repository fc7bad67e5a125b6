#include "CliFixture.h"

#include <fstream>
#include <iterator>

#include "cli/CommandLine.h"
#include "platform/FileApi.h"

namespace ostra::test {

CliRun CliFixture::run(const std::vector<std::string>& arguments, const std::string& input)
{
    return run(systemFileApi(), arguments, input);
}

CliRun CliFixture::run(FileApi& files, const std::vector<std::string>& arguments, const std::string& input)
{
    return runOstraCfg(files, drives, reports, arguments, input);
}

CliRun runOstraCfg(FileApi& files, RemovableDrives& drives, cli::ReportModule& reports,
                   const std::vector<std::string>& arguments, const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    cli::CliContext context{files, drives, in, out, err, reports};
    const cli::ExitStatus status = cli::runCommandLine(context, arguments);
    return {status, out.str(), err.str()};
}

std::string CliFixture::expand(const std::string& text) const
{
    std::string result = text;
    const std::string folderPath = folder.path().string();
    for (std::size_t at = result.find('@'); at != std::string::npos; at = result.find('@', at + folderPath.size()))
        result.replace(at, 1, folderPath);
    return result;
}

std::vector<std::string> CliFixture::expand(const std::vector<std::string>& arguments) const
{
    std::vector<std::string> result;
    for (const std::string& argument : arguments)
        result.push_back(expand(argument));
    return result;
}

void CliFixture::writeRecord(const std::string& name, const TConfigRecord& record) const
{
    writeBytes(name, std::string(record.begin(), record.end()));
}

void CliFixture::writeBytes(const std::string& name, const std::string& bytes) const
{
    std::ofstream(path(name), std::ios::binary | std::ios::trunc) << bytes;
}

std::string CliFixture::readBytes(const std::string& name) const
{
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TConfigRecord CliFixture::readRecord(const std::string& name) const
{
    const std::string bytes = readBytes(name);
    TConfigRecord record{};
    EXPECT_EQ(bytes.size(), record.size()) << name;
    std::copy_n(bytes.begin(), std::min(bytes.size(), record.size()), record.begin());
    return record;
}

namespace {

struct TextSpan {
    int Offset;
    int Width;
};

// The text fields, the installer information as one span, and the versions.
const TextSpan kTextSpans[] = {{0, 32}, {32, 24}, {56, 78}, {134, 24}, {158, 78}, {290, 120}, {416, 4}, {420, 4}};

} // namespace

TConfigRecord randomRecord(std::mt19937& random)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> printable(0x20, 0x7E);
    std::uniform_int_distribution<int> percent(0, 99);
    TConfigRecord record{};
    const int shape = percent(random);
    if (shape < 3)
        return record; // all zero
    if (shape < 6) {
        BlankConfig(record);
        return record;
    }
    for (auto& b : record)
        b = static_cast<std::uint8_t>(percent(random) < 70 ? 0 : byte(random));
    for (const TextSpan& span : kTextSpans)
        for (int i = 0; i < span.Width; ++i) {
            const int pick = percent(random);
            record[span.Offset + i] =
                static_cast<std::uint8_t>(pick < 50 ? printable(random) : pick < 80 ? ' ' : pick < 88 ? 0 : byte(random));
        }
    if (shape < 15)
        record[0] = 0xFF; // blank, whatever else the file holds
    return record;
}

} // namespace ostra::test
