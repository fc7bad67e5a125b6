#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace ostra::cardtest {

// The block requests one operation made of a disk, as QEMU's blklogwrites
// driver records them in the dm-log-writes format:
//
//   sector 0      super block: magic 0x6a736677736872, version 1,
//                 entry count, sector size (all little-endian)
//   sector 1      entry: target sector, sector count, flags, data length
//   sector 2..    the entry's data, sector count sectors (writes only)
//   ...           the next entry
//
// Flags: 1 flush, 2 FUA (the write is durable when it completes), 4 discard,
// 8 mark. Sectors are of the log's sector size.
struct LoggedRequest {
    enum class Kind { Write, Flush, Discard, Mark };
    Kind What = Kind::Write;
    std::uint64_t Sector = 0; // in bytes: Sector * SectorSize
    std::uint64_t Sectors = 0;
    bool ForceUnitAccess = false;
    std::vector<std::uint8_t> Data; // writes: Sectors * SectorSize bytes; marks: their text
};

struct WriteLog {
    std::uint32_t SectorSize = 512;
    std::vector<LoggedRequest> Requests;
};

struct WriteLogError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Raises WriteLogError on a log that is not one or is cut short.
WriteLog readWriteLog(std::span<const std::uint8_t> log);

// The same format written, for logs made by hand in tests.
std::vector<std::uint8_t> writeWriteLog(const WriteLog& log);

} // namespace ostra::cardtest
