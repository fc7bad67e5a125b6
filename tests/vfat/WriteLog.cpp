#include "WriteLog.h"

#include <algorithm>

namespace ostra::cardtest {

namespace {

constexpr std::uint64_t kMagic = 0x6a736677736872ULL;
constexpr std::uint64_t kVersion = 1;
constexpr std::uint64_t kFlush = 1, kForceUnitAccess = 2, kDiscard = 4, kMark = 8;

std::uint64_t little(std::span<const std::uint8_t> bytes, std::size_t at, int width)
{
    if (at + static_cast<std::size_t>(width) > bytes.size())
        throw WriteLogError("the log ends inside a header");
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

void putLittle(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

LoggedRequest::Kind kindOf(std::uint64_t flags)
{
    if (flags & kMark)
        return LoggedRequest::Kind::Mark;
    if (flags & kDiscard)
        return LoggedRequest::Kind::Discard;
    if (flags & kFlush)
        return LoggedRequest::Kind::Flush;
    return LoggedRequest::Kind::Write;
}

std::uint64_t flagsOf(const LoggedRequest& request)
{
    std::uint64_t flags = request.ForceUnitAccess ? kForceUnitAccess : 0;
    switch (request.What) {
    case LoggedRequest::Kind::Write: return flags;
    case LoggedRequest::Kind::Flush: return flags | kFlush;
    case LoggedRequest::Kind::Discard: return flags | kDiscard;
    case LoggedRequest::Kind::Mark: return flags | kMark;
    }
    return flags;
}

} // namespace

WriteLog readWriteLog(std::span<const std::uint8_t> log)
{
    if (little(log, 0, 8) != kMagic)
        throw WriteLogError("no dm-log-writes super block");
    if (little(log, 8, 8) != kVersion)
        throw WriteLogError("unknown log version");
    WriteLog result;
    const std::uint64_t entries = little(log, 16, 8);
    result.SectorSize = static_cast<std::uint32_t>(little(log, 24, 4));
    if (result.SectorSize < 32 || (result.SectorSize & (result.SectorSize - 1)) != 0)
        throw WriteLogError("bad sector size");
    std::size_t at = result.SectorSize;
    for (std::uint64_t n = 0; n < entries; ++n) {
        LoggedRequest request;
        request.Sector = little(log, at, 8);
        request.Sectors = little(log, at + 8, 8);
        const std::uint64_t flags = little(log, at + 16, 8);
        const std::uint64_t dataLength = little(log, at + 24, 8);
        request.What = kindOf(flags);
        request.ForceUnitAccess = (flags & kForceUnitAccess) != 0;
        at += result.SectorSize;
        // Writes carry their sectors; a mark carries its text, padded to
        // whole sectors; flushes and discards carry nothing.
        std::uint64_t carried = 0;
        if (request.What == LoggedRequest::Kind::Write)
            carried = request.Sectors * result.SectorSize;
        else if (request.What == LoggedRequest::Kind::Mark)
            carried = dataLength;
        if (at + carried > log.size())
            throw WriteLogError("the log ends inside an entry's data");
        request.Data.assign(log.begin() + static_cast<std::ptrdiff_t>(at),
                            log.begin() + static_cast<std::ptrdiff_t>(at + carried));
        at += (carried + result.SectorSize - 1) / result.SectorSize * result.SectorSize;
        result.Requests.push_back(std::move(request));
    }
    return result;
}

std::vector<std::uint8_t> writeWriteLog(const WriteLog& log)
{
    const std::size_t sector = log.SectorSize;
    std::vector<std::uint8_t> bytes(sector, 0);
    putLittle(bytes, 0, kMagic, 8);
    putLittle(bytes, 8, kVersion, 8);
    putLittle(bytes, 16, log.Requests.size(), 8);
    putLittle(bytes, 24, log.SectorSize, 4);
    for (const LoggedRequest& request : log.Requests) {
        const std::size_t header = bytes.size();
        const std::size_t padded = (request.Data.size() + sector - 1) / sector * sector;
        bytes.resize(header + sector + padded, 0);
        putLittle(bytes, header, request.Sector, 8);
        putLittle(bytes, header + 8, request.Sectors, 8);
        putLittle(bytes, header + 16, flagsOf(request), 8);
        putLittle(bytes, header + 24, request.What == LoggedRequest::Kind::Mark ? request.Data.size() : 0, 8);
        std::copy(request.Data.begin(), request.Data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(header + sector));
    }
    return bytes;
}

} // namespace ostra::cardtest
